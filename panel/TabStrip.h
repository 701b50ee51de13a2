// Layout of the launch set tabs at the top right of the panel.
#pragma once

#include <cstdint>

class WallpaperRenderer;

class TabStrip {
public:
    static constexpr int32_t kNoHit = static_cast<int32_t>(0x80000000u);

    TabStrip() = default;
    TabStrip(const TabStrip&) = delete;
    TabStrip& operator=(const TabStrip&) = delete;
    virtual ~TabStrip() = default;

    void Configure(uint16_t tabWidth, uint16_t tabHeight, uint16_t tabGap, uint16_t groupSize,
                   uint16_t groupGap, uint16_t rightInset, uint16_t top, int32_t slackLeft,
                   int32_t slackTop, int32_t slackRight, int32_t slackBottom,
                   WallpaperRenderer* background);

    uint16_t tabWidth = 4;
    uint16_t tabHeight = 4;
    uint16_t tabGap = 0;
    uint16_t groupSize = 0;
    uint16_t groupGap = 0;
    uint16_t top = 0;
    uint16_t rightInset = 0;
    int32_t slackLeft = 0;
    int32_t slackTop = 0;
    int32_t slackRight = 0;
    int32_t slackBottom = 0;
    WallpaperRenderer* background = nullptr;
    int32_t markerX = 0;
    int32_t markerY = 0;
    int32_t lastTabHit = kNoHit;
};

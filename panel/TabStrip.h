// Layout and hit test of the launch set tabs at the top right of the panel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/HitCode.h"
#include "panel/PanelScale.h"

class WallpaperRenderer;

class TabStrip {
public:
    TabStrip() = default;
    TabStrip(const TabStrip&) = delete;
    TabStrip& operator=(const TabStrip&) = delete;
    virtual ~TabStrip() = default;

    // A tab width below 4 becomes 4 and a group size of 0 becomes 0xFFFF
    // (one group); a slack of 0 means no limit on that side.
    void Configure(uint16_t tabWidth, uint16_t tabHeight, uint16_t tabGap, uint16_t groupSize,
                   uint16_t groupGap, uint16_t rightInset, uint16_t top, int32_t slackLeft, int32_t slackTop,
                   int32_t slackRight, int32_t slackBottom, WallpaperRenderer* background);

    // Geometry of n tabs right-aligned in a client area clientWidth wide.
    // TabLeft also answers for i = n, the place just after the last tab.
    int StripWidth(int n) const;
    int StripLeft(int n, int clientWidth) const;
    int TabLeft(int n, int clientWidth, int i) const;
    RECT TabRect(int n, int clientWidth, int i) const;
    // The tab without its one-pixel border: where the cursor is "in" a tab.
    bool InTabInterior(int n, int clientWidth, int i, int x, int y) const;

    // NoHit, a tab index with OnFlag, or the index of the gap before a tab
    // (n = after the last). Only the strip's band counts, not the tab height.
    int32_t TabHit(int n, int clientWidth, int x, int y) const;
    // The first tab whose interior holds the point, or -1.
    int TabAt(int n, int clientWidth, int x, int y) const;

    // Draws tab i of n in state 0 (raised) or 1 (sunken); a tab whose
    // interior holds (x, y) and is not sunken is drawn flat. True when the
    // point is inside the tab.
    bool DrawTab(HDC dc, int n, int i, int state, int x, int y, int clientWidth);
    // The edge alone in the look of state 0 to 2; -1 (nothing drawn) otherwise.
    int DrawTabEdge(HDC dc, int left, int tabTop, int state);
    // Erases the last marker and draws arrowheads above and below the gap
    // under (x, y), if there is one.
    void UpdateTabMarker(HDC dc, int n, int clientWidth, int x, int y);

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
    WallpaperRenderer* background = nullptr;  // not owned
    int32_t markerX = 0;
    int32_t markerY = 0;
    int32_t lastTabHit = NoHit;
    // Where the logical geometry above is drawn in device pixels.
    PanelScale scale;

private:
    // Whole groups before tab i; an unconfigured strip (group size 0) is one group.
    int64_t GroupsBefore(int i) const;
};

// Layout of the 6 x 3 grid of item cells in the middle of the panel.
#pragma once

#include <windows.h>

#include <cstdint>

class WallpaperRenderer;

class ItemGrid {
public:
    static constexpr int32_t kNoHit = static_cast<int32_t>(0x80000000u);

    struct Marker {
        int32_t code = kNoHit;
        int32_t column = 0;
        int32_t row = 0;
    };

    ItemGrid() = default;
    ItemGrid(const ItemGrid&) = delete;
    ItemGrid& operator=(const ItemGrid&) = delete;
    virtual ~ItemGrid() = default;

    // Resets every field, then takes the values unless a size is 0.
    void Configure(uint16_t columns, uint16_t rows, uint16_t columnGap, uint16_t rowGap,
                   uint16_t top, uint16_t left, int32_t cellWidth, int32_t cellHeight,
                   WallpaperRenderer* background);

    uint16_t columns = 1;
    uint16_t rows = 1;
    uint16_t top = 0;
    uint16_t left = 0;
    uint16_t columnGap = 8;
    uint16_t rowGap = 8;
    int32_t cellWidth = 32;
    int32_t cellHeight = 32;
    WallpaperRenderer* background = nullptr;
    Marker gridMarker;
    uint16_t hoverIndex = 0xFFFF;
    HICON hoverIcon = nullptr;  // not owned
};

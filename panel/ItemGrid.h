// Layout and hit test of the grid of item cells in the middle of the panel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/HitCode.h"
#include "panel/PanelScale.h"

class WallpaperRenderer;

class ItemGrid {
public:
    // Where a point lies in the grid: NoHit, or a cell index with OnFlag,
    // or the index of the gap before a cell; with its column and row.
    struct GridLocation {
        int32_t code = NoHit;
        int32_t column = 0;
        int32_t row = 0;
    };

    ItemGrid() = default;
    ItemGrid(const ItemGrid&) = delete;
    ItemGrid& operator=(const ItemGrid&) = delete;
    virtual ~ItemGrid() = default;

    // Resets every field, then takes the values unless a size is 0. An odd
    // row gap is lowered by one so that it splits evenly between two rows.
    void Configure(uint16_t columns, uint16_t rows, uint16_t columnGap, uint16_t rowGap, uint16_t top,
                   uint16_t left, int32_t cellWidth, int32_t cellHeight, WallpaperRenderer* background);

    // Distance from one column's cells to the next, and from one row's.
    int ColumnPitch() const { return cellWidth + columnGap; }
    int RowPitch() const { return cellHeight + rowGap; }
    // Top-left corner and rectangle of cell i.
    POINT CellPosition(int i) const;
    RECT CellRect(int i) const;

    // The grid's zone: every column, and three row bands from half a row gap
    // above the first row.
    bool GridContains(int x, int y, int w, int h) const;
    // Rows are bands that own their gaps, so only columns have gaps.
    GridLocation GridLocate(int x, int y) const;
    // GridLocate's code inside GridContains, NoHit outside.
    int32_t GridHit(int x, int y, int w, int h) const;

    // Drawing into the back buffer; what they erase comes from `background`.
    void DrawCellIcon(HDC dc, int i, HICON icon);
    // Erases the last insertion bar and draws one in the gap under (x, y).
    void UpdateGridMarker(HDC dc, int x, int y);
    // Draws the bar of the gap the marker holds again, if it holds one.
    void DrawGridBar(HDC dc) const;
    void EraseGridMarker(HDC dc);
    // Puts the magnified icon back to normal size and shows icon magnified
    // to 44 x 44 over cell i; DrawIconEx's result, or 0 without an icon.
    int ShowHover(HDC dc, int i, HICON icon);
    // Returns the icon that was magnified, now back at normal size.
    HICON ClearHover(HDC dc);
    // The device pixels the magnified icon over cell i covers.
    RECT MagnifiedRect(int i) const;

    uint16_t columns = 1;
    uint16_t rows = 1;
    uint16_t top = 0;
    uint16_t left = 0;
    uint16_t columnGap = 8;
    uint16_t rowGap = 8;
    int32_t cellWidth = 32;
    int32_t cellHeight = 32;
    WallpaperRenderer* background = nullptr;  // not owned
    GridLocation gridMarker;
    uint16_t hoverIndex = 0xFFFF;
    HICON hoverIcon = nullptr;  // not owned
    // Where the logical geometry above is drawn in device pixels; the icons
    // are made for its cell size.
    PanelScale scale;
};

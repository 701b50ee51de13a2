// Layout of the item grid.
#include "panel/ItemGrid.h"

void ItemGrid::Configure(uint16_t newColumns, uint16_t newRows, uint16_t newColumnGap,
                         uint16_t newRowGap, uint16_t newTop, uint16_t newLeft,
                         int32_t newCellWidth, int32_t newCellHeight,
                         WallpaperRenderer* newBackground) {
    columns = 1;
    rows = 1;
    top = 0;
    left = 0;
    columnGap = 8;
    rowGap = 8;
    cellWidth = 32;
    cellHeight = 32;
    gridMarker = Marker{};
    hoverIndex = 0xFFFF;
    hoverIcon = nullptr;
    background = newBackground;
    if (newColumns == 0 || newRows == 0 || newCellWidth == 0 || newCellHeight == 0) return;
    columns = newColumns;
    rows = newRows;
    columnGap = newColumnGap;
    rowGap = newRowGap & ~1;
    top = newTop;
    left = newLeft;
    cellWidth = newCellWidth;
    cellHeight = newCellHeight;
}

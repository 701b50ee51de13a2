// Layout and hit test of the item grid.
#include "panel/ItemGrid.h"

namespace {
// The hover zone is three rows high whatever the configured row count: the
// panel's grid always has three rows.
constexpr int64_t kZoneRows = 3;
}  // namespace

void ItemGrid::Configure(uint16_t newColumns, uint16_t newRows, uint16_t newColumnGap, uint16_t newRowGap,
                         uint16_t newTop, uint16_t newLeft, int32_t newCellWidth, int32_t newCellHeight,
                         WallpaperRenderer* newBackground) {
    columns = 1;
    rows = 1;
    top = 0;
    left = 0;
    columnGap = 8;
    rowGap = 8;
    cellWidth = 32;
    cellHeight = 32;
    gridMarker = GridLocation{};
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

POINT ItemGrid::CellPosition(int i) const {
    return POINT{left + (i % columns) * ColumnPitch(), top + (i / columns) * RowPitch()};
}

RECT ItemGrid::CellRect(int i) const {
    POINT p = CellPosition(i);
    return RECT{p.x, p.y, p.x + cellWidth, p.y + cellHeight};
}

bool ItemGrid::GridContains(int x, int y, int w, int h) const {
    if (x < 0 || w < 0 || h < 0 || x > w) return false;
    int64_t zoneTop = int64_t{top} - rowGap / 2;
    return y >= zoneTop && y <= zoneTop + kZoneRows * RowPitch() - 1;
}

ItemGrid::GridLocation ItemGrid::GridLocate(int x, int y) const {
    const int64_t rowPitch = RowPitch();
    const int64_t pitch = ColumnPitch();
    // Negative cell sizes could cancel a gap; a pitch of 0 would divide by zero.
    if (x < 0 || y < 0 || rowPitch == 0 || pitch == 0) return GridLocation{};

    int64_t row = (int64_t{y} - top + rowGap / 2) / rowPitch;
    if (row >= rows) row = rows - 1;
    if (row < 0) row = 0;

    int64_t u = int64_t{x} - left + columnGap;
    int64_t c = u / pitch;
    if (c < 0) c = 0;

    int64_t column;
    bool onCell = false;
    if (x < left) {
        column = 0;
    } else if (c >= columns) {
        column = columns;  // the gap after the row's last cell
    } else {
        column = c;
        onCell = u % pitch >= columnGap;
    }
    int32_t code = static_cast<int32_t>(row * columns + column);
    return GridLocation{onCell ? code + OnFlag : code, static_cast<int32_t>(column),
                        static_cast<int32_t>(row)};
}

int32_t ItemGrid::GridHit(int x, int y, int w, int h) const {
    return GridContains(x, y, w, h) ? GridLocate(x, y).code : NoHit;
}

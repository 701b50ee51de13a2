// Drawing of the item icons, the insertion bar between cells and the
// magnified icon under the cursor.
#include "panel/EdgeStyle.h"
#include "panel/ItemGrid.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
// The bar: white, 4 pixels wide, with a black line on either side.
constexpr int kBarWidth = 4;
// The magnified icon grows by this much on every side.
constexpr int kHoverGrowth = 6;

void FillRect(HDC dc, COLORREF color, int x, int y, int w, int h) {
    SolidPaint paint(dc, color);
    PatBlt(dc, x, y, w, h, PATCOPY);
}
}  // namespace

void ItemGrid::DrawCellIcon(HDC dc, int i, HICON icon) {
    if (i < 0 || i >= columns * rows || !icon) return;
    const POINT p = CellPosition(i);
    DrawIconEx(dc, p.x, p.y, icon, cellWidth, cellHeight, 0, nullptr, DI_NORMAL);
}

void ItemGrid::UpdateGridMarker(HDC dc, int x, int y) {
    const GridLocation r = GridLocate(x, y);
    if (HitUpperHalf(gridMarker.code) != 1) EraseGridMarker(dc);
    gridMarker = r;
    DrawGridBar(dc);
}

void ItemGrid::DrawGridBar(HDC dc) const {
    if (!IsGapHit(gridMarker.code)) return;
    const int bx = ColumnPitch() * gridMarker.column - columnGap / 2 + left - 1;
    const int by = RowPitch() * gridMarker.row - rowGap / 2 + top;
    const int bh = RowPitch();
    FillRect(dc, kWhite, bx - 1, by, kBarWidth, bh);
    // The outer lines of the bars at the row's ends run the full height.
    const bool leftFull = gridMarker.column == 0;
    const bool rightFull = gridMarker.column == columns;
    FillRect(dc, kBlack, bx - 1, leftFull ? by : by + 1, 1, leftFull ? bh : bh - 2);
    FillRect(dc, kBlack, bx + 2, rightFull ? by : by + 1, 1, rightFull ? bh : bh - 2);
}

void ItemGrid::EraseGridMarker(HDC dc) {
    if (background) {
        background->RestoreRect(dc, ColumnPitch() * gridMarker.column + left - columnGap / 2 - 2,
                                RowPitch() * gridMarker.row + top - rowGap / 2, kBarWidth, RowPitch());
    }
    gridMarker.code = NoHit;
}

int ItemGrid::ShowHover(HDC dc, int i, HICON icon) {
    if (hoverIcon) {
        // The icon magnified before goes back to its normal size.
        const POINT p = CellPosition(hoverIndex);
        if (background)
            background->RestoreRect(dc, p.x - kHoverGrowth, p.y - kHoverGrowth, cellWidth + 2 * kHoverGrowth,
                                    cellHeight + 2 * kHoverGrowth);
        DrawIconEx(dc, p.x, p.y, hoverIcon, cellWidth, cellHeight, 0, nullptr, DI_NORMAL);
        hoverIcon = nullptr;
    }
    if (!icon) return 0;
    const POINT p = CellPosition(i);
    if (background)
        background->RestoreRect(dc, p.x - kHoverGrowth, p.y - kHoverGrowth, cellWidth + 2 * kHoverGrowth,
                                cellHeight + 2 * kHoverGrowth);
    const int drawn =
        DrawIconEx(dc, p.x - kHoverGrowth, p.y - kHoverGrowth, icon, cellWidth + 2 * kHoverGrowth,
                   cellHeight + 2 * kHoverGrowth, 0, nullptr, DI_NORMAL);
    hoverIcon = icon;
    hoverIndex = static_cast<uint16_t>(i);
    return drawn;
}

HICON ItemGrid::ClearHover(HDC dc) {
    HICON was = hoverIcon;
    ShowHover(dc, 0, nullptr);
    return was;
}

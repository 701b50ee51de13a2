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

void Restore(WallpaperRenderer* background, HDC dc, const RECT& r) {
    if (background) background->RestoreRect(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Draws the icon over the device rectangle r. The cells' icons are made for
// the scaled cell, so only the magnified one is stretched.
int DrawIconIn(HDC dc, HICON icon, const RECT& r) {
    return DrawIconEx(dc, r.left, r.top, icon, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
}
}  // namespace

void ItemGrid::DrawCellIcon(HDC dc, int i, HICON icon) {
    if (i < 0 || i >= columns * rows || !icon) return;
    DrawIconIn(dc, icon, scale.ToDevice(CellRect(i)));
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
    PaintRect(dc, kWhite, scale.ToDevice(bx - 1, by, kBarWidth, bh));
    // The outer lines of the bars at the row's ends run the full height.
    const bool leftFull = gridMarker.column == 0;
    const bool rightFull = gridMarker.column == columns;
    PaintRect(dc, kBlack, scale.ToDevice(bx - 1, leftFull ? by : by + 1, 1, leftFull ? bh : bh - 2));
    PaintRect(dc, kBlack, scale.ToDevice(bx + 2, rightFull ? by : by + 1, 1, rightFull ? bh : bh - 2));
}

void ItemGrid::EraseGridMarker(HDC dc) {
    Restore(background, dc,
            scale.ToDevice(ColumnPitch() * gridMarker.column + left - columnGap / 2 - 2,
                           RowPitch() * gridMarker.row + top - rowGap / 2, kBarWidth, RowPitch()));
    gridMarker.code = NoHit;
}

int ItemGrid::ShowHover(HDC dc, int i, HICON icon) {
    if (hoverIcon) {
        // The icon magnified before goes back to its normal size.
        Restore(background, dc, MagnifiedRect(hoverIndex));
        DrawIconIn(dc, hoverIcon, scale.ToDevice(CellRect(hoverIndex)));
        hoverIcon = nullptr;
    }
    if (!icon) return 0;
    const RECT magnified = MagnifiedRect(i);
    Restore(background, dc, magnified);
    const int drawn = DrawIconIn(dc, icon, magnified);
    hoverIcon = icon;
    hoverIndex = static_cast<uint16_t>(i);
    return drawn;
}

RECT ItemGrid::MagnifiedRect(int i) const {
    const POINT p = CellPosition(i);
    return scale.ToDevice(p.x - kHoverGrowth, p.y - kHoverGrowth, cellWidth + 2 * kHoverGrowth,
                          cellHeight + 2 * kHoverGrowth);
}

HICON ItemGrid::ClearHover(HDC dc) {
    HICON was = hoverIcon;
    ShowHover(dc, 0, nullptr);
    return was;
}

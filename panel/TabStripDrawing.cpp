// Drawing of the launch set tabs and of the insertion marker between them.
#include "panel/EdgeStyle.h"
#include "panel/TabStrip.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
// The marker's arrowheads: a white tip two pixels from the strip and a black
// base beyond it, each within a 5 x 5 square that erasing restores.
constexpr int kMarkerSquare = 5;

// One arrowhead: rows of 1, 3 and 5 pixels from its tip at (tipX, tipY)
// away from the strip (dy is -1 above it, +1 below), each logical pixel a
// block of device pixels, so that it grows with the scale without blurring.
void DrawArrowhead(HDC dc, const PanelScale& scale, COLORREF color, int tipX, int tipY, int dy) {
    for (int row = 0; row < 3; ++row)
        PaintRect(dc, color, scale.ToDevice(tipX - row, tipY + row * dy, 2 * row + 1, 1));
}
}  // namespace

bool TabStrip::DrawTab(HDC dc, int n, int i, int state, int x, int y, int clientWidth) {
    if (n == 0) return false;
    const bool inside = InTabInterior(n, clientWidth, i, x, y);
    if (inside && state != kEdgePressed) state = kEdgeHot;
    DrawTabEdge(dc, TabLeft(n, clientWidth, i), top, state);
    return inside;
}

int TabStrip::DrawTabEdge(HDC dc, int left, int tabTop, int state) {
    return DrawEdgeInState(dc, scale.ToDevice(left, tabTop, tabWidth, tabHeight), state, scale) ? state : -1;
}

void TabStrip::UpdateTabMarker(HDC dc, int n, int clientWidth, int x, int y) {
    if (IsGapHit(lastTabHit) && background) {
        for (const int squareTop : {top - 6, top + tabHeight + 1}) {
            const RECT r = scale.ToDevice(markerX - 3, squareTop, kMarkerSquare, kMarkerSquare);
            background->RestoreRect(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
    }
    const int32_t t = TabHit(n, clientWidth, x, y);
    if (!IsGapHit(t)) {
        lastTabHit = t;
        return;
    }
    const int k = HitIndex(t);
    int mx = TabLeft(n, clientWidth, k);
    // Before the first tab of a group the gap is the group gap: the middle of it.
    if (k % groupSize == 0) mx -= groupGap / 2;
    markerX = mx;
    markerY = top;
    const int b = top + tabHeight;
    // White tips pointing at the strip, black bases beyond them; each black
    // tip covers the middle of the white base.
    DrawArrowhead(dc, scale, kWhite, mx - 1, top - 2, -1);
    DrawArrowhead(dc, scale, kWhite, mx - 1, b + 1, 1);
    DrawArrowhead(dc, scale, kBlack, mx - 1, top - 4, -1);
    DrawArrowhead(dc, scale, kBlack, mx - 1, b + 3, 1);
    lastTabHit = t;
}

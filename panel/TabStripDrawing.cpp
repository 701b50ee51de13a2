// Drawing of the launch set tabs and of the insertion marker between them.
#include "panel/EdgeStyle.h"
#include "panel/TabStrip.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
// The marker's arrowheads: a white tip two pixels from the strip and a black
// base beyond it, each within a 5 x 5 square that erasing restores.
constexpr int kMarkerSquare = 5;

void DrawTriangle(HDC dc, COLORREF color, POINT a, POINT b, POINT c) {
    SolidPaint paint(dc, color);
    const POINT points[] = {a, b, c};
    Polygon(dc, points, 3);
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
    const RECT rect = {left, tabTop, left + tabWidth, tabTop + tabHeight};
    return DrawEdgeInState(dc, rect, state) ? state : -1;
}

void TabStrip::UpdateTabMarker(HDC dc, int n, int clientWidth, int x, int y) {
    if (IsGapHit(lastTabHit) && background) {
        background->RestoreRect(dc, markerX - 3, top - 6, kMarkerSquare, kMarkerSquare);
        background->RestoreRect(dc, markerX - 3, top + tabHeight + 1, kMarkerSquare, kMarkerSquare);
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
    DrawTriangle(dc, kWhite, {mx - 1, top - 2}, {mx - 3, top - 4}, {mx + 1, top - 4});
    DrawTriangle(dc, kWhite, {mx - 1, b + 1}, {mx - 3, b + 3}, {mx + 1, b + 3});
    DrawTriangle(dc, kBlack, {mx - 1, top - 4}, {mx - 3, top - 6}, {mx + 1, top - 6});
    DrawTriangle(dc, kBlack, {mx - 1, b + 3}, {mx - 3, b + 5}, {mx + 1, b + 5});
    lastTabHit = t;
}

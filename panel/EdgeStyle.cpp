// The looks of the panel's tab and button edges.
#include "panel/EdgeStyle.h"

bool DrawEdgeInState(HDC dc, RECT rect, int state, const PanelScale& scale) {
    UINT edge = EDGE_RAISED;
    UINT flags = BF_RECT | BF_SOFT;
    if (state == kEdgePressed)
        edge = EDGE_SUNKEN;
    else if (state == kEdgeHot)
        flags |= BF_FLAT;
    else if (state != kEdgeNormal)
        return false;
    // DrawEdge draws one-pixel lines: the outer line at the rectangle's
    // border and the inner one a pixel further in. Drawn at insets from the
    // innermost outward, each call's outer line covers the inner line of the
    // call before, which leaves `inner` inner lines under `outer` outer ones;
    // the outermost calls come first, so the last one's inner line stays.
    const int outer = scale.ToDevice(1);
    const int inner = scale.ToDevice(2) - outer;
    auto drawAt = [&](int inset) {
        RECT r = {rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
        DrawEdge(dc, &r, edge, flags);
    };
    for (int inset = 0; inset < outer - 1; ++inset) drawAt(inset);
    for (int inset = outer + inner - 2; inset >= outer - 1; --inset) drawAt(inset);
    return true;
}

void PaintRect(HDC dc, COLORREF color, const RECT& rect) {
    SolidPaint paint(dc, color);
    PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
}

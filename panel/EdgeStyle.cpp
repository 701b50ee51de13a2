// The looks of the panel's tab and button edges.
#include "panel/EdgeStyle.h"

bool DrawEdgeInState(HDC dc, RECT rect, int state) {
    UINT edge = EDGE_RAISED;
    UINT flags = BF_RECT | BF_SOFT;
    if (state == kEdgePressed)
        edge = EDGE_SUNKEN;
    else if (state == kEdgeHot)
        flags |= BF_FLAT;
    else if (state != kEdgeNormal)
        return false;
    DrawEdge(dc, &rect, edge, flags);
    return true;
}

// The three looks of a tab's or a toggle button's edge, and solid brushes and
// pens that live for one drawing step.
#pragma once

#include <windows.h>

#include "base/UniqueHandle.h"
#include "panel/PanelScale.h"

enum EdgeState : int {
    kEdgeNormal = 0,   // raised
    kEdgePressed = 1,  // sunken: the current set, or a button that is on
    kEdgeHot = 2,      // raised and flat: under the cursor
};

// Draws the edge of rect (device pixels) in the look of state, its outer and
// inner line each one logical pixel wide at the scale; false (nothing drawn)
// for any other state. Only the edge is drawn, not the inside.
bool DrawEdgeInState(HDC dc, RECT rect, int state, const PanelScale& scale = PanelScale());

// Fills a rectangle of device pixels with one colour.
void PaintRect(HDC dc, COLORREF color, const RECT& rect);

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A solid brush and a one-pixel solid pen of one colour, selected into the
// DC for one scope. The selections are declared after the objects, so the
// old objects are back in the DC before the new ones are deleted.
class SolidPaint {
public:
    SolidPaint(HDC dc, COLORREF color)
        : brush_(CreateSolidBrush(color)),
          pen_(CreatePen(PS_SOLID, 1, color)),
          selectBrush_(dc, brush_.get()),
          selectPen_(dc, pen_.get()) {}

private:
    UniqueBrush brush_;
    UniquePen pen_;
    ScopedSelect selectBrush_;
    ScopedSelect selectPen_;
};

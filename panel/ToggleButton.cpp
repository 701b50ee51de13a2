// Geometry and state of the panel's two toggle buttons.
#include "panel/ToggleButton.h"

#include "panel/EdgeStyle.h"

void ToggleButton::Configure(int newX, int newY, int newWidth, int newHeight, HICON newIconOn,
                             HICON newIconOff) {
    if (newX < 0 || newY < 0 || newWidth < 0 || newHeight < 0) return;
    iconOn = newIconOn;
    iconOff = newIconOff;
    x = newX;
    y = newY;
    width = newWidth + 4;
    height = newHeight + 4;
    state = 0;
}

void ToggleButton::SetState(int s) {
    if (s == 0 || s == 1) state = s;
}

bool ToggleButton::Contains(int px, int py) const {
    return px >= x && px < x + width && py >= y && py < y + height;
}

bool ToggleButton::Draw(HDC dc, int px, int py) const {
    if (!iconOn || !iconOff) return false;
    int s = state;
    if (Contains(px, py) && state != kEdgePressed) s = kEdgeHot;
    DrawEdgeInState(dc, scale.ToDevice(x, y, width, height), s, scale);
    // The icons' visible pixels lie in their top-left quarter: inside the
    // frame. Each is drawn at its own size, which was made for the scale.
    const int offset = s == kEdgeNormal ? 2 : 3;
    DrawIconEx(dc, scale.ToDevice(x + offset), scale.ToDevice(y + offset),
               s == kEdgePressed ? iconOn : iconOff, 0, 0, 0, nullptr, DI_NORMAL);
    return true;
}

// A small two-state button drawn on the panel: the pin and the new-set button.
#pragma once

#include <windows.h>

#include "panel/PanelScale.h"

class ToggleButton {
public:
    ToggleButton() = default;
    ToggleButton(const ToggleButton&) = delete;
    ToggleButton& operator=(const ToggleButton&) = delete;
    virtual ~ToggleButton() = default;

    // Ignored when any of x, y, width, height is negative. Otherwise takes
    // the icons, which must outlive the button (shared icons from LoadIcon
    // do; null stays null), grows the rectangle by 4 for the button's edge
    // and turns the button off.
    void Configure(int x, int y, int width, int height, HICON iconOn, HICON iconOff);
    // Only 0 and 1 are states; anything else changes nothing.
    void SetState(int s);
    bool Contains(int px, int py) const;
    // Draws the edge and the icon: sunken when on, flat under the cursor
    // (px, py). False, nothing drawn, while an icon is missing.
    bool Draw(HDC dc, int px, int py) const;

    int x = 0;
    int y = 0;
    int width = 16;
    int height = 16;
    HICON iconOn = nullptr;
    HICON iconOff = nullptr;
    int state = 0;
    // The rectangle is logical; the icons are made for the device pixels.
    PanelScale scale;
};

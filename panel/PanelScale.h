// The display scale the panel is drawn at. Its geometry is given in logical
// units, the pixels of a 96-DPI display; drawing maps them to the device
// pixels of the panel's DPI, and input maps device pixels back, each by one
// rule, so that every logical pixel has device pixels of its own and every
// device pixel belongs to exactly one logical pixel.
#pragma once

#include <windows.h>

constexpr int kLogicalDpi = 96;

class PanelScale {
public:
    PanelScale() = default;
    // Below 96 DPI two logical pixels would share a device pixel: such a
    // display is drawn at 96.
    explicit PanelScale(int dpi);

    int Dpi() const { return dpi_; }
    // The device pixel where logical pixel v begins: v * dpi / 96 rounded
    // half up (MulDiv's rounding for v >= 0, and without its jump at 0).
    int ToDevice(int v) const;
    // The logical pixel that holds device pixel d: the last one that begins
    // at or before d.
    int ToLogical(int d) const;
    POINT ToLogical(POINT p) const { return POINT{ToLogical(p.x), ToLogical(p.y)}; }
    // The device pixels of the logical rectangle at (x, y), w x h.
    RECT ToDevice(int x, int y, int w, int h) const;
    RECT ToDevice(const RECT& r) const;

private:
    int dpi_ = kLogicalDpi;
};

// The system's DPI: that of the screen's device context.
int SystemDpi();
// The DPI the window is shown at: its monitor's where the system tells it
// (Windows 10 1607 and later), else the system's.
int WindowDpi(HWND window);
// The DPI of the monitor as this program sees it (Windows 8.1 and later),
// else the system's.
int MonitorDpi(HMONITOR monitor);

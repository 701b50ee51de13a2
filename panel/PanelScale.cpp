// Logical units to device pixels and back.
#include "panel/PanelScale.h"

#include <cstdint>

namespace {
// Division that rounds toward minus infinity, also for negative dividends.
int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
}  // namespace

PanelScale::PanelScale(int dpi) : dpi_(dpi < kLogicalDpi ? kLogicalDpi : dpi) {}

int PanelScale::ToDevice(int v) const {
    return static_cast<int>(FloorDiv(int64_t{v} * dpi_ + kLogicalDpi / 2, kLogicalDpi));
}

int PanelScale::ToLogical(int d) const {
    // The inverse of ToDevice: the largest v with ToDevice(v) <= d.
    return static_cast<int>(FloorDiv(int64_t{d} * kLogicalDpi + kLogicalDpi / 2 - 1, dpi_));
}

RECT PanelScale::ToDevice(int x, int y, int w, int h) const {
    return RECT{ToDevice(x), ToDevice(y), ToDevice(x + w), ToDevice(y + h)};
}

RECT PanelScale::ToDevice(const RECT& r) const {
    return RECT{ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom)};
}

int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int WindowDpi(HWND window) {
    // GetDpiForWindow is not there before Windows 10 1607: looked up, so that
    // the program still starts on older systems.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
    // GetDpiForMonitor answers in the caller's awareness: the monitor's own
    // DPI only to a per-monitor aware program, the system's to the others.
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const HMODULE shcore = LoadLibraryA("shcore.dll");
    static const auto getDpiForMonitor = reinterpret_cast<GetDpiForMonitorFn>(
        reinterpret_cast<void*>(shcore ? GetProcAddress(shcore, "GetDpiForMonitor") : nullptr));
    UINT x = 0, y = 0;
    if (getDpiForMonitor && monitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x != 0)
        return static_cast<int>(x);
    return SystemDpi();
}

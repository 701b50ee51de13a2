// Screenshots of dialogs that wait until every control has reached the screen.
#include "DialogScreenshot.h"

#include "TestSupport.h"
#include "base/UniqueHandle.h"

namespace velktest {
namespace {

// Whether the screen shows anything but the dialog face colour inside the
// rectangle: a window painted in this process reaches the screen only when
// the platform flushes it, some time after the paint.
bool ScreenShowsSomethingIn(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    WindowDC screen(nullptr);
    UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return false;
    ScopedSelect select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const DWORD faceBgr = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) {
        if ((pixels[i] & 0xFFFFFF) != faceBgr) return true;
    }
    return false;
}

bool ControlsReachedTheScreen(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = {};
        GetWindowRect(child, &rect);
        if (IsWindowVisible(child) && !IsRectEmpty(&rect) && !ScreenShowsSomethingIn(rect)) return false;
    }
    return true;
}
}  // namespace

bool SaveDialogScreenshot(HWND dialog, const std::string& name) {
    SetForegroundWindow(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (!WaitFor([&] { return ControlsReachedTheScreen(dialog); }, 5000)) return false;
    RECT outer = {};
    GetWindowRect(dialog, &outer);
    return SaveScreenRect(outer, name);
}

}  // namespace velktest

// Screenshots of dialogs once every control has been drawn: Wine copies a
// window's surface to the display some time after it was painted.
#pragma once

#include <windows.h>

#include <string>

#include "TestSupport.h"

namespace velktest {

// True once the screen shows more than the plain dialog face inside rect.
inline bool ScreenShowsSomethingIn(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool something = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        const DWORD faceBgr = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        for (int i = 0; i < width * height && !something; ++i) something = (pixels[i] & 0xFFFFFF) != faceBgr;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return something;
}

// A screenshot of a dialog as it looks now, once every visible control has
// reached the screen (Wine copies window surfaces to the display later).
inline bool SaveDialogPicture(HWND dialog, const std::string& name) {
    SetForegroundWindow(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool drawn = WaitFor([dialog] {
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rect = {};
            GetWindowRect(child, &rect);
            if (IsWindowVisible(child) && !IsRectEmpty(&rect) && !ScreenShowsSomethingIn(rect)) return false;
        }
        return true;
    });
    RECT outer = {};
    GetWindowRect(dialog, &outer);
    return drawn && SaveScreenRect(outer, name);
}

}  // namespace velktest

// The platform operations the hook logic uses, as a table: the library fills
// it with the Win32 functions themselves, tests with scripted ones.
#pragma once

#include <windows.h>

struct PlatformOps {
    SHORT(WINAPI* getAsyncKeyState)(int key);
    int(WINAPI* getSystemMetrics)(int index);
    BOOL(WINAPI* getCursorPos)(POINT* point);
    BOOL(WINAPI* postMessage)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND(WINAPI* getParent)(HWND window);
    BOOL(WINAPI* isWindowVisible)(HWND window);
    // Installs the library's own procedure for the hook type (WH_KEYBOARD or
    // WH_MOUSE) system-wide.
    HHOOK (*setHook)(int hookType);
    BOOL(WINAPI* unhookWindowsHookEx)(HHOOK hook);
    // Watches foreground changes on the whole desktop from the calling
    // thread, with the library's own callback.
    HWINEVENTHOOK (*watchForeground)();
    BOOL(WINAPI* unhookWinEvent)(HWINEVENTHOOK hook);
    DWORD(WINAPI* getWindowThreadProcessId)(HWND window, DWORD* processId);
    BOOL(WINAPI* allowSetForegroundWindow)(DWORD processId);
};

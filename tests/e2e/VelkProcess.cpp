// Starting and ending VELK.exe for the end-to-end tests.
#include "VelkProcess.h"

namespace velktest {

namespace {
constexpr char kTitle[] = "VELK ver. 0.01";
// Wine answers GetAsyncKeyState from a cache it trusts for 50 ms.
constexpr DWORD kInputPaceMs = 120;
}  // namespace

VelkProcess::VelkProcess() {
    CopyFileA(BuildFile("VELK.exe").c_str(), folder_.File("VELK.exe").c_str(), FALSE);
    CopyFileA(BuildFile("Wendrix.dll").c_str(), folder_.File("Wendrix.dll").c_str(), FALSE);
}

bool VelkProcess::Start() {
    return process_.Start(folder_.File("VELK.exe"), folder_.Path());
}

HWND VelkProcess::WaitForPanel(DWORD timeoutMs) {
    WaitFor(
        [&] {
            panel_ = FindProcessWindow(process_.Id(), kTitle, kTitle);
            return panel_ && IsWindowVisible(panel_);
        },
        timeoutMs);
    return panel_ && IsWindowVisible(panel_) ? panel_ : nullptr;
}

DWORD VelkProcess::Close() {
    if (panel_) PostMessageA(panel_, WM_CLOSE, 0, 0);
    return process_.Wait(20000);
}

bool BringToFront(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return WaitFor(
        [&] {
            if (GetForegroundWindow() != window) SetForegroundWindow(window);
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) &&
                   info.hwndActive == window;
        },
        10000);
}

void SendKey(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
    Sleep(kInputPaceMs);
}

}  // namespace velktest

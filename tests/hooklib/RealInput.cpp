// Real input and the peer process for the hook tests.
#include "RealInput.h"

#include <cstdio>
#include <cstdlib>

#include "TestSupport.h"

namespace velktest {

namespace {
// Waits between events, handling this thread's messages meanwhile: a window
// of the test itself must see a press before its release is sent.
void Pace() {
    WaitFor([] { return false; }, kInputPaceMs);
}
}  // namespace

bool MoveMouseTo(int x, int y) {
    auto at = [](int px, int py) {
        return [=] {
            POINT p = {};
            GetCursorPos(&p);
            return p.x == px && p.y == py;
        };
    };
    // Under Wine GetCursorPos answers from the X pointer once the position
    // is 100 ms old. SendInput moves only the server's cursor, and a
    // SetCursorPos that leaves the position as it is moves nothing: step
    // aside and back, then look again from the pointer's side.
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetCursorPos(x + 1, y);
        WaitFor(at(x + 1, y), 1000);
        SetCursorPos(x, y);
        WaitFor(at(x, y), 1000);
        Pace();
        if (at(x, y)()) return true;
    }
    return false;
}

void SendMouseButton(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
    Pace();
}

void ClickMouse(DWORD downFlag, DWORD upFlag) {
    SendMouseButton(downFlag);
    SendMouseButton(upFlag);
}

PeerProcess::~PeerProcess() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool PeerProcess::Start(const std::string& arguments) {
    const std::string exe = BuildFile("hook_peer.exe");
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_) != 0;
}

DWORD PeerProcess::Wait(DWORD timeoutMs) {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND PeerProcess::StartWindow(const RECT& rect) {
    char arguments[64] = {};
    std::snprintf(arguments, sizeof arguments, "window %ld %ld %ld %ld", rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top);
    if (!Start(arguments)) return nullptr;
    HWND window = nullptr;
    WaitFor(
        [&] {
            window = FindProcessWindow(info_.dwProcessId, "HookPeerWindow");
            return window && IsWindowVisible(window);
        },
        20000);
    return window;
}

DWORD RunPeer(const std::string& arguments) {
    PeerProcess peer;
    if (!peer.Start(arguments)) return STILL_ACTIVE;
    return peer.Wait(20000);
}

int PeerPresses(HWND peer) {
    char title[32] = {};
    GetWindowTextA(peer, title, sizeof title);
    return std::atoi(title + 8);  // after "presses "
}

}  // namespace velktest

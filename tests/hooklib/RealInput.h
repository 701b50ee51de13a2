// Real input for the hook tests (SendInput, paced like a person, as Wine's
// key-state cache needs) and the hook_peer program as a second process.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace velktest {

// Wine trusts its cached key state for 50 ms.
constexpr DWORD kInputPaceMs = 120;

// Moves the cursor, which the hooks see as a mouse move, and waits until the
// system reports it there.
bool MoveMouseTo(int x, int y);
// One mouse button event at the cursor (MOUSEEVENTF_LEFTDOWN and so on).
void SendMouseButton(DWORD flag);
// A press and a release at the cursor.
void ClickMouse(DWORD downFlag, DWORD upFlag);

// Wine's pointer can lag a move by its own echo and land a pixel off: a
// press point is right within one pixel (a release point would be far away).
inline void ExpectPressPoint(POINT expected, LPARAM lParam) {
    EXPECT_NEAR(expected.x, static_cast<short>(LOWORD(lParam)), 1);
    EXPECT_NEAR(expected.y, static_cast<short>(HIWORD(lParam)), 1);
}

// hook_peer.exe from the build tree, killed if still running at the end.
class PeerProcess {
public:
    PeerProcess() = default;
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;
    bool Start(const std::string& arguments);
    // The exit code, or STILL_ACTIVE when it has not ended in time.
    DWORD Wait(DWORD timeoutMs);
    // Starts a window at the rectangle and waits for it to be visible.
    HWND StartWindow(const RECT& rect);

private:
    PROCESS_INFORMATION info_ = {};
};

// Runs hook_peer.exe with the arguments and returns its exit code.
DWORD RunPeer(const std::string& arguments);

// The number of presses the peer window has received.
int PeerPresses(HWND peer);

}  // namespace velktest

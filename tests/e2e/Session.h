// What the end-to-end scenarios share about VELK's panel on the screen.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Support.h"
#include "resources/resource.h"

namespace velktest {

// The grid as the panel lays it out: cell i's centre, in client coordinates.
inline POINT Cell(int i) {
    return POINT{25 + 41 * (i % 6), 60 + 46 * (i / 6)};
}
// The centre of tab i of `count`: the tabs end at the right.
inline POINT Tab(int i, int count = 3) {
    return POINT{209 + 15 * (i + 3 - count), 20};
}
constexpr POINT kPin = {20, 20};
constexpr POINT kBackground = {130, 30};
// A place away from the panel.
constexpr POINT kDesktop = {900, 650};

// The strip below the grid: the status line, or the command line.
inline std::string EditorText(HWND panel) {
    return DialogText(panel, IDC_NAME_EDIT);
}
inline bool Shows(HWND panel, const std::string& status, DWORD timeoutMs = 10000) {
    return WaitFor([&] { return EditorText(panel) == status; }, timeoutMs);
}
// The cursor moved onto the point, the status line names what lies there: a tick of the panel's timer, which
// comes after the input before the move.
inline bool StatusAt(HWND panel, POINT client, const std::string& status) {
    return MoveMouseTo(OnScreen(panel, client)) && Shows(panel, status);
}

// Starts VELK with the cursor at (400, 300) and waits for its first tick's status text, which comes after the
// hooks are in place.
inline HWND StartVelk(Velk& velk) {
    if (!MoveMouseTo(POINT{400, 300})) return nullptr;
    HWND panel = velk.Start();
    return panel && WaitFor([&] { return !EditorText(panel).empty(); }) ? panel : nullptr;
}

// The buttons carry their place (see ButtonAt). The hook can see a release an event late, and the panel reads
// the cursor then: one more move stays near, not waited for, as a menu that opens holds the pointer.
inline void ClickAt(POINT screen, DWORD down = MOUSEEVENTF_LEFTDOWN) {
    ASSERT_TRUE(MoveMouseTo(screen));
    ButtonAt(down, screen);
    ButtonAt(down << 1, screen);  // each button's release is the flag after its press
    ButtonAt(0, POINT{screen.x + 1, screen.y});
}
inline void ClickOn(HWND panel, POINT client, DWORD down = MOUSEEVENTF_LEFTDOWN) {
    ClickAt(OnScreen(panel, client), down);
}

// Windows of this program on either side of the screen: presses there come through the hooks as presses in
// another program.
struct OtherWindows {
    OtherWindows() {
        for (int i = 0; i < 2; ++i)
            windows[i] = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "other", WS_POPUP | WS_VISIBLE,
                                         i ? 850 : 70, 550, 100, 100, nullptr, nullptr, nullptr, nullptr);
    }
    ~OtherWindows() {
        for (HWND window : windows) DestroyWindow(window);
    }
    // The centre of the one on the other side from the panel: under Wine it may come up where the cursor was
    // a moment before, so a fixed point could lie under it.
    POINT Away(HWND panel) const {
        RECT r = {};
        GetWindowRect(panel, &r);
        return (r.left + r.right) / 2 < 512 ? POINT{900, 600} : POINT{120, 600};
    }
    HWND windows[2] = {};
};

// Opens VELK's dialog with the title by its CTRL key. Wine now and then reports a held CTRL as up to every
// program, so a key that opened nothing is typed again.
inline HWND OpenByKey(HWND panel, DWORD velkId, WORD key, const char* title) {
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 3 && !dialog && BringToFront(panel); ++attempt) {
        Key(VK_CONTROL, true);
        TypeKeys({key});
        Key(VK_CONTROL, false);
        WaitFor([&] { return (dialog = FindProcessWindow(velkId, "#32770", title)) != nullptr; }, 3000);
    }
    return dialog;
}

// Chooses the entry with the command id in the menu VELK shows. Wine keeps a menu's entries in the process
// that made it, so another program cannot look them up: the menu is closed and its command sent, as choosing
// the entry does.
inline bool ChooseMenuEntry(HWND panel, DWORD velkId, UINT command) {
    HWND menu = WaitForWindow(velkId, "#32768");
    if (menu) TypeKeys({VK_ESCAPE});
    return menu && WaitFor([&] { return !IsWindowVisible(menu); }) &&
           PostMessageA(panel, WM_COMMAND, command, 0);
}

}  // namespace velktest

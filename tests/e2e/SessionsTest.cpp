// VELK.exe as a user meets it: started from a folder of its own, driven with
// real input through its hooks, and checked by what the screen shows, what
// it starts and, at the end, the data file byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "Bytes.h"
#include "Session.h"

namespace {

using namespace velktest;

// Start-up places the panel at the cursor within the screen; a second start
// only says that VELK runs; the end writes the data file a fresh start makes.
TEST(Velk, StartsOnceAtTheCursorAndWritesItsDataFileAtTheEnd) {
    Velk velk;
    const POINT corner = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(MoveMouseTo(POINT{corner.x - 3, corner.y - 3}));
    HWND panel = velk.Start();
    ASSERT_TRUE(panel);
    RECT placed = {};
    GetWindowRect(panel, &placed);
    EXPECT_EQ(corner.x, placed.right);
    EXPECT_EQ(corner.y, placed.bottom);
    SaveScreenshot(panel, "e2e_fresh_panel");

    Velk second;
    ASSERT_TRUE(second.Launch());
    HWND box = WaitForWindow(second.Id(), "#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(WindowText(panel), WindowText(box));
    EXPECT_EQ(WindowText(panel) + " is already running", DialogText(box, 0xFFFF));
    SaveScreenshot(box, "e2e_already_running");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, second.Wait(10000));

    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(DefaultHeader(0x18, 0, 1).Text("NewLaunchSet").Empty(18).bytes),
              Hex(ReadBytes(velk.DataFile())));
}

// The unpinned panel hides when the user turns to another program, however
// its window is activated: by a click, by the program's own hot key, or by
// the program bringing itself forward. The pinned panel stays.
TEST(Velk, AnotherProgramActivatedHidesTheUnpinnedPanel) {
    Velk velk;
    ASSERT_TRUE(WriteBytes(velk.DataFile(), DataFile().Header(0x08, 0, 1).Text("Set").Empty(18).bytes));
    OtherWindow other;
    // The other program brings its window forward when its hot key comes,
    // and counts the presses that reach it.
    static WNDPROC button;
    static int presses;
    presses = 0;
    button = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        other.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_HOTKEY) SetForegroundWindow(w);
            if (m == WM_LBUTTONDOWN) ++presses;
            return CallWindowProcA(button, w, m, wp, lp);
        })));
    constexpr int kHotKey = 1;
    ASSERT_TRUE(RegisterHotKey(other.window, kHotKey, MOD_CONTROL | MOD_SHIFT, VK_F12));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"click",
         [] {
             ClickOnDesktop(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
             ASSERT_TRUE(WaitFor([] { return presses == 1; })) << "the press missed the other window";
         }},
        {"hot key",
         [&] {
             Key(VK_CONTROL, true);
             Key(VK_SHIFT, true);
             TypeKeys({VK_F12});
             Key(VK_SHIFT, false);
             Key(VK_CONTROL, false);
         }},
        {"SetForegroundWindow", [&] { SetForegroundWindow(other.window); }},
    };
    auto show = [&] {
        if (IsWindowVisible(panel)) return true;
        MoveMouseTo(POINT{200, 600});
        Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
        return WaitFor([&] { return IsWindowVisible(panel) != FALSE; }) && BringToFront(panel);
    };
    for (const auto& [how, activate] : ways) {
        ASSERT_TRUE(show()) << how;
        activate();
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); })) << how;
    }
    ASSERT_TRUE(show());
    ClickOn(panel, kPin);
    ASSERT_TRUE(BringToFront(panel));
    ways[2].second();
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other.window; }));
    // A tick of the panel's own timer after the activation reached it.
    EXPECT_TRUE(StatusAt(panel, Cell(0), "< Set >"));
    EXPECT_TRUE(IsWindowVisible(panel));
    UnregisterHotKey(other.window, kHotKey);
    EXPECT_EQ(0u, velk.Close());
}

}  // namespace

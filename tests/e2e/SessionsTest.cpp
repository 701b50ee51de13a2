// VELK.exe started twice, and turned away from.
#include <windows.h>

#include <gtest/gtest.h>

#include "Bytes.h"
#include "Session.h"

namespace {

using namespace velktest;

// A second start only says that VELK runs; the end writes the data file a fresh start makes.
TEST(Velk, StartsOnceAndWritesItsDataFileAtTheEnd) {
    Velk velk;
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
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

// The unpinned panel hides when the user turns to another program by the keyboard: by the program's own hot
// key, or by the program bringing itself forward. The pinned panel stays.
TEST(Velk, AnotherProgramActivatedHidesTheUnpinnedPanel) {
    Velk velk;
    ASSERT_TRUE(WriteBytes(velk.DataFile(), DataFile().Header(0x08, 0, 1).Text("Set").Empty(18).bytes));
    OtherWindows others;
    HWND other = others.windows[1];
    // The other program brings its window forward when its hot key comes.
    static WNDPROC button;
    button = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        other, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_HOTKEY) SetForegroundWindow(w);
            return CallWindowProcA(button, w, m, wp, lp);
        })));
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_SHIFT, VK_F12));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel && BringToFront(panel));
    auto hides = [&] { return WaitFor([&] { return !IsWindowVisible(panel); }); };
    auto show = [&] {
        ClickAt(POINT{200, 600}, MOUSEEVENTF_MIDDLEDOWN);
        return WaitFor([&] { return IsWindowVisible(panel) != FALSE; }) && BringToFront(panel);
    };
    SetForegroundWindow(other);
    EXPECT_TRUE(hides()) << "SetForegroundWindow";
    ASSERT_TRUE(show());
    Key(VK_CONTROL, true);
    Key(VK_SHIFT, true);
    TypeKeys({VK_F12});
    Key(VK_SHIFT, false);
    Key(VK_CONTROL, false);
    EXPECT_TRUE(hides()) << "hot key";

    ASSERT_TRUE(show());
    ClickOn(panel, kPin);
    ASSERT_TRUE(BringToFront(panel));
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }));
    // A tick of the panel's own timer after the activation reached it.
    EXPECT_TRUE(StatusAt(panel, Cell(0), "< Set >"));
    EXPECT_TRUE(IsWindowVisible(panel));
    UnregisterHotKey(other, 1);
    EXPECT_EQ(0u, velk.Close());
}

}  // namespace

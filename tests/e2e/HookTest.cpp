// VELK.exe and its hook library as a user meets them: the middle button
// over another program toggles the panel, and once the pin is pulled a click
// in another program hides it.
#include <gtest/gtest.h>

#include "RealInput.h"
#include "VelkProcess.h"

namespace {

using namespace velktest;

constexpr RECT kPeerRect = {650, 450, 950, 650};
constexpr POINT kStartCursor = {300, 250};
constexpr DWORD kSettleMs = 500;

bool Visible(HWND panel) {
    return IsWindowVisible(panel) != 0;
}

POINT TopLeft(HWND panel) {
    RECT r = {};
    GetWindowRect(panel, &r);
    return POINT{r.left, r.top};
}

POINT CentredOn(HWND panel, POINT cursor) {
    RECT r = {};
    GetWindowRect(panel, &r);
    return POINT{cursor.x - (r.right - r.left) / 2, cursor.y - (r.bottom - r.top) / 2};
}

void ClickAt(POINT p, DWORD down, DWORD up) {
    ASSERT_TRUE(MoveMouseTo(p.x, p.y));
    ClickMouse(down, up);
}

void MiddleClickAt(POINT p) {
    ClickAt(p, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
}

class HookEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        peer = peerProcess.StartWindow(kPeerRect);
        ASSERT_TRUE(peer);
        ASSERT_TRUE(MoveMouseTo(kStartCursor.x, kStartCursor.y));
        ASSERT_TRUE(velk.Start());
        panel = velk.WaitForPanel();
        ASSERT_TRUE(panel);
    }
    void TearDown() override { EXPECT_EQ(0u, velk.Close()); }

    PeerProcess peerProcess;
    HWND peer = nullptr;
    VelkProcess velk;
    HWND panel = nullptr;
};

TEST_F(HookEndToEnd, MiddleClickAnywhereTogglesThePanelAtTheCursor) {
    // Over another program: the visible panel hides.
    MiddleClickAt(POINT{800, 550});
    ASSERT_TRUE(WaitFor([&] { return !Visible(panel); }));

    // Elsewhere over it: it shows, centred on the cursor.
    const POINT cursor = {700, 500};
    MiddleClickAt(cursor);
    ASSERT_TRUE(WaitFor([&] { return Visible(panel); }));
    // Within a pixel: Wine's pointer can lag a move by its own echo.
    const POINT expected = CentredOn(panel, cursor);
    EXPECT_NEAR(expected.x, TopLeft(panel).x, 1);
    EXPECT_NEAR(expected.y, TopLeft(panel).y, 1);
    EXPECT_TRUE(SaveScreenshot(panel, "hook-trigger-shown"));

    // Once more, beside the panel: hidden again.
    MiddleClickAt(POINT{920, 630});
    EXPECT_TRUE(WaitFor([&] { return !Visible(panel); }));
}

TEST_F(HookEndToEnd, WithThePinPulledAClickInAnotherProgramHidesThePanel) {
    // The library's state is shared by every process that loads this copy
    // of it: switching hide detection on here is what pulling the pin does.
    HMODULE library = LoadLibraryA(velk.Folder().File("Wendrix.dll").c_str());
    ASSERT_TRUE(library);
    auto pauseHideHook = reinterpret_cast<int32_t (*)(int32_t)>(
        reinterpret_cast<void*>(GetProcAddress(library, "PauseHideHook")));
    auto getHookSwitch =
        reinterpret_cast<uint8_t (*)()>(reinterpret_cast<void*>(GetProcAddress(library, "GetHookSwitch")));
    ASSERT_TRUE(pauseHideHook && getHookSwitch);
    // VELK shows the panel before it installs the hooks; pinned, it then
    // turns hide detection off.
    ASSERT_TRUE(WaitFor([&] { return pauseHideHook(2) == 0; }));
    EXPECT_EQ(0x10, getHookSwitch());
    EXPECT_EQ(1, pauseHideHook(1));

    // A click on the panel itself keeps it.
    POINT onPanel = {150, 100};
    ClientToScreen(panel, &onPanel);
    ClickAt(onPanel, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    WaitFor([] { return false; }, kSettleMs);
    EXPECT_TRUE(Visible(panel));

    ClickAt(POINT{800, 550}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return !Visible(panel); }));

    // The trigger still shows it, and its own press does not hide it; a
    // secondary click in the other program does.
    MiddleClickAt(POINT{700, 500});
    ASSERT_TRUE(WaitFor([&] { return Visible(panel); }));
    WaitFor([] { return false; }, kSettleMs);
    EXPECT_TRUE(Visible(panel));
    ClickAt(POINT{920, 630}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(WaitFor([&] { return !Visible(panel); }));
    FreeLibrary(library);
}

}  // namespace

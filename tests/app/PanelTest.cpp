// The panel's wheel, its hiding when another window comes to the front, and
// the name editor as a command line with its history.
#include "HostedApp.h"

using namespace velktest;

using Panel = HostedApp;

TEST_F(Panel, TheWheelTurnsTheSetsRoundBothWays) {
    MakeSets({"", "", ""});
    const POINT at = OnScreen(app->panel, Cell(7));
    const short deltas[] = {-120, -120, 120, 240, 120};
    const int shown[] = {2, 1, 2, 0, 1};
    for (int i = 0; i < 5; ++i) {
        SendMessageA(app->panel, WM_MOUSEWHEEL, MAKEWPARAM(0, deltas[i]), MAKELPARAM(at.x, at.y));
        EXPECT_EQ(shown[i], app->currentSet) << i;
    }
}

// Windows reports every foreground change to the panel's thread; the test
// reports them as Windows would. Another window hides the unpinned panel,
// the panel's own dialog does not.
TEST_F(Panel, AnotherWindowInTheForegroundHidesTheUnpinnedPanel) {
    CursorAt({20, 20});
    Command(IDM_PRIMARY_CLICK);
    ASSERT_EQ(1, PauseHideHook(2));
    auto hidden = [&] { return !IsWindowVisible(app->panel); };
    auto toForeground = [&](HWND owner) {
        HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
        NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, w, OBJID_WINDOW, CHILDID_SELF);
        const bool hides = WaitFor(hidden, 300);
        DestroyWindow(w);
        return hides;
    };
    EXPECT_FALSE(toForeground(app->panel));
    EXPECT_TRUE(toForeground(nullptr));
}

// A text left without Enter: the status line takes the strip, but never
// while the user types, and editing again brings the text back.
TEST_F(Panel, TheNameEditorKeepsATextLeftWithoutEnter) {
    CursorAt({100, 36});
    Command(IDM_ENTER);
    SetWindowTextA(app->nameEdit, "left over");
    Tick();
    EXPECT_EQ("left over", WindowText(app->nameEdit));
    Command(IDM_PRIMARY_CLICK);
    Tick();
    EXPECT_EQ("< NewLaunchSet >", WindowText(app->nameEdit));
    Command(IDM_ENTER);
    EXPECT_EQ("left over", WindowText(app->nameEdit));
}

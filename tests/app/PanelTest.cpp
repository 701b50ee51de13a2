#include "HostedApp.h"

using namespace velktest;

using Panel = HostedApp;

TEST_F(Panel, TheWheelTurnsTheSetsRoundBothWays) {
    MakeSets({"", "", ""});
    const POINT at = OnScreen(app->panel, Cell(7));
    const std::pair<short, int> turns[] = {{-120, 2}, {-120, 1}, {120, 2}, {240, 0}, {120, 1}};
    for (const auto& [delta, shown] : turns) {
        SendMessageA(app->panel, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y));
        EXPECT_EQ(shown, app->currentSet) << "after " << delta;
    }
}

// Windows reports every foreground change to the panel's thread; the test reports one as Windows would.
TEST_F(Panel, AnotherWindowInTheForegroundHidesTheUnpinnedPanel) {
    CursorAt({20, 20});
    Command(IDM_PRIMARY_CLICK);
    ASSERT_EQ(1, PauseHideHook(2));  // the pin pulled, hiding is on
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, other, OBJID_WINDOW, CHILDID_SELF);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(app->panel); }, 2000));
    DestroyWindow(other);
}

// A text left without Enter gives way to the status line, never while typed, and editing brings it back.
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

TEST_F(Panel, StaysOnTheScreenAtEveryEdgeAndCorner) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = 800, mode.dmPelsHeight = 600, mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    // clang-format off
    struct Restore { ~Restore() { ChangeDisplaySettingsA(nullptr, 0); } } restore;  // however the test ends
    ASSERT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, 0));
    // x, y: -1 flush low, 1 flush high, 0 centred; the cursor stays a pixel in, for MoveMouseTo's step aside.
    const struct { POINT cursor; int x, y; } rows[] = {
        {{0, 0}, -1, -1},   {{400, 0}, 0, -1}, {{798, 0}, 1, -1}, {{798, 300}, 1, 0}, {{798, 598}, 1, 1},
        {{400, 598}, 0, 1}, {{0, 598}, -1, 1}, {{0, 300}, -1, 0}, {{12, 590}, -1, 1}, {{400, 300}, 0, 0},
    };
    // clang-format on
    auto low = [](int placed, LONG size, LONG cursor, LONG screen) {
        return placed < 0 ? 0 : placed > 0 ? screen - size : cursor - size / 2;
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.cursor.x) + "," + std::to_string(row.cursor.y));
        ASSERT_TRUE(MoveMouseTo(row.cursor));
        Command(IDM_TRIGGER);
        ASSERT_FALSE(IsWindowVisible(app->panel));
        Command(IDM_TRIGGER);
        RECT r = {};
        GetWindowRect(app->panel, &r);
        EXPECT_NEAR(low(row.x, r.right - r.left, row.cursor.x, 800), r.left, 1);
        EXPECT_NEAR(low(row.y, r.bottom - r.top, row.cursor.y, 600), r.top, 1);
    }
}

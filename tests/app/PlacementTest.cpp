// Where the trigger shows the panel: centred on the cursor, and pushed back
// inside the screen at every edge and corner, on a screen of another size
// than the one the other tests use.
#include "HostedApp.h"

using namespace velktest;

using Placement = HostedApp;

namespace {
// The virtual desktop at another size while it lives.
struct ScreenSize {
    ScreenSize(DWORD width, DWORD height) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        changed = ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
    }
    ~ScreenSize() { ChangeDisplaySettingsA(nullptr, 0); }
    bool changed;
};
}  // namespace

TEST_F(Placement, ThePanelStaysOnTheScreenAtEveryEdgeAndCorner) {
    ScreenSize screen(800, 600);
    ASSERT_TRUE(screen.changed);
    // -1: flush with the low edge, 1: with the high edge, 0: centred on the
    // cursor. The cursor stays a pixel from the right and bottom edges, where
    // it can still be moved aside and back.
    const struct {
        POINT cursor;
        int x, y;
    } rows[] = {
        {{0, 0}, -1, -1},   {{400, 0}, 0, -1}, {{798, 0}, 1, -1}, {{798, 300}, 1, 0}, {{798, 598}, 1, 1},
        {{400, 598}, 0, 1}, {{0, 598}, -1, 1}, {{0, 300}, -1, 0}, {{12, 590}, -1, 1}, {{400, 300}, 0, 0},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(MoveMouseTo(row.cursor));
        Command(IDM_TRIGGER);
        ASSERT_FALSE(IsWindowVisible(app->panel));
        Command(IDM_TRIGGER);
        RECT r = {};
        GetWindowRect(app->panel, &r);
        const std::string at = std::to_string(row.cursor.x) + "," + std::to_string(row.cursor.y);
        auto check = [&](int placed, LONG low, LONG high, LONG cursor, LONG screenEnd) {
            if (placed < 0) EXPECT_EQ(0, low) << at;
            if (placed > 0) EXPECT_EQ(screenEnd, high) << at;
            if (placed == 0) EXPECT_LE(labs((low + high) / 2 - cursor), 1) << at;
        };
        check(row.x, r.left, r.right, row.cursor.x, 800);
        check(row.y, r.top, r.bottom, row.cursor.y, 600);
    }
}

// The panel's wheel, and the name editor as a command line.
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

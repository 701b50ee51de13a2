// The panel under the cursor: the timer's repaint while the cursor rests,
// the wheel turning the sets, the pin, and the name editor as a command line
// with its history.
#include "HostedApp.h"
#include "wallpaper/WallpaperRenderer.h"

namespace velktest {
namespace {

using Panel = HostedApp;

// The panel's picture as the window receives it, 0xRRGGBB.
COLORREF Pixel(App* app, int x, int y) {
    const COLORREF bgr = GetPixel(app->wallpaper->dc.get(), x, y);
    return RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr));
}

void TickAt(App* app, POINT client) {
    ASSERT_TRUE(MoveMouseTo(OnScreen(app->panel, client)));
    SendMessageA(app->panel, WM_TIMER, kRepaintTimer, 0);
}

// Leaving a magnified icon for the gap beside it puts the icon back at its
// size over part of the gap; the insertion bar there must stay whole.
TEST_F(Panel, TheBarBesideAMagnifiedIconStaysWhileTheCursorRests) {
    MakeSets({"A"});
    TickAt(app, Cell(0));
    TickAt(app, Gap(1));
    for (int tick = 0; tick < 3; ++tick) {
        SendMessageA(app->panel, WM_TIMER, kRepaintTimer, 0);
        // The bar is x 44 to 47 from y 37, white inside.
        for (int y : {40, 50, 60, 70, 80})
            for (int x : {45, 46}) EXPECT_EQ(0xFFFFFFu, Pixel(app, x, y)) << tick << ": " << x << ", " << y;
    }
}

TEST_F(Panel, TheWheelTurnsTheSetsRoundBothWays) {
    MakeSets({"", "", ""});
    const POINT at = OnScreen(app->panel, Cell(7));
    const struct {
        short delta;
        uint16_t shown;
    } turns[] = {{-120, 2}, {-120, 1}, {120, 2}, {240, 0}, {120, 1}};
    for (const auto& turn : turns) {
        SendMessageA(app->panel, WM_MOUSEWHEEL, MAKEWPARAM(0, turn.delta), MAKELPARAM(at.x, at.y));
        EXPECT_EQ(turn.shown, app->currentSet) << turn.delta;
    }
}

// Pinned, the panel stays; the pin pulled out, the hook library watches for
// clicks elsewhere to hide it.
TEST_F(Panel, ThePinSwitchesHideDetection) {
    CursorAt({20, 20});
    for (int32_t detecting : {1, 0}) {
        Command(IDM_PRIMARY_CLICK);
        EXPECT_EQ(detecting, PauseHideHook(2));
    }
}

TEST_F(Panel, TheNameEditorStartsTypedCommandsAndKeepsThemInItsHistory) {
    auto typeAndEnter = [&](const char* text) {
        Command(IDM_ENTER);
        SetWindowTextA(app->nameEdit, text);
        Command(IDM_ENTER);
    };
    // Texts that name no file: the shell starts nothing.
    typeAndEnter("velk-test-older");
    typeAndEnter("velk-test-newest");
    EXPECT_EQ("", Edited());

    // A text left without Enter: the status line takes the strip, but never
    // while the user types, and editing again brings the text back.
    CursorAt({100, 36});
    Command(IDM_ENTER);
    SetWindowTextA(app->nameEdit, "left over");
    SendMessageA(app->panel, WM_TIMER, kRepaintTimer, 0);
    EXPECT_EQ("left over", Edited());
    Command(IDM_PRIMARY_CLICK);
    SendMessageA(app->panel, WM_TIMER, kRepaintTimer, 0);
    EXPECT_EQ("< NewLaunchSet >", Edited());
    Command(IDM_ENTER);
    EXPECT_EQ("left over", Edited());

    const struct {
        WPARAM key;
        const char* shown;
    } walk[] = {{VK_UP, "velk-test-newest"},
                {VK_UP, "velk-test-older"},
                {VK_UP, "velk-test-older"},
                {VK_DOWN, "velk-test-newest"},
                {VK_DOWN, "velk-test-newest"}};
    for (const auto& step : walk) {
        SendMessageA(app->nameEdit, WM_KEYDOWN, step.key, 1);
        EXPECT_EQ(step.shown, Edited()) << step.key;
    }
}

}  // namespace
}  // namespace velktest

// The panel's own hold on the mouse: a drag is the panel's until its button
// comes up, wherever the cursor is then, and a drag that loses the mouse to
// another window ends without a drop.
#include "HostedApp.h"

using namespace velktest;

namespace {

class Capture : public HostedApp {
protected:
    void SetUp() override {
        HostedApp::SetUp();
        // Room on every side, so that the cursor can leave the panel.
        SetWindowPos(app->panel, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        MakeSets({"A - B"});
    }
    void TearDown() override {
        Button(MOUSEEVENTF_LEFTUP);
        HostedApp::TearDown();
    }
    // Presses cell 2 and drags to the client point in steps.
    void DragTo(POINT to) {
        CursorAt(Cell(2));
        Button(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 3; ++step)
            CursorAt(
                POINT{Cell(2).x + (to.x - Cell(2).x) * step / 3, Cell(2).y + (to.y - Cell(2).y) * step / 3});
    }
};

}  // namespace

// Released outside the panel, the item goes into the shown set's first
// empty cell; outside, the panel still shows the drag's cursor.
TEST_F(Capture, ADragReleasedOutsideThePanelIsThePanels) {
    DragTo(POINT{-120, Cell(2).y});
    EXPECT_EQ(app->panel, GetCapture());
    ASSERT_TRUE(WaitFor([] { return IsDragging() == 1; }));
    const HCURSOR intoSet = LoadCursorA(app->instance, MAKEINTRESOURCEA(IDC_DRAG_INTO_SET));
    EXPECT_TRUE(WaitFor([&] { return GetCursor() == intoSet; }));
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return State() == "Set0[A B] @0"; })) << State();
    EXPECT_EQ(nullptr, GetCapture());
}

// Another window takes the mouse in the middle of a drag (a pop-up, a
// program that captures it): the drag ends there, and its release drops
// nothing.
TEST_F(Capture, ADragThatLosesTheMouseDropsNothing) {
    DragTo(Cell(4));
    ASSERT_TRUE(WaitFor([] { return IsDragging() == 1; }));
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);
    EXPECT_EQ(0, IsDragging());
    ReleaseCapture();
    DestroyWindow(other);
    Button(MOUSEEVENTF_LEFTUP);
    CursorAt(Cell(5));
    EXPECT_EQ("Set0[A - B] @0", State());
}

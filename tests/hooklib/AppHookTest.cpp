// The App hosted in the test process with the real hook library: what
// start-up hands the library, the trigger and hide commands, the
// notification icon's release, presses on the panel becoming gestures, the
// hide signal once the pin is pulled, and the hooks' release on destroy.
#include <gtest/gtest.h>

#include <vector>

#include "HostedApp.h"
#include "RealInput.h"
#include "hooklib/Wendrix.h"
#include "resources/resource.h"

namespace {

using namespace velktest;

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Command> posted;
HWND watchedPanel = nullptr;

// Commands posted to the panel, as its loop retrieves them.
LRESULT CALLBACK RecordPosted(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->hwnd == watchedPanel &&
        message->message == WM_COMMAND)
        posted.push_back(Command{message->wParam, message->lParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr RECT kPeerRect = {600, 450, 900, 650};

class HostedAppHooks : public HostedAppTest {
protected:
    void SetUp() override {
        recorder = SetWindowsHookExA(WH_GETMESSAGE, RecordPosted, nullptr, GetCurrentThreadId());
        ASSERT_TRUE(MoveMouseTo(300, 250));
        StartApp();
        watchedPanel = app->panel;
        posted.clear();
    }
    void TearDown() override {
        UnhookWindowsHookEx(recorder);
        StopApp();
    }
    bool Visible() const { return IsWindowVisible(app->panel) != 0; }
    POINT TopLeft() const {
        RECT r = {};
        GetWindowRect(app->panel, &r);
        return POINT{r.left, r.top};
    }
    // Where PositionAtCursor puts the panel for a cursor well inside the screen.
    POINT CentredOn(POINT cursor) const {
        RECT r = {};
        GetWindowRect(app->panel, &r);
        return POINT{cursor.x - (r.right - r.left) / 2, cursor.y - (r.bottom - r.top) / 2};
    }
    POINT PanelPoint(int x, int y) const {
        POINT p = {x, y};
        ClientToScreen(app->panel, &p);
        return p;
    }
    static const ::Command* Find(WPARAM id) {
        for (const ::Command& c : posted)
            if (c.wParam == id) return &c;
        return nullptr;
    }
    void ClickAt(POINT p, DWORD down, DWORD up) {
        ASSERT_TRUE(MoveMouseTo(p.x, p.y));
        ClickMouse(down, up);
    }
    static void Settle() {
        WaitFor([] { return false; }, 500);
    }

    HHOOK recorder = nullptr;
};

TEST_F(HostedAppHooks, StartUpHandsTheDefaultTriggerAndThePinToTheLibrary) {
    const int expected =
        GetSystemMetrics(SM_CMOUSEBUTTONS) < 3 ? (kHookKeyCtrl | kHookKeyAlt) : kHookKeyMiddle;
    EXPECT_EQ(expected, GetHookSwitch());
    // Pinned without a data file: hide detection is off.
    EXPECT_EQ(0, PauseHideHook(2));
}

TEST_F(HostedAppHooks, TriggerHidesTheVisiblePanelAndShowsTheHiddenOneAtTheCursor) {
    ASSERT_TRUE(Visible());
    Command(IDM_TRIGGER);
    EXPECT_FALSE(Visible());
    const POINT cursor = {420, 330};
    ASSERT_TRUE(MoveMouseTo(cursor.x, cursor.y));
    Command(IDM_TRIGGER);
    EXPECT_TRUE(Visible());
    const POINT expected = CentredOn(cursor);
    EXPECT_EQ(expected.x, TopLeft().x);
    EXPECT_EQ(expected.y, TopLeft().y);
    EXPECT_FALSE(IsIconic(app->panel));
}

TEST_F(HostedAppHooks, NoHideWhileAnyModelessDialogIsOpen) {
    for (int open = 0; open < 4; ++open) {
        OpenDialogs(open == 0, open == 1, open == 2, open == 3);
        Command(IDM_HIDE);
        EXPECT_TRUE(Visible());
        Command(IDM_TRIGGER);
        EXPECT_TRUE(Visible());
    }
    OpenDialogs(false, false, false, false);
    Command(IDM_HIDE);
    EXPECT_FALSE(Visible());
    Command(IDM_HIDE);
    EXPECT_FALSE(Visible());
}

TEST_F(HostedAppHooks, NotificationIconPrimaryReleaseShowsThePanelAtTheCursor) {
    struct Case {
        bool startVisible;
        UINT mouseMessage;
        POINT cursor;
        bool moves;
    };
    const Case cases[] = {
        {true, WM_LBUTTONUP, {500, 400}, true},      {false, WM_LBUTTONUP, {350, 280}, true},
        {false, WM_LBUTTONDOWN, {500, 400}, false},  {false, WM_MOUSEMOVE, {500, 400}, false},
        {true, WM_LBUTTONDBLCLK, {350, 280}, false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(MoveMouseTo(300, 250));
        app->PositionAtCursor();
        ShowWindow(app->panel, c.startVisible ? SW_SHOW : SW_HIDE);
        const POINT before = TopLeft();
        ASSERT_TRUE(MoveMouseTo(c.cursor.x, c.cursor.y));
        EXPECT_EQ(0, SendMessageA(app->panel, kTrayCallbackMessage, 1, c.mouseMessage));
        const POINT expected = c.moves ? CentredOn(c.cursor) : before;
        EXPECT_EQ(c.moves || c.startVisible, Visible()) << c.mouseMessage;
        EXPECT_EQ(expected.x, TopLeft().x) << c.mouseMessage;
        EXPECT_EQ(expected.y, TopLeft().y) << c.mouseMessage;
    }
}

TEST_F(HostedAppHooks, PressesOnThePanelBecomeGesturesWithTheirPressPoint) {
    app->currentSet = 2;
    const POINT click = PanelPoint(150, 100);
    ClickAt(click, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([] { return Find(IDM_PRIMARY_CLICK) != nullptr; }));
    ExpectPressPoint(click, Find(IDM_PRIMARY_CLICK)->lParam);
    EXPECT_EQ(2, app->pressSet);

    app->currentSet = 1;
    const POINT context = PanelPoint(40, 150);
    // The secondary click opens the context menu, whose own loop runs until
    // it closes: this timer closes it from inside that loop.
    const UINT_PTR closer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    ClickAt(context, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([] { return Find(IDM_SECONDARY_CLICK) != nullptr; }));
    KillTimer(nullptr, closer);
    ExpectPressPoint(context, Find(IDM_SECONDARY_CLICK)->lParam);
    EXPECT_EQ(1, app->pressSet);
    EXPECT_TRUE(Visible());
}

TEST_F(HostedAppHooks, WithThePinPulledAClickInAnotherProgramHidesThePanel) {
    PeerProcess peerProcess;
    HWND peer = peerProcess.StartWindow(kPeerRect);
    ASSERT_TRUE(peer);
    // What pulling the pin does.
    ASSERT_EQ(1, PauseHideHook(kHideOn));
    HWND ownDialog = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "", WS_POPUP | WS_VISIBLE, 100, 500, 200, 100,
                                     app->panel, nullptr, nullptr, nullptr);
    ASSERT_TRUE(ownDialog);

    ClickAt(PanelPoint(200, 60), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ClickAt(POINT{200, 550}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Settle();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(nullptr, Find(IDM_HIDE));

    // With a modeless dialog open the signal comes but the panel stays.
    OpenDialogs(false, false, true, false);
    ClickAt(POINT{700, 550}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([] { return Find(IDM_HIDE) != nullptr; }));
    Settle();
    EXPECT_TRUE(Visible());
    OpenDialogs(false, false, false, false);

    ClickAt(POINT{750, 600}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(WaitFor([&] { return !Visible(); }));
    DestroyWindow(ownDialog);
}

TEST_F(HostedAppHooks, DestroyingThePanelReleasesTheHooks) {
    ASSERT_EQ(0, PauseHideHook(2));
    DestroyWindow(app->panel);
    // Releasing the hooks turns detection back to its resting state.
    EXPECT_EQ(1, PauseHideHook(2));
    EXPECT_EQ(0, app->running);
}

}  // namespace

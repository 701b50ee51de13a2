// The panel's answers to input, hosted: the primary click on tabs, cells and
// buttons, the wheel, ESC, the press record, and the timer tick.
#include <gtest/gtest.h>

#include <vector>

#include "HostedPanel.h"
#include "hooklib/Wendrix.h"
#include "panel/EdgeStyle.h"
#include "panel/PinButton.h"
#include "resources/resource.h"

namespace {

using velktest::HostedPanel;

// Commands sent to the panel while a test runs.
std::vector<UINT> sent;
LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_COMMAND && call->lParam == 0)
        sent.push_back(LOWORD(call->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class PanelInput : public HostedPanel {
protected:
    void SetUp() override {
        HostedPanel::SetUp();
        sent.clear();
        recorder = SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(recorder);
        HostedPanel::TearDown();
    }
    void CursorAt(int x, int y) {
        POINT p = {x, y};
        ClientToScreen(app->panel, &p);
        ASSERT_TRUE(velktest::MoveCursorTo(p.x, p.y));
    }
    void ClickAt(int x, int y) {
        CursorAt(x, y);
        SendMessageA(app->panel, WM_COMMAND, IDM_PRIMARY_CLICK, 0);
    }
    void Wheel(int delta) {
        POINT p = {100, 100};
        ClientToScreen(app->panel, &p);
        SendMessageA(app->panel, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
    }
    bool Sent(UINT id) const {
        for (UINT s : sent)
            if (s == id) return true;
        return false;
    }

    HHOOK recorder = nullptr;
};

TEST_F(PanelInput, ClickOnATabShowsThatSetAndAboveItsInteriorToo) {
    AddSets(3);
    struct Case {
        POINT at;
        int shown;
    };
    // (210, 5) lies in the strip's band above tab 0: the click still selects it.
    for (const Case& c : {Case{{238, 20}, 2}, Case{{224, 20}, 1}, Case{{210, 5}, 0}, Case{{216, 20}, 0},
                          Case{{100, 36}, 0}}) {
        ClickAt(c.at.x, c.at.y);
        EXPECT_EQ(c.shown, app->currentSet) << c.at.x << "," << c.at.y;
    }
}

TEST_F(PanelInput, ClickOnThePinTogglesItAndHideDetection) {
    ASSERT_EQ(1, app->pinButton->state);
    ClickAt(20, 20);
    EXPECT_EQ(0, app->pinButton->state);
    EXPECT_EQ(1, PauseHideHook(2));
    ClickAt(29, 29);
    EXPECT_EQ(1, app->pinButton->state);
    EXPECT_EQ(0, PauseHideHook(2));
    ClickAt(30, 20);
    EXPECT_EQ(1, app->pinButton->state);
}

TEST_F(PanelInput, ClickOnTheNewSetButtonAsksForCommand40013) {
    ClickAt(40, 20);
    EXPECT_TRUE(Sent(IDM_NEW_SET));
}

TEST_F(PanelInput, ClickOnAnEmptyCellOrTheBackgroundDoesNothing) {
    app->pinButton->SetState(0);
    for (POINT p : {POINT{100, 100}, POINT{8, 44}, POINT{100, 180}}) {
        ClickAt(p.x, p.y);
        EXPECT_TRUE(IsWindowVisible(app->panel));
    }
    EXPECT_EQ((std::vector<UINT>{IDM_PRIMARY_CLICK, IDM_PRIMARY_CLICK, IDM_PRIMARY_CLICK}), sent);
}

TEST_F(PanelInput, ClickEndsEditing) {
    SendMessageA(app->nameEdit, EM_SETREADONLY, FALSE, 0);
    SetFocus(app->nameEdit);
    ClickAt(100, 100);
    EXPECT_TRUE(GetWindowLongA(app->nameEdit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(app->panel, GetFocus());
}

TEST_F(PanelInput, WheelTurnsTheSetsOneNotchAtATimeBothWays) {
    struct Case {
        int sets, from, delta, to;
    };
    const Case cases[] = {
        {3, 0, -120, 2}, {3, 2, 120, 0}, {3, 1, 120, 2}, {3, 1, -120, 0}, {3, 0, 720, 1},
        {3, 2, -1, 1},   {3, 1, 0, 1},   {1, 0, 120, 0}, {1, 0, -120, 0},
    };
    for (const Case& c : cases) {
        if (app->launchSets->count != c.sets) {
            TearDown();
            SetUp();
            AddSets(c.sets);
        }
        app->currentSet = static_cast<uint16_t>(c.from);
        Wheel(c.delta);
        EXPECT_EQ(c.to, app->currentSet) << c.sets << " sets from " << c.from << " by " << c.delta;
    }
}

TEST_F(PanelInput, EscapeOnThePanelAsksFor40006WhichHidesIt) {
    SendMessageA(app->panel, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(app->panel, WM_KEYDOWN, VK_RETURN, 0);
    // The editor does not have the focus, so 40006 is the trigger's 41001.
    EXPECT_EQ((std::vector<UINT>{IDM_ESCAPE, IDM_TRIGGER}), sent);
    EXPECT_FALSE(IsWindowVisible(app->panel));
}

TEST_F(PanelInput, PressRecordsTheHitCodeAndTheSet) {
    AddSets(2);
    app->currentSet = 1;
    CursorAt(240, 20);
    SendMessageA(app->panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240, 20));
    EXPECT_EQ(0x0101, app->pressHit);
    EXPECT_EQ(1, app->pressSet);
    CursorAt(20, 20);
    SendMessageA(app->panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(0x0300, app->pressHit);
    DDEntry(0);
}

TEST_F(PanelInput, TickRedrawsOnlyWhenSomethingChanged) {
    AddSets(3);
    CursorAt(216, 20);
    SendMessageA(app->panel, WM_TIMER, 1, 0);
    EXPECT_EQ(kWhite, Pixel(216, 10));
    // A pixel the tick would draw again; a tick with nothing new leaves it.
    SetPixel(app->wallpaper->dc.get(), 216, 10, RGB(1, 2, 3));
    SendMessageA(app->panel, WM_TIMER, 1, 0);
    EXPECT_EQ(RGB(3, 2, 1), Pixel(216, 10));
    // The pin's new state is new: the tick draws again.
    app->pinButton->SetState(0);
    SendMessageA(app->panel, WM_TIMER, 1, 0);
    EXPECT_EQ(kWhite, Pixel(216, 10));
}

}  // namespace

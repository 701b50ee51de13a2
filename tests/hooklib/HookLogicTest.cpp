// The hook library's rules over a scripted desktop, event by event: the
// trigger per key mask, the gestures per kind, the hide rule, the hook
// bookkeeping and what each event costs in platform calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ScriptedDesktop.h"
#include "hooklib/HookLogic.h"
#include "resources/resource.h"

namespace {

using velktest::FakeWindow;
using velktest::PostedMessage;
using velktest::ScriptedDesktop;

class HookLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.SetParent(child, panel);
        desktop.SetParent(dialog, panel);  // an owned pop-up: GetParent yields the owner
        desktop.SetParent(dialogButton, dialog);
        desktop.visible = {panel, other};
    }

    // What VELK registers at start-up.
    void Register() {
        ASSERT_EQ(1, logic.InitHook(panel, WM_COMMAND, IDM_TRIGGER, 0));
        const PostTarget targets[4] = {{panel, WM_COMMAND, IDM_SECONDARY_CLICK, 0},
                                       {panel, WM_COMMAND, IDM_SECONDARY_DRAG, 0},
                                       {panel, WM_COMMAND, IDM_PRIMARY_CLICK, 0},
                                       {panel, WM_COMMAND, IDM_PRIMARY_DRAG, 0}};
        ASSERT_EQ(1, logic.InitHookDD(panel, targets));
        logic.HideHook(panel, PostTarget{panel, WM_COMMAND, IDM_HIDE, 0});
    }

    void Mouse(WPARAM message = WM_MOUSEMOVE, HWND over = nullptr) {
        MOUSEHOOKSTRUCT mouse = {};
        mouse.pt = desktop.cursor;
        mouse.hwnd = over ? over : other;
        logic.MouseEvent(HC_ACTION, message, &mouse);
    }
    void Key() { logic.KeyboardEvent(HC_ACTION); }
    void Activate(HWND window, WORD how = WA_ACTIVE, WPARAM sentByThisThread = 0) {
        CWPSTRUCT call = {};
        call.hwnd = window;
        call.message = WM_ACTIVATE;
        call.wParam = MAKEWPARAM(how, 0);
        logic.CallWndProcEvent(HC_ACTION, sentByThisThread, &call);
    }
    void MoveTo(LONG x, LONG y) {
        desktop.cursor = {x, y};
        Mouse();
    }
    // A button press on the panel as VELK sees it: the hook's event first,
    // then the panel's DDEntry. `physical` is the button pressed.
    void PressOnPanel(int physical, int kind, POINT at) {
        desktop.cursor = at;
        desktop.SetKey(physical, true);
        Mouse(physical == VK_LBUTTON ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, panel);
        logic.DDEntry(kind);
    }
    void Release(int physical, HWND over = nullptr) {
        desktop.SetKey(physical, false);
        Mouse(physical == VK_LBUTTON ? WM_LBUTTONUP : WM_RBUTTONUP, over);
    }
    std::vector<WPARAM> PostedIds() const {
        std::vector<WPARAM> ids;
        for (const PostedMessage& post : desktop.posts) ids.push_back(post.wParam);
        return ids;
    }
    static LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

    const HWND panel = FakeWindow(1);
    const HWND other = FakeWindow(2);
    const HWND dialog = FakeWindow(3);
    const HWND child = FakeWindow(4);
    const HWND dialogButton = FakeWindow(5);
    SharedHookState state = kInitialHookState;
    ScriptedDesktop desktop;
    HookLogic logic{state, desktop.Ops()};
};

// ---- Trigger rule, per key mask ------------------------------------------

struct TriggerStep {
    const char* down;  // C ctrl, A alt, S shift, M middle button
    int posts;         // trigger postings expected at this event
};
struct TriggerCase {
    const char* name;
    uint8_t key;
    std::vector<TriggerStep> steps;
};

class TriggerRule : public HookLogicTest, public ::testing::WithParamInterface<TriggerCase> {};

TEST_P(TriggerRule, PostsExactlyAtTheExpectedEvents) {
    const TriggerCase& c = GetParam();
    Register();
    logic.SetHookKey(c.key);
    int eventNo = 0;
    for (const TriggerStep& step : c.steps) {
        const std::string down = step.down;
        desktop.SetKey(VK_CONTROL, down.find('C') != std::string::npos);
        desktop.SetKey(VK_MENU, down.find('A') != std::string::npos);
        desktop.SetKey(VK_SHIFT, down.find('S') != std::string::npos);
        desktop.SetKey(VK_MBUTTON, down.find('M') != std::string::npos);
        desktop.posts.clear();
        // Keyboard and mouse events alternate: both hooks run the same rule.
        if (++eventNo % 2)
            Key();
        else
            Mouse();
        ASSERT_EQ(static_cast<size_t>(step.posts), desktop.posts.size())
            << "event " << eventNo << " [" << down << "]";
        for (const PostedMessage& post : desktop.posts)
            EXPECT_EQ((PostedMessage{panel, WM_COMMAND, IDM_TRIGGER, 0}), post);
    }
}

INSTANTIATE_TEST_SUITE_P(
    KeyMask, TriggerRule,
    ::testing::Values(
        TriggerCase{"Nothing", 0x00, {{"M", 0}, {"", 0}, {"CAS", 0}, {"CASM", 0}, {"", 0}}},
        TriggerCase{"UnusedBitOnly", 0x08, {{"M", 0}, {"", 0}, {"CAS", 0}, {"", 0}}},
        TriggerCase{"MiddleClickPostsAtTheRelease",
                    0x10,
                    {{"M", 0}, {"M", 0}, {"M", 0}, {"", 1}, {"", 0}, {"M", 0}, {"", 1}}},
        TriggerCase{"MiddleAloneIgnoresModifiers", 0x10, {{"C", 0}, {"CM", 0}, {"C", 1}, {"CA", 0}}},
        TriggerCase{"HighBitsAreIgnored", 0xF0, {{"M", 0}, {"", 1}, {"", 0}}},
        TriggerCase{
            "CtrlAltPostsOnceAtTheSecondKey",
            0x03,
            {{"C", 0}, {"CA", 1}, {"CA", 0}, {"CA", 0}, {"C", 0}, {"CA", 1}, {"A", 0}, {"", 0}, {"AC", 1}}},
        TriggerCase{"CtrlAltIgnoresTheMiddleButton", 0x03, {{"M", 0}, {"CM", 0}, {"CAM", 1}, {"CA", 0}}},
        TriggerCase{"ShiftAlone", 0x04, {{"S", 1}, {"S", 0}, {"", 0}, {"S", 1}, {"CS", 0}}},
        TriggerCase{
            "CtrlWithMiddlePostsAtThePress",
            0x11,
            {{"C", 0}, {"CM", 1}, {"CM", 0}, {"C", 0}, {"", 0}, {"M", 0}, {"CM", 1}, {"M", 0}, {"CM", 1}}},
        TriggerCase{"AllFour", 0x17, {{"CAS", 0}, {"CASM", 1}, {"CAS", 0}, {"CAM", 0}, {"CASM", 1}}},
        TriggerCase{"ModifiersWithMiddleNeedEveryPart",
                    0x13,
                    {{"CM", 0}, {"AM", 0}, {"CAM", 1}, {"CA", 0}, {"CAM", 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HookLogicTest, MaskWithoutKeysOrWithoutATargetChangesNothing) {
    Register();
    for (uint8_t key : {uint8_t{0x00}, uint8_t{0x08}, uint8_t{0xE8}}) {
        logic.SetHookKey(key);
        for (uint8_t armed : {uint8_t{0}, uint8_t{1}}) {
            state.triggerArmed = armed;
            desktop.SetKey(VK_MBUTTON, true);
            Mouse();
            desktop.SetKey(VK_MBUTTON, false);
            Mouse();
            EXPECT_EQ(armed, state.triggerArmed) << "key " << int(key);
        }
    }
    EXPECT_TRUE(desktop.posts.empty());

    // No trigger window: the rule is not evaluated at all.
    state.triggerTarget.window = nullptr;
    logic.SetHookKey(0x10);
    state.triggerArmed = 0;
    state.middleSeen = 0;
    desktop.SetKey(VK_MBUTTON, true);
    Key();
    desktop.SetKey(VK_MBUTTON, false);
    Key();
    EXPECT_EQ(0, state.triggerArmed);
    EXPECT_EQ(0, state.middleSeen);
    EXPECT_TRUE(desktop.posts.empty());
}

TEST_F(HookLogicTest, TriggerPostsTheRegisteredQuadruple) {
    logic.InitHook(other, WM_APP + 7, 0x12345678u, -5);
    desktop.SetKey(VK_MBUTTON, true);
    Mouse(WM_MBUTTONDOWN);
    desktop.SetKey(VK_MBUTTON, false);
    Mouse(WM_MBUTTONUP);
    ASSERT_EQ(1u, desktop.posts.size());
    EXPECT_EQ((PostedMessage{other, WM_APP + 7, 0x12345678u, -5}), desktop.posts[0]);
}

// ---- Gestures, per kind ---------------------------------------------------

TEST_F(HookLogicTest, PrimaryClickPostsOnceWithThePressPoint) {
    Register();
    MoveTo(300, 200);
    PressOnPanel(VK_LBUTTON, kDragKindPrimary, {300, 200});
    EXPECT_EQ(kDragPressed, state.dragState);
    // Exactly the drag distance on both axes is still a click.
    MoveTo(304, 196);
    EXPECT_EQ(0, logic.IsDragging());
    Release(VK_LBUTTON);
    ASSERT_EQ(1u, desktop.posts.size());
    EXPECT_EQ((PostedMessage{panel, WM_COMMAND, IDM_PRIMARY_CLICK, Point(300, 200)}), desktop.posts[0]);
    EXPECT_EQ(kDragIdle, state.dragState);
    MoveTo(310, 210);
    EXPECT_EQ(1u, desktop.posts.size());
}

TEST_F(HookLogicTest, SecondaryClickPostsTheContextMenuCommand) {
    Register();
    MoveTo(50, 60);
    PressOnPanel(VK_RBUTTON, kDragKindSecondary, {50, 60});
    Release(VK_RBUTTON);
    EXPECT_EQ((std::vector<WPARAM>{IDM_SECONDARY_CLICK}), PostedIds());
    EXPECT_EQ(Point(50, 60), desktop.posts[0].lParam);
}

struct DragCase {
    const char* name;
    int physical;
    int kind;
    POINT moveTo;
    WPARAM posted;
};

class Drag : public HookLogicTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(Drag, ReleasePostsThePressPointNotTheReleasePoint) {
    const DragCase& c = GetParam();
    Register();
    MoveTo(400, 300);
    PressOnPanel(c.physical, c.kind, {400, 300});
    MoveTo(c.moveTo.x, c.moveTo.y);
    EXPECT_EQ(1, logic.IsDragging());
    MoveTo(c.moveTo.x + 100, c.moveTo.y + 100);
    EXPECT_EQ(1, logic.IsDragging());
    EXPECT_TRUE(desktop.posts.empty());
    Release(c.physical);
    EXPECT_EQ((std::vector<WPARAM>{c.posted}), PostedIds());
    EXPECT_EQ(Point(400, 300), desktop.posts[0].lParam);
    EXPECT_EQ(0, logic.IsDragging());
}

INSTANTIATE_TEST_SUITE_P(
    Kind, Drag,
    ::testing::Values(
        DragCase{"PrimaryRight", VK_LBUTTON, kDragKindPrimary, {405, 300}, IDM_PRIMARY_DRAG},
        DragCase{"PrimaryUp", VK_LBUTTON, kDragKindPrimary, {400, 295}, IDM_PRIMARY_DRAG},
        DragCase{"SecondaryLeft", VK_RBUTTON, kDragKindSecondary, {395, 300}, IDM_SECONDARY_DRAG},
        DragCase{"SecondaryDown", VK_RBUTTON, kDragKindSecondary, {400, 305}, IDM_SECONDARY_DRAG}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HookLogicTest, ReleaseInTheSameEventAsTheMoveIsStillAClick) {
    Register();
    MoveTo(10, 10);
    PressOnPanel(VK_LBUTTON, kDragKindPrimary, {10, 10});
    desktop.cursor = {60, 60};
    Release(VK_LBUTTON);
    EXPECT_EQ((std::vector<WPARAM>{IDM_PRIMARY_CLICK}), PostedIds());
}

TEST_F(HookLogicTest, EscapeHeldAtTheReleasePostsNothing) {
    Register();
    for (int kind : {kDragKindPrimary, kDragKindSecondary}) {
        const int button = kind == kDragKindPrimary ? VK_LBUTTON : VK_RBUTTON;
        MoveTo(100, 100);
        PressOnPanel(button, kind, {100, 100});
        desktop.SetKey(VK_ESCAPE, true);
        Key();
        Release(button);
        desktop.SetKey(VK_ESCAPE, false);
        EXPECT_EQ(kDragIdle, state.dragState);
    }
    EXPECT_TRUE(desktop.posts.empty());
}

struct CancelCase {
    const char* name;
    int physical;
    int kind;
    int cancelKey;  // pressed during the drag
};

class DragCancel : public HookLogicTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(DragCancel, EndsTheDragWithNothingPosted) {
    const CancelCase& c = GetParam();
    Register();
    // Off the middle button, whose click would post the trigger.
    logic.SetHookKey(kHookKeyCtrl | kHookKeyAlt);
    MoveTo(200, 200);
    PressOnPanel(c.physical, c.kind, {200, 200});
    MoveTo(250, 250);
    ASSERT_EQ(1, logic.IsDragging());
    desktop.SetKey(c.cancelKey, true);
    Mouse();
    EXPECT_EQ(0, logic.IsDragging());
    EXPECT_EQ(kDragIdle, state.dragState);
    desktop.SetKey(c.cancelKey, false);
    Release(c.physical);
    EXPECT_TRUE(desktop.posts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Key, DragCancel,
    ::testing::Values(CancelCase{"PrimaryBySecondary", VK_LBUTTON, kDragKindPrimary, VK_RBUTTON},
                      CancelCase{"PrimaryByMiddle", VK_LBUTTON, kDragKindPrimary, VK_MBUTTON},
                      CancelCase{"PrimaryByEscape", VK_LBUTTON, kDragKindPrimary, VK_ESCAPE},
                      CancelCase{"SecondaryByPrimary", VK_RBUTTON, kDragKindSecondary, VK_LBUTTON},
                      CancelCase{"SecondaryByMiddle", VK_RBUTTON, kDragKindSecondary, VK_MBUTTON},
                      CancelCase{"SecondaryByEscape", VK_RBUTTON, kDragKindSecondary, VK_ESCAPE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HookLogicTest, SwappedButtonsMakeThePhysicalRightButtonPrimary) {
    Register();
    desktop.swapButtons = 1;
    MoveTo(20, 30);
    // The panel sees WM_LBUTTONDOWN for the physical right button.
    PressOnPanel(VK_RBUTTON, kDragKindPrimary, {20, 30});
    EXPECT_EQ(1, state.buttonsNow.primary);
    EXPECT_EQ(0, state.buttonsNow.secondary);
    Release(VK_RBUTTON);
    MoveTo(20, 30);
    PressOnPanel(VK_LBUTTON, kDragKindSecondary, {20, 30});
    MoveTo(90, 30);
    Release(VK_LBUTTON);
    EXPECT_EQ((std::vector<WPARAM>{IDM_PRIMARY_CLICK, IDM_SECONDARY_DRAG}), PostedIds());
}

TEST_F(HookLogicTest, DDEntryIsIgnoredUntilAnEventHasPassedAndOtherKindsCancel) {
    Register();
    // Fresh registration: still idle, so the press is not tracked.
    desktop.cursor = {5, 5};
    logic.DDEntry(kDragKindPrimary);
    EXPECT_EQ(kDragIdle, state.dragState);
    EXPECT_EQ(-1, state.dragStart.x);

    MoveTo(5, 5);
    EXPECT_EQ(kDragReady, state.dragState);
    PressOnPanel(VK_LBUTTON, kDragKindPrimary, {5, 5});
    Release(VK_LBUTTON);
    // Idle again right after the gesture ended: a DDEntry now is ignored.
    logic.DDEntry(kDragKindSecondary);
    EXPECT_EQ(kDragIdle, state.dragState);

    MoveTo(6, 6);
    PressOnPanel(VK_LBUTTON, kDragKindPrimary, {6, 6});
    for (int kind : {0, 3, -1}) {
        logic.DDEntry(kind);
        EXPECT_EQ(kDragIdle, state.dragState);
        EXPECT_EQ(0, state.dragKind);
        MoveTo(6, 6);
        logic.DDEntry(kDragKindPrimary);
    }
    logic.DDEntry(7);
    Release(VK_LBUTTON);
    EXPECT_EQ((std::vector<WPARAM>{IDM_PRIMARY_CLICK}), PostedIds());
}

TEST_F(HookLogicTest, GesturesNeedTheDragWindowAndATargetAndSkipNullTargets) {
    logic.InitHook(panel, WM_COMMAND, IDM_TRIGGER, 0);
    MoveTo(1, 1);
    EXPECT_EQ(kDragIdle, state.dragState);  // no drag window yet

    const PostTarget onlyPrimaryClick[4] = {{}, {}, {panel, WM_COMMAND, IDM_PRIMARY_CLICK, 99}, {}};
    logic.InitHookDD(panel, onlyPrimaryClick);
    EXPECT_EQ(0, state.dragTargets[2].lParam);
    MoveTo(1, 1);
    EXPECT_EQ(kDragReady, state.dragState);
    PressOnPanel(VK_RBUTTON, kDragKindSecondary, {1, 1});
    Release(VK_RBUTTON);
    MoveTo(1, 1);
    PressOnPanel(VK_LBUTTON, kDragKindPrimary, {1, 1});
    MoveTo(40, 40);
    Release(VK_LBUTTON);
    MoveTo(1, 1);
    PressOnPanel(VK_LBUTTON, kDragKindPrimary, {1, 1});
    Release(VK_LBUTTON);
    EXPECT_EQ((std::vector<WPARAM>{IDM_PRIMARY_CLICK}), PostedIds());

    const PostTarget none[4] = {};
    logic.InitHookDD(panel, none);
    state.dragState = kDragPressed;
    MoveTo(300, 300);
    EXPECT_EQ(kDragPressed, state.dragState);
}

TEST_F(HookLogicTest, PressPointIsCutTo16BitsPerCoordinate) {
    Register();
    MoveTo(-3, 70000);
    PressOnPanel(VK_LBUTTON, kDragKindPrimary, {-3, 70000});
    Release(VK_LBUTTON);
    ASSERT_EQ(1u, desktop.posts.size());
    EXPECT_EQ(0xFFFD, LOWORD(desktop.posts[0].lParam));
    EXPECT_EQ(70000 & 0xFFFF, HIWORD(desktop.posts[0].lParam));
}

// ---- Hide rule ------------------------------------------------------------

class HideRule : public HookLogicTest {
protected:
    void SetUp() override {
        HookLogicTest::SetUp();
        Register();
        logic.SetHookKey(kHookKeyMiddle);
        logic.PauseHideHook(kHideOn);
    }
    int HidePosts() const {
        int n = 0;
        for (const PostedMessage& post : desktop.posts) n += post.wParam == IDM_HIDE;
        return n;
    }
};

TEST_F(HideRule, PressesOutsideThePanelAndItsOwnWindowsPost) {
    struct Case {
        WPARAM message;
        HWND over;
        int posts;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, other, 1},        {WM_RBUTTONDOWN, other, 1},         {WM_NCLBUTTONDOWN, other, 1},
        {WM_NCRBUTTONDOWN, other, 1},      {WM_LBUTTONDOWN, nullptr, 1},       {WM_MBUTTONDOWN, other, 0},
        {WM_LBUTTONUP, other, 0},          {WM_MOUSEMOVE, other, 0},           {WM_LBUTTONDOWN, panel, 0},
        {WM_NCRBUTTONDOWN, panel, 0},      {WM_LBUTTONDOWN, child, 0},         {WM_RBUTTONDOWN, dialog, 0},
        {WM_LBUTTONDOWN, dialogButton, 0}, {WM_LBUTTONDOWN, FakeWindow(9), 1},
    };
    for (const Case& c : cases) {
        desktop.posts.clear();
        MOUSEHOOKSTRUCT mouse = {};
        mouse.hwnd = c.over;
        logic.MouseEvent(HC_ACTION, c.message, &mouse);
        EXPECT_EQ(c.posts, HidePosts()) << "message " << c.message << " window " << c.over;
        if (c.posts) {
            EXPECT_EQ((PostedMessage{panel, WM_COMMAND, IDM_HIDE, 0}), desktop.posts.back());
        }
    }
    // The panel's visibility does not matter on this path.
    desktop.visible.clear();
    desktop.posts.clear();
    Mouse(WM_LBUTTONDOWN, other);
    EXPECT_EQ(1, HidePosts());
}

TEST_F(HideRule, ActivationOfAnotherWindowPostsOnlyWhileThePanelIsVisible) {
    Activate(other, WA_ACTIVE);
    Activate(other, WA_CLICKACTIVE);
    EXPECT_EQ(2, HidePosts());
    desktop.posts.clear();
    Activate(other, WA_INACTIVE);
    Activate(panel);
    Activate(dialog);
    Activate(dialogButton);
    Activate(other, WA_ACTIVE, 1);  // sent by the thread itself
    CWPSTRUCT notActivate = {};
    notActivate.hwnd = other;
    notActivate.message = WM_SETFOCUS;
    logic.CallWndProcEvent(HC_ACTION, 0, &notActivate);
    EXPECT_EQ(0, HidePosts());
    desktop.visible = {other};
    Activate(other);
    EXPECT_EQ(0, HidePosts());
    // This path leaves the gesture and trigger bookkeeping alone.
    EXPECT_EQ(0, desktop.cursorCalls);
}

TEST_F(HideRule, MiddleButtonHeldForTheTriggerSuppressesTheHide) {
    desktop.SetKey(VK_MBUTTON, true);
    Mouse(WM_LBUTTONDOWN, other);
    Activate(other);
    EXPECT_EQ(0, HidePosts());
    // Without the middle button in the combination, it does not matter.
    logic.SetHookKey(kHookKeyCtrl | kHookKeyAlt);
    Mouse(WM_LBUTTONDOWN, other);
    Activate(other);
    EXPECT_EQ(2, HidePosts());
}

TEST_F(HideRule, NothingPostsUntilPauseHideHookTurnsDetectionOn) {
    logic.HideHook(panel, PostTarget{panel, WM_COMMAND, IDM_HIDE, 0});
    EXPECT_EQ(0, logic.PauseHideHook(2));
    Mouse(WM_LBUTTONDOWN, other);
    Activate(other);
    EXPECT_EQ(0, HidePosts());
    EXPECT_EQ(1, logic.PauseHideHook(kHideOn));
    EXPECT_EQ(1, logic.PauseHideHook(2));
    EXPECT_EQ(1, logic.PauseHideHook(-7));
    Mouse(WM_LBUTTONDOWN, other);
    EXPECT_EQ(1, HidePosts());
    EXPECT_EQ(0, logic.PauseHideHook(kHideOff));
    EXPECT_EQ(0, logic.PauseHideHook(2));
    Mouse(WM_LBUTTONDOWN, other);
    Activate(other);
    EXPECT_EQ(1, HidePosts());
}

TEST_F(HideRule, NullStructuresNegativeCodesAndCyclicParentsAreHarmless) {
    logic.MouseEvent(HC_ACTION, WM_LBUTTONDOWN, nullptr);
    logic.CallWndProcEvent(HC_ACTION, 0, nullptr);
    MOUSEHOOKSTRUCT mouse = {};
    mouse.hwnd = other;
    logic.MouseEvent(-1, WM_LBUTTONDOWN, &mouse);
    logic.MouseEvent(HC_NOREMOVE, WM_LBUTTONDOWN, &mouse);
    logic.KeyboardEvent(-1);
    EXPECT_EQ(0, HidePosts());
    EXPECT_EQ(2 * 4, desktop.KeyReads());  // only the HC_ACTION and HC_NOREMOVE mouse events poll

    const HWND a = FakeWindow(20), b = FakeWindow(21);
    desktop.SetParent(a, b);
    desktop.SetParent(b, a);
    EXPECT_FALSE(logic.IsWindowOrAncestor(panel, a));
    EXPECT_TRUE(logic.IsWindowOrAncestor(b, a));
    EXPECT_FALSE(logic.IsWindowOrAncestor(panel, nullptr));
}

// ---- Hook bookkeeping -----------------------------------------------------

TEST_F(HookLogicTest, TheSecondOfInitHookAndInitHookDDInstallsNothing) {
    Register();
    EXPECT_EQ((std::vector<int>{WH_KEYBOARD, WH_MOUSE, WH_CALLWNDPROC}), desktop.installed);
    EXPECT_EQ(1, state.hooksInstalled);
    EXPECT_EQ(panel, state.triggerTarget.window);
    EXPECT_EQ(panel, state.dragWindow);
    // Again: only the targets change.
    logic.InitHook(other, WM_COMMAND, 1, 2);
    EXPECT_EQ(3u, desktop.installed.size());
    EXPECT_EQ(other, state.triggerTarget.window);
    EXPECT_EQ(2, state.triggerTarget.lParam);
}

TEST_F(HookLogicTest, UnhookReleasesEveryHookAndInitHookInstallsAfreshKeepingTheKey) {
    Register();
    logic.SetHookKey(0x13);
    logic.PauseHideHook(kHideOff);
    const HHOOK hooks[] = {state.keyboardHook, state.mouseHook, state.activateHook};
    logic.Unhook();
    EXPECT_EQ((std::vector<HHOOK>(std::begin(hooks), std::end(hooks))), desktop.released);
    EXPECT_EQ(nullptr, state.keyboardHook);
    EXPECT_EQ(nullptr, state.mouseHook);
    EXPECT_EQ(nullptr, state.activateHook);
    EXPECT_EQ(0, state.hooksInstalled);
    EXPECT_EQ(1, state.hideEnabled);
    EXPECT_EQ(panel, state.triggerTarget.window);
    logic.Unhook();
    EXPECT_EQ(3u, desktop.released.size());  // nothing left to release

    EXPECT_EQ(1, logic.InitHook(panel, WM_COMMAND, IDM_TRIGGER, 0));
    EXPECT_EQ(5u, desktop.installed.size());
    EXPECT_NE(nullptr, state.keyboardHook);
    EXPECT_EQ(0x13, logic.GetHookSwitch());
}

TEST_F(HookLogicTest, AFailedInstallReleasesTheOtherHookAndKeepsTheTargets) {
    for (int failing : {WH_KEYBOARD, WH_MOUSE}) {
        SharedHookState fresh = kInitialHookState;
        HookLogic install(fresh, desktop.Ops());
        desktop.failingHookTypes = {failing};
        desktop.installed.clear();
        desktop.released.clear();
        EXPECT_EQ(0, install.InitHook(panel, WM_COMMAND, IDM_TRIGGER, 0));
        EXPECT_EQ((std::vector<int>{WH_KEYBOARD, WH_MOUSE}), desktop.installed);  // both attempted
        EXPECT_EQ(1u, desktop.released.size());
        EXPECT_EQ(nullptr, fresh.keyboardHook);
        EXPECT_EQ(nullptr, fresh.mouseHook);
        EXPECT_EQ(0, fresh.hooksInstalled);
        EXPECT_EQ(nullptr, fresh.triggerTarget.window);
        const PostTarget targets[4] = {{panel, WM_COMMAND, 1, 0}};
        EXPECT_EQ(0, install.InitHookDD(panel, targets));
        EXPECT_EQ(nullptr, fresh.dragWindow);
    }
}

TEST_F(HookLogicTest, HideHookReplacesItsOwnHookAndTurnsDetectionOff) {
    HHOOK first = logic.HideHook(panel, PostTarget{panel, WM_COMMAND, IDM_HIDE, 0});
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0, state.hideEnabled);
    logic.PauseHideHook(kHideOn);
    HHOOK second = logic.HideHook(other, PostTarget{other, WM_APP, 1, 2});
    EXPECT_NE(first, second);
    EXPECT_EQ((std::vector<HHOOK>{first}), desktop.released);
    EXPECT_EQ(0, state.hideEnabled);
    EXPECT_EQ(other, state.hideWindow);

    // No watched window: the hook goes and none replaces it.
    EXPECT_EQ(nullptr, logic.HideHook(nullptr, PostTarget{panel, WM_COMMAND, IDM_HIDE, 0}));
    EXPECT_EQ(2u, desktop.released.size());
    EXPECT_EQ(1, state.hideEnabled);

    // A failed activation hook leaves detection off until PauseHideHook(1).
    desktop.failingHookTypes = {WH_CALLWNDPROC};
    EXPECT_EQ(nullptr, logic.HideHook(panel, PostTarget{panel, WM_COMMAND, IDM_HIDE, 0}));
    EXPECT_EQ(0, state.hideEnabled);
}

// ---- What an event costs ----------------------------------------------------

struct BudgetCase {
    const char* name;
    uint8_t key;
    int maxKeyReads;  // GetAsyncKeyState calls in the worst event
};

class CallBudget : public HookLogicTest, public ::testing::WithParamInterface<BudgetCase> {};

TEST_P(CallBudget, NoKeyIsReadTwiceAndTheCallsStayWithinBudget) {
    const BudgetCase& c = GetParam();
    Register();
    logic.SetHookKey(c.key);
    logic.PauseHideHook(kHideOn);
    int most = 0;
    // Every combination of the keys the rule may read, in every gesture state.
    for (int dragState : {kDragIdle, kDragReady, kDragPressed, kDragMoving}) {
        for (int combo = 0; combo < 64; ++combo) {
            const int keys[] = {VK_CONTROL, VK_MENU, VK_SHIFT, VK_MBUTTON, VK_LBUTTON, VK_ESCAPE};
            for (int i = 0; i < 6; ++i) desktop.SetKey(keys[i], combo & (1 << i));
            state.dragState = dragState;
            state.dragKind = kDragKindPrimary;
            desktop.ResetCounts();
            Mouse(WM_LBUTTONDOWN, other);
            EXPECT_LE(desktop.MostReadsOfOneKey(), 1);
            EXPECT_LE(desktop.KeyReads(), c.maxKeyReads);
            most = std::max(most, desktop.KeyReads());
            EXPECT_EQ(dragState == kDragPressed ? 1 : 0, desktop.cursorCalls);
            EXPECT_LE(desktop.metricsCalls, dragState == kDragPressed ? 3 : 1);
        }
    }
    EXPECT_EQ(c.maxKeyReads, most);
}

INSTANTIATE_TEST_SUITE_P(KeyMask, CallBudget,
                         ::testing::Values(BudgetCase{"MiddleButton", 0x10, 4},
                                           BudgetCase{"Nothing", 0x00, 4}, BudgetCase{"CtrlAlt", 0x03, 6},
                                           BudgetCase{"Shift", 0x04, 5}, BudgetCase{"CtrlMiddle", 0x11, 5},
                                           BudgetCase{"AllFour", 0x17, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HookLogicTest, ActivationPathReadsTheMiddleButtonOnlyAsItsLastTest) {
    Register();
    logic.PauseHideHook(kHideOn);
    desktop.ResetCounts();
    Activate(panel);
    Activate(other, WA_INACTIVE);
    EXPECT_EQ(0, desktop.KeyReads());
    Activate(other);
    EXPECT_EQ(1, desktop.keyReads[VK_MBUTTON]);
    EXPECT_EQ(1, desktop.KeyReads());
}

}  // namespace

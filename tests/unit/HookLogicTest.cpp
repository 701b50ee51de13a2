#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "hooklib/HookLogic.h"

namespace {

const HWND kPanel = HWND(INT_PTR(0x1000)), kOther = HWND(INT_PTR(0x2000));
const HWND kDialog = HWND(INT_PTR(0x3000)), kDialogButton = HWND(INT_PTR(0x3010));  // owned by the panel

struct Desktop {
    std::set<int> down;
    bool swapped = false, panelVisible = true;
    POINT cursor = {};
    std::string posts;
    int hooksInstalled = 0;
} desktop;

const PlatformOps kScripted = {
    [](int key) -> SHORT { return desktop.down.count(key) ? SHORT(0x8000) : 0; },
    // Swapped buttons, else the drag distance: 4 both ways.
    [](int index) { return index == SM_SWAPBUTTON ? int(desktop.swapped) : 4; },
    [](POINT* p) -> BOOL { return *p = desktop.cursor, TRUE; },
    [](HWND, UINT, WPARAM id, LPARAM point) -> BOOL {
        desktop.posts += " " + std::to_string(id);
        if (point) desktop.posts += "@" + std::to_string(LOWORD(point)) + "," + std::to_string(HIWORD(point));
        return TRUE;
    },
    [](HWND w) { return w == kDialogButton ? kDialog : (w == kDialog ? kPanel : HWND(nullptr)); },
    [](HWND w) -> BOOL { return w == kPanel && desktop.panelVisible; },
    [](int type) { return ++desktop.hooksInstalled, HHOOK(INT_PTR(0x100 + type)); },
    [](HHOOK) -> BOOL { return TRUE; },
    [] { return HWINEVENTHOOK(INT_PTR(0x200)); },
    [](HWINEVENTHOOK) -> BOOL { return TRUE; },
    [](HWND w, DWORD* process) -> DWORD { return *process = w == kPanel ? 77 : 0, 1; },
    [](DWORD process) -> BOOL { return desktop.posts += " F" + std::to_string(process), TRUE; },
};

// Plays a script of events and of VELK's calls between them; one entry an event: what it posted, or "-".
//   L+ L- R+ R- M+ M-  a physical button down or up over the panel (o: another window, d: the panel's dialog)
//   C+ C- A+ A- S+ S- E+ E-  CTRL, ALT, SHIFT or ESC   @x,y the cursor moves   D1 D2 DDEntry   W swapped
//   Ao Ad another window or the dialog activated   ? IsDragging (d0, d1)   H0 H1 PauseHideHook   v0 hidden
// The shared state starts as given, desktop and hooks afresh; "F77": VELK's process may take the foreground.
std::string Play(uint8_t key, const std::string& script, SharedHookState state = kInitialHookState) {
    Desktop& d = desktop = {};
    InstalledHooks hooks = {};
    HookLogic logic(state, hooks, kScripted);
    logic.SetHookKey(key);
    logic.InitHook(kPanel, WM_COMMAND, 41001, 0);
    PostTarget targets[4];
    for (uint32_t i = 0; i < 4; ++i) targets[i] = {kPanel, WM_COMMAND, 43001 + i, 0};
    logic.InitHookDD(kPanel, targets);
    logic.HideHook(kPanel, PostTarget{kPanel, WM_COMMAND, 43005, 0});

    const int keys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_CONTROL, VK_MENU, VK_SHIFT, VK_ESCAPE};
    std::string trace;
    std::istringstream tokens(script);
    for (std::string t; tokens >> t;) {
        const size_t k = std::string("LRMCASE").find(t[0]);
        const bool press = t[1] == '+', release = t[1] == '-';
        const HWND over = t.back() == 'o' ? kOther : (t.back() == 'd' ? kDialogButton : kPanel);
        MOUSEHOOKSTRUCT mouse = {d.cursor, over};
        if (press) d.down.insert(keys[k]);
        if (release) d.down.erase(keys[k]);
        if (t[0] == '@') sscanf(t.c_str(), "@%ld,%ld", &d.cursor.x, &d.cursor.y), mouse.pt = d.cursor;
        if (t[0] == 'D') logic.DDEntry(t[1] - '0');
        if (t[0] == 'H') logic.PauseHideHook(t[1] - '0');
        if (t == "v0") d.panelVisible = false;
        if (t == "W") d.swapped = true;
        if (t == "?") trace += " d" + std::to_string(logic.IsDragging());
        d.posts.clear();
        if ((press || release) && k < 3)  // WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN and their ups
            logic.MouseEvent(HC_ACTION, WM_LBUTTONDOWN + 3 * k + release, &mouse);
        else if (press || release)
            logic.KeyboardEvent(HC_ACTION);
        else if (t[0] == '@')
            logic.MouseEvent(HC_ACTION, WM_MOUSEMOVE, &mouse);
        else if (t[0] == 'A')
            logic.ForegroundEvent(mouse.hwnd);
        else
            continue;
        trace += d.posts.empty() ? " -" : d.posts;
    }
    return trace.substr(1);
}

TEST(HookLogic, TriggerGesturesAndHideSignal) {
    // The trigger keys, the script, what it posts.
    // clang-format off
    const std::tuple<uint8_t, const char*, const char*> cases[] = {
        // The middle button: at each release. CTRL, then at ALT's press, once. CTRL, then at the button's press.
        {0x10, "C+ M+ M+ M- C- M- M+ M-", "- - - F77 41001 - - - F77 41001"},
        {0x03, "C+ A+ A+ @5,5 A- A+", "- F77 41001 - - - F77 41001"},
        {0x11, "C+ M+ M- M+", "- F77 41001 - F77 41001"}, {0x00, "M+ M- C+ A+ S+", "- - - - -"},
        {0x08, "M+ M- C+ A+ S+", "- - - - -"},
        // A click within the drag distance, or at exactly it; beyond it a drag; both with the press point.
        {0x10, "@100,100 L+ D2 @103,100 ? L- ?", "- - - d0 43003@100,100 d0"},
        {0x10, "@100,100 L+ D2 @104,96 ? L-", "- - - d0 43003@100,100"},
        {0x10, "@100,100 L+ D2 @105,100 ? @120,130 L- ?", "- - - d1 - 43004@100,100 d0"},
        {0x10, "@50,60 R+ D1 R- R+ D1 @50,65 R-", "- - 43001@50,60 - - 43002@50,60"},
        // ESC at the release, or another button during a drag: nothing.
        {0x10, "@100,100 L+ D2 E+ L- E- L+ D2 L-", "- - - - - - 43003@100,100"},
        {0x10, "@100,100 L+ D2 @110,100 R+ ? R- L-", "- - - - d0 - -"},
        {0x10, "@100,100 L+ D2 @110,100 M+ ? M- L-", "- - - - d0 F77 41001 -"},
        {0x10, "W @100,100 R+ D2 R-", "- - 43003@100,100"},  // swapped: the physical right one is primary
        // Once on, presses off the panel or its dialog hide it, and activations while shown; not M's trigger.
        {0x10, "L+o L-o H1 L+o L-o R+o L+ L- R+d H0 L+o", "- - 43005 - 43005 - - - -"},
        {0x10, "Ao H1 Ao Ad v0 Ao", "- 43005 - -"}, {0x10, "H1 M+ L+o Ao L-o M-", "- - - - F77 41001"},
        {0x03, "H1 M+ L+o", "- 43005"}};
    // clang-format on
    for (const auto& [key, script, posts] : cases)
        EXPECT_EQ(posts, Play(key, script)) << int(key) << ": " << script;
}

// A VELK killed mid-trigger and mid-drag: a new one hooks again, its events finish neither, nor are lost.
TEST(HookLogic, ANewProcessHooksAgainOverStateLeftBehind) {
    SharedHookState left = kInitialHookState;
    left.triggerTarget = PostTarget{kOther, WM_COMMAND, 41001, 0};  // the ended VELK's panel
    left.middleSeen = left.triggerArmed = 1;
    left.dragKind = kDragKindPrimary;
    left.dragState = kDragMoving;
    left.dragStart = POINT{7, 7};
    left.buttonsBefore = ButtonSnapshot{1, 1, 0, 0};
    EXPECT_EQ("- - - - F77 41001", Play(0x10, "@5,5 L+ L- M+ M-", left));
    EXPECT_EQ(2, desktop.hooksInstalled);
}

}  // namespace

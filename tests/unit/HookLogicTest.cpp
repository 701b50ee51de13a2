// The hook library's rules over a scripted desktop, event by event: the
// trigger per key mask, the gestures begun on the panel, the hide signal.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "hooklib/HookLogic.h"

namespace {

// The desktop the rules see: keys and buttons held, the cursor, which
// window a window's parent or owner is, which are visible, what was posted.
struct Desktop {
    std::set<int> down;
    bool swapped = false;
    POINT cursor = {};
    std::map<HWND, HWND> parents;
    std::set<HWND> visible;
    std::string posts;
};
Desktop* desktop;

const PlatformOps kScripted = {
    [](int key) -> SHORT { return desktop->down.count(key) ? SHORT(0x8000) : 0; },
    // Swapped buttons, else the drag distance: 4 both ways.
    [](int index) { return index == SM_SWAPBUTTON ? int(desktop->swapped) : 4; },
    [](POINT* p) -> BOOL { return *p = desktop->cursor, TRUE; },
    [](HWND, UINT, WPARAM id, LPARAM point) -> BOOL {
        desktop->posts += " " + std::to_string(id);
        if (point)
            desktop->posts += "@" + std::to_string(LOWORD(point)) + "," + std::to_string(HIWORD(point));
        return TRUE;
    },
    [](HWND w) { return desktop->parents.count(w) ? desktop->parents[w] : HWND(nullptr); },
    [](HWND w) -> BOOL { return desktop->visible.count(w); },
    [](int type) { return HHOOK(INT_PTR(0x100 + type)); },
    [](HHOOK) -> BOOL { return TRUE; },
};

const HWND kPanel = HWND(INT_PTR(0x1000)), kOther = HWND(INT_PTR(0x2000));
const HWND kDialog = HWND(INT_PTR(0x3000)), kDialogButton = HWND(INT_PTR(0x3010));

// Plays a script of events and of what VELK does between them, as VELK
// registers itself; the result has one entry per event: what it posted, or "-".
//   L+ L- R+ R- M+ M-   a physical button goes down or up over the panel
//                       (a trailing o: over another window; d: in a dialog the panel owns)
//   C+ C- A+ A- S+ S- E+ E-   CTRL, ALT, SHIFT or ESC, a keyboard event
//   @x,y   the cursor moves there        Ao Ad   another window or the dialog is activated
//   D1 D2  DDEntry (the panel got a secondary or primary press)
//   ?      IsDragging, as d0 or d1       H0 H1   PauseHideHook       v0   the panel hides
//   W      the buttons are swapped
std::string Play(uint8_t key, const std::string& script) {
    Desktop scripted;
    desktop = &scripted;
    scripted.parents = {{kDialog, kPanel}, {kDialogButton, kDialog}};
    scripted.visible = {kPanel};
    SharedHookState state = kInitialHookState;
    HookLogic logic(state, kScripted);
    logic.SetHookKey(key);
    logic.InitHook(kPanel, WM_COMMAND, 41001, 0);
    const PostTarget targets[4] = {{kPanel, WM_COMMAND, 43001, 0},
                                   {kPanel, WM_COMMAND, 43002, 0},
                                   {kPanel, WM_COMMAND, 43003, 0},
                                   {kPanel, WM_COMMAND, 43004, 0}};
    logic.InitHookDD(kPanel, targets);
    logic.HideHook(kPanel, PostTarget{kPanel, WM_COMMAND, 43005, 0});

    const int keys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_CONTROL, VK_MENU, VK_SHIFT, VK_ESCAPE};
    const UINT presses[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    std::string trace;
    std::istringstream tokens(script);
    for (std::string t; tokens >> t;) {
        const size_t k = std::string("LRMCASE").find(t[0]);
        MOUSEHOOKSTRUCT mouse = {scripted.cursor, t.back() == 'o'   ? kOther
                                                  : t.back() == 'd' ? kDialogButton
                                                                    : kPanel};
        scripted.posts.clear();
        if (k != std::string::npos && (t[1] == '+' || t[1] == '-')) {
            if (t[1] == '+') scripted.down.insert(keys[k]);
            if (t[1] == '-') scripted.down.erase(keys[k]);
            if (k < 3) logic.MouseEvent(HC_ACTION, presses[k] + (t[1] == '-'), &mouse);
            if (k >= 3) logic.KeyboardEvent(HC_ACTION);
        } else if (t[0] == '@') {
            sscanf(t.c_str(), "@%ld,%ld", &scripted.cursor.x, &scripted.cursor.y);
            mouse.pt = scripted.cursor;
            logic.MouseEvent(HC_ACTION, WM_MOUSEMOVE, &mouse);
        } else if (t[0] == 'A') {
            CWPSTRUCT call = {0, WA_ACTIVE, WM_ACTIVATE, mouse.hwnd};
            logic.CallWndProcEvent(HC_ACTION, 0, &call);
        } else {
            if (t[0] == 'D') logic.DDEntry(t[1] - '0');
            if (t[0] == 'H') logic.PauseHideHook(t[1] - '0');
            if (t == "v0") scripted.visible.clear();
            if (t == "W") scripted.swapped = true;
            if (t == "?") trace += " d" + std::to_string(logic.IsDragging());
            continue;
        }
        trace += scripted.posts.empty() ? " -" : scripted.posts;
    }
    return trace.substr(1);
}

TEST(HookLogic, TriggerGesturesAndHideSignal) {
    struct Case {
        uint8_t key;
        const char* script;
        const char* posts;
    };
    const Case cases[] = {
        // The middle button alone: once at the release, the next click again.
        {0x10, "C+ M+ M+ M- C- M- M+ M-", "- - - 41001 - - - 41001"},
        // CTRL then ALT: at ALT's press; once more only after letting go.
        {0x03, "C+ A+ A+ @5,5 A- A+", "- 41001 - - - 41001"},
        // CTRL with the middle button: at the button's press, not its release.
        {0x11, "C+ M+ M- M+", "- 41001 - 41001"},
        {0x00, "M+ M- C+ A+ S+", "- - - - -"},
        {0x08, "M+ M- C+ A+ S+", "- - - - -"},
        // A click within the drag distance, and at exactly it.
        {0x10, "@100,100 L+ D2 @103,100 ? L- ?", "- - - d0 43003@100,100 d0"},
        {0x10, "@100,100 L+ D2 @104,96 ? L-", "- - - d0 43003@100,100"},
        // Beyond it a drag, posted with the press point.
        {0x10, "@100,100 L+ D2 @105,100 ? @120,130 L- ?", "- - - d1 - 43004@100,100 d0"},
        {0x10, "@50,60 R+ D1 R-", "- - 43001@50,60"},
        {0x10, "@50,60 R+ D1 @50,65 R-", "- - - 43002@50,60"},
        // ESC at the release, or another button during a drag: nothing.
        {0x10, "@100,100 L+ D2 E+ L- E- L+ D2 L-", "- - - - - - 43003@100,100"},
        {0x10, "@100,100 L+ D2 @110,100 R+ ? R- L-", "- - - - d0 - -"},
        {0x10, "@100,100 L+ D2 @110,100 M+ ? M- L-", "- - - - d0 41001 -"},
        // Swapped buttons: the physical right one is the primary.
        {0x10, "W @100,100 R+ D2 R-", "- - 43003@100,100"},
        // Hiding: presses elsewhere, not on the panel or in its own dialog,
        // once switched on, and until switched off.
        {0x10, "L+o L-o H1 L+o L-o R+o L+ L- R+d", "- - 43005 - 43005 - - -"},
        {0x10, "H1 H0 L+o", "-"},
        // Activation hides only a visible panel.
        {0x10, "H1 Ao Ad v0 Ao", "43005 - -"},
        // The middle button held for the trigger keeps it.
        {0x10, "H1 M+ L+o Ao L-o M-", "- - - - 41001"},
        {0x03, "H1 M+ L+o", "- 43005"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.posts, Play(c.key, c.script)) << int(c.key) << ": " << c.script;
}

}  // namespace

// The hook library's rules. They run inside whatever program receives the
// input, so they allocate nothing, wait for nothing and read each key at
// most once per event.
#include "hooklib/HookLogic.h"

namespace {
constexpr int kTargetSecondaryClick = 0;
constexpr int kTargetSecondaryDrag = 1;
constexpr int kTargetPrimaryClick = 2;
constexpr int kTargetPrimaryDrag = 3;
// Parent and owner chains are short; a bound keeps a corrupt or cyclic
// chain from hanging the program the hook runs in.
constexpr int kMaxAncestors = 256;

bool IsButtonDown(WPARAM mouseMessage) {
    return mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN ||
           mouseMessage == WM_NCLBUTTONDOWN || mouseMessage == WM_NCRBUTTONDOWN;
}

int64_t Distance(LONG a, LONG b) {
    const int64_t d = static_cast<int64_t>(a) - b;
    return d < 0 ? -d : d;
}
}  // namespace

void HookLogic::KeyboardEvent(int code) {
    if (code >= 0) PollInput();
}

void HookLogic::MouseEvent(int code, WPARAM mouseMessage, const MOUSEHOOKSTRUCT* mouse) {
    if (code < 0) return;
    PollInput();
    if (code != HC_ACTION || !s_.hideWindow || !s_.hideEnabled || !IsButtonDown(mouseMessage) || !mouse)
        return;
    // The middle button is in this event's snapshot: no second read.
    if (MiddleHeldForTrigger(s_.buttonsNow.middle != 0)) return;
    if (IsWindowOrAncestor(s_.hideWindow, mouse->hwnd)) return;
    Post(s_.hideTarget, s_.hideTarget.lParam);
}

void HookLogic::ForegroundEvent(HWND window) {
    if (!window || !s_.hideWindow || !s_.hideEnabled) return;
    if (!ops_.isWindowVisible(s_.hideWindow)) return;
    if (IsWindowOrAncestor(s_.hideWindow, window)) return;
    // A middle press activates the window under it before its release
    // shows or hides the panel: no hide in between.
    if (MiddleHeldForTrigger(KeyDown(VK_MBUTTON))) return;
    Post(s_.hideTarget, s_.hideTarget.lParam);
}

void HookLogic::PollInput() {
    ReadButtons();
    UpdateDrag();
    s_.buttonsBefore = s_.buttonsNow;
    CheckTrigger();
}

void HookLogic::ReadButtons() {
    ButtonSnapshot now = {};
    now.secondary = KeyDown(VK_RBUTTON);
    now.middle = KeyDown(VK_MBUTTON);
    now.primary = KeyDown(VK_LBUTTON);
    now.escape = KeyDown(VK_ESCAPE);
    // GetAsyncKeyState reports the physical buttons; gestures want the logical ones.
    if (ops_.getSystemMetrics(SM_SWAPBUTTON)) {
        const uint8_t physicalLeft = now.primary;
        now.primary = now.secondary;
        now.secondary = physicalLeft;
    }
    s_.buttonsNow = now;
}

void HookLogic::UpdateDrag() {
    if (!s_.dragWindow) return;
    const PostTarget* targets = s_.dragTargets;
    if (!targets[0].window && !targets[1].window && !targets[2].window && !targets[3].window) return;

    const ButtonSnapshot& now = s_.buttonsNow;
    const ButtonSnapshot& before = s_.buttonsBefore;
    const bool primaryChanged = now.primary != before.primary;
    const bool secondaryChanged = now.secondary != before.secondary;

    switch (s_.dragState) {
    case kDragIdle:
        s_.dragState = kDragReady;
        break;
    case kDragReady:
        break;
    case kDragPressed: {
        POINT cursor = s_.dragStart;
        ops_.getCursorPos(&cursor);
        if (Distance(cursor.x, s_.dragStart.x) > ops_.getSystemMetrics(SM_CXDRAG) ||
            Distance(cursor.y, s_.dragStart.y) > ops_.getSystemMetrics(SM_CYDRAG))
            s_.dragState = kDragMoving;
        // A release in the same event as the move still counts as a click.
        if (primaryChanged || secondaryChanged) {
            s_.dragState = kDragIdle;
            if (!now.escape) {
                if (s_.dragKind == kDragKindSecondary) PostGesture(kTargetSecondaryClick);
                if (s_.dragKind == kDragKindPrimary) PostGesture(kTargetPrimaryClick);
            }
        }
        break;
    }
    case kDragMoving:
        if (now.middle != before.middle || now.escape) {
            s_.dragState = kDragIdle;
        } else if (s_.dragKind == kDragKindSecondary) {
            if (primaryChanged) {
                s_.dragState = kDragIdle;
            } else if (secondaryChanged) {
                s_.dragState = kDragIdle;
                PostGesture(kTargetSecondaryDrag);
            }
        } else if (s_.dragKind == kDragKindPrimary) {
            if (secondaryChanged) {
                s_.dragState = kDragIdle;
            } else if (primaryChanged) {
                s_.dragState = kDragIdle;
                PostGesture(kTargetPrimaryDrag);
            }
        } else {
            s_.dragState = kDragIdle;
        }
        break;
    }
}

void HookLogic::CheckTrigger() {
    const uint8_t keys = s_.hookKey & kHookKeyMask;
    if (!s_.triggerTarget.window || keys == 0) return;

    bool complete = true;
    if (keys & kHookKeyMiddle) {
        const bool middleDown = s_.buttonsNow.middle != 0;
        if (keys == kHookKeyMiddle) {
            // The middle button alone completes at its release.
            if (middleDown) {
                s_.middleSeen = 1;
                s_.triggerArmed = 1;
                return;
            }
            complete = s_.middleSeen == 1;
            s_.middleSeen = 0;
        } else {
            complete = middleDown;
            s_.middleSeen = 0;
        }
    }
    // A modifier is read only while it can still decide the outcome.
    if (complete && (keys & kHookKeyCtrl)) complete = KeyDown(VK_CONTROL);
    if (complete && (keys & kHookKeyAlt)) complete = KeyDown(VK_MENU);
    if (complete && (keys & kHookKeyShift)) complete = KeyDown(VK_SHIFT);

    if (complete) {
        if (s_.triggerArmed == 1) {
            // This program has the user's input, so it may pass the right to
            // take the foreground on; Windows keeps it from a program in the
            // background otherwise (SetForegroundWindow, "Remarks").
            if (s_.triggerProcess) ops_.allowSetForegroundWindow(s_.triggerProcess);
            Post(s_.triggerTarget, s_.triggerTarget.lParam);
        }
        s_.triggerArmed = 0;
    } else {
        s_.triggerArmed = 1;
    }
}

uint8_t HookLogic::InitHook(HWND window, UINT message, uint32_t wParam, int32_t lParam) {
    if (!InstallInputHooks()) return 0;
    s_.triggerTarget = PostTarget{window, message, wParam, lParam};
    // Once here, not on every trigger: the hook procedures stay cheap.
    DWORD process = 0;
    if (window) ops_.getWindowThreadProcessId(window, &process);
    s_.triggerProcess = process;
    return 1;
}

uint8_t HookLogic::InitHookDD(HWND dragWindow, const PostTarget (&targets)[4]) {
    if (!InstallInputHooks()) return 0;
    s_.dragWindow = dragWindow;
    for (int i = 0; i < 4; ++i) {
        // Gestures post the press point instead.
        s_.dragTargets[i] = targets[i];
        s_.dragTargets[i].lParam = 0;
    }
    return 1;
}

HHOOK HookLogic::HideHook(HWND watched, const PostTarget& target) {
    s_.hideWindow = watched;
    s_.hideTarget = target;
    if (hooks_.foreground) ops_.unhookWinEvent(hooks_.foreground);
    hooks_.foreground = nullptr;
    s_.hideEnabled = 1;
    if (watched) {
        hooks_.foreground = ops_.watchForeground();
        // Off until the launcher knows whether the panel is pinned.
        s_.hideEnabled = 0;
    }
    // Not a hook for UnhookWindowsHookEx: it only tells that activations are
    // watched; Unhook and the next HideHook release it.
    return reinterpret_cast<HHOOK>(hooks_.foreground);
}

int32_t HookLogic::PauseHideHook(int32_t mode) {
    if (mode == kHideOff) s_.hideEnabled = 0;
    if (mode == kHideOn) s_.hideEnabled = 1;
    return s_.hideEnabled ? 1 : 0;
}

void HookLogic::Unhook() {
    HHOOK* hooks[] = {&hooks_.keyboard, &hooks_.mouse};
    for (HHOOK* hook : hooks) {
        if (*hook) ops_.unhookWindowsHookEx(*hook);
        *hook = nullptr;
    }
    if (hooks_.foreground) ops_.unhookWinEvent(hooks_.foreground);
    hooks_.foreground = nullptr;
    s_.hideEnabled = 1;
}

void HookLogic::DDEntry(int32_t kind) {
    // Idle means no event has passed since the last gesture ended.
    if (s_.dragState == kDragIdle) return;
    if (kind == kDragKindSecondary || kind == kDragKindPrimary) {
        POINT cursor = s_.dragStart;
        ops_.getCursorPos(&cursor);
        s_.dragKind = kind;
        s_.dragState = kDragPressed;
        s_.dragStart = cursor;
    } else {
        s_.dragState = kDragIdle;
        s_.dragKind = 0;
    }
}

bool HookLogic::IsWindowOrAncestor(HWND watched, HWND w) const {
    // GetParent also yields the owner of a pop-up, so owned dialogs count.
    for (int depth = 0; w && depth < kMaxAncestors; ++depth) {
        if (w == watched) return true;
        w = ops_.getParent(w);
    }
    return false;
}

bool HookLogic::KeyDown(int key) const {
    // Down is any bit of the high byte; bit 0 only says "pressed since".
    return (static_cast<uint16_t>(ops_.getAsyncKeyState(key)) & 0xFF00) != 0;
}

bool HookLogic::InstallInputHooks() {
    if (hooks_.keyboard && hooks_.mouse) return true;
    // What a VELK that ended without Unhook left behind is no gesture of ours.
    ResetInputState();
    // Both are always attempted, so that a failure releases whichever worked.
    hooks_.keyboard = ops_.setHook(WH_KEYBOARD);
    hooks_.mouse = ops_.setHook(WH_MOUSE);
    if (!hooks_.keyboard || !hooks_.mouse) {
        Unhook();
        return false;
    }
    return true;
}

void HookLogic::ResetInputState() {
    s_.triggerArmed = 1;
    s_.middleSeen = 0;
    s_.dragKind = 0;
    s_.dragState = kDragIdle;
    s_.dragStart = POINT{-1, -1};
    s_.buttonsNow = ButtonSnapshot{};
    s_.buttonsBefore = ButtonSnapshot{};
}

void HookLogic::PostGesture(int targetIndex) {
    const PostTarget& target = s_.dragTargets[targetIndex];
    if (!target.window) return;
    // The press point, each coordinate cut to 16 bits as in a mouse message.
    Post(target, MAKELPARAM(static_cast<WORD>(s_.dragStart.x), static_cast<WORD>(s_.dragStart.y)));
}

void HookLogic::Post(const PostTarget& target, LPARAM lParam) {
    // Never sent: the hook must not wait for the launcher.
    ops_.postMessage(target.window, target.message, target.wParam, lParam);
}

bool HookLogic::MiddleHeldForTrigger(bool middleDown) const {
    return (s_.hookKey & kHookKeyMiddle) && middleDown;
}

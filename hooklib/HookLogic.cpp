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

void HookLogic::CallWndProcEvent(int code, WPARAM sentByThisThread, const CWPSTRUCT* call) {
    // Every sent message of the desktop comes through here: the cheap tests first.
    if (code != HC_ACTION || !s_.hideWindow || sentByThisThread != 0 || !s_.hideEnabled || !call) return;
    if (call->message != WM_ACTIVATE || LOWORD(call->wParam) == WA_INACTIVE) return;
    if (!ops_.isWindowVisible(s_.hideWindow)) return;
    if (IsWindowOrAncestor(s_.hideWindow, call->hwnd)) return;
    if ((s_.hookKey & kHookKeyMiddle) && KeyDown(VK_MBUTTON)) return;
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
        if (s_.triggerArmed == 1) Post(s_.triggerTarget, s_.triggerTarget.lParam);
        s_.triggerArmed = 0;
    } else {
        s_.triggerArmed = 1;
    }
}

uint8_t HookLogic::InitHook(HWND window, UINT message, uint32_t wParam, int32_t lParam) {
    if (!InstallInputHooks()) return 0;
    s_.triggerTarget = PostTarget{window, message, wParam, lParam};
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
    if (s_.activateHook) ops_.unhookWindowsHookEx(s_.activateHook);
    s_.activateHook = nullptr;
    s_.hideEnabled = 1;
    if (watched) {
        s_.activateHook = ops_.setHook(WH_CALLWNDPROC);
        // Off until the launcher knows whether the panel is pinned.
        s_.hideEnabled = 0;
    }
    return s_.activateHook;
}

int32_t HookLogic::PauseHideHook(int32_t mode) {
    if (mode == kHideOff) s_.hideEnabled = 0;
    if (mode == kHideOn) s_.hideEnabled = 1;
    return s_.hideEnabled ? 1 : 0;
}

void HookLogic::Unhook() {
    HHOOK* hooks[] = {&s_.keyboardHook, &s_.mouseHook, &s_.activateHook};
    for (HHOOK* hook : hooks) {
        if (*hook) ops_.unhookWindowsHookEx(*hook);
        *hook = nullptr;
    }
    s_.hooksInstalled = 0;
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
    if (s_.hooksInstalled) return true;
    // Both are always attempted, so that a failure releases whichever worked.
    s_.keyboardHook = ops_.setHook(WH_KEYBOARD);
    s_.mouseHook = ops_.setHook(WH_MOUSE);
    if (!s_.keyboardHook || !s_.mouseHook) {
        Unhook();
        return false;
    }
    s_.hooksInstalled = 1;
    return true;
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

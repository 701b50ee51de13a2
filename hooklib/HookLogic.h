// The trigger rule, the gesture state machine, the hide rules and the hook
// bookkeeping, written over the shared state, this process's hooks and the
// platform table. The hook procedures and the exports each make one on the
// stack and call it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "hooklib/PlatformOps.h"
#include "hooklib/SharedHookState.h"

class HookLogic {
public:
    HookLogic(SharedHookState& state, InstalledHooks& hooks, const PlatformOps& ops)
        : s_(state), hooks_(hooks), ops_(ops) {}

    // What the two hook procedures do before they pass the event on.
    void KeyboardEvent(int code);
    void MouseEvent(int code, WPARAM mouseMessage, const MOUSEHOOKSTRUCT* mouse);
    // A window of any program has come to the foreground.
    void ForegroundEvent(HWND window);

    // Per keyboard or mouse event: snapshot, gestures, trigger.
    void PollInput();
    void ReadButtons();
    void UpdateDrag();
    void CheckTrigger();

    // The exports.
    uint8_t InitHook(HWND window, UINT message, uint32_t wParam, int32_t lParam);
    uint8_t InitHookDD(HWND dragWindow, const PostTarget (&targets)[4]);
    HHOOK HideHook(HWND watched, const PostTarget& target);
    int32_t PauseHideHook(int32_t mode);
    void Unhook();
    void SetHookKey(int32_t key) { s_.hookKey = static_cast<uint8_t>(key); }
    uint8_t GetHookSwitch() const { return s_.hookKey; }
    void DDEntry(int32_t kind);
    int32_t IsDragging() const { return s_.dragState == kDragMoving ? 1 : 0; }

    // True when w is watched or one of its parents or owners.
    bool IsWindowOrAncestor(HWND watched, HWND w) const;

private:
    bool KeyDown(int key) const;
    // Installs the keyboard and mouse hooks unless this process has them in
    // place already; false when either could not be installed.
    bool InstallInputHooks();
    // Forgets a half-done trigger or gesture.
    void ResetInputState();
    void PostGesture(int targetIndex);
    void Post(const PostTarget& target, LPARAM lParam);
    bool MiddleHeldForTrigger(bool middleDown) const;

    SharedHookState& s_;
    InstalledHooks& hooks_;
    const PlatformOps& ops_;
};

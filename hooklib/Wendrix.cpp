// Wendrix.dll: the shared state, the two hook procedures, the foreground
// watch and the exports. The hook procedures run inside every program that
// receives desktop input; all they keep between events lives in the shared
// section.
#include "hooklib/Wendrix.h"

#include "hooklib/HookLogic.h"

namespace {

// One copy for every process that loads the library. Only initialised data
// is shared through such a section, hence the full initialiser.
SharedHookState sharedState __attribute__((section("Hook4Vlk"), shared)) = kInitialHookState;

// Per process: the module the system maps into each hooked program, and the
// hooks this process installed.
HINSTANCE moduleHandle = nullptr;
InstalledHooks installedHooks = {};

constexpr int32_t kDllVersion = 4;
constexpr char kDllVersionText[] = "0.04a";

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD);

HHOOK SetHook(int hookType) {
    return SetWindowsHookExA(hookType, hookType == WH_KEYBOARD ? KeyboardHookProc : MouseHookProc,
                             moduleHandle, 0);
}

// Out of context: the system calls back in the installing thread, from its
// message loop, so the library is loaded into no other program for it and
// sees activations in programs it cannot be loaded into (32-bit, elevated).
HWINEVENTHOOK WatchForeground() {
    return SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged, 0, 0,
                           WINEVENT_OUTOFCONTEXT);
}

const PlatformOps kWin32 = {
    GetAsyncKeyState,
    GetSystemMetrics,
    GetCursorPos,
    PostMessageA,
    GetParent,
    IsWindowVisible,
    SetHook,
    UnhookWindowsHookEx,
    WatchForeground,
    UnhookWinEvent,
    GetWindowThreadProcessId,
    AllowSetForegroundWindow,
};

HookLogic Logic() {
    return HookLogic(sharedState, installedHooks, kWin32);
}

// Each procedure passes every event on: the library only watches. The
// handle CallNextHookEx takes is ignored, and in another program this one's
// would not be known anyway (CallNextHookEx, "Parameters").
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
    Logic().KeyboardEvent(code);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    Logic().MouseEvent(code, wParam, reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW) Logic().ForegroundEvent(window);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) moduleHandle = instance;
    return TRUE;
}

uint8_t InitHook(HWND window, UINT message, uint32_t wParam, int32_t lParam) {
    return Logic().InitHook(window, message, wParam, lParam);
}

uint8_t InitHookDD(HWND dragWindow, PostTarget secondaryClick, PostTarget secondaryDrag,
                   PostTarget primaryClick, PostTarget primaryDrag, uint8_t) {
    const PostTarget targets[4] = {secondaryClick, secondaryDrag, primaryClick, primaryDrag};
    return Logic().InitHookDD(dragWindow, targets);
}

HHOOK HideHook(HWND watched, HWND window, UINT message, uint32_t wParam, int32_t lParam) {
    return Logic().HideHook(watched, PostTarget{window, message, wParam, lParam});
}

int32_t PauseHideHook(int32_t mode) {
    return Logic().PauseHideHook(mode);
}

void Unhook() {
    Logic().Unhook();
}

void SetHookKey(int32_t key) {
    Logic().SetHookKey(key);
}

uint8_t GetHookSwitch() {
    return Logic().GetHookSwitch();
}

void DDEntry(int32_t kind) {
    Logic().DDEntry(kind);
}

int32_t IsDragging() {
    return Logic().IsDragging();
}

int32_t GetDllVersion() {
    return kDllVersion;
}

const char* GetDllVersionStr() {
    return kDllVersionText;
}

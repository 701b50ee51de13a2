// Wendrix.dll: the shared state, the three hook procedures and the exports.
// The hook procedures run inside every program that receives desktop input;
// all they keep between events lives in the shared section.
#include "hooklib/Wendrix.h"

#include "hooklib/HookLogic.h"

namespace {

// One copy for every process that loads the library. Only initialised data
// is shared through such a section, hence the full initialiser.
SharedHookState sharedState __attribute__((section("Hook4Vlk"), shared)) = kInitialHookState;

// Per process: the module the system maps into each hooked program.
HINSTANCE moduleHandle = nullptr;

constexpr int32_t kDllVersion = 4;
constexpr char kDllVersionText[] = "0.04a";

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CallWndHookProc(int code, WPARAM wParam, LPARAM lParam);

HHOOK SetHook(int hookType) {
    HOOKPROC procedure = hookType == WH_KEYBOARD ? KeyboardHookProc
                         : hookType == WH_MOUSE  ? MouseHookProc
                                                 : CallWndHookProc;
    return SetWindowsHookExA(hookType, procedure, moduleHandle, 0);
}

const PlatformOps kWin32 = {
    GetAsyncKeyState, GetSystemMetrics, GetCursorPos, PostMessageA,
    GetParent,        IsWindowVisible,  SetHook,      UnhookWindowsHookEx,
};

HookLogic Logic() {
    return HookLogic(sharedState, kWin32);
}

// Each procedure passes every event on: the library only watches.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
    Logic().KeyboardEvent(code);
    return CallNextHookEx(sharedState.keyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    Logic().MouseEvent(code, wParam, reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam));
    return CallNextHookEx(sharedState.mouseHook, code, wParam, lParam);
}

LRESULT CALLBACK CallWndHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) Logic().CallWndProcEvent(code, wParam, reinterpret_cast<const CWPSTRUCT*>(lParam));
    return CallNextHookEx(sharedState.activateHook, code, wParam, lParam);
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

// Wendrix.dll, the launcher's hook library: every function it exports.
// The library turns desktop input into WM_COMMAND posts to the panel; the
// launcher registers what to post and reads or switches a few settings.
#pragma once

#include <windows.h>

#include <cstdint>

#ifdef WENDRIX_BUILDING_DLL
#define WENDRIX_API extern "C" __declspec(dllexport)
#else
#define WENDRIX_API extern "C" __declspec(dllimport)
#endif

// What the library posts: (window, message, wParam, lParam), with the window
// handle at its native width.
struct PostTarget {
    HWND window;
    UINT message;
    uint32_t wParam;
    int32_t lParam;
};

// Bits of the trigger combination (SetHookKey, GetHookSwitch). Only
// kHookKeyMask is evaluated.
constexpr uint8_t kHookKeyCtrl = 0x01;
constexpr uint8_t kHookKeyAlt = 0x02;
constexpr uint8_t kHookKeyShift = 0x04;
constexpr uint8_t kHookKeyMiddle = 0x10;
constexpr uint8_t kHookKeyMask = 0x17;

// The kinds DDEntry takes: the button that started a gesture on the panel.
constexpr int32_t kDragKindSecondary = 1;
constexpr int32_t kDragKindPrimary = 2;

// PauseHideHook modes; any other mode only reports the setting.
constexpr int32_t kHideOff = 0;
constexpr int32_t kHideOn = 1;

// Installs the keyboard and mouse hooks (once) and registers what the
// trigger posts. 1: the hooks are in place; 0: they could not be installed.
WENDRIX_API uint8_t InitHook(HWND window, UINT message, uint32_t wParam, int32_t lParam);
// Installs as InitHook and registers the window whose presses start gestures
// and the four gesture targets: secondary click, secondary drag released,
// primary click, primary drag released. The option is accepted and not used.
WENDRIX_API uint8_t InitHookDD(HWND dragWindow, PostTarget secondaryClick, PostTarget secondaryDrag,
                               PostTarget primaryClick, PostTarget primaryDrag, uint8_t option);
// Watches for presses on and activations of windows outside `watched` and
// its own windows; activations are watched from the calling thread, which
// must run a message loop. Detection starts off: PauseHideHook(1) turns it
// on. Returns non-null while activations are watched (not a handle for
// UnhookWindowsHookEx), else null.
WENDRIX_API HHOOK HideHook(HWND watched, HWND window, UINT message, uint32_t wParam, int32_t lParam);
// 0 turns hide detection off, 1 on; any other mode reports it (1 on, 0 off).
WENDRIX_API int32_t PauseHideHook(int32_t mode);
// Releases every hook this process installed; the registered targets, the
// key and the gesture state stay.
WENDRIX_API void Unhook();
WENDRIX_API void SetHookKey(int32_t key);
WENDRIX_API uint8_t GetHookSwitch();
// The panel received a button press: 2 primary, 1 secondary; any other kind
// cancels the gesture being tracked.
WENDRIX_API void DDEntry(int32_t kind);
// 1 while a gesture begun on the panel has moved beyond the drag distance.
WENDRIX_API int32_t IsDragging();
WENDRIX_API int32_t GetDllVersion();
WENDRIX_API const char* GetDllVersionStr();

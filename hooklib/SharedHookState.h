// The hook library's state: what the hook procedures in every program read,
// shared by every process that has the library loaded (the DLL places it in
// its shared section), and what only the installing process keeps.
#pragma once

#include <windows.h>

#include <cstdint>

#include "hooklib/Wendrix.h"

// The gesture states.
constexpr int32_t kDragIdle = 0;
constexpr int32_t kDragReady = 1;
constexpr int32_t kDragPressed = 2;
constexpr int32_t kDragMoving = 3;

// One byte per button or key, 1 down, 0 up: the logical buttons (after the
// swap of the primary and secondary ones) and ESC.
struct ButtonSnapshot {
    uint8_t primary;
    uint8_t middle;
    uint8_t secondary;
    uint8_t escape;
};

// Plain data with static initial values only: it must stay an aggregate so
// that the whole of it can live in initialised shared data.
struct SharedHookState {
    uint8_t hookKey;
    uint8_t triggerArmed;
    uint8_t middleSeen;
    PostTarget triggerTarget;
    // The process of the trigger's window, which the program that receives
    // the trigger allows to take the foreground.
    DWORD triggerProcess;
    PostTarget dragTargets[4];
    HWND dragWindow;
    HWND hideWindow;
    uint8_t hideEnabled;
    PostTarget hideTarget;
    int32_t dragKind;
    int32_t dragState;
    POINT dragStart;
    ButtonSnapshot buttonsNow;
    ButtonSnapshot buttonsBefore;
};

// The values the state holds when the first process loads the library.
constexpr SharedHookState kInitialHookState = {
    kHookKeyMiddle,  // hookKey
    1,               // triggerArmed
    0,               // middleSeen
    {},              // triggerTarget
    0,               // triggerProcess
    {},              // dragTargets
    nullptr,         // dragWindow
    nullptr,         // hideWindow
    1,               // hideEnabled
    {},              // hideTarget
    0,               // dragKind
    kDragIdle,       // dragState
    {-1, -1},        // dragStart
    {0, 0, 0, 0},    // buttonsNow
    {0, 0, 0, 0},    // buttonsBefore
};

// What one process has installed, in its own (unshared) data. The system
// removes a process's hooks when it ends, crash or not; a flag or handle left
// in the shared section would tell the next VELK that hooks are in place
// while the programs that keep the library loaded hold the section.
struct InstalledHooks {
    HHOOK keyboard;
    HHOOK mouse;
    // Activations, watched from the installing thread (see HideHook).
    HWINEVENTHOOK foreground;
};

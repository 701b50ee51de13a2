// The panel's four modeless dialogs: opening, toggling and closing them.
// Each lives from its opening command to its closing, tracked by one handle
// field of the App that the message loop routes dialog messages through.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "app/App.h"
#include "app/WindowProcs.h"
#include "launchdata/LaunchSetList.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
DLGPROC ProcedureOf(int id) {
    switch (id) {
    case IDD_HOTKEY:
        return HotKeyDialogProc;
    case IDD_WALLPAPER:
        return WallpaperDialogProc;
    case IDD_ITEM:
        return ItemDialogProc;
    case IDD_SET:
        return SetDialogProc;
    }
    return nullptr;
}

// The wallpaper dialog's sliders are trackbars, a class that exists only
// once the common controls have been registered in the process.
void RegisterTrackbarClass() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
}
}  // namespace

void App::ToggleModeless(HWND& slot, int id) {
    if (slot) {
        CloseModeless(slot);
        return;
    }
    if (id == IDD_WALLPAPER) RegisterTrackbarClass();
    // The handle is stored after WM_INITDIALOG has run: a dialog that closes
    // itself there has already cleared its slot, so the slot keeps no
    // destroyed window.
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(id), panel, ProcedureOf(id), 0);
    slot = IsWindow(dialog) ? dialog : nullptr;
}

void App::CloseModeless(HWND& slot) {
    if (slot) DestroyWindow(slot);
    slot = nullptr;
    SetActiveWindow(panel);
}

void App::ToggleSetDialog(int32_t mode) {
    if (setDialog) {
        CloseModeless(setDialog);
        return;
    }
    // A new set needs a free slot; a rename always opens.
    if (mode == kSetDialogNew && launchSets->count >= launchSets->capacity) return;
    setDialogMode = mode;
    ToggleModeless(setDialog, IDD_SET);
}


// Forwarding procedures: Win32 calls plain functions, the App and its
// dialogs do the work.
#include "app/WindowProcs.h"

#include "app/App.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ConfirmDialog.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/LaunchItemDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/WallpaperDialog.h"

App* theApp = nullptr;

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return DefWindowProcA(window, message, wParam, lParam);
    return theApp->PanelProc(window, message, wParam, lParam);
}

LRESULT CALLBACK NameEditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return DefWindowProcA(window, message, wParam, lParam);
    return theApp->NameEditProc(window, message, wParam, lParam);
}

// A dialog procedure that has nothing to do answers FALSE: default handling.
INT_PTR CALLBACK ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->confirmDialog->Receive(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->aboutBox->Receive(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK HotKeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->hotKeyDialog->Receive(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK WallpaperDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->wallpaperDialog->Receive(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK ItemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->itemDialog->Receive(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK SetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->setDialog->Receive(dialog, message, wParam, lParam) : FALSE;
}

// Forwarding procedures: Win32 calls plain functions, the App does the work.
#include "app/WindowProcs.h"

#include "app/App.h"

App* theApp = nullptr;

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return DefWindowProcA(window, message, wParam, lParam);
    return theApp->PanelProc(window, message, wParam, lParam);
}

LRESULT CALLBACK NameEditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return DefWindowProcA(window, message, wParam, lParam);
    return theApp->NameEditProc(window, message, wParam, lParam);
}

INT_PTR CALLBACK ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return FALSE;
    return theApp->ConfirmDialogProc(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return FALSE;
    return theApp->AboutDialogProc(dialog, message, wParam, lParam);
}

// A dialog procedure that has nothing to do answers 0: default handling.
INT_PTR CALLBACK HotKeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->HotKeyProc(dialog, message, wParam, lParam) : 0;
}

INT_PTR CALLBACK WallpaperDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->WallpaperProc(dialog, message, wParam, lParam) : 0;
}

INT_PTR CALLBACK ItemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->ItemProc(dialog, message, wParam, lParam) : 0;
}

INT_PTR CALLBACK SetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return theApp ? theApp->SetProc(dialog, message, wParam, lParam) : 0;
}

// Opening and closing the modeless dialogs.
#include "dialogs/ModelessDialog.h"

#include "dialogs/DialogHost.h"

void ModelessDialog::Create() {
    CreateDialogParamA(host_.Instance(), MAKEINTRESOURCEA(templateId_), host_.Owner(), procedure_, 0);
}

void ModelessDialog::Close() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    host_.DialogClosed();
}

INT_PTR ModelessDialog::Receive(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The window is known from its first message on, so that a dialog that
    // closes itself in WM_INITDIALOG leaves no handle behind.
    if (message == WM_INITDIALOG) window_ = dialog;
    const bool handled = window_ == dialog && Route(message, wParam, lParam);
    // Destroyed with its owner, the panel, at the end.
    if (message == WM_NCDESTROY && window_ == dialog) window_ = nullptr;
    return handled ? TRUE : FALSE;
}

bool ModelessDialog::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ShowWindow(window_, SW_SHOW);
        OnInitDialog();
        return true;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return true;
    }
    return Dispatch(message, wParam, lParam);
}

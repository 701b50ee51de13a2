// The About box.
#include "dialogs/AboutBox.h"

#include <cstdio>

#include "dialogs/DialogHost.h"
#include "hooklib/Wendrix.h"
#include "resources/Version.h"
#include "resources/resource.h"

namespace {
constexpr char kCopyright[] = "Copyright (C) 2026 the VELK project";
constexpr char kContact[] = "Contact: the VELK project (see README.md)";
constexpr char kHookLibraryLabel[] = "Wendrix.dll ver.";
constexpr int kVersionTextSize = 260;
}  // namespace

void AboutBox::Show() {
    DialogBoxParamA(host_.Instance(), MAKEINTRESOURCEA(IDD_ABOUT), host_.Owner(), procedure_, 0);
}

INT_PTR AboutBox::Receive(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void AboutBox::OnInitDialog(HWND dialog) {
    SetWindowTextA(dialog, kAppTitle);
    SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, kAppTitle);
    SetDlgItemTextA(dialog, IDC_ABOUT_COPYRIGHT, kCopyright);
    SetDlgItemTextA(dialog, IDC_ABOUT_CONTACT, kContact);
    // Asked at run time: the library in use may be newer than the program.
    char version[kVersionTextSize] = {};
    const char* reported = GetDllVersionStr();
    snprintf(version, sizeof version, "%s %s", kHookLibraryLabel, reported ? reported : "");
    SetDlgItemTextA(dialog, IDC_ABOUT_HOOK_VERSION, version);
}

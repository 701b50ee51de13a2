// The About box and the help document.
#include <cstdio>

#include "app/App.h"
#include "app/WindowProcs.h"
#include "hooklib/Wendrix.h"
#include "launchdata/ExpandPathMacros.h"
#include "resources/resource.h"

namespace {
constexpr char kCopyright[] = "Copyright (C) 2026 the VELK project";
constexpr char kContact[] = "Contact: the VELK project (see README.md)";
constexpr char kHookLibraryLabel[] = "Wendrix.dll ver.";
constexpr int kVersionTextSize = 260;
// WinHelp is gone from current Windows: its file is used only where one
// exists, otherwise our own HTML document beside the program.
constexpr char kHelpFile[] = "$p\\VELK.hlp";
constexpr char kHelpDocument[] = "$p\\VELK.html";
}  // namespace

INT_PTR App::AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowTextA(dialog, kAppTitle);
        SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, kAppTitle);
        SetDlgItemTextA(dialog, IDC_ABOUT_COPYRIGHT, kCopyright);
        SetDlgItemTextA(dialog, IDC_ABOUT_CONTACT, kContact);
        // Asked at run time: the library in use may be newer than the program.
        char version[kVersionTextSize] = {};
        const char* reported = GetDllVersionStr();
        snprintf(version, sizeof version, "%s %s", kHookLibraryLabel, reported ? reported : "");
        SetDlgItemTextA(dialog, IDC_ABOUT_HOOK_VERSION, version);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndSmallDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void App::ShowAbout() {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), panel, ::AboutDialogProc, 0);
}

void App::ShowHelp() {
    char path[kExpandedPathSize] = {};
    if (ExpandPathMacros(kHelpFile, path, sizeof path) &&
        GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        WinHelpA(panel, path, HELP_FORCEFILE, 0);
        return;
    }
    if (ExpandPathMacros(kHelpDocument, path, sizeof path))
        ShellExecuteA(nullptr, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL);
}

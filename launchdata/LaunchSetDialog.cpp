// The launch set dialog: names a new launch set (mode 0) or renames the set
// whose tab the context menu was opened on (mode 1).
#include "app/App.h"
#include "launchdata/LaunchSetList.h"
#include "resources/resource.h"

namespace {
// A set name's length in bytes, as a LaunchSetName holds it.
constexpr WPARAM kNameLimit = 64;
// The text asked for on OK; the edit holds no more than kNameLimit.
constexpr int kNameBuffer = 259;
constexpr unsigned kSlotsPerNewSet = 18;
constexpr int kCaptionBuffer = 128;

// The dialog keeps what it was opened for, so that a context menu opened on
// another tab meanwhile does not change which set OK renames.
struct Purpose {
    int32_t mode;
    uint16_t set;
};

LONG_PTR Pack(const Purpose& purpose) {
    return LONG_PTR(purpose.mode) << 16 | purpose.set;
}
Purpose Unpack(LONG_PTR value) {
    return Purpose{int32_t(value >> 16), uint16_t(value & 0xFFFF)};
}

void SetCaption(HWND dialog, HINSTANCE instance, int stringId) {
    char text[kCaptionBuffer] = {};
    LoadStringA(instance, stringId, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_SET_CAPTION_LINE, text);
}

// An empty name cannot be applied.
void EnableOk(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, IDC_SET_NAME)) > 0);
}
}  // namespace

INT_PTR App::SetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        setDialog = dialog;
        ShowWindow(dialog, SW_SHOW);
        SendDlgItemMessageA(dialog, IDC_SET_NAME, EM_LIMITTEXT, kNameLimit, 0);
        const Purpose purpose{setDialogMode, menuSet};
        SetWindowLongPtrA(dialog, DWLP_USER, Pack(purpose));
        if (purpose.mode == kSetDialogChange) {
            SetCaption(dialog, instance, IDS_SET_CHANGE_CAPTION);
            // The set may be gone since the menu was opened.
            if (purpose.set >= launchSets->count) {
                CloseModeless(setDialog);
                return TRUE;
            }
            SetDlgItemTextA(dialog, IDC_SET_NAME, launchSets->GetSetName(purpose.set));
        } else if (purpose.mode == kSetDialogNew) {
            SetCaption(dialog, instance, IDS_SET_CREATE_CAPTION);
            char name[kNameLimit + 1] = {};
            LoadStringA(instance, IDS_NEW_LAUNCH_SET, name, sizeof name);
            SetDlgItemTextA(dialog, IDC_SET_NAME, name);
        } else {
            CloseModeless(setDialog);
            return TRUE;
        }
        EnableOk(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SET_NAME:
            EnableOk(dialog);
            break;
        case IDOK: {
            char name[kNameBuffer] = {};
            GetDlgItemTextA(dialog, IDC_SET_NAME, name, sizeof name);
            const Purpose purpose = Unpack(GetWindowLongPtrA(dialog, DWLP_USER));
            if (name[0]) {
                // A new set joins at the end; the panel stays on its set.
                if (purpose.mode == kSetDialogNew)
                    launchSets->AddSet(name, kSlotsPerNewSet);
                else
                    launchSets->SetSetName(purpose.set, name);
            }
            FullRepaint();
            CloseModeless(setDialog);
            break;
        }
        case IDCANCEL:
            CloseModeless(setDialog);
            break;
        }
        return 0;
    }
    return 0;
}

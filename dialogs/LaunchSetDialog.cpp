// The launch set dialog.
#include "dialogs/LaunchSetDialog.h"

#include "dialogs/DialogHost.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/LaunchSetName.h"
#include "resources/resource.h"

namespace {
// The text asked for on OK; the edit holds no more than a set name.
constexpr int kNameBuffer = 259;
constexpr int kCaptionBuffer = 128;
}  // namespace

LaunchSetDialog::LaunchSetDialog(DialogHost& host, DLGPROC procedure, LaunchSetList& sets)
    : ModelessDialog(host, IDD_SET, procedure), sets_(sets) {}

void LaunchSetDialog::ToggleNew() {
    if (!IsOpen() && sets_.count >= sets_.capacity) return;
    Toggle(kNew, 0);
}

void LaunchSetDialog::ToggleRename(uint16_t set) {
    Toggle(kRename, set);
}

void LaunchSetDialog::Toggle(Mode mode, uint16_t set) {
    if (IsOpen()) {
        Close();
        return;
    }
    mode_ = mode;
    set_ = set;
    Create();
}

void LaunchSetDialog::OnInitDialog() {
    SendDlgItemMessageA(window_, IDC_SET_NAME, EM_LIMITTEXT, LaunchSetName::kLimit, 0);
    if (mode_ == kRename) {
        SetCaption(IDS_SET_CHANGE_CAPTION);
        // The set may be gone since the menu was opened.
        if (set_ >= sets_.count) {
            Close();
            return;
        }
        SetDlgItemTextA(window_, IDC_SET_NAME, sets_.GetSetName(set_));
    } else {
        SetCaption(IDS_SET_CREATE_CAPTION);
        char name[LaunchSetName::kLimit + 1] = {};
        LoadStringA(host_.Instance(), IDS_NEW_LAUNCH_SET, name, sizeof name);
        SetDlgItemTextA(window_, IDC_SET_NAME, name);
    }
    EnableOk();
}

void LaunchSetDialog::OnCommand(int id) {
    switch (id) {
    case IDC_SET_NAME:
        EnableOk();
        break;
    case IDOK:
        OnOk();
        break;
    case IDCANCEL:
        Close();
        break;
    }
}

void LaunchSetDialog::OnOk() {
    char name[kNameBuffer] = {};
    GetDlgItemTextA(window_, IDC_SET_NAME, name, sizeof name);
    if (name[0]) {
        // A new set joins at the end; the panel stays on its set.
        if (mode_ == kNew)
            sets_.AddSet(name, kSlotsPerSet);
        else
            sets_.SetSetName(set_, name);
    }
    host_.PanelChanged();
    Close();
}

void LaunchSetDialog::SetCaption(int stringId) {
    char text[kCaptionBuffer] = {};
    LoadStringA(host_.Instance(), stringId, text, sizeof text);
    SetDlgItemTextA(window_, IDC_SET_CAPTION_LINE, text);
}

void LaunchSetDialog::EnableOk() {
    EnableWindow(GetDlgItem(window_, IDOK), GetWindowTextLengthA(GetDlgItem(window_, IDC_SET_NAME)) > 0);
}

// The confirmations.
#include "dialogs/ConfirmDialog.h"

#include <cstdio>

#include "dialogs/DialogHost.h"
#include "launchdata/LaunchSetList.h"
#include "resources/Version.h"
#include "resources/resource.h"

namespace {
constexpr int kConfirmTextSize = 276;
}  // namespace

ConfirmDialog::ConfirmDialog(DialogHost& host, DLGPROC procedure, const LaunchSetList& sets)
    : host_(host), procedure_(procedure), sets_(sets) {}

bool ConfirmDialog::Ask(Kind kind, CellRef first, CellRef second) {
    kind_ = kind;
    first_ = first;
    second_ = second;
    const bool overwrite = kind == kOverwriteItem || kind == kOverwriteSet;
    const INT_PTR answer = DialogBoxParamA(
        host_.Instance(), MAKEINTRESOURCEA(overwrite ? IDD_CONFIRM_OVERWRITE : IDD_CONFIRM_DELETE),
        host_.Owner(), procedure_, 0);
    kind_ = kNone;
    first_ = second_ = kNoCell;
    return answer == IDOK;
}

INT_PTR ConfirmDialog::Receive(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void ConfirmDialog::OnInitDialog(HWND dialog) {
    SetWindowTextA(dialog, kAppTitle);
    MessageBeep(MB_OK);
    switch (kind_) {
    case kOverwriteItem:
        SetQuestion(dialog, IDS_CONFIRM_OVERWRITE_ITEM);
        ShowItem(dialog, first_, IDC_CONFIRM_FIRST_ICON, IDC_CONFIRM_FIRST_NAME);
        ShowItem(dialog, second_, IDC_CONFIRM_SECOND_ICON, IDC_CONFIRM_SECOND_NAME);
        break;
    case kOverwriteSet:
        SetQuestion(dialog, IDS_CONFIRM_OVERWRITE_SET);
        ShowSet(dialog, first_, IDC_CONFIRM_FIRST_ICON, IDC_CONFIRM_FIRST_NAME);
        ShowSet(dialog, second_, IDC_CONFIRM_SECOND_ICON, IDC_CONFIRM_SECOND_NAME);
        break;
    case kDeleteItem:
        SetQuestion(dialog, IDS_CONFIRM_DELETE_ITEM);
        ShowItem(dialog, first_, IDC_CONFIRM_FIRST_ICON, IDC_CONFIRM_FIRST_NAME);
        break;
    case kDeleteSet:
        SetQuestion(dialog, IDS_CONFIRM_DELETE_SET);
        ShowSet(dialog, first_, IDC_CONFIRM_FIRST_ICON, IDC_CONFIRM_FIRST_NAME);
        break;
    case kNone:
        // Nothing to ask about: as Cancel, so the caller does nothing.
        EndDialog(dialog, IDCANCEL);
        break;
    }
}

void ConfirmDialog::OnCommand(HWND dialog, int id) {
    if (id == IDOK || id == IDCANCEL) EndDialog(dialog, id);
}

// The items' own icons are shown: they stay owned by the items.
void ConfirmDialog::ShowItem(HWND dialog, CellRef item, int iconId, int nameId) const {
    const LaunchItemInfo info = sets_.GetItemInfo(CellRefSet(item), CellRefCell(item));
    SendDlgItemMessageA(dialog, iconId, STM_SETICON, reinterpret_cast<WPARAM>(info.icon), 0);
    SetDlgItemTextA(dialog, nameId, info.name ? info.name : "");
}

void ConfirmDialog::ShowSet(HWND dialog, CellRef set, int iconId, int nameId) const {
    const char* name = sets_.GetSetName(CellRefSet(set));
    char text[kConfirmTextSize] = {};
    snprintf(text, sizeof text, "[ %s ]", name ? name : "");
    SetDlgItemTextA(dialog, nameId, text);
    // LoadIconA's icons are shared: nothing to destroy.
    SendDlgItemMessageA(
        dialog, iconId, STM_SETICON,
        reinterpret_cast<WPARAM>(LoadIconA(host_.Instance(), MAKEINTRESOURCEA(IDI_LAUNCH_SET))), 0);
}

void ConfirmDialog::SetQuestion(HWND dialog, int stringId) const {
    char text[kConfirmTextSize] = {};
    LoadStringA(host_.Instance(), stringId, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_CONFIRM_QUESTION, text);
}

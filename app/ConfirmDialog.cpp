// The modal confirmations before an item or a set is deleted or
// overwritten, and the two menu commands that delete.
#include <cstdio>

#include "app/App.h"
#include "app/WindowProcs.h"
#include "launchdata/LaunchSetList.h"
#include "resources/resource.h"

namespace {
constexpr int kConfirmTextSize = 276;

uint16_t SetOf(int32_t reference) {
    return static_cast<uint16_t>(static_cast<uint32_t>(reference) >> 16);
}
uint16_t CellOf(int32_t reference) {
    return static_cast<uint16_t>(reference & 0xFFFF);
}

void SetQuestion(HWND dialog, HINSTANCE instance, int stringId) {
    char text[kConfirmTextSize] = {};
    LoadStringA(instance, stringId, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_CONFIRM_QUESTION, text);
}

// The items' own icons are shown: they stay owned by the items.
void ShowItem(HWND dialog, const LaunchSetList& sets, int32_t reference, int iconId, int nameId) {
    const LaunchItemInfo info = sets.GetItemInfo(SetOf(reference), CellOf(reference));
    SendDlgItemMessageA(dialog, iconId, STM_SETICON, reinterpret_cast<WPARAM>(info.icon), 0);
    SetDlgItemTextA(dialog, nameId, info.name ? info.name : "");
}

void ShowSet(HWND dialog, HINSTANCE instance, const LaunchSetList& sets, int32_t reference, int iconId,
             int nameId) {
    const char* name = sets.GetSetName(SetOf(reference));
    char text[kConfirmTextSize] = {};
    snprintf(text, sizeof text, "[ %s ]", name ? name : "");
    SetDlgItemTextA(dialog, nameId, text);
    // LoadIconA's icons are shared: nothing to destroy.
    SendDlgItemMessageA(dialog, iconId, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_LAUNCH_SET))), 0);
}
}  // namespace

INT_PTR App::ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, kAppTitle);
        MessageBeep(MB_OK);
        switch (confirmKind) {
        case kConfirmOverwriteItem:
            SetQuestion(dialog, instance, IDS_CONFIRM_OVERWRITE_ITEM);
            ShowItem(dialog, *launchSets, confirmFirst, IDC_CONFIRM_FIRST_ICON, IDC_CONFIRM_FIRST_NAME);
            ShowItem(dialog, *launchSets, confirmSecond, IDC_CONFIRM_SECOND_ICON, IDC_CONFIRM_SECOND_NAME);
            break;
        case kConfirmOverwriteSet:
            SetQuestion(dialog, instance, IDS_CONFIRM_OVERWRITE_SET);
            ShowSet(dialog, instance, *launchSets, confirmFirst, IDC_CONFIRM_FIRST_ICON,
                    IDC_CONFIRM_FIRST_NAME);
            ShowSet(dialog, instance, *launchSets, confirmSecond, IDC_CONFIRM_SECOND_ICON,
                    IDC_CONFIRM_SECOND_NAME);
            break;
        case kConfirmDeleteItem:
            SetQuestion(dialog, instance, IDS_CONFIRM_DELETE_ITEM);
            ShowItem(dialog, *launchSets, confirmFirst, IDC_CONFIRM_FIRST_ICON, IDC_CONFIRM_FIRST_NAME);
            break;
        case kConfirmDeleteSet:
            SetQuestion(dialog, instance, IDS_CONFIRM_DELETE_SET);
            ShowSet(dialog, instance, *launchSets, confirmFirst, IDC_CONFIRM_FIRST_ICON,
                    IDC_CONFIRM_FIRST_NAME);
            break;
        default:
            // Nothing to ask about: as Cancel, so the caller does nothing.
            EndDialog(dialog, IDCANCEL);
            break;
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndSmallDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void App::EndSmallDialog(HWND dialog, int result) {
    EndDialog(dialog, result);
    confirmKind = 0;
    confirmSecond = -1;
    confirmFirst = -1;
}

bool App::Confirm(int32_t kind, int32_t first, int32_t second) {
    confirmKind = kind;
    confirmFirst = first;
    confirmSecond = second;
    const int dialogId = (kind == kConfirmOverwriteItem || kind == kConfirmOverwriteSet)
                             ? IDD_CONFIRM_OVERWRITE
                             : IDD_CONFIRM_DELETE;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(dialogId), panel, ::ConfirmDialogProc, 0) == IDOK;
}

void App::OnDeleteItemCommand() {
    const int32_t item = menuItem;
    // The menu offers the entry only over an item.
    if (item < 0) return;
    if (!Confirm(kConfirmDeleteItem, item, 0)) return;
    launchSets->RemoveItem(SetOf(item), CellOf(item));
    FullRepaint();
}

void App::OnDeleteSetCommand() {
    if (launchSets->count < 2) return;
    if (!Confirm(kConfirmDeleteSet, static_cast<int32_t>(menuSet) << 16, 0)) return;
    launchSets->RemoveSet(menuSet);
    launchSets->CompactSets();
    // The shown index goes down by one whichever set went.
    if (currentSet > 0) --currentSet;
    KeepCurrentSetValid();
    FullRepaint();
}

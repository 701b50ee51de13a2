// The hot-key dialog.
#include "dialogs/HotKeyDialog.h"

#include <cstdint>

#include "dialogs/DialogHost.h"
#include "hooklib/Wendrix.h"
#include "resources/resource.h"

namespace {
// Each box and the key bit it stands for.
struct KeyBox {
    int id;
    uint8_t bit;
};
constexpr KeyBox kKeyBoxes[] = {
    {IDC_HOTKEY_MIDDLE, kHookKeyMiddle},
    {IDC_HOTKEY_CTRL, kHookKeyCtrl},
    {IDC_HOTKEY_ALT, kHookKeyAlt},
    {IDC_HOTKEY_SHIFT, kHookKeyShift},
};
// A mouse with fewer buttons has no middle one to trigger with.
constexpr int kMiddleButtonCount = 3;

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
}  // namespace

HotKeyDialog::HotKeyDialog(DialogHost& host, DLGPROC procedure)
    : ModelessDialog(host, IDD_HOTKEY, procedure) {}

void HotKeyDialog::Toggle() {
    if (IsOpen())
        Close();
    else
        Create();
}

void HotKeyDialog::OnInitDialog() {
    const uint8_t key = GetHookSwitch();
    for (const KeyBox& box : kKeyBoxes)
        CheckDlgButton(window_, box.id, (key & box.bit) ? BST_CHECKED : BST_UNCHECKED);
    // A stored middle-button key from a mouse that had one cannot be used here.
    if (GetSystemMetrics(SM_CMOUSEBUTTONS) < kMiddleButtonCount) {
        CheckDlgButton(window_, IDC_HOTKEY_MIDDLE, BST_UNCHECKED);
        EnableWindow(GetDlgItem(window_, IDC_HOTKEY_MIDDLE), FALSE);
    }
    EnableOk();
}

void HotKeyDialog::OnCommand(int id) {
    switch (id) {
    case IDC_HOTKEY_MIDDLE:
    case IDC_HOTKEY_CTRL:
    case IDC_HOTKEY_ALT:
    case IDC_HOTKEY_SHIFT:
        // The auto check box has already changed itself.
        EnableOk();
        break;
    case IDOK: {
        uint8_t key = 0;
        for (const KeyBox& box : kKeyBoxes)
            if (Checked(window_, box.id)) key |= box.bit;
        if (key & kHookKeyMask) {
            SetHookKey(key);
            host_.SettingsChanged();
        }
        Close();
        break;
    }
    case IDCANCEL:
        Close();
        break;
    }
}

void HotKeyDialog::EnableOk() {
    bool any = false;
    for (const KeyBox& box : kKeyBoxes) any = any || Checked(window_, box.id);
    EnableWindow(GetDlgItem(window_, IDOK), any);
}

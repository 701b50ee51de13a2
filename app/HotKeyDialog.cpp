// The hot-key dialog: which of the middle button, CTRL, ALT and SHIFT make up
// the trigger that shows and hides the panel. The hook library holds the key;
// the data file takes it from there when the program ends.
#include "app/App.h"
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
constexpr int kMiddleButtonCount = 3;

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// A trigger needs at least one part.
void EnableOk(HWND dialog) {
    bool any = false;
    for (const KeyBox& box : kKeyBoxes) any = any || Checked(dialog, box.id);
    EnableWindow(GetDlgItem(dialog, IDOK), any);
}

void OnInitDialog(HWND dialog) {
    ShowWindow(dialog, SW_SHOW);
    const uint8_t key = GetHookSwitch();
    for (const KeyBox& box : kKeyBoxes)
        CheckDlgButton(dialog, box.id, (key & box.bit) ? BST_CHECKED : BST_UNCHECKED);
    // A stored middle-button key from a mouse that had one cannot be used here.
    if (GetSystemMetrics(SM_CMOUSEBUTTONS) < kMiddleButtonCount) {
        CheckDlgButton(dialog, IDC_HOTKEY_MIDDLE, BST_UNCHECKED);
        EnableWindow(GetDlgItem(dialog, IDC_HOTKEY_MIDDLE), FALSE);
    }
    EnableOk(dialog);
}

uint8_t CheckedKey(HWND dialog) {
    uint8_t key = 0;
    for (const KeyBox& box : kKeyBoxes)
        if (Checked(dialog, box.id)) key |= box.bit;
    return key;
}
}  // namespace

INT_PTR App::HotKeyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        hotKeyDialog = dialog;
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_HOTKEY_MIDDLE:
        case IDC_HOTKEY_CTRL:
        case IDC_HOTKEY_ALT:
        case IDC_HOTKEY_SHIFT:
            // The auto check box has already changed itself.
            EnableOk(dialog);
            break;
        case IDOK: {
            const uint8_t key = CheckedKey(dialog);
            if (key & kHookKeyMask) SetHookKey(key);
            ScheduleSave();
            CloseModeless(hotKeyDialog);
            break;
        }
        case IDCANCEL:
            CloseModeless(hotKeyDialog);
            break;
        }
        return 0;
    }
    return 0;
}

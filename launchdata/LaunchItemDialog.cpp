// The launch item dialog: creates an item where the context menu was opened
// (on a cell, in the gap before one, or anywhere in the set) or changes the
// item under it. The fields are typed, browsed for or dropped on the dialog.
#include <windows.h>
// commdlg.h and shellapi.h need windows.h first.
#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>

#include "app/App.h"
#include "app/FileChooser.h"
#include "app/UniqueHandle.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/ShortcutFile.h"
#include "panel/HitCode.h"
#include "panel/ItemGrid.h"
#include "resources/resource.h"

namespace {
// What OK does, fixed when the dialog opens; 0 counts as kAnywhere.
enum ItemDialogMode : int32_t { kOnCell = 1, kBeforeCell = 2, kAnywhere = 3 };

constexpr int kTextBuffer = MAX_PATH;
constexpr int kCaptionBuffer = 160;
constexpr int kMessageBuffer = 160;
constexpr UINT kQueryFileCount = 0xFFFFFFFF;
// "全てのファイル(*.*)" in code page 932. Every file is offered.
constexpr char kAllFilesFilter[] =
    "\x91S\x82\xC4\x82\xCC\x83t\x83@\x83"
    "C\x83\x8B(*.*)\0*.*\0";

// The remembered target: mode, set and cell in one 32-bit value.
int32_t PackTarget(int32_t mode, int set, int cell) {
    return (mode & 0xFF) | (set & 0xFF) << 8 | (cell & 0xFF) << 16;
}
int32_t TargetMode(int32_t target) {
    return target & 0xFF;
}
uint16_t TargetSet(int32_t target) {
    return uint16_t((target >> 8) & 0xFF);
}
uint16_t TargetCell(int32_t target) {
    return uint16_t((target >> 16) & 0xFF);
}

ItemPlacement PlacementOf(int32_t mode) {
    switch (mode) {
    case kOnCell:
        return ItemPlacement::Replace;
    case kBeforeCell:
        return ItemPlacement::Insert;
    }
    return ItemPlacement::FirstFree;
}

// The icon control shows a copy that the dialog owns (DWLP_USER): the item's
// own icon and the icon source's last lookup can both go while it is shown.
void ShowIcon(HWND dialog, HICON icon) {
    HICON copy = icon ? CopyIcon(icon) : nullptr;
    SendDlgItemMessageA(dialog, IDC_ITEM_ICON, STM_SETICON, reinterpret_cast<WPARAM>(copy), 0);
    UniqueIcon previous(
        reinterpret_cast<HICON>(SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(copy))));
}

void FillFields(HWND dialog, const char* name, const char* target, const char* workingFolder, HICON icon) {
    SetDlgItemTextA(dialog, IDC_ITEM_NAME, name);
    SetDlgItemTextA(dialog, IDC_ITEM_TARGET, target);
    SetDlgItemTextA(dialog, IDC_ITEM_WORKING_FOLDER, workingFolder);
    ShowIcon(dialog, icon);
}

void FillFromFile(HWND dialog, LaunchSetList& sets, const char* path) {
    const ItemFields fields = ItemFieldsFromFile(path);
    FillFields(dialog, fields.name, fields.target, fields.workingFolder,
               sets.iconSource.Lookup(fields.target));
}

int Ask(HWND dialog, HINSTANCE instance, int stringId, UINT buttons) {
    char text[kMessageBuffer] = {};
    LoadStringA(instance, stringId, text, sizeof text);
    return MessageBoxA(dialog, text, kAppTitle, buttons);
}

// An empty folder is not checked; one that expands to no existing folder
// may still be kept if the user says so.
bool WorkingFolderAccepted(HWND dialog, HINSTANCE instance, const char* folder) {
    char expanded[kTextBuffer] = {};
    const bool expandedWhole = ExpandPathMacros(folder, expanded, sizeof expanded) != nullptr;
    if (expandedWhole && !expanded[0]) return true;
    const DWORD attributes = expandedWhole ? GetFileAttributesA(expanded) : INVALID_FILE_ATTRIBUTES;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    return Ask(dialog, instance, IDS_BAD_WORKING_FOLDER, MB_OKCANCEL) == IDOK;
}
}  // namespace

INT_PTR App::ItemProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        itemDialog = dialog;
        itemDialogTarget = 0;
        ShowWindow(dialog, SW_SHOW);
        // Where the context menu was asked for; (-1, -1) from the
        // notification icon lies outside the grid.
        const int32_t hit = itemGrid->GridHit(menuPoint.x, menuPoint.y, kPanelWidth, kPanelHeight);
        const int set = currentSet;
        int32_t mode = kAnywhere;
        int cell = 0;
        int stringId = IDS_ITEM_CREATE;
        LaunchItemInfo item;
        if (IsOnHit(hit)) {
            mode = kOnCell;
            cell = HitIndex(hit);
            item = launchSets->GetItemInfo(set, cell);
            stringId = item.icon ? IDS_ITEM_CHANGE : IDS_ITEM_CREATE_AT;
        } else if (IsGapHit(hit)) {
            mode = kBeforeCell;
            cell = HitIndex(hit);
            stringId = IDS_ITEM_INSERT;
        }
        itemDialogTarget = PackTarget(mode, set, cell);

        char words[kCaptionBuffer] = {};
        char caption[kCaptionBuffer + 32] = {};
        LoadStringA(instance, stringId, words, sizeof words);
        if (mode == kAnywhere)
            snprintf(caption, sizeof caption, "%s ( %d )", words, set);
        else
            snprintf(caption, sizeof caption, "%s ( %d - %d )", words, set, cell);
        SetDlgItemTextA(dialog, IDC_ITEM_CAPTION_LINE, caption);
        if (item.icon)
            FillFields(dialog, item.name, item.target, item.workingFolder ? item.workingFolder : "",
                       item.icon);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char name[kTextBuffer] = {};
            char target[kTextBuffer] = {};
            char folder[kTextBuffer] = {};
            GetDlgItemTextA(dialog, IDC_ITEM_NAME, name, sizeof name);
            GetDlgItemTextA(dialog, IDC_ITEM_TARGET, target, sizeof target);
            GetDlgItemTextA(dialog, IDC_ITEM_WORKING_FOLDER, folder, sizeof folder);
            if (!name[0]) {
                Ask(dialog, instance, IDS_NEED_NAME, MB_OK);
                break;
            }
            if (!WorkingFolderAccepted(dialog, instance, folder)) break;
            // Target and folder are stored as typed, macros and all.
            const int32_t target32 = itemDialogTarget;
            launchSets->CreateItem(TargetSet(target32), TargetCell(target32), name, target, folder,
                                   PlacementOf(TargetMode(target32)));
            FullRepaint();
            CloseModeless(itemDialog);
            break;
        }
        case IDCANCEL:
            CloseModeless(itemDialog);
            break;
        case IDC_ITEM_BROWSE: {
            char path[kTextBuffer] = {};
            if (ChooseExistingFile(dialog, kAllFilesFilter, nullptr, path, sizeof path))
                FillFromFile(dialog, *launchSets, path);
            break;
        }
        }
        return 0;
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        // Only a single file says which item to make.
        if (DragQueryFileA(drop, kQueryFileCount, nullptr, 0) == 1) {
            char path[kTextBuffer] = {};
            DragQueryFileA(drop, 0, path, sizeof path);
            FillFromFile(dialog, *launchSets, path);
        }
        DragFinish(drop);
        return 0;
    }
    case WM_DESTROY:
        ShowIcon(dialog, nullptr);
        return 0;
    }
    return 0;
}

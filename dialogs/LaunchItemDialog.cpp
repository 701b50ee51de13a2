// The launch item dialog.
#include "dialogs/LaunchItemDialog.h"

#include <cstdio>
#include <utility>

#include "base/DroppedFile.h"
#include "base/FileChooser.h"
#include "dialogs/DialogHost.h"
#include "dialogs/PathRefusal.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/ShortcutFile.h"
#include "resources/Version.h"
#include "resources/resource.h"

namespace {
constexpr int kTextBuffer = MAX_PATH;
constexpr int kCaptionBuffer = 160;
constexpr int kMessageBuffer = 160;
// "全てのファイル(*.*)" in code page 932. Every file is offered.
constexpr char kAllFilesFilter[] =
    "\x91S\x82\xC4\x82\xCC\x83t\x83@\x83"
    "C\x83\x8B(*.*)\0*.*\0";

ItemPlacement PlacementOf(ItemTarget::Mode mode) {
    switch (mode) {
    case ItemTarget::kOnCell:
        return ItemPlacement::Replace;
    case ItemTarget::kBeforeCell:
        return ItemPlacement::Insert;
    case ItemTarget::kAnywhere:
        break;
    }
    return ItemPlacement::FirstFree;
}
}  // namespace

LaunchItemDialog::LaunchItemDialog(DialogHost& host, DLGPROC procedure, LaunchSetList& sets)
    : ModelessDialog(host, IDD_ITEM, procedure), sets_(sets) {}

void LaunchItemDialog::Toggle(const ItemTarget& target) {
    if (IsOpen()) {
        Close();
        return;
    }
    target_ = target;
    Create();
}

bool LaunchItemDialog::Dispatch(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return true;
    case WM_DESTROY:
        OnDestroy();
        return true;
    }
    return false;
}

void LaunchItemDialog::OnInitDialog() {
    wantedIcon_.clear();
    LaunchItemInfo item;
    int stringId = IDS_ITEM_CREATE;
    if (target_.mode == ItemTarget::kOnCell) {
        item = sets_.GetItemInfo(target_.set, target_.cell);
        stringId = item.icon ? IDS_ITEM_CHANGE : IDS_ITEM_CREATE_AT;
    } else if (target_.mode == ItemTarget::kBeforeCell) {
        stringId = IDS_ITEM_INSERT;
    }
    char words[kCaptionBuffer] = {};
    char caption[kCaptionBuffer + 32] = {};
    LoadStringA(host_.Instance(), stringId, words, sizeof words);
    if (target_.mode == ItemTarget::kAnywhere)
        snprintf(caption, sizeof caption, "%s ( %d )", words, target_.set);
    else
        snprintf(caption, sizeof caption, "%s ( %d - %d )", words, target_.set, target_.cell);
    SetDlgItemTextA(window_, IDC_ITEM_CAPTION_LINE, caption);
    if (item.icon)
        FillFields(item.name, item.target, item.workingFolder ? item.workingFolder : "", item.icon);
}

void LaunchItemDialog::OnCommand(int id) {
    switch (id) {
    case IDOK:
        OnOk();
        break;
    case IDCANCEL:
        Close();
        break;
    case IDC_ITEM_BROWSE: {
        ShellPath file;
        if (ChooseExistingFile(window_, kAllFilesFilter, nullptr, file)) FillFromFile(file);
        break;
    }
    }
}

void LaunchItemDialog::OnDropFiles(HDROP drop) {
    // Only a single file says which item to make.
    const std::vector<ShellPath> files = TakeDroppedFiles(drop);
    if (files.size() == 1) FillFromFile(files[0]);
}

void LaunchItemDialog::OnDestroy() {
    wantedIcon_.clear();
    ShowIcon(nullptr);
}

void LaunchItemDialog::IconArrived(const std::string& target, HICON icon) {
    if (wantedIcon_.empty() || target != wantedIcon_) return;
    wantedIcon_.clear();
    if (icon) ShowIcon(icon);
}

void LaunchItemDialog::OnOk() {
    char name[kTextBuffer] = {};
    char target[kTextBuffer] = {};
    char folder[kTextBuffer] = {};
    GetDlgItemTextA(window_, IDC_ITEM_NAME, name, sizeof name);
    GetDlgItemTextA(window_, IDC_ITEM_TARGET, target, sizeof target);
    GetDlgItemTextA(window_, IDC_ITEM_WORKING_FOLDER, folder, sizeof folder);
    if (!name[0]) {
        Ask(IDS_NEED_NAME, MB_OK);
        return;
    }
    if (!WorkingFolderAccepted(folder)) return;
    const ItemPlacement placement = PlacementOf(target_.mode);
    // The set may have filled since the dialog opened (a file dropped on the
    // panel): the user is told, and the typed item stays for CANCEL or later.
    if (placement != ItemPlacement::Replace && sets_.IsSetFull(target_.set)) {
        Ask(IDS_NO_ROOM, MB_OK);
        return;
    }
    // Target and folder are stored as typed, macros and all.
    sets_.CreateItem(target_.set, target_.cell, name, target, folder, placement);
    host_.PanelChanged();
    Close();
}

void LaunchItemDialog::FillFromFile(const ShellPath& file) {
    if (TellIfRefused(window_, host_.Instance(), file)) return;
    const ItemFields fields = ItemFieldsFromFile(file);
    // The default icon at once; the target's own when it arrives, so that a
    // slow answer from the shell never holds up the panel's thread.
    FillFields(fields.name, fields.target, fields.workingFolder, sets_.iconSource.Placeholder(fields.target));
    wantedIcon_ = fields.target;
    host_.IconsWanted();
}

void LaunchItemDialog::FillFields(const char* name, const char* target, const char* workingFolder,
                                  HICON icon) {
    SetDlgItemTextA(window_, IDC_ITEM_NAME, name);
    SetDlgItemTextA(window_, IDC_ITEM_TARGET, target);
    SetDlgItemTextA(window_, IDC_ITEM_WORKING_FOLDER, workingFolder);
    ShowIcon(icon);
}

void LaunchItemDialog::ShowIcon(HICON icon) {
    UniqueIcon copy(icon ? CopyIcon(icon) : nullptr);
    SendDlgItemMessageA(window_, IDC_ITEM_ICON, STM_SETICON, reinterpret_cast<WPARAM>(copy.get()), 0);
    // The control no longer shows the one before.
    shownIcon_ = std::move(copy);
}

bool LaunchItemDialog::WorkingFolderAccepted(const char* folder) {
    char expanded[kTextBuffer] = {};
    const bool expandedWhole = ExpandPathMacros(folder, expanded, sizeof expanded) != nullptr;
    if (expandedWhole && !expanded[0]) return true;
    const DWORD attributes = expandedWhole ? GetFileAttributesA(expanded) : INVALID_FILE_ATTRIBUTES;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    return Ask(IDS_BAD_WORKING_FOLDER, MB_OKCANCEL) == IDOK;
}

int LaunchItemDialog::Ask(int stringId, UINT buttons) {
    char text[kMessageBuffer] = {};
    LoadStringA(host_.Instance(), stringId, text, sizeof text);
    return MessageBoxA(window_, text, kAppTitle, buttons);
}

// Opening the dialogs, the two commands that ask before deleting, the help
// document, and what the dialogs ask of the App.
#include "app/App.h"
#include "base/ShellLauncher.h"
#include "dialogs/ConfirmDialog.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/LaunchItemDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/WallpaperDialog.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/LaunchSetList.h"
#include "panel/HitCode.h"
#include "panel/ItemGrid.h"
#include "panel/PanelLayout.h"

namespace {
// WinHelp is gone from current Windows: its file is used only where one
// exists, otherwise our own HTML document beside the program.
constexpr char kHelpFile[] = "$p\\VELK.hlp";
constexpr char kHelpDocument[] = "$p\\VELK.html";
}  // namespace

bool App::AnyModelessDialogOpen() const {
    return hotKeyDialog->IsOpen() || wallpaperDialog->IsOpen() || itemDialog->IsOpen() || setDialog->IsOpen();
}

ItemTarget App::ItemTargetAtMenuPoint() const {
    // (-1, -1), from the notification icon, lies outside the grid.
    const int32_t hit = itemGrid->GridHit(menuPoint.x, menuPoint.y, kPanelWidth, kPanelHeight);
    ItemTarget target;
    target.set = currentSet;
    if (IsOnHit(hit) || IsGapHit(hit)) {
        target.mode = IsOnHit(hit) ? ItemTarget::kOnCell : ItemTarget::kBeforeCell;
        target.cell = static_cast<uint16_t>(HitIndex(hit));
    }
    return target;
}

void App::OnDeleteItemCommand() {
    const CellRef item = menuItem;
    // The menu offers the entry only over an item.
    if (item == kNoCell) return;
    if (!confirmDialog->Ask(ConfirmDialog::kDeleteItem, item)) return;
    launchSets->RemoveItem(CellRefSet(item), CellRefCell(item));
    PanelChanged();
}

void App::OnDeleteSetCommand() {
    if (launchSets->count < 2) return;
    if (!confirmDialog->Ask(ConfirmDialog::kDeleteSet, MakeCellRef(menuSet))) return;
    launchSets->RemoveSet(menuSet);
    launchSets->CompactSets();
    // The shown index goes down by one whichever set went.
    if (currentSet > 0) --currentSet;
    KeepCurrentSetValid();
    PanelChanged();
}

void App::ShowHelp() {
    char path[kExpandedPathSize] = {};
    if (ExpandPathMacros(kHelpFile, path, sizeof path) &&
        GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        WinHelpA(panel, path, HELP_FORCEFILE, 0);
        return;
    }
    if (ExpandPathMacros(kHelpDocument, path, sizeof path)) launcher->Open(path, "");
}

void App::DialogClosed() {
    SetActiveWindow(panel);
    // The new-set button shows whether the set dialog is open.
    WakeTick();
}

void App::PanelChanged() {
    FullRepaint();
    ScheduleSave();
    // A new item shows the default icon until its own arrives.
    AskForIcons();
}

void App::IconsWanted() {
    AskForIcons();
}

void App::SettingsChanged() {
    ScheduleSave();
}

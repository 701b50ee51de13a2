// The panel's context menu, built afresh for each opening from what lies
// under the click and which dialogs are open.
#include "app/App.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/LaunchItemDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/WallpaperDialog.h"
#include "launchdata/LaunchSetList.h"
#include "panel/HitCode.h"
#include "panel/ItemGrid.h"
#include "panel/PanelLayout.h"
#include "panel/TabStrip.h"
#include "resources/resource.h"

namespace {
constexpr int kMenuTextSize = 260;

// Appends entries by position, as the menu grows.
class MenuBuilder {
public:
    MenuBuilder(HMENU menu, HINSTANCE instance) : menu_(menu), instance_(instance) {}

    void Add(int stringId, UINT command, bool checked = false) {
        char text[kMenuTextSize] = {};
        LoadStringA(instance_, stringId, text, sizeof text);
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
        item.fType = MFT_STRING;
        item.wID = command;
        item.dwTypeData = text;
        InsertMenuItemA(menu_, position_++, TRUE, &item);
        if (checked) CheckMenuItem(menu_, command, MF_BYCOMMAND | MF_CHECKED);
    }
    void Separator() {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
        item.fType = MFT_SEPARATOR;
        item.wID = 0;
        InsertMenuItemA(menu_, position_++, TRUE, &item);
    }

private:
    HMENU menu_;
    HINSTANCE instance_;
    UINT position_ = 0;
};
}  // namespace

UniqueMenu App::BuildContextMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    MenuBuilder entries(menu.get(), instance);
    entries.Add(IDS_HOTKEY_SETTINGS, IDM_HOTKEY_DIALOG, hotKeyDialog->IsOpen());
    entries.Add(IDS_WALLPAPER_SETTINGS, IDM_WALLPAPER_DIALOG, wallpaperDialog->IsOpen());

    bool itemSeparator = false;
    if (itemDialog->IsOpen()) {
        entries.Add(IDS_ITEM_SETTINGS_OPEN, IDM_ITEM_DIALOG, true);
    } else {
        menuItem = ItemAtMenuPoint();
        const bool hasItem = menuItem != kNoCell;
        if (hasItem) {
            entries.Separator();
            itemSeparator = true;
        }
        if (ItemDialogOffered()) entries.Add(IDS_ITEM_SETTINGS, IDM_ITEM_DIALOG);
        if (hasItem) entries.Add(IDS_DELETE_ITEM, IDM_DELETE_ITEM);
    }

    if (setDialog->IsOpen()) {
        if (itemSeparator) entries.Separator();
        entries.Add(IDS_SET_SETTINGS_OPEN, IDM_NEW_SET, true);
    } else {
        const bool canAdd = launchSets->count < launchSets->capacity;
        const int tab = tabStrip->TabAt(launchSets->count, kPanelWidth, menuPoint.x, menuPoint.y);
        const bool onTab = tab >= 0;
        bool canDelete = false;
        if (onTab) {
            menuSet = static_cast<uint16_t>(tab);
            canDelete = launchSets->count >= 2 && !itemDialog->IsOpen();
        }
        const int n = canAdd + onTab + canDelete;
        if (n >= 2 || (n == 1 && itemSeparator)) entries.Separator();
        if (canAdd) entries.Add(IDS_CREATE_SET, IDM_NEW_SET);
        if (onTab) entries.Add(IDS_CHANGE_SET, IDM_CHANGE_SET);
        if (canDelete) entries.Add(IDS_DELETE_SET, IDM_DELETE_SET);
    }

    entries.Separator();
    entries.Add(IDS_ABOUT, IDM_ABOUT);
    entries.Add(IDS_HELP, IDM_HELP);
    entries.Separator();
    entries.Add(IDS_EXIT, IDM_EXIT);
    return menu;
}

CellRef App::ItemAtMenuPoint() const {
    const int32_t g = itemGrid->GridHit(menuPoint.x, menuPoint.y, kPanelWidth, kPanelHeight);
    const auto cell = static_cast<uint16_t>(HitIndex(g));
    return IsOnHit(g) && launchSets->GetItemInfo(currentSet, cell).icon ? MakeCellRef(currentSet, cell)
                                                                        : kNoCell;
}

bool App::ItemDialogOffered() const {
    // The item's own dialog can always be opened on it; a new item needs room.
    return ItemAtMenuPoint() != kNoCell || !launchSets->IsSetFull(currentSet);
}

void App::ShowContextMenu() {
    UniqueMenu menu = BuildContextMenu();
    if (!menu) return;
    // The menu opens at the cursor, wherever the click was.
    POINT cursor = {};
    GetCursorPos(&cursor);
    // A menu closes on a click elsewhere only when its owner is the
    // foreground window while it is tracked (TrackPopupMenu's documentation:
    // the notification icon's menu would otherwise stay open).
    SetForegroundWindow(panel);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, panel,
                   nullptr);
    menu.reset();
    // Wakes the panel's thread after the menu's own loop.
    PostMessageA(panel, WM_NULL, 0, 0);
}

void App::OnSecondaryClick() {
    SetEditing(false);
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(panel, &cursor);
    menuPoint = LogicalPoint(cursor);
    ShowContextMenu();
}

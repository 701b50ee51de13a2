// The context menu read back from the menu the App builds: its entries,
// separators and check marks for what lies under the click, and the item and
// set it records.
#include "HostedApp.h"
#include "ModalLoopAnswer.h"
#include "base/UniqueHandle.h"
#include "panel/ItemGrid.h"
#include "resources/resource.h"

namespace {
using velktest::ModalLoopAnswer;

struct Entry {
    int stringId;  // 0: a separator
    UINT command;
    bool checked;
};

const Entry kSep = {0, 0, false};
const Entry kHotKey = {IDS_HOTKEY_SETTINGS, IDM_HOTKEY_DIALOG, false};
const Entry kWallpaper = {IDS_WALLPAPER_SETTINGS, IDM_WALLPAPER_DIALOG, false};
const Entry kItem = {IDS_ITEM_SETTINGS, IDM_ITEM_DIALOG, false};
const Entry kItemOpen = {IDS_ITEM_SETTINGS_OPEN, IDM_ITEM_DIALOG, true};
const Entry kDeleteItem = {IDS_DELETE_ITEM, IDM_DELETE_ITEM, false};
const Entry kNewSet = {IDS_CREATE_SET, IDM_NEW_SET, false};
const Entry kSetOpen = {IDS_SET_SETTINGS_OPEN, IDM_NEW_SET, true};
const Entry kChangeSet = {IDS_CHANGE_SET, IDM_CHANGE_SET, false};
const Entry kDeleteSet = {IDS_DELETE_SET, IDM_DELETE_SET, false};
const std::vector<Entry> kTail = {
    kSep, {IDS_ABOUT, IDM_ABOUT, false}, {IDS_HELP, IDM_HELP, false}, kSep, {IDS_EXIT, IDM_EXIT, false}};

std::vector<Entry> With(std::vector<Entry> head) {
    head.insert(head.end(), kTail.begin(), kTail.end());
    return head;
}

// What a user sees of an entry: its text (empty for a separator), command
// and check mark.
struct Shown {
    std::string text;
    UINT command;
    bool checked;
    bool operator==(const Shown& o) const {
        return text == o.text && command == o.command && checked == o.checked;
    }
};
std::ostream& operator<<(std::ostream& out, const Shown& e) {
    return out << "{\"" << e.text << "\", " << e.command << (e.checked ? ", checked}" : "}");
}

std::vector<Shown> Expected(const std::vector<Entry>& entries, HINSTANCE instance) {
    std::vector<Shown> shown;
    for (const Entry& e : entries) {
        char text[260] = {};
        if (e.stringId) LoadStringA(instance, e.stringId, text, sizeof text);
        shown.push_back({text, e.command, e.checked});
    }
    return shown;
}

std::vector<Shown> ReadMenu(HMENU menu) {
    std::vector<Shown> entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[260] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &item);
        EXPECT_FALSE(item.fState & MFS_GRAYED) << "position " << i;
        if (item.fType & MFT_SEPARATOR) text[0] = '\0';
        entries.push_back({text, item.wID, (item.fState & MFS_CHECKED) != 0});
    }
    return entries;
}

using ContextMenu = velktest::HostedAppTest;

TEST_F(ContextMenu, EntriesFollowWhatLiesUnderTheClickAndWhichDialogsAreOpen) {
    enum Where { kCell0, kCell1, kTab0, kTab1, kGapBeforeCell1, kNoPoint };
    struct Case {
        const char* name;
        int sets;
        bool fullFirstSet;
        Where where;
        bool hotKey, wallpaper, itemDialog, setDialog;
        std::vector<Entry> expected;
        int32_t menuItem;
        int menuSet;  // -1: left as it was
    };
    const Case cases[] = {
        {"occupied cell, two sets", 2, false, kCell0, false, false, false, false,
         With({kHotKey, kWallpaper, kSep, kItem, kDeleteItem, kSep, kNewSet}), 0, -1},
        {"empty cell, room, one set", 1, false, kCell1, false, false, false, false,
         With({kHotKey, kWallpaper, kItem, kNewSet}), -1, -1},
        {"tab with three sets", 3, false, kTab1, false, false, false, false,
         With({kHotKey, kWallpaper, kItem, kSep, kChangeSet, kDeleteSet}), -1, 1},
        {"tab with one set", 1, false, kTab0, false, false, false, false,
         With({kHotKey, kWallpaper, kItem, kSep, kNewSet, kChangeSet}), -1, 0},
        {"item dialog open, on a tab", 2, false, kTab1, false, false, true, false,
         With({kHotKey, kWallpaper, kItemOpen, kSep, kNewSet, kChangeSet}), 0x7777, 1},
        {"item dialog open, on an item", 2, false, kCell0, false, false, true, false,
         With({kHotKey, kWallpaper, kItemOpen, kNewSet}), 0x7777, -1},
        {"set dialog open, on an item", 2, false, kCell0, false, false, false, true,
         With({kHotKey, kWallpaper, kSep, kItem, kDeleteItem, kSep, kSetOpen}), 0, -1},
        {"set dialog open, on an empty cell", 2, false, kCell1, false, false, false, true,
         With({kHotKey, kWallpaper, kItem, kSetOpen}), -1, -1},
        {"full set, gap", 1, true, kGapBeforeCell1, false, false, false, false,
         With({kHotKey, kWallpaper, kNewSet}), -1, -1},
        {"full set, on an item", 3, true, kCell1, false, false, false, false,
         With({kHotKey, kWallpaper, kSep, kItem, kDeleteItem}), 1, -1},
        {"notification icon, three sets, dialogs open", 3, false, kNoPoint, true, true, false, false,
         With({{IDS_HOTKEY_SETTINGS, IDM_HOTKEY_DIALOG, true},
               {IDS_WALLPAPER_SETTINGS, IDM_WALLPAPER_DIALOG, true},
               kItem}),
         -1, -1},
        {"notification icon, full set, one set", 1, true, kNoPoint, false, false, false, false,
         With({kHotKey, kWallpaper, kNewSet}), -1, -1},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<std::string>> sets(c.sets, std::vector<std::string>{"first"});
        MakeSets(sets);
        if (c.fullFirstSet) FillSet(0);
        app->currentSet = 0;
        switch (c.where) {
        case kCell0:
            app->menuPoint = CellCentre(0);
            break;
        case kCell1:
            app->menuPoint = CellCentre(1);
            break;
        case kTab0:
            app->menuPoint = TabCentre(0);
            break;
        case kTab1:
            app->menuPoint = TabCentre(1);
            break;
        case kGapBeforeCell1:
            app->menuPoint = GapBefore(1);
            break;
        case kNoPoint:
            app->menuPoint = POINT{-1, -1};
            break;
        }
        OpenDialogs(c.hotKey, c.wallpaper, c.itemDialog, c.setDialog);
        app->menuItem = 0x7777;
        app->menuSet = 9;

        UniqueMenu menu = app->BuildContextMenu();
        ASSERT_TRUE(menu) << c.name;
        EXPECT_EQ(Expected(c.expected, app->instance), ReadMenu(menu.get())) << c.name;
        EXPECT_EQ(c.menuItem, app->menuItem) << c.name;
        EXPECT_EQ(c.menuSet < 0 ? 9 : c.menuSet, app->menuSet) << c.name;
    }
}

TEST_F(ContextMenu, ASecondaryClickOpensTheMenuAtTheCursorForTheItemThere) {
    MakeSets({{"first", "second"}, {"other"}});
    app->currentSet = 0;
    SetForegroundWindow(app->panel);
    POINT cell = CellCentre(1);
    ClientToScreen(app->panel, &cell);
    ASSERT_TRUE(velktest::MoveCursorTo(cell.x, cell.y));
    // Editing ends with the click.
    SendMessageA(app->panel, WM_COMMAND, IDM_ENTER, 0);

    RECT shown = {};
    int entries = 0;
    ModalLoopAnswer menu(
        [&](HWND window) {
            GetWindowRect(window, &shown);
            entries = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)));
            velktest::SaveScreenshot(window, "context_menu_on_item");
            EndMenu();
        },
        "#32768");
    SendMessageA(app->panel, WM_COMMAND, IDM_SECONDARY_CLICK, 0);
    EXPECT_TRUE(menu.Answered());
    EXPECT_TRUE(GetWindowLongA(app->nameEdit, GWL_STYLE) & ES_READONLY);
    POINT client = CellCentre(1);
    EXPECT_EQ(client.x, app->menuPoint.x);
    EXPECT_EQ(client.y, app->menuPoint.y);
    EXPECT_EQ(1, app->menuItem);
    EXPECT_EQ(12, entries);
    EXPECT_EQ(cell.x, shown.left);
    EXPECT_EQ(cell.y, shown.top);
}

TEST_F(ContextMenu, TheNotificationIconOpensTheMenuWithoutAPoint) {
    MakeSets({{"first"}});
    app->menuPoint = CellCentre(0);
    app->menuItem = 5;
    // Another window is in front, as when the icon is clicked: the menu
    // closes on a click elsewhere only while its owner is in the foreground.
    HWND other = CreateWindowExA(0, "STATIC", "elsewhere", WS_POPUP | WS_VISIBLE, 600, 400, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(velktest::WaitFor([&] {
        SetForegroundWindow(other);
        return GetForegroundWindow() == other;
    }));
    HWND foreground = nullptr;
    ModalLoopAnswer menu(
        [&](HWND) {
            foreground = GetForegroundWindow();
            EndMenu();
        },
        "#32768");
    SendMessageA(app->panel, kTrayCallbackMessage, 1, WM_RBUTTONUP);
    DestroyWindow(other);
    EXPECT_TRUE(menu.Answered());
    EXPECT_EQ(app->panel, foreground);
    EXPECT_EQ(-1, app->menuPoint.x);
    EXPECT_EQ(-1, app->menuPoint.y);
    EXPECT_EQ(-1, app->menuItem);
}

}  // namespace

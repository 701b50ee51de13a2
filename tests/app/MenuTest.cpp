// The context menu built for what lies under the click, the notification icon's menu, the delete commands
// that ask first, and the About box.
#include "HostedApp.h"

using namespace velktest;

using Menus = HostedApp;

// The entries by command, "-" for a separator, "*" after a checked one.
std::string Entries(HMENU menu) {
    std::string entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        entries += (i ? " " : "") + ((state & MF_SEPARATOR) ? "-" : std::to_string(GetMenuItemID(menu, i)));
        if (state & MF_CHECKED) entries += "*";
    }
    return entries;
}

TEST_F(Menus, TheMenuOffersWhatFitsTheClick) {
    const struct {
        std::vector<std::string> sets;
        POINT at;
        bool itemDialog;  // open
        const char* entries;
    } rows[] = {
        {{"A", "B"}, Cell(0), false, "40011 40012 - 40014 40015 - 40013 - 40018 40019 - 40005"},
        {{"A", "B", "C"}, Tab(1), false, "40011 40012 40014 - 40016 40017 - 40018 40019 - 40005"},
        {{"A"}, Tab(2), false, "40011 40012 40014 - 40013 40016 - 40018 40019 - 40005"},
        {{"A", "B"}, Cell(0), true, "40011 40012 40014* 40013 - 40018 40019 - 40005"},
    };
    for (const auto& row : rows) {
        MakeSets(row.sets);
        if (row.itemDialog) Command(IDM_ITEM_DIALOG);
        app->menuPoint = row.at;
        EXPECT_EQ(row.entries, Entries(app->BuildContextMenu().get())) << row.sets.size() << " sets";
        if (row.itemDialog) Command(IDM_ITEM_DIALOG);
    }
}

// CTRL+I is the menu entry's key: on a full set it opens the dialog only on an item, where the menu offers
// the entry.
TEST_F(Menus, TheItemDialogKeyOpensOnlyWhereTheMenuOffersIt) {
    MakeSets({"full"});
    for (POINT at : {Gap(3), Gap(18), POINT{-1, -1}, Cell(4)}) {
        app->menuPoint = at;
        const bool offered = Entries(app->BuildContextMenu().get()).find("40014") != std::string::npos;
        EXPECT_EQ(at.x == Cell(4).x, offered) << at.x;
        Command(IDM_ITEM_DIALOG);
        EXPECT_EQ(offered, app->itemDialog->IsOpen()) << at.x;
        if (app->itemDialog->IsOpen()) Command(IDM_ITEM_DIALOG);
    }
}

// A menu closes on a click elsewhere only while its owner is in front.
TEST_F(Menus, TheNotificationIconsMenuOpensWithThePanelInFront) {
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 400, 80, 80, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(BringToFront(other));
    HWND front = nullptr;
    ModalAnswer menu(
        [&](HWND shown) {
            front = GetForegroundWindow();
            SaveScreenshot(shown, "context_menu");
            EndMenu();
        },
        "#32768");
    SendMessageA(app->panel, kTrayCallbackMessage, 1, WM_RBUTTONUP);
    DestroyWindow(other);
    EXPECT_EQ(app->panel, front);
}

TEST_F(Menus, DeletingAsksFirstAndTheShownSetGoesDownByOne) {
    const struct {
        int command, subject, shown, answer;  // the item or the set under the menu; 0: the close box
        const char *said, *state;
    } rows[] = {
        {IDM_DELETE_ITEM, 1, 0, IDCANCEL, "B", "Set0[A B] Set1[] Set2[] @0"},
        {IDM_DELETE_ITEM, 1, 0, IDOK, "B", "Set0[A] Set1[] Set2[] @0"},
        {IDM_DELETE_SET, 1, 1, 0, "[ Set1 ]", "Set0[A B] Set1[] Set2[] @1"},
        {IDM_DELETE_SET, 0, 2, IDOK, "[ Set0 ]", "Set1[] Set2[] @1"},
        {IDM_DELETE_SET, 2, 1, IDOK, "[ Set2 ]", "Set0[A B] Set1[] @0"},
        {IDM_DELETE_SET, 2, 2, IDOK, "[ Set2 ]", "Set0[A B] Set1[] @1"},
    };
    for (const auto& row : rows) {
        MakeSets({"A B", "", ""}, uint16_t(row.shown));
        app->menuItem = row.subject;
        app->menuSet = uint16_t(row.subject);
        Reply reply(row.answer, &row == rows + 3 ? "confirm_delete_set" : nullptr);
        Command(row.command);
        EXPECT_EQ(row.said, reply.said) << row.command << " " << row.subject;
        EXPECT_EQ(row.state, State()) << row.command << " " << row.subject;
    }
}

// The version the library in use reports, whatever the program was built with.
TEST_F(Menus, TheAboutBoxNamesTheHookLibrarysVersion) {
    Reply reply(IDOK, "about_box");
    Command(IDM_ABOUT);
    EXPECT_EQ(std::string("Wendrix.dll ver. ") + GetDllVersionStr(), reply.said);
}

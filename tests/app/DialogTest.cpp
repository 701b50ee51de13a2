#include <windows.h>
#include <commctrl.h>

#include "Bytes.h"
#include "HostedApp.h"
#include "launchdata/Settings.h"
#include "wallpaper/WallpaperPreview.h"

using namespace velktest;

using Dialogs = HostedApp;
using Menus = HostedApp;

TEST_F(Dialogs, ThePanelStaysWhileOneIsOpen) {
    for (int command : {IDM_HOTKEY_DIALOG, IDM_WALLPAPER_DIALOG, IDM_ITEM_DIALOG, IDM_NEW_SET}) {
        Command(command);
        for (int hide : {IDM_HIDE, IDM_TRIGGER}) {
            Command(hide);
            EXPECT_TRUE(IsWindowVisible(app->panel)) << command << " " << hide;
        }
        Command(command);
    }
    Command(IDM_HIDE);
    EXPECT_FALSE(IsWindowVisible(app->panel));
}

TEST_F(Dialogs, TheHotKeyIsTheCheckedBoxes) {
    SetHookKey(kHookKeyMiddle);
    Command(IDM_HOTKEY_DIALOG);
    HWND dialog = app->hotKeyDialog->Window();
    PressButton(dialog, IDC_HOTKEY_MIDDLE);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    for (int box : {IDC_HOTKEY_CTRL, IDC_HOTKEY_ALT}) PressButton(dialog, box);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    SaveScreenshot(dialog, "dialog_hotkey");
    PressButton(dialog, IDOK);
    EXPECT_EQ(0x03, GetHookSwitch());  // CTRL and ALT
}

// The item dialog remembers its set by index, so the tabs must not move while it is open.
TEST_F(Dialogs, TabsStayWhileTheItemDialogIsOpen) {
    MakeSets({"A", "B - C", "Z"}, 1);
    HWND dialog = OpenItemDialog(Cell(1));
    ShowWindow(dialog, SW_HIDE);  // so that only a question would be answered
    Reply reply(IDOK);
    for (POINT release : {Tab(1), POINT{198, 20}}) Drag(Tab(0), release);
    EXPECT_EQ("", reply.said);
    ASSERT_TRUE(app->itemDialog->IsOpen());
    SetDlgItemTextA(dialog, IDC_ITEM_NAME, "N");
    PressButton(dialog, IDOK);
    EXPECT_EQ("Set0[A] Set1[B N C] Set2[Z] @1", State());
}

// A folder named like an administrative share (c$) needs the wide chooser; the item's texts double the $.
TEST_F(Dialogs, TheItemDialogBrowsesForAFileInAFolderNamedWithADollar) {
    TempFolder temp;
    const std::string folder = temp.File("c$ tools"), marker = folder + "\\marker.exe";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(BuildFile("launch_marker.exe").c_str(), marker.c_str(), FALSE));
    HWND dialog = OpenItemDialog({-1, -1});
    ModalAnswer chooser([&](HWND window) {
        HWND name = nullptr;  // the chooser's window exists before its file name box
        WaitFor([&] { return (name = GetDlgItem(window, 0x47C)) || (name = GetDlgItem(window, 0x480)); });
        SetWindowTextW(name, Wide(marker.c_str()).c_str());
        SaveScreenshot(window, "file_chooser");
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    PressButton(dialog, IDC_ITEM_BROWSE);
    EXPECT_EQ(temp.File("c$$ tools\\marker.exe") + " " + temp.File("c$$ tools"),
              DialogText(dialog, IDC_ITEM_TARGET) + " " + DialogText(dialog, IDC_ITEM_WORKING_FOLDER));
    Reply reply(IDOK);
    DropFiles(dialog, {"C:\\in\\a.txt", "C:\\in\\b.txt"});
    EXPECT_EQ(Sjis("ファイルは一度に 1 つずつドロップしてください"), reply.said);
}

TEST_F(Dialogs, TheWallpaperDialogShowsAndKeepsTheChosenColourAndPicture) {
    TempFolder folder;
    const std::string picture = folder.File("wide.bmp");
    WriteBytes(picture, Bmp(64, 16, [](int, int) { return 0xFF0000u; }));
    Command(IDM_WALLPAPER_DIALOG);
    HWND dialog = app->wallpaperDialog->Window();
    SetDlgItemTextA(dialog, IDC_WALLPAPER_RED_VALUE, "300");
    EXPECT_EQ("255", DialogText(dialog, IDC_WALLPAPER_RED_VALUE));
    EXPECT_EQ(255, SendDlgItemMessageA(dialog, IDC_WALLPAPER_RED, TBM_GETPOS, 0, 0));

    DropFiles(dialog, {picture});
    EXPECT_EQ("wide.bmp", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    // The preview's top row is a band above the fitted picture, until FILL stretches the picture.
    auto preview = [&](int y) { return app->wallpaperPreview->display[(95 - y) * 128 + 64]; };
    EXPECT_NE(preview(0), preview(48));
    PressButton(dialog, IDC_WALLPAPER_FILL);
    EXPECT_EQ(preview(0), preview(48));
    SaveScreenshot(dialog, "dialog_wallpaper");

    PressButton(dialog, IDC_WALLPAPER_APPLY);
    EXPECT_TRUE(app->settings->flags & Settings::kWallpaperOn);
    SetDlgItemTextA(dialog, IDC_WALLPAPER_ALPHA_VALUE, "0");
    PressButton(dialog, IDOK);
    EXPECT_FALSE(app->wallpaperDialog->IsOpen());
    EXPECT_FALSE(app->settings->flags & Settings::kWallpaperOn);
}

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
    // clang-format off
    const struct { std::vector<std::string> sets; POINT at; bool itemDialogOpen; const char* entries; } rows[] = {
        {{"A", "B"}, Cell(0), false, "40011 40012 - 40014 40015 - 40013 - 40018 40019 - 40005"},
        {{"A", "B", "C"}, Tab(1), false, "40011 40012 40014 - 40016 40017 - 40018 40019 - 40005"},
        {{"A"}, Tab(2), false, "40011 40012 40014 - 40013 40016 - 40018 40019 - 40005"},
        {{"A", "B"}, Cell(0), true, "40011 40012 40014* 40013 - 40018 40019 - 40005"},
    };
    // clang-format on
    for (const auto& row : rows) {
        MakeSets(row.sets);
        if (row.itemDialogOpen) Command(IDM_ITEM_DIALOG);
        app->menuPoint = row.at;
        EXPECT_EQ(row.entries, Entries(app->BuildContextMenu().get())) << row.sets.size() << " sets";
        if (row.itemDialogOpen) Command(IDM_ITEM_DIALOG);
    }
}

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
    // clang-format off
    const struct { int command, subject, shown, answer; const char *said, *state; } rows[] = {
        {IDM_DELETE_ITEM, 1, 0, IDCANCEL, "B", "Set0[A B] Set1[] Set2[] @0"},  // subject: under the menu
        {IDM_DELETE_ITEM, 1, 0, IDOK, "B", "Set0[A] Set1[] Set2[] @0"},
        {IDM_DELETE_SET, 1, 1, 0, "[ Set1 ]", "Set0[A B] Set1[] Set2[] @1"},  // 0: the close box
        {IDM_DELETE_SET, 0, 2, IDOK, "[ Set0 ]", "Set1[] Set2[] @1"},
        {IDM_DELETE_SET, 2, 1, IDOK, "[ Set2 ]", "Set0[A B] Set1[] @0"},
        {IDM_DELETE_SET, 2, 2, IDOK, "[ Set2 ]", "Set0[A B] Set1[] @1"},
    };
    // clang-format on
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

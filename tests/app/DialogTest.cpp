// The four modeless dialogs opened by the panel's commands: what they show
// on opening, what OK changes, and that the panel stays while one is open.
#include <windows.h>
#include <commctrl.h>

#include "Bytes.h"
#include "HostedApp.h"
#include "launchdata/Settings.h"
#include "wallpaper/WallpaperPreview.h"

namespace velktest {
namespace {

using Dialogs = HostedApp;

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

TEST_F(Dialogs, ThePanelStaysWhileOneIsOpen) {
    for (int command : {IDM_HOTKEY_DIALOG, IDM_WALLPAPER_DIALOG, IDM_ITEM_DIALOG, IDM_NEW_SET}) {
        Command(command);
        Command(IDM_HIDE);
        Command(IDM_TRIGGER);
        EXPECT_TRUE(IsWindowVisible(app->panel)) << command;
        Command(command);
    }
    Command(IDM_HIDE);
    EXPECT_FALSE(IsWindowVisible(app->panel));
}

TEST_F(Dialogs, TheHotKeyIsTheCheckedBoxes) {
    struct Row {
        std::vector<int> boxes;
        uint8_t key;
    };
    const Row rows[] = {{{IDC_HOTKEY_CTRL, IDC_HOTKEY_ALT}, 0x03}, {{IDC_HOTKEY_SHIFT}, 0x04}};
    for (const Row& row : rows) {
        SetHookKey(kHookKeyMiddle);
        Command(IDM_HOTKEY_DIALOG);
        HWND dialog = app->hotKeyDialog->Window();
        PressButton(dialog, IDC_HOTKEY_MIDDLE);
        EXPECT_FALSE(Enabled(dialog, IDOK));
        for (int box : row.boxes) PressButton(dialog, box);
        EXPECT_TRUE(Enabled(dialog, IDOK));
        if (&row == rows) SaveScreenshot(dialog, "dialog_hotkey");
        PressButton(dialog, IDOK);
        EXPECT_EQ(row.key, GetHookSwitch());
    }
    SetHookKey(kHookKeyMiddle);
}

TEST_F(Dialogs, TheItemDialogChangesOrAddsWhereTheMenuWasOpened) {
    struct Row {
        POINT menu;
        const char* caption;
        const char* shownName;  // with the target C:\velk\<name>.txt
        const char *name, *folder;
        int answer;  // to the question about the folder, 0: none asked
        const char* state;
    };
    const Row rows[] = {
        {Cell(5), "登録済みアイテムの設定を変更します ( 0 - 5 )", "E", "E2", "", 0, "Set0[A B - - - E2] @0"},
        {Gap(1), "新規アイテムを挿入します ( 0 - 1 )", "", "N", "", 0, "Set0[A N B - - E2] @0"},
        {{-1, -1},
         "新規アイテムを作成します ( 0 )",
         "",
         "W",
         "C:\\no\\such",
         IDCANCEL,
         "Set0[A N B - - E2] @0"},
        {{-1, -1}, "新規アイテムを作成します ( 0 )", "", "W", "C:\\no\\such", IDOK, "Set0[A N B W - E2] @0"},
    };
    MakeSets({"A B - - - E"});
    for (const Row& row : rows) {
        app->menuPoint = row.menu;
        if (!app->itemDialog->IsOpen()) Command(IDM_ITEM_DIALOG);
        HWND dialog = app->itemDialog->Window();
        EXPECT_EQ(Sjis(row.caption), DialogText(dialog, IDC_ITEM_CAPTION_LINE));
        if (!row.answer) {
            EXPECT_EQ(row.shownName, DialogText(dialog, IDC_ITEM_NAME));
            EXPECT_EQ(*row.shownName ? "C:\\velk\\E.txt" : "", DialogText(dialog, IDC_ITEM_TARGET));
        }
        SetDlgItemTextA(dialog, IDC_ITEM_NAME, row.name);
        SetDlgItemTextA(dialog, IDC_ITEM_TARGET, "C:\\velk\\new.txt");
        SetDlgItemTextA(dialog, IDC_ITEM_WORKING_FOLDER, row.folder);
        if (&row == rows) SaveScreenshot(dialog, "dialog_item");
        Reply reply(row.answer);
        PressButton(dialog, IDOK);
        EXPECT_EQ(row.answer ? Sjis("指定された作業フォルダのパスは無効です\r\nそれでも登録しますか？") : "",
                  reply.said);
        EXPECT_EQ(row.answer == IDCANCEL, app->itemDialog->IsOpen());
        EXPECT_EQ(row.state, State()) << row.name;
    }
}

TEST_F(Dialogs, TheSetDialogNamesANewSetOrRenamesTheOneUnderTheMenu) {
    struct Row {
        int command;
        uint16_t menuSet;
        const char *shown, *typed, *state;
    };
    const Row rows[] = {
        {IDM_NEW_SET, 0, "NewLaunchSet", "Fresh", "Set0[] Set1[] Fresh[] @1"},
        {IDM_CHANGE_SET, 1, "Set1", "Renamed", "Set0[] Renamed[] Fresh[] @1"},
    };
    MakeSets({"", ""}, 1);
    for (const Row& row : rows) {
        app->menuSet = row.menuSet;
        Command(row.command);
        HWND dialog = app->setDialog->Window();
        EXPECT_EQ(row.shown, DialogText(dialog, IDC_SET_NAME));
        SetDlgItemTextA(dialog, IDC_SET_NAME, row.typed);
        if (&row == rows) SaveScreenshot(dialog, "dialog_set");
        PressButton(dialog, IDOK);
        EXPECT_EQ(row.state, State());
    }
}

TEST_F(Dialogs, TheWallpaperDialogShowsAndKeepsTheChosenColourAndPicture) {
    TempFolder folder;
    const std::string picture = folder.File("wide.bmp");
    WriteBytes(picture, Bmp(64, 16, [](int, int) { return 0xFF0000u; }));
    app->settings->red = 10;
    app->settings->green = 20;
    app->settings->blue = 30;
    app->settings->alpha = 40;
    Command(IDM_WALLPAPER_DIALOG);
    HWND dialog = app->wallpaperDialog->Window();
    const char* const values[] = {"10", "20", "30", "40"};
    for (int id = IDC_WALLPAPER_RED_VALUE; id <= IDC_WALLPAPER_ALPHA_VALUE; ++id)
        EXPECT_EQ(values[id - IDC_WALLPAPER_RED_VALUE], DialogText(dialog, id));
    SetDlgItemTextA(dialog, IDC_WALLPAPER_RED_VALUE, "300");
    EXPECT_EQ("255", DialogText(dialog, IDC_WALLPAPER_RED_VALUE));
    EXPECT_EQ(255, SendDlgItemMessageA(dialog, IDC_WALLPAPER_RED, TBM_GETPOS, 0, 0));

    DropFiles(dialog, {picture});
    EXPECT_EQ("wide.bmp", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    // The top row of the preview: a band above the fitted picture, the
    // picture itself when it is stretched.
    auto topRowIsPicture = [&] {
        const uint32_t* shown = app->wallpaperPreview->display.get();
        return shown[95 * 128 + 64] == shown[48 * 128 + 64];
    };
    EXPECT_FALSE(topRowIsPicture());
    PressButton(dialog, IDC_WALLPAPER_FILL);
    EXPECT_TRUE(topRowIsPicture());
    SaveScreenshot(dialog, "dialog_wallpaper");

    PressButton(dialog, IDC_WALLPAPER_APPLY);
    EXPECT_TRUE(app->settings->flags & Settings::kWallpaperOn);
    SetDlgItemTextA(dialog, IDC_WALLPAPER_ALPHA_VALUE, "0");
    PressButton(dialog, IDOK);
    EXPECT_FALSE(app->wallpaperDialog->IsOpen());
    EXPECT_FALSE(app->settings->flags & Settings::kWallpaperOn);
}

}  // namespace
}  // namespace velktest

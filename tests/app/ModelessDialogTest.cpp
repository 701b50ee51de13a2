// The hosted App's modeless dialogs: each command opens its dialog or closes
// it, the panel never hides from under one, and the hot-key dialog reads and
// stores the hook library's trigger.
#include <gtest/gtest.h>

#include <string>

#include "HostedApp.h"
#include "app/App.h"
#include "hooklib/Wendrix.h"
#include "launchdata/LaunchSetList.h"
#include "resources/resource.h"

namespace {

using velktest::Checked;
using velktest::Click;
using velktest::Enabled;
using velktest::HostedAppTest;

using ModelessDialogs = HostedAppTest;

struct Toggle {
    int command;
    ModelessDialog* (*dialog)(App& app);
    const char* title;
};
ModelessDialog* HotKey(App& app) {
    return app.hotKeyDialog.get();
}
ModelessDialog* Wallpaper(App& app) {
    return app.wallpaperDialog.get();
}
ModelessDialog* Item(App& app) {
    return app.itemDialog.get();
}
ModelessDialog* Set(App& app) {
    return app.setDialog.get();
}

TEST_F(ModelessDialogs, EachCommandOpensItsDialogAndClosesItWhenOpen) {
    const Toggle toggles[] = {
        {IDM_HOTKEY_DIALOG, HotKey,
         "\x95\x5C\x8E\xA6\x81\x45\x94\xF1\x95\x5C\x8E\xA6\x82\xC9\x8E\x67"
         "\x97\x70\x82\xB7\x82\xE9\x83L\x81[" /* 表示・非表示に使用するキー */},
        {IDM_WALLPAPER_DIALOG, Wallpaper, "WALLPAPER"},
        {IDM_ITEM_DIALOG, Item, "LAUNCH ITEM"},
        {IDM_NEW_SET, Set, "LAUNCH SET"},
        {IDM_CHANGE_SET, Set, "LAUNCH SET"},
    };
    for (const Toggle& toggle : toggles) {
        SCOPED_TRACE(toggle.command);
        Command(toggle.command);
        HWND dialog = toggle.dialog(*app)->Window();
        ASSERT_TRUE(IsWindow(dialog));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(app->panel, GetWindow(dialog, GW_OWNER));
        char title[64] = {};
        GetWindowTextA(dialog, title, sizeof title);
        EXPECT_STREQ(toggle.title, title);

        Command(toggle.command);
        EXPECT_EQ(nullptr, toggle.dialog(*app)->Window());
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_EQ(app->panel, GetActiveWindow());
    }
}

TEST_F(ModelessDialogs, ThePanelNeverHidesWhileOneIsOpen) {
    for (int command : {IDM_HOTKEY_DIALOG, IDM_WALLPAPER_DIALOG, IDM_ITEM_DIALOG, IDM_NEW_SET}) {
        SCOPED_TRACE(command);
        Command(command);
        Command(IDM_HIDE);
        Command(IDM_TRIGGER);
        EXPECT_TRUE(IsWindowVisible(app->panel));
        Command(command);
    }
    Command(IDM_HIDE);
    EXPECT_FALSE(IsWindowVisible(app->panel));
}

TEST_F(ModelessDialogs, NewSetNeedsRoomAndRenameNeedsAnExistingSet) {
    // A rename of a set that is gone closes at once and leaves no handle.
    app->menuSet = 1;
    Command(IDM_CHANGE_SET);
    EXPECT_EQ(nullptr, app->setDialog->Window());

    app->launchSets->AddSet("two", 18);
    app->launchSets->AddSet("three", 18);
    Command(IDM_NEW_SET);
    EXPECT_EQ(nullptr, app->setDialog->Window());
    // Renaming still works with three sets.
    Command(IDM_CHANGE_SET);
    EXPECT_TRUE(IsWindow(app->setDialog->Window()));
    // 40013 closes the open dialog whatever its mode.
    Command(IDM_NEW_SET);
    EXPECT_EQ(nullptr, app->setDialog->Window());
}

// The boxes in the order middle, CTRL, ALT, SHIFT.
struct KeyCase {
    uint8_t key;
    bool middle, ctrl, alt, shift;
};

TEST_F(ModelessDialogs, HotKeyDialogShowsTheLibrarysKey) {
    ASSERT_GE(GetSystemMetrics(SM_CMOUSEBUTTONS), 3);
    const KeyCase cases[] = {
        {0x10, true, false, false, false},
        {0x11, true, true, false, false},
        {0x04, false, false, false, true},
        {0x07, false, true, true, true},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(int(c.key));
        SetHookKey(c.key);
        Command(IDM_HOTKEY_DIALOG);
        HWND dialog = app->hotKeyDialog->Window();
        EXPECT_EQ(c.middle, Checked(dialog, IDC_HOTKEY_MIDDLE));
        EXPECT_EQ(c.ctrl, Checked(dialog, IDC_HOTKEY_CTRL));
        EXPECT_EQ(c.alt, Checked(dialog, IDC_HOTKEY_ALT));
        EXPECT_EQ(c.shift, Checked(dialog, IDC_HOTKEY_SHIFT));
        EXPECT_TRUE(Enabled(dialog, IDC_HOTKEY_MIDDLE));
        EXPECT_TRUE(Enabled(dialog, IDOK));
        Click(dialog, IDCANCEL);
        EXPECT_EQ(nullptr, app->hotKeyDialog->Window());
        EXPECT_EQ(c.key, GetHookSwitch());
    }
}

TEST_F(ModelessDialogs, HotKeyOkStoresTheCheckedBoxesAndNeedsOne) {
    struct Choice {
        std::initializer_list<int> boxes;
        uint8_t stored;
    };
    const Choice choices[] = {
        {{IDC_HOTKEY_SHIFT}, 0x04},
        {{IDC_HOTKEY_MIDDLE, IDC_HOTKEY_CTRL}, 0x11},
        {{IDC_HOTKEY_CTRL, IDC_HOTKEY_ALT}, 0x03},
    };
    for (const Choice& choice : choices) {
        SCOPED_TRACE(int(choice.stored));
        SetHookKey(kHookKeyMiddle);
        Command(IDM_HOTKEY_DIALOG);
        HWND dialog = app->hotKeyDialog->Window();
        // Unchecking the only box leaves nothing to trigger with.
        Click(dialog, IDC_HOTKEY_MIDDLE);
        EXPECT_FALSE(Checked(dialog, IDC_HOTKEY_MIDDLE));
        EXPECT_FALSE(Enabled(dialog, IDOK));
        for (int box : choice.boxes) {
            Click(dialog, box);
            EXPECT_TRUE(Enabled(dialog, IDOK));
        }
        if (choice.stored == 0x11) {
            EXPECT_TRUE(velktest::SaveDialogScreenshot(dialog, "dialog_hotkey_in_use"));
        }
        Click(dialog, IDOK);
        EXPECT_EQ(nullptr, app->hotKeyDialog->Window());
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_EQ(choice.stored, GetHookSwitch());
    }
}

TEST_F(ModelessDialogs, HotKeyOkWithNoBoxStoresNothing) {
    SetHookKey(kHookKeyMiddle);
    Command(IDM_HOTKEY_DIALOG);
    HWND dialog = app->hotKeyDialog->Window();
    Click(dialog, IDC_HOTKEY_MIDDLE);
    // The disabled button can still be reached by a message.
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(kHookKeyMiddle, GetHookSwitch());
    EXPECT_EQ(nullptr, app->hotKeyDialog->Window());
}

}  // namespace

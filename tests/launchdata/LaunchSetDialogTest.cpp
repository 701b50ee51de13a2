// The launch set dialog in the hosted App: new set and rename, the name's
// byte limit and the OK button that follows the edit.
#include <gtest/gtest.h>

#include <string>

#include "HostedApp.h"
#include "launchdata/LaunchSetList.h"
#include "resources/resource.h"

namespace {

using velktest::Click;
using velktest::DialogText;
using velktest::Enabled;
using velktest::HostedAppTest;

using LaunchSetDialog = HostedAppTest;

void Type(HWND edit, const std::string& text) {
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

TEST_F(LaunchSetDialog, NewSetStartsWithTheDefaultNameAndOkFollowsTheEdit) {
    Command(IDM_NEW_SET);
    HWND dialog = app->setDialog->Window();
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(velktest::ResourceText(IDS_SET_CREATE_CAPTION), DialogText(dialog, IDC_SET_CAPTION_LINE));
    EXPECT_EQ("NewLaunchSet", DialogText(dialog, IDC_SET_NAME));
    EXPECT_TRUE(Enabled(dialog, IDOK));

    SetDlgItemTextA(dialog, IDC_SET_NAME, "");
    EXPECT_FALSE(Enabled(dialog, IDOK));
    Type(GetDlgItem(dialog, IDC_SET_NAME), "G");
    EXPECT_TRUE(Enabled(dialog, IDOK));
    SetDlgItemTextA(dialog, IDC_SET_NAME, "Games");
    EXPECT_TRUE(Enabled(dialog, IDOK));
}

TEST_F(LaunchSetDialog, NewSetJoinsAtTheEndAndThePanelKeepsItsSet) {
    app->launchSets->AddSet("Second", 18);
    app->currentSet = 1;
    Command(IDM_NEW_SET);
    SetDlgItemTextA(app->setDialog->Window(), IDC_SET_NAME, "Third");
    Click(app->setDialog->Window(), IDOK);
    EXPECT_EQ(nullptr, app->setDialog->Window());
    ASSERT_EQ(3, app->launchSets->count);
    EXPECT_STREQ("NewLaunchSet", app->launchSets->GetSetName(0));
    EXPECT_STREQ("Second", app->launchSets->GetSetName(1));
    EXPECT_STREQ("Third", app->launchSets->GetSetName(2));
    EXPECT_EQ(1, app->currentSet);
}

TEST_F(LaunchSetDialog, TypedNameStopsAtSixtyFourBytes) {
    Command(IDM_NEW_SET);
    HWND edit = GetDlgItem(app->setDialog->Window(), IDC_SET_NAME);
    SetWindowTextA(edit, "");
    const std::string typed(65, 'x');
    Type(edit, typed);
    EXPECT_EQ(64, GetWindowTextLengthA(edit));
    Click(app->setDialog->Window(), IDOK);
    EXPECT_EQ(typed.substr(0, 64), app->launchSets->GetSetName(1));
}

TEST_F(LaunchSetDialog, RenameChangesOnlyTheSetItWasOpenedFor) {
    app->launchSets->AddSet("Second", 18);
    app->launchSets->AddSet("Third", 18);
    ASSERT_TRUE(
        app->launchSets->CreateItem(1, 4, "item", "C:\\windows\\notepad.exe", "", ItemPlacement::Replace));
    app->menuSet = 1;
    Command(IDM_CHANGE_SET);
    HWND dialog = app->setDialog->Window();
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(velktest::ResourceText(IDS_SET_CHANGE_CAPTION), DialogText(dialog, IDC_SET_CAPTION_LINE));
    EXPECT_EQ("Second", DialogText(dialog, IDC_SET_NAME));
    // A context menu opened on another tab meanwhile changes nothing.
    app->menuSet = 2;
    SetDlgItemTextA(dialog, IDC_SET_NAME, "Tools");
    EXPECT_TRUE(velktest::SaveDialogScreenshot(dialog, "dialog_set_in_use"));
    Click(dialog, IDOK);
    EXPECT_STREQ("NewLaunchSet", app->launchSets->GetSetName(0));
    EXPECT_STREQ("Tools", app->launchSets->GetSetName(1));
    EXPECT_STREQ("Third", app->launchSets->GetSetName(2));
    EXPECT_STREQ("item", app->launchSets->GetItemInfo(1, 4).name);
}

TEST_F(LaunchSetDialog, CancelAndEmptyNamesChangeNothing) {
    Command(IDM_NEW_SET);
    SetDlgItemTextA(app->setDialog->Window(), IDC_SET_NAME, "Never");
    Click(app->setDialog->Window(), IDCANCEL);
    EXPECT_EQ(nullptr, app->setDialog->Window());
    EXPECT_EQ(1, app->launchSets->count);

    app->menuSet = 0;
    Command(IDM_CHANGE_SET);
    SetDlgItemTextA(app->setDialog->Window(), IDC_SET_NAME, "");
    SendMessageA(app->setDialog->Window(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(nullptr, app->setDialog->Window());
    EXPECT_STREQ("NewLaunchSet", app->launchSets->GetSetName(0));
}

}  // namespace

// The launch item dialog in the hosted App: the mode that the context menu's
// point gives, the caption line, the fields from an item, a dropped file or
// the file chooser, the checks on OK and where the new item goes.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "HostedApp.h"
#include "launchdata/LaunchSetList.h"
#include "panel/ItemGrid.h"
#include "resources/resource.h"

namespace {

using velktest::Click;
using velktest::DialogText;
using velktest::DropFiles;
using velktest::HostedAppTest;
using velktest::ModalLoopAnswer;
using velktest::TempFolder;

class LaunchItemDialog : public HostedAppTest {
protected:
    void SetUp() override {
        HostedAppTest::SetUp();
        file = folder.File("Notes.txt");
        std::ofstream(file) << "notes";
        ASSERT_TRUE(app->launchSets->CreateItem(0, 5, "Editor", file.c_str(), "$p", ItemPlacement::Replace));
    }
    HWND Open(POINT menuPoint) {
        app->menuPoint = menuPoint;
        Command(IDM_ITEM_DIALOG);
        return app->itemDialog->Window();
    }
    void Fill(HWND dialog, const char* name, const char* target, const char* workingFolder) {
        SetDlgItemTextA(dialog, IDC_ITEM_NAME, name);
        SetDlgItemTextA(dialog, IDC_ITEM_TARGET, target);
        SetDlgItemTextA(dialog, IDC_ITEM_WORKING_FOLDER, workingFolder);
    }
    // Answers the message box that `dialog` opens with `button` and keeps its text.
    std::unique_ptr<ModalLoopAnswer> AnswerBox(HWND dialog, int button) {
        boxText.clear();
        return std::make_unique<ModalLoopAnswer>(
            [this, button](HWND box) {
                boxText = DialogText(box, 0xFFFF);  // the message box's text is its static 0xFFFF
                Click(box, button);
            },
            "#32770", dialog);
    }
    std::string NameAt(uint16_t set, uint16_t cell) {
        const char* name = app->launchSets->GetItemInfo(set, cell).name;
        return name ? name : "";
    }

    TempFolder folder;
    std::string file;
    std::string boxText;
};

TEST_F(LaunchItemDialog, ThePointOfTheMenuGivesModeCaptionAndPlace) {
    struct Case {
        const char* what;
        POINT point;
        int stringId;
        const char* indexes;
        uint16_t newCell;     // where OK puts "New"
        uint16_t editorCell;  // where the item of cell 5 is then
    };
    const Case cases[] = {
        {"occupied cell", CellCentre(5), IDS_ITEM_CHANGE, " ( 0 - 5 )", 5, 0xFFFF},
        {"empty cell", CellCentre(7), IDS_ITEM_CREATE_AT, " ( 0 - 7 )", 7, 5},
        {"gap", GapBefore(2), IDS_ITEM_INSERT, " ( 0 - 2 )", 2, 5},
        {"outside the grid", POINT{200, 5}, IDS_ITEM_CREATE, " ( 0 )", 0, 5},
        {"notification icon", POINT{-1, -1}, IDS_ITEM_CREATE, " ( 0 )", 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app->launchSets->RemoveItem(0, 5);
        for (uint16_t cell = 0; cell < 18; ++cell) app->launchSets->RemoveItem(0, cell);
        ASSERT_TRUE(app->launchSets->CreateItem(0, 5, "Editor", file.c_str(), "", ItemPlacement::Replace));

        HWND dialog = Open(c.point);
        ASSERT_TRUE(IsWindow(dialog));
        EXPECT_EQ(velktest::ResourceText(c.stringId) + c.indexes, DialogText(dialog, IDC_ITEM_CAPTION_LINE));
        Fill(dialog, "New", file.c_str(), "");
        Click(dialog, IDOK);
        EXPECT_EQ(nullptr, app->itemDialog->Window());
        EXPECT_EQ("New", NameAt(0, c.newCell));
        if (c.editorCell != 0xFFFF) {
            EXPECT_EQ("Editor", NameAt(0, c.editorCell));
        }
    }
}

TEST_F(LaunchItemDialog, CaptionNamesTheShownSetAndTheTargetStaysFixed) {
    app->launchSets->AddSet("Second", 18);
    app->currentSet = 1;
    HWND dialog = Open(CellCentre(3));
    EXPECT_EQ(velktest::ResourceText(IDS_ITEM_CREATE_AT) + " ( 1 - 3 )",
              DialogText(dialog, IDC_ITEM_CAPTION_LINE));
    // Switching the panel to another set does not move the new item.
    app->currentSet = 0;
    Fill(dialog, "Later", file.c_str(), "");
    Click(dialog, IDOK);
    EXPECT_EQ("Later", NameAt(1, 3));
    EXPECT_EQ("", NameAt(0, 3));
}

TEST_F(LaunchItemDialog, AnOccupiedCellShowsItsItem) {
    app->launchSets->RemoveItem(0, 5);
    ASSERT_TRUE(app->launchSets->CreateItem(0, 5, "Editor", file.c_str(), "$p", ItemPlacement::Replace));
    HWND dialog = Open(CellCentre(5));
    EXPECT_EQ("Editor", DialogText(dialog, IDC_ITEM_NAME));
    EXPECT_EQ(file, DialogText(dialog, IDC_ITEM_TARGET));
    EXPECT_EQ("$p", DialogText(dialog, IDC_ITEM_WORKING_FOLDER));
    EXPECT_NE(0, SendDlgItemMessageA(dialog, IDC_ITEM_ICON, STM_GETICON, 0, 0));
    EXPECT_TRUE(velktest::SaveDialogScreenshot(dialog, "dialog_item_in_use"));

    // OK replaces it by an item of the edited fields.
    SetDlgItemTextA(dialog, IDC_ITEM_NAME, "Renamed");
    Click(dialog, IDOK);
    EXPECT_EQ("Renamed", NameAt(0, 5));
    EXPECT_STREQ("$p", app->launchSets->GetItemInfo(0, 5).workingFolder);
}

TEST_F(LaunchItemDialog, OneDroppedFileFillsTheFieldsAndTwoChangeNothing) {
    HWND dialog = Open(CellCentre(9));
    DropFiles(dialog, {file, folder.File("Other.txt")});
    EXPECT_EQ("", DialogText(dialog, IDC_ITEM_NAME));
    EXPECT_EQ(0, SendDlgItemMessageA(dialog, IDC_ITEM_ICON, STM_GETICON, 0, 0));

    DropFiles(dialog, {file});
    EXPECT_EQ("Notes", DialogText(dialog, IDC_ITEM_NAME));
    EXPECT_EQ(file, DialogText(dialog, IDC_ITEM_TARGET));
    EXPECT_EQ(folder.Path(), DialogText(dialog, IDC_ITEM_WORKING_FOLDER));
    EXPECT_NE(0, SendDlgItemMessageA(dialog, IDC_ITEM_ICON, STM_GETICON, 0, 0));
    Click(dialog, IDOK);
    EXPECT_EQ("Notes", NameAt(0, 9));
}

TEST_F(LaunchItemDialog, OkWithoutANameAsksForOneAndCreatesNothing) {
    HWND dialog = Open(CellCentre(9));
    Fill(dialog, "", file.c_str(), "");
    const auto box = AnswerBox(dialog, IDOK);
    Click(dialog, IDOK);
    EXPECT_TRUE(box->Answered());
    EXPECT_EQ(velktest::ResourceText(IDS_NEED_NAME), boxText);
    EXPECT_EQ(dialog, app->itemDialog->Window());
    EXPECT_EQ("", NameAt(0, 9));
}

TEST_F(LaunchItemDialog, WorkingFolderIsCheckedUnlessEmpty) {
    struct Case {
        const char* folder;
        bool asked;
    };
    const std::string missing = folder.File("missing");
    const Case cases[] = {{"$p", false},           {"", false},          {folder.Path().c_str(), false},
                          {missing.c_str(), true}, {file.c_str(), true}, {"$q", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        app->launchSets->RemoveItem(0, 9);
        HWND dialog = Open(CellCentre(9));
        Fill(dialog, "Item", file.c_str(), c.folder);
        {
            // CANCEL keeps the dialog open for a correction.
            const auto box = AnswerBox(dialog, IDCANCEL);
            Click(dialog, IDOK);
            EXPECT_EQ(c.asked, box->Answered());
            if (c.asked) {
                EXPECT_EQ(velktest::ResourceText(IDS_BAD_WORKING_FOLDER), boxText);
            }
        }
        if (!c.asked) {
            EXPECT_EQ(nullptr, app->itemDialog->Window());
            EXPECT_EQ("Item", NameAt(0, 9));
            continue;
        }
        EXPECT_EQ(dialog, app->itemDialog->Window());
        EXPECT_EQ("", NameAt(0, 9));
        // OK registers it anyway, as typed.
        const auto box = AnswerBox(dialog, IDOK);
        Click(dialog, IDOK);
        EXPECT_TRUE(box->Answered());
        EXPECT_EQ(nullptr, app->itemDialog->Window());
        EXPECT_STREQ(c.folder, app->launchSets->GetItemInfo(0, 9).workingFolder);
    }
}

// The file chooser of the browse button, used as a person would: its file
// name box takes a typed path and OK.
TEST_F(LaunchItemDialog, BrowseFillsTheFieldsFromTheChosenFile) {
    HWND dialog = Open(CellCentre(9));
    EXPECT_TRUE(velktest::ChooseFileThrough(dialog, IDC_ITEM_BROWSE, file));
    EXPECT_EQ("Notes", DialogText(dialog, IDC_ITEM_NAME));
    EXPECT_EQ(file, DialogText(dialog, IDC_ITEM_TARGET));
}

}  // namespace

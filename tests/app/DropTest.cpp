// Files dropped from the shell onto the panel, and items and tabs dragged on
// it: the press the panel records from the cursor, the release the hook
// library reports, the question or the message in between.
#include "HostedApp.h"

using namespace velktest;

using Drops = HostedApp;

TEST_F(Drops, WhatIsDroppedGoesWhereThereIsRoomAndReplacesOnlyAfterOk) {
    const std::string noRoom = Sjis("移動先に空きがありません");
    struct Row {
        std::vector<std::string> files;  // none: a drag from `press`
        POINT press, release;
        uint16_t shown;
        int answer;                // 0: the close box
        const char *said, *state;  // state null: as it was
    };
    const Row rows[] = {
        {{"C:\\in\\one.txt"}, {}, Cell(1), 0, IDOK, "", "Set0[A one - D] Set1[full] Set2[X] @0"},
        {{"C:\\in\\two.txt"}, {}, Gap(1), 0, IDOK, "", "Set0[A two one D] Set1[full] Set2[X] @0"},
        {{"C:\\in\\three.txt"}, {}, Tab(2), 0, IDOK, "", "Set0[A two one D] Set1[full] Set2[X three] @0"},
        {{"C:\\in\\four.txt"}, {}, Tab(1), 0, IDOK, noRoom.c_str(), nullptr},
        {{"C:\\in\\five.txt", "C:\\in\\six.txt"}, {}, Cell(2), 0, IDOK, "", nullptr},
        {{}, Cell(0), Cell(0), 0, IDOK, "", nullptr},
        {{}, Cell(0), Cell(1), 0, IDCANCEL, "A > two", nullptr},
        {{}, Cell(0), Cell(1), 0, 0, "A > two", nullptr},
        {{}, Cell(0), Cell(1), 0, IDOK, "A > two", "Set0[- A one D] Set1[full] Set2[X three] @0"},
        {{}, Cell(0), Gap(3), 1, IDOK, noRoom.c_str(), nullptr},
        {{}, Tab(0), Tab(1), 2, IDOK, "[ Set0 ] > [ Set1 ]", "Set0[- A one D] Set2[X three] @1"},
    };
    MakeSets({"A B - D", "full", "X"});
    for (const Row& row : rows) {
        app->currentSet = row.shown;
        const std::string before = State();
        if (row.files.empty()) {
            // The panel records the press from the cursor, not from the message.
            CursorAt(row.press);
            SendMessageA(app->panel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            CursorAt(row.release);
        }
        Reply reply(row.answer, row.press.y == Tab(0).y ? "confirm_overwrite_set" : nullptr);
        if (row.files.empty())
            Command(IDM_PRIMARY_DRAG);
        else
            DropFiles(app->panel, row.files, row.release);
        EXPECT_EQ(row.said, reply.said) << before;
        EXPECT_EQ(row.state ? row.state : before, State()) << before;
    }
}

// Right of the last cell is the gap after it: an item goes in there by each
// path, the items before it moving toward the nearest hole; a full set says so.
TEST_F(Drops, TheGapAfterTheLastCellTakesAnItemByEveryPath) {
    const std::string noRoom = Sjis("移動先に空きがありません");
    const char* const holes = "a b - d e f g h i j k l m n o - q r";
    const char* const inserted = "Set0[a b - d e f g h i j k l m n o q r X] @0";
    const struct {
        const char *how, *set, *said, *state;  // state null: as it was
    } rows[] = {
        {"drop", holes, "", inserted},
        {"drag", holes, "", "Set0[- b - d e f g h i j k l m n o q r a] @0"},
        {"dialog", holes, "", inserted},
        {"drop", "full", noRoom.c_str(), nullptr},
    };
    for (const auto& row : rows) {
        MakeSets({row.set});
        const std::string before = State();
        Reply reply(IDOK);
        if (row.how == std::string("drop")) {
            DropFiles(app->panel, {"C:\\in\\X.txt"}, Gap(18));
        } else if (row.how == std::string("drag")) {
            CursorAt(Cell(0));
            SendMessageA(app->panel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            CursorAt(Gap(18));
            Command(IDM_PRIMARY_DRAG);
        } else {
            app->menuPoint = Gap(18);
            Command(IDM_ITEM_DIALOG);
            SetDlgItemTextA(app->itemDialog->Window(), IDC_ITEM_NAME, "X");
            PressButton(app->itemDialog->Window(), IDOK);
        }
        EXPECT_EQ(row.said, reply.said) << row.how << " " << before;
        EXPECT_EQ(row.state ? row.state : before, State()) << row.how;
    }
}

#include "HostedApp.h"
#include "launchdata/ExpandPathMacros.h"

using namespace velktest;

using Drops = HostedApp;

const std::string kNoRoom = Sjis("移動先に空きがありません");

static HCURSOR Shown() {
    CURSORINFO info = {sizeof info};
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

static bool CursorIs(POINT p) {
    POINT now = {};
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

TEST_F(Drops, WhatIsDroppedGoesWhereThereIsRoomAndReplacesOnlyAfterOk) {
    // No files: a drag from `press`; answer 0: the close box; state null: as it was.
    // clang-format off
    const struct { std::vector<std::string> files; POINT press, release; uint16_t shown; int answer;
                   const char *said, *state; } rows[] = {
        {{"C:\\in\\one.txt"}, {}, Cell(1), 0, IDOK, "", "Set0[A one - D] Set1[full] Set2[X] @0"},
        {{"C:\\in\\two.txt"}, {}, Gap(1), 0, IDOK, "", "Set0[A two one D] Set1[full] Set2[X] @0"},
        {{"C:\\in\\three.txt"}, {}, Tab(2), 0, IDOK, "", "Set0[A two one D] Set1[full] Set2[X three] @0"},
        {{"C:\\in\\four.txt"}, {}, Tab(1), 0, IDOK, kNoRoom.c_str(), nullptr},
        {{"C:\\in\\five.txt", "C:\\in\\six.txt"}, {}, Tab(1), 0, IDOK, kNoRoom.c_str(), nullptr},
        {{}, Cell(0), Cell(0), 0, IDOK, "", nullptr},
        {{}, Cell(0), Cell(1), 0, IDCANCEL, "A > two", nullptr},
        {{}, Cell(0), Cell(1), 0, 0, "A > two", nullptr},
        {{}, Cell(0), Cell(1), 0, IDOK, "A > two", "Set0[- A one D] Set1[full] Set2[X three] @0"},
        {{}, Cell(0), Gap(3), 1, IDOK, kNoRoom.c_str(), nullptr},
        {{}, Tab(0), Tab(1), 2, IDOK, "[ Set0 ] > [ Set1 ]", "Set0[- A one D] Set2[X three] @1"},
    };
    // clang-format on
    MakeSets({"A B - D", "full", "X"});
    for (const auto& row : rows) {
        app->currentSet = row.shown;
        const std::string before = State();
        Reply reply(row.answer, row.press.y == Tab(0).y ? "confirm_overwrite_set" : nullptr);
        row.files.empty() ? Drag(row.press, row.release) : DropFiles(app->panel, row.files, row.release);
        EXPECT_EQ(row.said, reply.said) << before;
        EXPECT_EQ(row.state ? row.state : before, State()) << before;
    }
}

// The items before the gap move toward the nearest hole.
TEST_F(Drops, TheGapAfterTheLastCellTakesAnItemByEveryPath) {
    const char* const holes = "a b - d e f g h i j k l m n o - q r";
    const char* const inserted = "Set0[a b - d e f g h i j k l m n o q r X] @0";
    // clang-format off
    const struct { const char *how, *set, *said, *state; } rows[] = {  // state null: as it was
        {"drop", holes, "", inserted}, {"drag", holes, "", "Set0[- b - d e f g h i j k l m n o q r a] @0"},
        {"dialog", holes, "", inserted}, {"drop", "full", kNoRoom.c_str(), nullptr},
        {"dialog, filled meanwhile", "a b - d e f g h i j k l m n o p q r", kNoRoom.c_str(), "Set0[full] @0"},
    };
    // clang-format on
    for (const auto& row : rows) {
        MakeSets({row.set});
        const std::string before = State();
        Reply reply(IDOK);
        if (row.how == std::string("drop")) {
            DropFiles(app->panel, {"C:\\in\\X.txt"}, Gap(18));
        } else if (row.how == std::string("drag")) {
            Drag(Cell(0), Gap(18));
        } else {
            HWND dialog = OpenItemDialog(Gap(18));
            if (*row.said) {
                DropFiles(app->panel, {"C:\\in\\Y.txt"}, Cell(2));
                ShowWindow(dialog, SW_HIDE);  // so that only the message is answered
            }
            SetDlgItemTextA(dialog, IDC_ITEM_NAME, "X");
            PressButton(dialog, IDOK);
            EXPECT_EQ(*row.said != 0, app->itemDialog->IsOpen());  // a refused OK keeps it
            if (app->itemDialog->IsOpen()) Command(IDM_ITEM_DIALOG);
        }
        EXPECT_EQ(row.said, reply.said) << row.how << " " << before;
        EXPECT_EQ(row.state ? row.state : before, State()) << row.how;
    }
}

TEST_F(Drops, SeveralFilesFillTheEmptyCellsFromTheOneUnderTheDropOrNone) {
    // clang-format off
    const struct { std::vector<std::string> names; POINT at; const char *said, *state; } rows[] = {
        {{"x", "y"}, Cell(4), "", "Set0[A - B - x y G H I J K L M N O P Q] Set1[X] Set2[] @0"},
        {{"p", "q", "r", "s"}, Cell(0), kNoRoom.c_str(), nullptr},  // state null: as it was
        {{"z", "w"}, Cell(16), "", "Set0[A w B - x y G H I J K L M N O P Q z] Set1[X] Set2[] @0"},
        {{"u", "v"}, Tab(1), "", "Set0[A w B - x y G H I J K L M N O P Q z] Set1[X u v] Set2[] @0"},
        // Before a tab there is no set: the shown one takes them, as on the background.
        {{"e", "f"}, {198, 20}, kNoRoom.c_str(), nullptr},
    };
    // clang-format on
    MakeSets({"A - B - - - G H I J K L M N O P Q -", "X", ""});
    for (const auto& row : rows) {
        std::vector<std::string> files;
        for (const std::string& name : row.names) files.push_back("C:\\in\\" + name + ".txt");
        const std::string before = State();
        Reply reply(IDOK);
        DropFiles(app->panel, files, row.at);
        EXPECT_EQ(row.said, reply.said);
        EXPECT_EQ(row.state ? row.state : before, State());
    }
}

// A folder named like an administrative share (c$), and names outside the code page.
TEST_F(Drops, ShellPathsBecomeItemsThatStartTheirFiles) {
    TempFolder temp;
    const std::string folder = temp.File("c$ tools"), marker = folder + "\\marker.exe";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(BuildFile("launch_marker.exe").c_str(), marker.c_str(), FALSE));
    auto in = [&](const char* name) { return Wide((folder + "\\" + name).c_str()); };
    const std::wstring cafe = in("Café.txt"), photo = in("写真📷.jpg"), gone = in("消えた📷.jpg");
    for (const std::wstring& file : {cafe, photo})
        CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    // name null: refused, with the message; target: the file the item's target names.
    // clang-format off
    const struct { std::vector<std::wstring> files; const char* name; std::wstring target; } rows[] = {
        {{Wide(marker.c_str())}, "marker", Wide(marker.c_str())},  // started below
        {{cafe}, "Cafe", cafe}, {{photo}, "写真", photo},
        {{gone}, nullptr, L""}, {{cafe, gone}, nullptr, L""},  // a name gone has no short name either
    };
    // clang-format on
    MakeSets({""});
    for (uint16_t cell = 0; cell < std::size(rows); ++cell) {
        const auto& row = rows[cell];
        const std::string before = State();
        Reply reply(IDOK, "message_path_refused");
        DropFiles(app->panel, row.files, Cell(cell));
        const LaunchItemInfo item = app->launchSets->GetItemInfo(0, cell);
        if (!row.name) {
            EXPECT_NE(std::string::npos, reply.said.find(Sjis("表せない文字"))) << reply.said;
            EXPECT_EQ(before, State());
            continue;
        }
        ASSERT_TRUE(item.name) << cell;
        EXPECT_EQ(Sjis(row.name), item.name);
        char expanded[kExpandedPathSize] = {};
        wchar_t wide[MAX_PATH] = {}, named[MAX_PATH] = {};
        ASSERT_TRUE(ExpandPathMacros(item.target, expanded, sizeof expanded)) << item.target;
        MultiByteToWideChar(CP_ACP, 0, expanded, -1, wide, MAX_PATH);
        GetLongPathNameW(wide, named, MAX_PATH);
        EXPECT_EQ(row.target, named) << item.target;
    }
    app->LaunchItemAt(0, 0);
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(folder + "\\started.txt") == folder; }))
        << ReadBytes(folder + "\\started.txt");
}

// Neighbouring places want different cursors, so that each check sees the move that it waits for.
TEST_F(Drops, TheDragCursorSaysWhatADropWouldDoAtEachPlace) {
    MakeSets({"A B - D", "full", "X"});
    auto own = [&](int id) { return LoadCursorA(app->instance, MAKEINTRESOURCEA(id)); };
    const HCURSOR put = own(IDC_DRAG_PUT), insert = own(IDC_DRAG_INSERT), into = own(IDC_DRAG_INTO_SET);
    const HCURSOR no = own(IDC_DRAG_NO), arrow = LoadCursorA(nullptr, IDC_ARROW);
    // An item goes between tabs (216, 20), onto a full set's tab (1), the pin (20, 20), the new-set button
    // (43, 20), the name editor and out of the panel (300, 100); the last place is the release.
    // clang-format off
    struct Place { POINT at; HCURSOR shown; };
    struct Drag { const char* what; POINT press; std::vector<Place> places; bool itemDialogOpen; };
    const Drag drags[] = {
        {"an item", Cell(3), {{Cell(1), put}, {Gap(3), insert}, {Cell(2), put}, {{216, 20}, no}, {Tab(2), put},
            {Tab(1), no}, {{130, 30}, into}, {{20, 20}, no}, {Cell(1), put}, {{43, 20}, no}, {Cell(0), put},
            {{128, kPanelHeight + 8}, no}, {{300, 100}, into}, {Cell(3), put}}, false},
        {"a set", Tab(0), {{Tab(2), put}, {{216, 20}, insert}, {{300, 100}, no}, {Tab(0), put}}, false},
        {"an empty cell", Cell(4), {{Cell(1), arrow}, {Cell(4), arrow}}, false},
        {"an item beside its dialog", Cell(0), {{Cell(2), no}, {Cell(0), no}}, true},
    };
    // clang-format on
    for (const Drag& drag : drags) {
        if (drag.itemDialogOpen) Command(IDM_ITEM_DIALOG);
        CursorAt(drag.press);
        Button(MOUSEEVENTF_LEFTDOWN);
        for (const Place& place : drag.places) {
            const POINT at = OnScreen(app->panel, place.at);
            // Wine may drop a move to where it believes the cursor already is.
            SetCursorPos(at.x + 1, at.y);
            WaitFor([&] { return CursorIs(POINT{at.x + 1, at.y}); }, 1000);
            SetCursorPos(at.x, at.y);
            EXPECT_TRUE(WaitFor([&] { return CursorIs(at) && IsDragging() && Shown() == place.shown; }, 2000))
                << drag.what << " at " << place.at.x << "," << place.at.y;
        }
        Button(MOUSEEVENTF_LEFTUP);
        // The hook may see the release one input event late.
        CursorAt(POINT{drag.places.back().at.x + 1, drag.places.back().at.y});
        if (drag.itemDialogOpen) Command(IDM_ITEM_DIALOG);
    }
    EXPECT_EQ("Set0[A B - D] Set1[full] Set2[X] @0", State());
}

// Files dropped from the shell onto the panel, and items and tabs dragged on
// it: the press the panel records from the cursor, the release the hook
// library reports, the question or the message in between.
#include "HostedApp.h"

namespace velktest {
namespace {

using Drops = HostedApp;

const std::string kNoRoom = Sjis("移動先に空きがありません");

TEST_F(Drops, AFileDroppedOnThePanelGoesWhereItLands) {
    struct Row {
        std::vector<std::string> files;
        POINT at;
        const char* said;
        const char* state;  // null: as it was
    };
    const Row rows[] = {
        {{"C:\\in\\one.txt"}, Cell(1), "", "Set0[A one - D] Set1[full] Set2[X] @0"},
        {{"C:\\in\\two.txt"}, Gap(1), "", "Set0[A two one D] Set1[full] Set2[X] @0"},
        {{"C:\\in\\three.txt"}, Tab(2), "", "Set0[A two one D] Set1[full] Set2[X three] @0"},
        {{"C:\\in\\four.txt"}, Tab(1), kNoRoom.c_str(), nullptr},
        {{"C:\\in\\five.txt", "C:\\in\\six.txt"}, Cell(2), "", nullptr},
    };
    MakeSets({"A B - D", "full", "X"});
    for (const Row& row : rows) {
        const std::string before = State();
        Reply reply(IDOK);
        DropFiles(app->panel, row.files, row.at);
        EXPECT_EQ(row.said, reply.said) << row.files[0];
        EXPECT_EQ(row.state ? row.state : before, State()) << row.files[0];
    }
}

// What the user does: presses on the panel with the cursor at one point and
// lets go at another, then answers the question or the message.
TEST_F(Drops, AGestureMovesOnlyWhereThereIsRoomAndAfterOk) {
    struct Row {
        POINT press, release;
        uint16_t shown;
        int answer;  // 0: the close box
        const char* said;
        const char* state;  // null: as it was
    };
    const Row rows[] = {
        {Cell(0), Cell(0), 0, IDOK, "", nullptr},
        {Cell(0), Cell(1), 0, IDCANCEL, "A > B", nullptr},
        {Cell(0), Cell(1), 0, 0, "A > B", nullptr},
        {Cell(0), Cell(1), 0, IDOK, "A > B", "Set0[- A - D] Set1[full] Set2[X] @0"},
        {Cell(0), Gap(3), 1, IDOK, kNoRoom.c_str(), nullptr},
        {Tab(0), Tab(1), 2, IDOK, "[ Set0 ] > [ Set1 ]", "Set0[- A - D] Set2[X] @1"},
    };
    MakeSets({"A B - D", "full", "X"});
    for (const Row& row : rows) {
        app->currentSet = row.shown;
        const std::string before = State();
        CursorAt(row.press);
        SendMessageA(app->panel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        CursorAt(row.release);
        Reply reply(row.answer, row.press.y == Tab(0).y ? "confirm_overwrite_set" : nullptr);
        Command(IDM_PRIMARY_DRAG);
        EXPECT_EQ(row.said, reply.said) << before;
        EXPECT_EQ(row.state ? row.state : before, State()) << before;
    }
}

}  // namespace
}  // namespace velktest

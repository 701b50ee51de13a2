// Drag and drop on the hosted panel: the judgement of every press and
// release, the drag cursors, the drops checked slot by slot, and files
// dropped from the shell.
#include <windows.h>

#include <shlobj.h>

#include <fstream>

#include "HostedApp.h"
#include "ModalLoopAnswer.h"
#include "app/NameEditor.h"
#include "base/DroppedFile.h"
#include "hooklib/Wendrix.h"
#include "panel/HitCode.h"
#include "resources/resource.h"

namespace {
using velktest::Click;
using velktest::DialogText;
using velktest::ModalLoopAnswer;

constexpr uint16_t Hit(int kind, int placement = kPlacedOn, int index = 0) {
    return MakeHitCode(static_cast<HitKind>(kind), static_cast<HitPlacement>(placement), index);
}
constexpr uint16_t kOutside = Hit(kHitNothing);
constexpr uint16_t kPin = Hit(kHitPin);
constexpr uint16_t kNewSet = Hit(kHitNewSet);
constexpr uint16_t kEditor = Hit(kHitNameEdit);
constexpr uint16_t kKind6 = Hit(6);
constexpr uint16_t Tab(int i) {
    return Hit(kHitTab, kPlacedOn, i);
}
constexpr uint16_t TabGap(int i) {
    return Hit(kHitTab, kPlacedInGap, i);
}
constexpr uint16_t Cell(int i) {
    return Hit(kHitCell, kPlacedOn, i);
}
constexpr uint16_t CellGap(int i) {
    return Hit(kHitCell, kPlacedInGap, i);
}
constexpr uint16_t Empty(int i) {
    return Hit(kHitCell, kPlacedEmpty, i);
}

// Set 0 has room, set 1 is full, set 2 has room.
class DragDrop : public velktest::HostedAppTest {
protected:
    void SetUp() override {
        HostedAppTest::SetUp();
        MakeSets({{"A", "B", "", "D"}, {}, {"X"}});
        FillSet(1);
    }
    void TearDown() override { HostedAppTest::TearDown(); }
    // A fresh App with the same sets, for the next case of a table.
    void Restart() {
        TearDown();
        SetUp();
    }
    std::vector<std::string> Slots(uint16_t set, int count = 6) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) names.push_back(ItemName(set, static_cast<uint16_t>(i)));
        return names;
    }
    std::vector<std::string> SetNames() {
        std::vector<std::string> names;
        for (uint16_t i = 0; i < app->launchSets->count; ++i) names.push_back(app->launchSets->GetSetName(i));
        return names;
    }
    void Drop(uint16_t set, uint16_t press, uint16_t release) {
        app->pressSet = set;
        app->pressHit = press;
        app->CarryOutDrop(release);
    }
};

TEST_F(DragDrop, JudgeFollowsBothTablesRowByRow) {
    struct Case {
        uint16_t press, release;
        uint16_t shown;  // 1 = a full shown set
        bool setDialog, itemDialog;
        int32_t expected;
    };
    const Case cases[] = {
        // A press on a tab or a tab gap.
        {Tab(0), Tab(1), 0, true, false, -16},
        {TabGap(1), Tab(1), 0, true, false, -16},
        {Tab(0), kOutside, 0, false, false, -15},
        {Tab(0), Tab(1), 0, false, false, 10},
        {TabGap(2), Tab(1), 0, false, true, 10},
        {Tab(0), TabGap(2), 0, false, false, -11},
        {Tab(0), Hit(kHitTab, kPlacedEmpty, 1), 0, false, false, 0},
        {Tab(0), Cell(1), 0, false, false, -12},
        {Tab(0), CellGap(1), 0, false, false, -14},
        {Tab(0), Empty(2), 0, false, false, -13},
        {Tab(0), Hit(kHitCell, 3, 1), 0, false, false, 0},
        {Tab(0), kPin, 0, false, false, -16},
        {Tab(0), kNewSet, 0, false, false, -16},
        {Tab(0), kEditor, 0, false, false, -18},
        {Tab(0), kKind6, 0, false, false, 0},
        // A press on an item cell.
        {Cell(0), Empty(2), 0, false, true, -8},
        {Cell(0), Empty(2), 0, true, false, 5},
        {Empty(2), Cell(0), 0, false, false, 6},
        {Empty(2), kOutside, 1, false, false, 6},
        {Cell(0), kOutside, 0, false, false, 8},
        {Cell(0), kOutside, 1, false, false, -2},
        {Cell(0), Tab(2), 1, false, false, 1},
        {Cell(0), Tab(1), 0, false, false, -2},
        {Cell(0), TabGap(1), 0, false, false, -3},
        {Cell(0), Hit(kHitTab, kPlacedEmpty, 1), 0, false, false, 0},
        {Cell(0), Cell(1), 1, false, false, 4},
        {Cell(0), CellGap(3), 0, false, false, 7},
        {Cell(0), CellGap(3), 1, false, false, -2},
        {Cell(0), Empty(2), 1, false, false, 5},
        {Cell(0), Hit(kHitCell, 3, 1), 0, false, false, 0},
        {Cell(0), kPin, 0, false, false, -8},
        {Cell(0), kNewSet, 0, false, false, -8},
        {Cell(0), kEditor, 0, false, false, -17},
        {Cell(0), kKind6, 0, false, false, 0},
        // Presses on nothing useful.
        {kOutside, Cell(0), 0, false, false, 0},
        {kPin, Empty(2), 0, false, false, 0},
        {kNewSet, Tab(0), 0, false, false, 0},
        {kEditor, kOutside, 0, false, false, 0},
    };
    for (const Case& c : cases) {
        app->currentSet = c.shown;
        OpenDialogs(false, false, c.itemDialog, c.setDialog);
        EXPECT_EQ(c.expected, app->Judge(c.press, c.release))
            << std::hex << "press 0x" << c.press << " release 0x" << c.release << " shown " << c.shown;
    }
}

TEST_F(DragDrop, TheCursorShowsTheJudgement) {
    struct Case {
        uint16_t press, release;
        int cursor;  // 0: none set here
    };
    const Case cases[] = {
        {Cell(0), Tab(2), IDC_DRAG_PUT},
        {Cell(0), Cell(1), IDC_DRAG_PUT},
        {Cell(0), Empty(2), IDC_DRAG_PUT},
        {Tab(0), Tab(1), IDC_DRAG_PUT},
        {Cell(0), CellGap(3), IDC_DRAG_INSERT},
        {Tab(0), TabGap(2), IDC_DRAG_INSERT},
        {Cell(0), kOutside, IDC_DRAG_INTO_SET},
        {Cell(0), Tab(1), IDC_DRAG_NO},
        {Tab(0), kEditor, IDC_DRAG_NO},
        {Cell(0), kEditor, IDC_DRAG_NO},
        {Empty(2), Cell(0), 0},
        {kOutside, Cell(0), 0},
    };
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    for (const Case& c : cases) {
        app->currentSet = 0;
        app->pressHit = c.press;
        SetCursor(arrow);
        EXPECT_EQ(c.cursor != 0, app->SetDragCursor(c.release)) << std::hex << c.press << " " << c.release;
        HCURSOR expected = c.cursor ? LoadCursorA(app->instance, MAKEINTRESOURCEA(c.cursor)) : arrow;
        EXPECT_NE(nullptr, expected);
        EXPECT_EQ(expected, GetCursor()) << std::hex << c.press << " " << c.release;
    }
}

TEST_F(DragDrop, ItemDropsMoveItemsSlotBySlot) {
    using Names = std::vector<std::string>;
    struct Case {
        const char* name;
        uint16_t press, release;
        Names set0, set2;
    };
    const Case cases[] = {
        {"onto an empty cell", Cell(0), Empty(4), {"", "B", "", "D", "A", ""}, {"X", "", "", "", "", ""}},
        {"into a gap", Cell(0), CellGap(3), {"", "B", "A", "D", "", ""}, {"X", "", "", "", "", ""}},
        {"out of the panel", Cell(3), kOutside, {"A", "B", "D", "", "", ""}, {"X", "", "", "", "", ""}},
        {"out of the panel, own cell lowest",
         Cell(1),
         kOutside,
         {"A", "B", "", "D", "", ""},
         {"X", "", "", "", "", ""}},
        {"onto a tab with room", Cell(1), Tab(2), {"A", "", "", "D", "", ""}, {"X", "B", "", "", "", ""}},
        {"onto its own cell", Cell(0), Cell(0), {"A", "B", "", "D", "", ""}, {"X", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        Restart();
        app->currentSet = 0;
        ModalLoopAnswer unexpected([](HWND dialog) { Click(dialog, IDCANCEL); });
        Drop(0, c.press, c.release);
        EXPECT_FALSE(unexpected.Answered()) << c.name;
        EXPECT_EQ(c.set0, Slots(0)) << c.name;
        EXPECT_EQ(c.set2, Slots(2)) << c.name;
        EXPECT_EQ(0, app->currentSet) << c.name;
    }
}

TEST_F(DragDrop, AnItemDroppedOnAnotherItemReplacesItOnlyAfterOk) {
    for (int answer : {IDCANCEL, IDOK}) {
        std::string upper, lower;
        ModalLoopAnswer reply([&](HWND dialog) {
            upper = DialogText(dialog, IDC_CONFIRM_FIRST_NAME);
            lower = DialogText(dialog, IDC_CONFIRM_SECOND_NAME);
            Click(dialog, answer);
        });
        app->currentSet = 2;
        Drop(0, Cell(1), Cell(0));
        EXPECT_TRUE(reply.Answered());
        EXPECT_EQ("B", upper);
        EXPECT_EQ("X", lower);
        const bool ok = answer == IDOK;
        EXPECT_EQ(ok ? "B" : "X", ItemName(2, 0));
        EXPECT_EQ(ok ? "" : "B", ItemName(0, 1));
        EXPECT_EQ(2, app->currentSet);
    }
}

TEST_F(DragDrop, AFullDestinationIsReportedAndNothingMoves) {
    struct Case {
        uint16_t shown, pressSet, press, release;
    };
    const Case cases[] = {
        {0, 0, Cell(0), Tab(1)},      // onto the tab of a full set
        {1, 1, Cell(0), CellGap(2)},  // into a gap of the full shown set, from that set
        {1, 0, Cell(0), kOutside},    // out of the panel while a full set is shown
    };
    for (const Case& c : cases) {
        std::string text, caption;
        ModalLoopAnswer reply([&](HWND box) {
            text = DialogText(box, 0xFFFF);
            caption = velktest::WindowText(box);
            Click(box, IDOK);
        });
        app->currentSet = c.shown;
        const auto before0 = Slots(0, 18), before1 = Slots(1, 18);
        Drop(c.pressSet, c.press, c.release);
        EXPECT_TRUE(reply.Answered());
        char expected[260] = {};
        LoadStringA(app->instance, IDS_NO_ROOM, expected, sizeof expected);
        EXPECT_EQ(expected, text);
        EXPECT_EQ("VELK ver. 0.01", caption);
        EXPECT_EQ(before0, Slots(0, 18));
        EXPECT_EQ(before1, Slots(1, 18));
    }
}

TEST_F(DragDrop, TabDropsMoveOrOverwriteSets) {
    struct Case {
        uint16_t press, release;
        int answer;  // 0: no question expected
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {Tab(0), TabGap(0), 0, {"Set0", "Set1", "Set2"}},
        {Tab(0), TabGap(1), 0, {"Set0", "Set1", "Set2"}},
        {Tab(0), TabGap(3), 0, {"Set1", "Set2", "Set0"}},
        {Tab(2), TabGap(0), 0, {"Set2", "Set0", "Set1"}},
        {Tab(1), Tab(1), 0, {"Set0", "Set1", "Set2"}},
        {Tab(0), Tab(2), IDCANCEL, {"Set0", "Set1", "Set2"}},
        {Tab(0), Tab(2), IDOK, {"Set1", "Set0"}},
    };
    for (const Case& c : cases) {
        Restart();
        app->currentSet = 1;
        std::string upper, lower;
        ModalLoopAnswer reply([&](HWND dialog) {
            upper = DialogText(dialog, IDC_CONFIRM_FIRST_NAME);
            lower = DialogText(dialog, IDC_CONFIRM_SECOND_NAME);
            Click(dialog, c.answer ? c.answer : IDCANCEL);
        });
        Drop(1, c.press, c.release);
        EXPECT_EQ(c.answer != 0, reply.Answered());
        if (c.answer) {
            EXPECT_EQ("[ Set0 ]", upper);
            EXPECT_EQ("[ Set2 ]", lower);
        }
        EXPECT_EQ(c.after, SetNames()) << std::hex << c.press << " " << c.release;
        EXPECT_EQ(1, app->currentSet);
    }
}

// Through the press and the drop command, as the hook library delivers them:
// the third set, shown, is gone after the overwrite, and the panel shows one
// that exists.
TEST_F(DragDrop, OverwritingSetsNeverLeavesTheShownSetMissing) {
    app->currentSet = 2;
    auto cursorAt = [&](POINT p) {
        ClientToScreen(app->panel, &p);
        ASSERT_TRUE(velktest::MoveCursorTo(p.x, p.y));
    };
    cursorAt(TabCentre(0));
    SendMessageA(app->panel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    cursorAt(TabCentre(1));
    ModalLoopAnswer reply([](HWND dialog) { Click(dialog, IDOK); });
    SendMessageA(app->panel, WM_COMMAND, IDM_PRIMARY_DRAG, 0);
    EXPECT_TRUE(reply.Answered());
    EXPECT_EQ((std::vector<std::string>{"Set0", "Set2"}), SetNames());
    EXPECT_EQ(1, app->currentSet);
    DDEntry(0);
}

TEST_F(DragDrop, AnItemDroppedOnTheEditorPutsItsNameThereForEditing) {
    app->currentSet = 0;
    app->nameEditor->SetText("status");
    Drop(0, Cell(1), kEditor);
    EXPECT_FALSE(GetWindowLongA(app->nameEdit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ("B", velktest::WindowText(app->nameEdit));
    DWORD start = 0, end = 0;
    SendMessageA(app->nameEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(1u, start);
    EXPECT_EQ(1u, end);
    EXPECT_EQ("B", ItemName(0, 1));
}

// An HDROP as the shell builds it: DROPFILES and a double-NUL list.
HDROP MakeDrop(const std::vector<std::string>& paths, POINT point) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const auto& p : paths) size += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->pt = point;
    char* list = reinterpret_cast<char*>(files + 1);
    for (const auto& p : paths) {
        lstrcpyA(list, p.c_str());
        list += p.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(DragDrop, OnlyASingleDroppedFileIsTaken) {
    const std::string one = files.File("one.txt"), two = files.File("two.txt");
    char path[MAX_PATH] = {};
    POINT point = {};
    EXPECT_FALSE(TakeOneDroppedFile(MakeDrop({one, two}, {5, 6}), path, sizeof path, &point));
    EXPECT_TRUE(TakeOneDroppedFile(MakeDrop({one}, {50, 60}), path, sizeof path, &point));
    EXPECT_EQ(one, path);
    EXPECT_EQ(50, point.x);
    EXPECT_EQ(60, point.y);
}

TEST_F(DragDrop, ADroppedFileIsPlacedByWhereItLands) {
    using Names = std::vector<std::string>;
    struct Case {
        const char* name;
        uint16_t hit;
        uint16_t set;
        Names slots;
    };
    const Case cases[] = {
        {"tab with room", Tab(2), 2, {"X", "new", "", "", "", ""}},
        {"tab gap", TabGap(1), 0, {"A", "B", "", "D", "", ""}},
        {"occupied cell, replaced without a question", Cell(1), 0, {"A", "new", "", "D", "", ""}},
        {"empty cell", Empty(4), 0, {"A", "B", "", "D", "new", ""}},
        {"gap", CellGap(1), 0, {"A", "new", "B", "D", "", ""}},
        {"background", kOutside, 0, {"A", "B", "new", "D", "", ""}},
        {"pin", kPin, 0, {"A", "B", "new", "D", "", ""}},
        {"new-set button", kNewSet, 0, {"A", "B", "new", "D", "", ""}},
        {"name editor", kEditor, 0, {"A", "B", "new", "D", "", ""}},
    };
    for (const Case& c : cases) {
        Restart();
        app->currentSet = 0;
        const std::string file = files.File("new.txt");
        std::ofstream(file) << "x";
        ModalLoopAnswer unexpected([](HWND dialog) { Click(dialog, IDCANCEL); });
        app->DropFileAt(file.c_str(), c.hit);
        EXPECT_FALSE(unexpected.Answered()) << c.name;
        EXPECT_EQ(c.slots, Slots(c.set)) << c.name;
    }
}

TEST_F(DragDrop, AFileDroppedOnAFullTabIsReported) {
    const std::string file = files.File("new.txt");
    std::ofstream(file) << "x";
    ModalLoopAnswer reply([](HWND box) { Click(box, IDOK); });
    const auto before = Slots(1, 18);
    app->DropFileAt(file.c_str(), Tab(1));
    EXPECT_TRUE(reply.Answered());
    EXPECT_EQ(before, Slots(1, 18));
}

TEST_F(DragDrop, ADroppedShortcutBecomesItsTarget) {
    const std::string target = files.File("tool.txt");
    std::ofstream(target) << "x";
    const std::string link = files.File("My Tool.lnk");
    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&shellLink)));
    shellLink->SetPath(target.c_str());
    shellLink->SetWorkingDirectory("C:\\windows");
    IPersistFile* file = nullptr;
    ASSERT_EQ(S_OK, shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    ASSERT_EQ(S_OK, file->Save(wide, TRUE));
    file->Release();
    shellLink->Release();

    app->currentSet = 0;
    app->DropFileAt(link.c_str(), Empty(5));
    const LaunchItemInfo info = app->launchSets->GetItemInfo(0, 5);
    ASSERT_NE(nullptr, info.name);
    EXPECT_STREQ("My Tool", info.name);
    EXPECT_EQ(0, lstrcmpiA(target.c_str(), info.target));
    EXPECT_EQ(0, lstrcmpiA("C:\\windows", info.workingFolder));
    CoUninitialize();
}

}  // namespace

// Texts typed up to the dialogs' limits, drags with either button and their cancels, presses elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include "Bytes.h"
#include "Session.h"

namespace {

using namespace velktest;

constexpr POINT kBeforeFirstTab = {212, 20};  // the gap before the first of two tabs
constexpr POINT kStart = {400, 300};          // where StartVelk puts the cursor, and the panel

// A release that carries no place, then one more move close by: the hook may see the release only then.
void Release(DWORD button) {
    POINT at = {};
    GetCursorPos(&at);
    Button(button);
    MoveMouseTo(POINT{at.x + 1, at.y});
}

// Pressed over the panel's point, released over the screen's, the release carrying its place. The hook takes
// a move with the next input, and may read the cursor a move late: moved twice, it is a drag, not a click.
void Drag(HWND panel, POINT from, POINT to, DWORD down) {
    ASSERT_TRUE(MoveMouseTo(OnScreen(panel, from)));
    Button(down);
    ASSERT_TRUE(MoveMouseTo(to) && MoveMouseTo(to));
    ButtonAt(down << 1, to);
    MoveMouseTo(POINT{to.x + 1, to.y});
}

// The centre of the window on the screen.
POINT Centre(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Pasted with CTRL+V. Typed double-byte characters reach a dialog of an ANSI program under Wine split into
// two characters; pasted ones arrive whole.
void Paste(const char* utf8) {
    const std::wstring text = Wide(utf8);
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    Key(VK_CONTROL, true);
    TypeKeys({'V'});
    Key(VK_CONTROL, false);
}

std::string Repeat(const std::string& text, int times) {
    std::string all;
    while (times-- > 0) all += text;
    return all;
}

// The set name's edit takes 64 characters, the data file keeps 64 bytes of a set name and 259 of an item's
// texts, and never the first half of a double-byte character ("表" is 0x95 0x5C).
TEST(Limits, TypedTextsReachTheDataFileCutToTheirLimits) {
    Velk velk;
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);

    HWND set = OpenByKey(panel, velk.Id(), 'L', "LAUNCH SET");
    ASSERT_TRUE(set);
    Paste((Repeat("a", 63) + "表").c_str());
    ASSERT_TRUE(WaitFor([&] { return DialogText(set, IDC_SET_NAME).compare(0, 63, Repeat("a", 63)) == 0; }));
    PressButton(set, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(set); }));
    set = OpenByKey(panel, velk.Id(), 'L', "LAUNCH SET");
    ASSERT_TRUE(set);
    TypeText(Repeat("b", 70).c_str());
    EXPECT_TRUE(WaitFor([&] { return DialogText(set, IDC_SET_NAME) == Repeat("b", 64); }, 3000))
        << DialogText(set, IDC_SET_NAME).size();
    PressButton(set, IDOK);

    HWND item = OpenByKey(panel, velk.Id(), 'I', "LAUNCH ITEM");
    ASSERT_TRUE(item);
    const std::string folder = "C:\\" + Repeat("f", 300);
    const std::pair<int, std::string> typed[] = {
        {IDC_ITEM_NAME, Repeat("n", 300)},
        {IDC_ITEM_TARGET, Repeat("表", 150)},  // pasted
        {IDC_ITEM_WORKING_FOLDER, folder},
    };
    for (const auto& [id, text] : typed) {
        ClickAt(Centre(GetDlgItem(item, id)));
        if (id == IDC_ITEM_TARGET)
            Paste(text.c_str());
        else
            TypeText(text.c_str());
        ASSERT_TRUE(WaitFor([&] { return DialogText(item, id).size() >= 259; })) << id;
    }
    // OK asks about the folder that does not exist; the question is modal.
    PostMessageA(GetDlgItem(item, IDOK), BM_CLICK, 0, 0);
    HWND question = WaitForWindow(velk.Id(), "#32770", WindowText(panel).c_str());
    ASSERT_TRUE(question);
    PressButton(question, IDOK);

    EXPECT_EQ(0u, velk.Close());
    DataFile cut = DefaultHeader(0x18, 0, 3).Text("NewLaunchSet");
    cut.Slot(Repeat("n", 259), Repeat("\x95\x5C", 129), folder.substr(0, 259)).Empty(17);
    cut.Text(Repeat("a", 63)).Empty(18).Text(Repeat("b", 64)).Empty(18);
    EXPECT_EQ(Hex(cut.bytes), Hex(ReadBytes(velk.DataFile())));
}

// Gestures that begin on the panel with either button: an item onto another set's tab, a tab into the gap
// before the first, an item onto the command line. Drags cancelled by another button or by ESC (which also
// hides the panel) move nothing.
TEST(Drags, ItemsAndTabsGoWhereTheyAreDroppedAndCancelledDragsNowhere) {
    Velk velk;
    DataFile file =
        DataFile().Header(0x18, 0, 2).Text("Tools").Empty(1).Slot("Marker", "C:\\velk\\marker.exe", "");
    file.Slot("Notes", "C:\\velk\\notes.txt", "").Slot("Memo", "C:\\velk\\memo.txt", "").Empty(14);
    ASSERT_TRUE(WriteBytes(velk.DataFile(), file.Text("Games").Empty(18).bytes));
    OtherWindows other;
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);

    // Memo would go to the empty cell 5. The other button cancels, pressed away from the panel, where it
    // starts no gesture of its own; so does ESC, which also hides the panel.
    for (bool byEscape : {false, true}) {
        ASSERT_TRUE(MoveMouseTo(OnScreen(panel, Cell(3))));
        Button(MOUSEEVENTF_LEFTDOWN);
        if (byEscape) {
            ASSERT_TRUE(MoveMouseTo(OnScreen(panel, Cell(5))));
            Key(VK_ESCAPE, true);
        } else {
            // A press without a move: after one, the hook starts a new gesture, whose release opens the menu.
            ASSERT_TRUE(MoveMouseTo(other.Away(panel)));
            Button(MOUSEEVENTF_RIGHTDOWN);
            Release(MOUSEEVENTF_RIGHTUP);
            ASSERT_TRUE(MoveMouseTo(OnScreen(panel, Cell(5))));
        }
        Release(MOUSEEVENTF_LEFTUP);
        if (byEscape) {
            Key(VK_ESCAPE, false);
            EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
            ClickAt(kStart, MOUSEEVENTF_MIDDLEDOWN);
        }
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(panel) != FALSE; }));
    }

    ASSERT_TRUE(StatusAt(panel, Cell(2), "Notes"));  // shown again, where it stays
    Drag(panel, Cell(2), OnScreen(panel, Tab(1, 2)), MOUSEEVENTF_LEFTDOWN);
    Drag(panel, Tab(1, 2), OnScreen(panel, kBeforeFirstTab), MOUSEEVENTF_RIGHTDOWN);
    // The panel stays on the first set, now Games.
    Drag(panel, Cell(0), Centre(GetDlgItem(panel, IDC_NAME_EDIT)), MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(Shows(panel, "Notes")) << EditorText(panel);
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(panel, IDC_NAME_EDIT), GWL_STYLE) & ES_READONLY);  // to edit
    SaveScreenshot(panel, "e2e_item_dropped_on_command_line");

    EXPECT_EQ(0u, velk.Close());
    DataFile moved =
        DataFile().Header(0x18, 0, 2).Text("Games").Slot("Notes", "C:\\velk\\notes.txt", "").Empty(17);
    moved.Text("Tools").Empty(1).Slot("Marker", "C:\\velk\\marker.exe", "").Empty(1);
    moved.Slot("Memo", "C:\\velk\\memo.txt", "").Empty(14);
    EXPECT_EQ(Hex(moved.bytes), Hex(ReadBytes(velk.DataFile())));
}

// A click starts an item in its folder. Presses elsewhere leave a pinned panel alone; once the pin is pulled,
// presses on it keep it, presses elsewhere and ESC hide it. A tick after a press shows it was dealt with.
TEST(Gestures, PressesElsewhereHideOnlyAnUnpinnedPanel) {
    Velk velk;
    TempFolder work;
    const std::string marker = BuildFile("launch_marker.exe");
    ASSERT_TRUE(WriteBytes(
        velk.DataFile(),
        DataFile().Header(0x18, 0, 1).Text("Tools").Slot("Marker", marker, work.Path()).Empty(17).bytes));
    OtherWindows other;
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    auto shown = [&] { return IsWindowVisible(panel) != FALSE; };
    auto hidden = [&] { return !IsWindowVisible(panel); };
    auto rests = [&] { return StatusAt(panel, Cell(0), "Marker") && shown(); };
    ClickOn(panel, Cell(0));
    ASSERT_TRUE(WaitFor([&] { return ReadBytes(work.File("started.txt")) == work.Path(); }));
    EXPECT_TRUE(shown());
    ClickAt(other.Away(panel));
    ClickAt(other.Away(panel), MOUSEEVENTF_RIGHTDOWN);
    EXPECT_TRUE(rests());

    ClickOn(panel, kPin);
    ASSERT_TRUE(WaitFor([&] {
        const std::string bytes = ReadBytes(velk.DataFile());
        return bytes.size() > 6 && bytes[6] == 0x08;
    }));
    ClickOn(panel, kBackground);
    EXPECT_TRUE(rests());
    ASSERT_TRUE(BringToFront(panel));
    TypeKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor(hidden));
    // The middle button, the trigger, shows it again, and hides it too.
    for (DWORD down : {0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN}) {
        if (down) ClickAt(other.Away(panel), down);
        EXPECT_TRUE(WaitFor(hidden)) << down;
        ClickAt(kStart, MOUSEEVENTF_MIDDLEDOWN);
        ASSERT_TRUE(WaitFor(shown)) << down;
    }
    EXPECT_EQ(0u, velk.Close());
}

}  // namespace

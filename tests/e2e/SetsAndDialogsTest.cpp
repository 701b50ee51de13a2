// Every set on the screen, the dialogs' settings in the data file and the next start, the command line's
// keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "Bytes.h"
#include "Session.h"

namespace {

using namespace velktest;

// The panel's client area as the screen shows it, 256 x 192, 0xRRGGBB row by row.
struct Picture {
    explicit Picture(HWND panel) {
        const POINT o = OnScreen(panel, POINT{0, 0});
        pixels = ScreenPixels(RECT{o.x, o.y, o.x + 256, o.y + 192});
    }
    // How many pixels of the 24 x 24 square around the point differ from the colour.
    int Differing(POINT centre, uint32_t colour) const {
        int n = 0;
        for (int y = centre.y - 12; y < centre.y + 12; ++y)
            for (int x = centre.x - 12; x < centre.x + 12; ++x) n += pixels[y * 256 + x] != colour;
        return n;
    }
    // The bottom right corner, where the set's name stands.
    std::vector<uint32_t> Corner() const {
        std::vector<uint32_t> corner;
        for (int y = 170; y < 190; ++y)
            corner.insert(corner.end(), &pixels[y * 256 + 130], &pixels[y * 256 + 254]);
        return corner;
    }
    std::vector<uint32_t> pixels;
};

constexpr uint32_t kPlain = 0x204060;

// Each set's items stand in their own cells (x) and nowhere else.
void ExpectCellsOf(HWND panel, const std::string& cells, int set) {
    const Picture picture(panel);
    for (int cell = 0; cell < 18; ++cell) {
        const int differing = picture.Differing(Cell(cell), kPlain);
        EXPECT_TRUE(cells[cell] == 'x' ? differing > 50 : differing == 0)
            << "set " << set << " cell " << cell;
    }
}

TEST(Sets, EachSetShowsItsOwnItemsAndNameByTabAndByWheel) {
    Velk velk;
    const char* names[] = {"Tools", "Games", "Docs"};
    const std::string cells[] = {"x....x............", ".......x....x.....", ".................x"};
    DataFile data = DataFile().Header(0x18, 0, 3, 18, 100, 0x20, 0x40, 0x60);
    for (int set = 0; set < 3; ++set) {
        data.Text(names[set]);
        for (char cell : cells[set])
            cell == 'x' ? data.Slot("item", "C:\\velk\\missing.txt", "") : data.Empty(1);
    }
    ASSERT_TRUE(WriteBytes(velk.DataFile(), data.bytes));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);

    std::vector<uint32_t> corners[3];
    for (int set : {2, 1, 0}) {
        ClickOn(panel, Tab(set));
        EXPECT_TRUE(StatusAt(panel, kBackground, std::string("< ") + names[set] + " >")) << EditorText(panel);
        ExpectCellsOf(panel, cells[set], set);
        corners[set] = Picture(panel).Corner();
        if (set == 1) SaveScreenshot(panel, "e2e_second_set");
    }
    EXPECT_TRUE(corners[0] != corners[1] && corners[1] != corners[2] && corners[0] != corners[2]);

    // The wheel, over the panel, turns to the next set and round.
    ASSERT_TRUE(BringToFront(panel));
    for (int set : {1, 2, 0}) {
        INPUT wheel = {};
        wheel.type = INPUT_MOUSE;
        wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
        wheel.mi.mouseData = DWORD(WHEEL_DELTA);
        SendInput(1, &wheel, sizeof wheel);
        EXPECT_TRUE(Shows(panel, std::string("< ") + names[set] + " >")) << set << ": " << EditorText(panel);
        EXPECT_TRUE(WaitFor([&] { return Picture(panel).Corner() == corners[set]; })) << set;
        ExpectCellsOf(panel, cells[set], set);
    }
    EXPECT_EQ(0u, velk.Close());
}

// The settings reach the data file within a second, survive a forced end, and are what the next start shows
// and obeys.
TEST(Dialogs, EveryDialogsOkReachesTheDataFileAndTheNextStart) {
    Velk velk;
    const std::string marker = BuildFile("launch_marker.exe");
    DataFile file = DataFile().Header(0x58, 0, 2).Text("Tools").Slot("Old", "C:\\velk\\old.txt", "");
    ASSERT_TRUE(WriteBytes(velk.DataFile(), file.Empty(17).Text("Games").Empty(18).bytes));
    ASSERT_TRUE(
        WriteBytes(velk.Folder().File("_QXWP_.bmp"), Bmp(32, 24, [](int, int) { return 0x0000C0u; })));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);

    // An item edited through the menu on its cell.
    ClickOn(panel, Cell(0), MOUSEEVENTF_RIGHTDOWN);
    ASSERT_TRUE(ChooseMenuEntry(panel, velk.Id(), IDM_ITEM_DIALOG));
    HWND item = WaitForWindow(velk.Id(), "#32770", "LAUNCH ITEM");
    ASSERT_TRUE(item);
    EXPECT_EQ("Old", DialogText(item, IDC_ITEM_NAME));
    SetDlgItemTextA(item, IDC_ITEM_NAME, "New");
    SetDlgItemTextA(item, IDC_ITEM_TARGET, marker.c_str());
    SaveScreenshot(item, "e2e_item_dialog");
    PressButton(item, IDOK);

    // The second set renamed through the menu on its tab.
    ClickOn(panel, Tab(1, 2), MOUSEEVENTF_RIGHTDOWN);
    ASSERT_TRUE(ChooseMenuEntry(panel, velk.Id(), IDM_CHANGE_SET));
    HWND set = WaitForWindow(velk.Id(), "#32770", "LAUNCH SET");
    ASSERT_TRUE(set);
    EXPECT_EQ("Games", DialogText(set, IDC_SET_NAME));
    SetDlgItemTextA(set, IDC_SET_NAME, "Play");
    SaveScreenshot(set, "e2e_set_dialog");
    PressButton(set, IDOK);

    // The colour, ALPHA and FILL; the picture switched off.
    HWND wallpaper = OpenByKey(panel, velk.Id(), 'W', "WALLPAPER");
    ASSERT_TRUE(wallpaper);
    const std::string values[] = {"200", "100", "50", "40"};  // red, green, blue, ALPHA
    for (int i = 0; i < 4; ++i) SetDlgItemTextA(wallpaper, IDC_WALLPAPER_RED_VALUE + i, values[i].c_str());
    PressButton(wallpaper, IDC_WALLPAPER_FILL);
    PressButton(wallpaper, IDC_WALLPAPER_CLEAR);
    SaveScreenshot(wallpaper, "e2e_wallpaper_dialog");
    PressButton(wallpaper, IDOK);

    // The trigger: CTRL and SHIFT instead of the middle button.
    HWND hotKey = OpenByKey(panel, velk.Id(), 'H', Sjis("表示・非表示に使用するキー").c_str());
    ASSERT_TRUE(hotKey);
    for (int box : {IDC_HOTKEY_MIDDLE, IDC_HOTKEY_CTRL, IDC_HOTKEY_SHIFT}) PressButton(hotKey, box);
    SaveScreenshot(hotKey, "e2e_hot_key_dialog");
    PressButton(hotKey, IDOK);

    DataFile changed =
        DataFile().Header(0x35, 0, 2, 18, 40, 200, 100, 50).Text("Tools").Slot("New", marker, "");
    const std::string expected = changed.Empty(17).Text("Play").Empty(18).bytes;
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(velk.DataFile()) == expected; }, 3000))
        << Hex(ReadBytes(velk.DataFile()));
    velk.Kill();
    ASSERT_EQ(Hex(expected), Hex(ReadBytes(velk.DataFile())));

    // The next start: the plain colour, the item's and the set's new names, the dialog's values, and the new
    // trigger.
    panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    EXPECT_TRUE(StatusAt(panel, Tab(1, 2), "< Play >")) << EditorText(panel);
    EXPECT_TRUE(StatusAt(panel, Cell(0), "New")) << EditorText(panel);
    ASSERT_TRUE(MoveMouseTo(kDesktop));
    // The plain colour between the cells, away from the cursor's marks.
    EXPECT_TRUE(WaitFor([&] {
        const Picture picture(panel);
        for (POINT p : {POINT{45, 82}, POINT{127, 82}, POINT{168, 128}, POINT{209, 128}})
            if (picture.pixels[p.y * 256 + p.x] != 0xC86432) return false;
        return true;
    }));

    for (bool shown : {false, true}) {
        Key(VK_CONTROL, true);
        Key(VK_SHIFT, true);
        Key(VK_SHIFT, false);
        Key(VK_CONTROL, false);
        EXPECT_TRUE(WaitFor([&] { return (IsWindowVisible(panel) != FALSE) == shown; })) << shown;
    }
    wallpaper = OpenByKey(panel, velk.Id(), 'W', "WALLPAPER");
    ASSERT_TRUE(wallpaper);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(values[i], DialogText(wallpaper, IDC_WALLPAPER_RED_VALUE + i));
    PressButton(wallpaper, IDCANCEL);
    EXPECT_EQ(0u, velk.Close());
}

// ESC drops a command; Up and Down recall what Enter started.
TEST(CommandLine, EditingKeysAndRecallWorkAsTyped) {
    Velk velk;
    ASSERT_TRUE(CopyFileA(BuildFile("launch_marker.exe").c_str(),
                          velk.Folder().File("launch_marker.exe").c_str(), FALSE));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    ASSERT_TRUE(BringToFront(panel));
    const char first[] = "$p\\launch_marker.exe";

    TypeKeys({VK_RETURN});
    TypeText(first);
    ASSERT_TRUE(Shows(panel, first));
    TypeKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor([&] { return FileExists(velk.Folder().File("started.txt")); }));
    ASSERT_TRUE(Shows(panel, "< NewLaunchSet >"));

    TypeKeys({VK_RETURN});
    TypeText("velkxx-second");
    TypeKeys({VK_HOME, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DELETE, VK_BACK});
    EXPECT_TRUE(Shows(panel, "velx-second"));
    TypeKeys({VK_END});
    TypeText("!");
    EXPECT_TRUE(Shows(panel, "velx-second!"));
    SaveScreenshot(panel, "e2e_command_line");
    TypeKeys({VK_RETURN});
    ASSERT_TRUE(Shows(panel, "< NewLaunchSet >"));

    // Typed and dropped with ESC: it comes back neither now nor from the history.
    TypeKeys({VK_RETURN});
    TypeText("dropped");
    ASSERT_TRUE(Shows(panel, "dropped"));
    TypeKeys({VK_ESCAPE});
    EXPECT_TRUE(IsWindowVisible(panel));
    TypeKeys({VK_RETURN});
    EXPECT_TRUE(Shows(panel, ""));
    for (auto [key, text] : {std::pair<WORD, const char*>{VK_UP, "velx-second!"},
                             {VK_UP, first},
                             {VK_UP, first},
                             {VK_DOWN, "velx-second!"}}) {
        TypeKeys({key});
        EXPECT_TRUE(Shows(panel, text)) << text << ": " << EditorText(panel);
    }
    TypeKeys({VK_ESCAPE});
    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(
        Hex(DefaultHeader(0x18, 2, 1).Text(first).Text("velx-second!").Text("NewLaunchSet").Empty(18).bytes),
        Hex(ReadBytes(velk.DataFile())));
}

}  // namespace

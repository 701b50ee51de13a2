// VELK.exe as a user meets it: started from a folder of its own, driven with
// real input through its hooks, and checked by what the screen shows, what
// it starts and, at the end, the data file byte for byte.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include "Bytes.h"
#include "Support.h"
#include "resources/resource.h"

namespace {

using namespace velktest;

// The grid as the panel lays it out: cell i's centre, in client coordinates.
POINT Cell(int i) {
    return POINT{25 + 41 * (i % 6), 60 + 46 * (i / 6)};
}
constexpr POINT kPin = {20, 20};
constexpr POINT kBackground = {130, 30};
// A place away from the panel, where another program's window lies.
constexpr POINT kDesktop = {900, 650};
// "表示・非表示に使用するキー" in code page 932.
constexpr char kHotKeyTitle[] =
    "\x95\x5C\x8E\xA6\x81\x45\x94\xF1\x95\x5C\x8E\xA6\x82\xC9\x8E\x67\x97\x70\x82\xB7\x82\xE9\x83L\x81[";

std::string EditorText(HWND panel) {
    char text[300] = {};
    SendDlgItemMessageA(panel, IDC_NAME_EDIT, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The cursor moved onto the point, the status line names what lies there: a tick of the panel's own
// timer after every input before the move, since its timer comes only once the posted input is handled.
bool StatusAt(HWND panel, POINT client, const std::string& status) {
    return MoveMouseTo(OnScreen(panel, client)) && WaitFor([&] { return EditorText(panel) == status; });
}

// Starts VELK with the cursor at (400, 300) and waits for its first tick's
// status text, which comes after the hooks are in place.
HWND StartVelk(Velk& velk) {
    if (!MoveMouseTo(POINT{400, 300})) return nullptr;
    HWND panel = velk.Start();
    if (panel && !WaitFor([&] { return !EditorText(panel).empty(); })) return nullptr;
    return panel;
}

// The hook can see a release one input event late, and the panel reads the
// cursor when the click's command arrives: one more move stays on the point.
void ClickOn(HWND panel, POINT client, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    ASSERT_TRUE(MoveMouseTo(OnScreen(panel, client)));
    Click(down, up);
    MoveMouseTo(OnScreen(panel, POINT{client.x + 1, client.y}));
}

// A window of this program, not VELK's, under kDesktop: clicks on it come
// through the hooks as clicks in another program.
struct OtherWindow {
    OtherWindow()
        : window(CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "other", WS_POPUP | WS_VISIBLE, kDesktop.x - 50,
                                 kDesktop.y - 50, 100, 100, nullptr, nullptr, nullptr, nullptr)) {}
    ~OtherWindow() { DestroyWindow(window); }
    HWND window;
};

void ClickOnDesktop(DWORD down, DWORD up) {
    ASSERT_TRUE(MoveMouseTo(kDesktop));
    Click(down, up);
}

void Accelerator(HWND panel, WORD key) {
    ASSERT_TRUE(BringToFront(panel));
    Key(VK_CONTROL, true);
    TypeKeys({key});
    Key(VK_CONTROL, false);
}

// Waits until the screen shows the colour at points of the panel's
// background between the cells, away from the cursor's marks.
bool ShowsBackground(HWND panel, COLORREF colour) {
    return WaitFor([&] {
        HDC screen = GetDC(nullptr);
        bool all = true;
        for (POINT client : {POINT{45, 82}, POINT{127, 82}, POINT{168, 128}, POINT{209, 128}}) {
            const POINT p = OnScreen(panel, client);
            all = all && GetPixel(screen, p.x, p.y) == colour;
        }
        ReleaseDC(nullptr, screen);
        return all;
    });
}

// Start-up places the panel at the cursor within the screen; a second start
// only says that VELK runs; the end writes the data file a fresh start makes.
TEST(Velk, StartsOnceAtTheCursorAndWritesItsDataFileAtTheEnd) {
    Velk velk;
    const POINT corner = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(MoveMouseTo(POINT{corner.x - 3, corner.y - 3}));
    HWND panel = velk.Start();
    ASSERT_TRUE(panel);
    RECT placed = {};
    GetWindowRect(panel, &placed);
    EXPECT_EQ(corner.x, placed.right);
    EXPECT_EQ(corner.y, placed.bottom);
    SaveScreenshot(panel, "e2e_fresh_panel");

    Velk second;
    ASSERT_TRUE(second.Launch());
    HWND box = WaitForWindow(second.Id(), "#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(WindowText(panel), WindowText(box));
    EXPECT_EQ(WindowText(panel) + " is already running", DialogText(box, 0xFFFF));
    SaveScreenshot(box, "e2e_already_running");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, second.Wait(10000));

    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(DefaultHeader(0x18, 0, 1).Text("NewLaunchSet").Empty(18).bytes),
              Hex(ReadBytes(velk.DataFile())));
}

// A session on the panel: a click starts an item in its working folder, the
// pin keeps the panel, a drag moves an item, the menu deletes one after a
// question; the pulled pin lets a click elsewhere hide the panel, the trigger
// shows it again. Every change is in the data file within a second, so a
// forced end loses none of them.
TEST(Velk, APanelSessionReachesTheDataFileBeforeAForcedEnd) {
    Velk velk;
    TempFolder work;
    const std::string marker = BuildFile("launch_marker.exe"), notes = work.File("notes.txt");
    ASSERT_TRUE(WriteBytes(notes, "notes"));
    ASSERT_TRUE(WriteBytes(velk.DataFile(), DataFile()
                                                .Header(0x18, 0, 2)
                                                .Text("Tools")
                                                .Slot("Marker", marker, work.Path())
                                                .Slot("Notes", notes, work.Path())
                                                .Empty(16)
                                                .Text("Games")
                                                .Empty(18)
                                                .bytes));
    OtherWindow other;
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);

    // Pinned: the panel stays after a launch and after a click elsewhere.
    ClickOn(panel, Cell(0));
    ASSERT_TRUE(WaitFor([&] { return FileExists(work.File("started.txt")); }));
    EXPECT_EQ(work.Path(), ReadBytes(work.File("started.txt")));
    ClickOnDesktop(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(StatusAt(panel, Cell(1), "Notes"));
    ASSERT_TRUE(IsWindowVisible(panel));

    // "Notes" dragged from cell 1 onto the empty cell 5, in paced steps.
    ASSERT_TRUE(MoveMouseTo(OnScreen(panel, Cell(1))));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step)
        ASSERT_TRUE(
            MoveMouseTo(OnScreen(panel, POINT{Cell(1).x + (Cell(5).x - Cell(1).x) * step / 4, Cell(1).y})));
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(MoveMouseTo(OnScreen(panel, POINT{Cell(5).x + 1, Cell(5).y})));

    // The menu on the item, its entry "delete launch item" chosen by its command, a question. (Another
    // process's menu cannot be read here: the command is what the entry sends once the menu closes.)
    ClickOn(panel, Cell(0), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    HWND menu = WaitForWindow(velk.Id(), "#32768");
    ASSERT_TRUE(menu);
    SaveScreenshot(menu, "e2e_menu_on_item");
    TypeKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
    PostMessageA(panel, WM_COMMAND, IDM_DELETE_ITEM, 0);
    HWND question = WaitForWindow(velk.Id(), "#32770");
    ASSERT_TRUE(question);
    EXPECT_EQ("Marker", DialogText(question, IDC_CONFIRM_FIRST_NAME));
    SaveScreenshot(question, "e2e_confirm_delete_item");
    PressButton(question, IDOK);

    // The pin pulled: a click on the panel keeps it, one elsewhere hides it;
    // the trigger shows it again and ESC hides it.
    ClickOn(panel, kPin);
    ClickOn(panel, kBackground);
    ASSERT_TRUE(StatusAt(panel, Cell(5), "Notes"));
    EXPECT_TRUE(IsWindowVisible(panel));
    ClickOnDesktop(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
    ClickOnDesktop(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(panel) != FALSE; }));
    ASSERT_TRUE(BringToFront(panel));
    TypeKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));

    const std::string expected = DataFile()
                                     .Header(0x08, 0, 2)
                                     .Text("Tools")
                                     .Empty(5)
                                     .Slot("Notes", notes, work.Path())
                                     .Empty(12)
                                     .Text("Games")
                                     .Empty(18)
                                     .bytes;
    WaitFor([&] { return ReadBytes(velk.DataFile()) == expected; }, 3000);
    velk.Kill();
    EXPECT_EQ(Hex(expected), Hex(ReadBytes(velk.DataFile())));
}

// A session with the dialogs, opened by their keys, and the command line:
// a new set, the trigger SHIFT, an item, a wallpaper through the file
// chooser, a typed command and its history. The data file holds them all,
// and the next start shows the picture.
TEST(Velk, AnEditingSessionReachesTheDataFileAndTheNextStart) {
    Velk velk;
    const std::string marker = velk.Folder().File("launch_marker.exe"),
                      picture = velk.Folder().File("beach.bmp");
    ASSERT_TRUE(CopyFileA(BuildFile("launch_marker.exe").c_str(), marker.c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(picture, Bmp(64, 48, [](int, int) { return 0x3090C0u; })));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);

    Accelerator(panel, 'L');
    HWND set = WaitForWindow(velk.Id(), "#32770", "LAUNCH SET");
    ASSERT_TRUE(set);
    SetDlgItemTextA(set, IDC_SET_NAME, "Games");
    SaveScreenshot(set, "e2e_set_dialog");
    PressButton(set, IDOK);

    Accelerator(panel, 'H');
    HWND hotKey = WaitForWindow(velk.Id(), "#32770", kHotKeyTitle);
    ASSERT_TRUE(hotKey);
    PressButton(hotKey, IDC_HOTKEY_MIDDLE);
    PressButton(hotKey, IDC_HOTKEY_SHIFT);
    SaveScreenshot(hotKey, "e2e_hot_key_dialog");
    PressButton(hotKey, IDOK);

    Accelerator(panel, 'I');
    HWND item = WaitForWindow(velk.Id(), "#32770", "LAUNCH ITEM");
    ASSERT_TRUE(item);
    SetDlgItemTextA(item, IDC_ITEM_NAME, "Run");
    SetDlgItemTextA(item, IDC_ITEM_TARGET, marker.c_str());
    SaveScreenshot(item, "e2e_item_dialog");
    PressButton(item, IDOK);

    // Enter begins editing; the typed command starts, and Up brings it back.
    ASSERT_TRUE(BringToFront(panel));
    TypeKeys({VK_RETURN});
    const char typed[] = "$p\\launch_marker.exe";
    TypeText(typed);
    ASSERT_TRUE(WaitFor([&] { return EditorText(panel) == typed; })) << EditorText(panel);
    TypeKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor([&] { return FileExists(velk.Folder().File("started.txt")); }));
    TypeKeys({VK_RETURN, VK_UP});
    EXPECT_TRUE(WaitFor([&] { return EditorText(panel) == typed; })) << EditorText(panel);
    SaveScreenshot(panel, "e2e_command_line");
    Accelerator(panel, 'W');
    HWND wallpaper = WaitForWindow(velk.Id(), "#32770", "WALLPAPER");
    ASSERT_TRUE(wallpaper);
    // The chooser is modal inside VELK: the click must not wait for it. Its
    // window exists before its file name box does.
    PostMessageA(GetDlgItem(wallpaper, IDC_WALLPAPER_OPEN), BM_CLICK, 0, 0);
    HWND chooser = nullptr, name = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        chooser = FindProcessWindow(velk.Id(), "#32770");
        if (!chooser || GetWindow(chooser, GW_OWNER) != wallpaper) return false;
        name = GetDlgItem(chooser, 0x47C) ? GetDlgItem(chooser, 0x47C) : GetDlgItem(chooser, 0x480);
        return name && IsWindowVisible(chooser);
    }));
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
    SaveScreenshot(chooser, "e2e_file_chooser");
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return DialogText(wallpaper, IDC_WALLPAPER_FILE_NAME) == "beach.bmp"; }));
    SaveScreenshot(wallpaper, "e2e_wallpaper_dialog");
    PressButton(wallpaper, IDOK);

    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(DefaultHeader(0x51, 1, 2)
                      .Text(typed)
                      .Text("NewLaunchSet")
                      .Slot("Run", marker, "")
                      .Empty(17)
                      .Text("Games")
                      .Empty(18)
                      .bytes),
              Hex(ReadBytes(velk.DataFile())));

    // The next start builds the panel from the cached picture.
    panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    ASSERT_TRUE(MoveMouseTo(kDesktop));
    EXPECT_TRUE(ShowsBackground(panel, RGB(0x30, 0x90, 0xC0)));
    SaveScreenshot(panel, "e2e_wallpaper_at_start");
    EXPECT_EQ(0u, velk.Close());
}

// Whatever follows a picture in its file (a broken download, a sparse file)
// is never read: a 1 x 1 picture followed by 3 GiB shows at once, and the
// program's memory never holds the file.
TEST(Velk, ATinyPictureFollowedByGigabytesShowsInLittleMemory) {
    Velk velk;
    ASSERT_TRUE(WriteBytes(velk.DataFile(), DataFile().Header(0x58, 0, 1).Text("Set").Empty(18).bytes));
    const std::string cache = velk.Folder().File("_QXWP_.bmp");
    ASSERT_TRUE(WriteBytes(cache, Bmp(
                                      1, 1, [](int, int) { return 0x3060A0u; }, 32, true)));
    HANDLE file = CreateFileA(cache.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end = {};
    end.QuadPart = 3LL << 30;
    // The file system stores none of the zeros after the picture.
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);

    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    ASSERT_TRUE(MoveMouseTo(kDesktop));
    EXPECT_TRUE(ShowsBackground(panel, RGB(0x30, 0x60, 0xA0)));
    PROCESS_MEMORY_COUNTERS memory = {};
    ASSERT_TRUE(GetProcessMemoryInfo(velk.Process(), &memory, sizeof memory));
    EXPECT_LT(memory.PeakWorkingSetSize, size_t(256) << 20);
    EXPECT_EQ(0u, velk.Close());
}

}  // namespace

// VELK.exe as a user meets it: started from a folder of its own, driven with
// real input through its hooks, and checked by what the screen shows, what
// it starts and, at the end, the data file byte for byte.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <functional>

#include "Bytes.h"
#include "Session.h"

namespace {

using namespace velktest;

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

    // The menu on the item, its entry "delete launch item", a question.
    ClickOn(panel, Cell(0), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    HWND menu = WaitForWindow(velk.Id(), "#32768");
    ASSERT_TRUE(menu);
    SaveScreenshot(menu, "e2e_menu_on_item");
    ASSERT_TRUE(ChooseMenuEntry(panel, velk.Id(), IDM_DELETE_ITEM));
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

    HWND set = OpenByKey(panel, velk.Id(), 'L', "LAUNCH SET");
    ASSERT_TRUE(set);
    SetDlgItemTextA(set, IDC_SET_NAME, "Games");
    SaveScreenshot(set, "e2e_set_dialog");
    PressButton(set, IDOK);

    HWND hotKey = OpenByKey(panel, velk.Id(), 'H', kHotKeyTitle);
    ASSERT_TRUE(hotKey);
    PressButton(hotKey, IDC_HOTKEY_MIDDLE);
    PressButton(hotKey, IDC_HOTKEY_SHIFT);
    SaveScreenshot(hotKey, "e2e_hot_key_dialog");
    PressButton(hotKey, IDOK);

    HWND item = OpenByKey(panel, velk.Id(), 'I', "LAUNCH ITEM");
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
    HWND wallpaper = OpenByKey(panel, velk.Id(), 'W', "WALLPAPER");
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

// The unpinned panel hides when the user turns to another program, however
// its window is activated: by a click, by the program's own hot key, or by
// the program bringing itself forward. The pinned panel stays.
TEST(Velk, AnotherProgramActivatedHidesTheUnpinnedPanel) {
    Velk velk;
    ASSERT_TRUE(WriteBytes(velk.DataFile(), DataFile().Header(0x08, 0, 1).Text("Set").Empty(18).bytes));
    OtherWindow other;
    // The other program brings its window forward when its hot key comes,
    // and counts the presses that reach it.
    static WNDPROC button;
    static int presses;
    presses = 0;
    button = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        other.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_HOTKEY) SetForegroundWindow(w);
            if (m == WM_LBUTTONDOWN) ++presses;
            return CallWindowProcA(button, w, m, wp, lp);
        })));
    constexpr int kHotKey = 1;
    ASSERT_TRUE(RegisterHotKey(other.window, kHotKey, MOD_CONTROL | MOD_SHIFT, VK_F12));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"click",
         [] {
             ClickOnDesktop(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
             ASSERT_TRUE(WaitFor([] { return presses == 1; })) << "the press missed the other window";
         }},
        {"hot key",
         [&] {
             Key(VK_CONTROL, true);
             Key(VK_SHIFT, true);
             TypeKeys({VK_F12});
             Key(VK_SHIFT, false);
             Key(VK_CONTROL, false);
         }},
        {"SetForegroundWindow", [&] { SetForegroundWindow(other.window); }},
    };
    auto show = [&] {
        if (IsWindowVisible(panel)) return true;
        MoveMouseTo(POINT{200, 600});
        Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
        return WaitFor([&] { return IsWindowVisible(panel) != FALSE; }) && BringToFront(panel);
    };
    for (const auto& [how, activate] : ways) {
        ASSERT_TRUE(show()) << how;
        activate();
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); })) << how;
    }
    ASSERT_TRUE(show());
    ClickOn(panel, kPin);
    ASSERT_TRUE(BringToFront(panel));
    ways[2].second();
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other.window; }));
    // A tick of the panel's own timer after the activation reached it.
    EXPECT_TRUE(StatusAt(panel, Cell(0), "< Set >"));
    EXPECT_TRUE(IsWindowVisible(panel));
    UnregisterHotKey(other.window, kHotKey);
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

// The user's file for the data file's tests: a set with an item, the pin in.
std::string UsersFile(uint8_t flags = 0x18) {
    return DataFile().Header(flags, 0, 1).Text("Mine").Slot("Notes", "C:\\notes.txt", "").Empty(17).bytes;
}

// A data file that another program holds at start-up (a sync client, a
// backup) is the user's all the same, even once it is free again: the
// session runs with the default set and saves nothing over it, twice over.
// The next start that can read it has the user's sets.
TEST(Velk, ADataFileHeldAtStartUpIsNeverReplaced) {
    Velk velk;
    const std::string aside = velk.DataFile() + ".bak",
                      older = DataFile().Header(0x18, 0, 1).Text("Old").bytes;
    ASSERT_TRUE(WriteBytes(velk.DataFile(), UsersFile()));
    ASSERT_TRUE(WriteBytes(aside, older));
    for (int round = 0; round < 2; ++round) {
        HANDLE held =
            CreateFileA(velk.DataFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        HWND panel = StartVelk(velk);
        CloseHandle(held);
        ASSERT_TRUE(panel);
        ClickOn(panel, kPin);
        EXPECT_EQ(0u, velk.Close());
    }
    EXPECT_EQ(Hex(UsersFile()), Hex(ReadBytes(velk.DataFile())));
    EXPECT_EQ(Hex(older), Hex(ReadBytes(aside)));

    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    ClickOn(panel, kPin);
    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(UsersFile(0x08)), Hex(ReadBytes(velk.DataFile())));
}

// A save that fails, here because a folder has taken its temporary file's
// name, is tried again until it goes through: the pulled pin reaches the
// file without the end of the session.
TEST(Velk, AFailedSaveIsTriedAgainUntilItGoesThrough) {
    Velk velk;
    const std::string blocker = velk.Folder().File("QXDATA.tmp");
    ASSERT_TRUE(WriteBytes(velk.DataFile(), UsersFile()));
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    ClickOn(panel, kPin);
    // The save is due half a second after the change, and fails.
    EXPECT_FALSE(WaitFor([&] { return ReadBytes(velk.DataFile()) != UsersFile(); }, 2000));
    ASSERT_TRUE(RemoveDirectoryA(blocker.c_str()));
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(velk.DataFile()) == UsersFile(0x08); }, 10000));
    velk.Kill();
}

// A session that changes nothing writes nothing: the hot-key and wallpaper
// dialogs closed with OK, a drag that ends where it began, the end. The
// file keeps its bytes and its time, and no temporary file appears.
TEST(Velk, ASessionThatChangesNothingLeavesTheDataFileAlone) {
    Velk velk;
    ASSERT_TRUE(WriteBytes(velk.DataFile(), UsersFile()));
    auto lastWrite = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA(velk.DataFile().c_str(), GetFileExInfoStandard, &data);
        return ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    };
    const ULONGLONG written = lastWrite();
    HWND panel = StartVelk(velk);
    ASSERT_TRUE(panel);
    for (const auto& [key, title] : {std::pair<WORD, const char*>{'H', kHotKeyTitle}, {'W', "WALLPAPER"}}) {
        HWND dialog = OpenByKey(panel, velk.Id(), key, title);
        ASSERT_TRUE(dialog) << title;
        PressButton(dialog, IDOK);
    }
    ASSERT_TRUE(MoveMouseTo(OnScreen(panel, Cell(0))));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (POINT p : {Cell(1), Cell(2), Cell(1), Cell(0)}) ASSERT_TRUE(MoveMouseTo(OnScreen(panel, p)));
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(MoveMouseTo(OnScreen(panel, POINT{Cell(0).x + 1, Cell(0).y})));
    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(UsersFile()), Hex(ReadBytes(velk.DataFile())));
    EXPECT_EQ(written, lastWrite());
    EXPECT_FALSE(FileExists(velk.Folder().File("QXDATA.tmp")));
}

}  // namespace

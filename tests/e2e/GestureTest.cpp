// VELK.exe as a person meets it: ESC typed on the panel hides it, a drag
// with the primary button moves an item to an empty cell and the data file
// keeps the move, and the wallpaper cache beside the program is the panel's
// background at start-up, mixed with the stored colour.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "BmpFiles.h"
#include "RealInput.h"
#include "VelkProcess.h"
#include "hooklib/Wendrix.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/PinButton.h"

namespace {

using namespace velktest;

constexpr POINT kStartCursor = {400, 300};
constexpr char kDataFile[] = "QXDATA.dat";
constexpr char kCacheFile[] = "_QXWP_.bmp";
constexpr uint16_t kSetCapacity = 3;
constexpr uint16_t kHistoryCapacity = 16;
constexpr uint16_t kSlots = 18;
constexpr int kPanelWidth = 256;
constexpr int kPanelHeight = 192;
// The grid as the panel lays it out: 6 columns of 32 x 32 cells.
constexpr int kColumns = 6;
constexpr int kGridLeft = 9;
constexpr int kGridTop = 44;
constexpr int kColumnStep = 41;
constexpr int kRowStep = 46;
constexpr int kCellSize = 32;

POINT CellCentre(int cell) {
    return POINT{kGridLeft + (cell % kColumns) * kColumnStep + kCellSize / 2,
                 kGridTop + (cell / kColumns) * kRowStep + kCellSize / 2};
}

struct StoredLook {
    uint8_t flags = 0;
    uint8_t alpha = 100;
    uint8_t red = 0, green = 0, blue = 0;
};

// A pinned data file with one set holding the targets from cell 0 on.
bool WriteDataFile(const std::string& path, const std::vector<std::string>& targets,
                   const StoredLook* look = nullptr) {
    LaunchSetList sets;
    sets.Resize(kSetCapacity);
    sets.iconSource.SetDefaultIcon(LoadIconA(nullptr, IDI_APPLICATION));
    sets.AddSet("Moves", kSlots);
    for (size_t i = 0; i < targets.size(); ++i) {
        const std::string name = "Item" + std::to_string(i);
        if (!sets.CreateItem(0, static_cast<uint16_t>(i), name.c_str(), targets[i].c_str(), "",
                             ItemPlacement::Replace))
            return false;
    }
    CommandHistory history;
    history.Init(kHistoryCapacity);
    PinButton pin;
    pin.SetState(1);
    Settings settings;
    if (look) {
        settings.flags = look->flags;
        settings.alpha = look->alpha;
        settings.red = look->red;
        settings.green = look->green;
        settings.blue = look->blue;
    }
    return settings.Save(path.c_str(), &history, &sets, pin.state, kHookKeyMiddle);
}

class Gesture : public ::testing::Test {
protected:
    // Starts VELK with the cursor away from where the tests look, and waits
    // for the first tick, which comes after the hooks are in place.
    void StartVelk(VelkProcess& velk) {
        ASSERT_TRUE(MoveMouseTo(kStartCursor.x, kStartCursor.y));
        ASSERT_TRUE(velk.Start());
        panel = velk.WaitForPanel();
        ASSERT_TRUE(panel);
        HWND status = GetDlgItem(panel, kStatusEditId);
        ASSERT_TRUE(WaitFor([&] {
            char text[300] = {};
            SendMessageA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
            return text[0] != '\0';
        }));
    }
    POINT Screen(POINT client) const {
        ClientToScreen(panel, &client);
        return client;
    }
    void MoveTo(POINT client) {
        const POINT p = Screen(client);
        ASSERT_TRUE(MoveMouseTo(p.x, p.y));
    }

    static constexpr int kStatusEditId = 103;
    HWND panel = nullptr;
};

TEST_F(Gesture, EscapeHidesThePinnedPanel) {
    VelkProcess velk;
    StartVelk(velk);
    ASSERT_TRUE(BringToFront(panel));
    SendKey(VK_ESCAPE, true);
    SendKey(VK_ESCAPE, false);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }, 5000));
    // It stays hidden: the key was taken once, not once more on its release.
    WaitFor([] { return false; }, 600);
    EXPECT_FALSE(IsWindowVisible(panel));
    EXPECT_EQ(0u, velk.Close());
}

TEST_F(Gesture, DraggingAnItemToAnEmptyCellMovesItThere) {
    TempFolder targets;
    const std::vector<std::string> files = {targets.File("first.txt"), targets.File("second.txt")};
    for (const std::string& file : files) ASSERT_TRUE(wallpapertest::WriteFileBytes(file, {'x'}));
    VelkProcess velk;
    const std::string dataPath = velk.Folder().File(kDataFile);
    ASSERT_TRUE(WriteDataFile(dataPath, files));
    StartVelk(velk);

    const POINT from = CellCentre(0), to = CellCentre(5);
    MoveTo(from);
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    // Past the drag distance in a few paced steps, then onto cell 5.
    constexpr int kSteps = 5;
    for (int step = 1; step <= kSteps; ++step)
        MoveTo(POINT{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    // The hook can see the release one input event late; the panel reads the
    // cursor when the drop arrives, so one more move stays on the cell.
    MoveTo(POINT{to.x + 1, to.y});
    WaitFor([] { return false; }, 600);
    ASSERT_EQ(0u, velk.Close());

    LaunchSetList sets;
    sets.Resize(kSetCapacity);
    CommandHistory history;
    history.Init(kHistoryCapacity);
    Settings settings;
    ASSERT_TRUE(settings.Load(dataPath.c_str(), &history, &sets));
    const LaunchItemInfo moved = sets.GetItemInfo(0, 5);
    ASSERT_TRUE(moved.target);
    EXPECT_EQ(files[0], moved.target);
    EXPECT_STREQ("Item0", moved.name);
    EXPECT_FALSE(sets.GetItemInfo(0, 0).target);
    const LaunchItemInfo stayed = sets.GetItemInfo(0, 1);
    ASSERT_TRUE(stayed.target);
    EXPECT_EQ(files[1], stayed.target);
}

// The cache picture: every pixel different enough that a shifted or flipped
// picture shows.
uint32_t CachePixel(int x, int y) {
    return uint32_t(x & 0xFF) << 16 | uint32_t((y * 4) & 0xFF) << 8 | uint32_t((x + 2 * y) & 0xFF);
}

// The blend of one channel: the picture's share is alpha percent.
uint32_t Mix(uint32_t picture, uint32_t colour, uint32_t alpha) {
    return (picture * alpha + colour * (100 - alpha)) / 100;
}

COLORREF Expected(int x, int y, const StoredLook& look) {
    const uint32_t p = CachePixel(x, y);
    return RGB(Mix(p >> 16 & 0xFF, look.red, look.alpha), Mix(p >> 8 & 0xFF, look.green, look.alpha),
               Mix(p & 0xFF, look.blue, look.alpha));
}

// Points of the background between the cells, away from the tabs, the
// pin, the icons and the status line.
const std::vector<POINT>& BackgroundPoints() {
    static const std::vector<POINT> points = {{45, 82},  {127, 82},  {209, 82},
                                              {45, 128}, {168, 128}, {209, 128}};
    return points;
}

class WallpaperAtStart : public Gesture {
protected:
    // Waits until the screen shows the expected colours at all the points,
    // then reports what it shows where it does not.
    void ExpectScreen(const std::function<COLORREF(int x, int y)>& expected) {
        auto read = [&](POINT client) {
            const POINT p = Screen(client);
            HDC screen = GetDC(nullptr);
            const COLORREF shown = GetPixel(screen, p.x, p.y);
            ReleaseDC(nullptr, screen);
            return shown;
        };
        // The panel opens under the cursor, whose hover marks would cover
        // the background; the pinned panel stays when it leaves.
        RECT window = {};
        GetWindowRect(panel, &window);
        ASSERT_TRUE(MoveMouseTo(window.right + 40, window.bottom + 40));
        WaitFor(
            [&] {
                for (POINT point : BackgroundPoints())
                    if (read(point) != expected(point.x, point.y)) return false;
                return true;
            },
            5000);
        for (POINT point : BackgroundPoints())
            EXPECT_EQ(expected(point.x, point.y), read(point)) << point.x << "," << point.y;
    }
    bool Picture(const std::string& name) const {
        RECT r = {};
        GetWindowRect(panel, &r);
        return SaveScreenRect(r, name);
    }
};

TEST_F(WallpaperAtStart, TheCachePictureIsMixedWithTheStoredColour) {
    StoredLook look;
    look.flags = Settings::kWallpaperOn;
    look.alpha = 50;
    look.red = 0x20;
    look.green = 0xC0;
    look.blue = 0x90;

    VelkProcess velk;
    ASSERT_TRUE(WriteDataFile(velk.Folder().File(kDataFile), {}, &look));
    ASSERT_TRUE(wallpapertest::WriteFileBytes(velk.Folder().File(kCacheFile),
                                              wallpapertest::MakeBmp(kPanelWidth, kPanelHeight, CachePixel)));
    StartVelk(velk);
    ExpectScreen([&](int x, int y) { return Expected(x, y, look); });
    EXPECT_TRUE(Picture("wallpaper-at-start"));
    EXPECT_EQ(0u, velk.Close());

    // Without the cache the stored colour shows at full strength.
    VelkProcess plain;
    ASSERT_TRUE(WriteDataFile(plain.Folder().File(kDataFile), {}, &look));
    StartVelk(plain);
    ExpectScreen([&](int, int) { return RGB(look.red, look.green, look.blue); });
    EXPECT_EQ(0u, plain.Close());
}

// Whatever follows a picture in its file (a broken download, a sparse file)
// is never read: a 1 x 1 picture followed by 3 GiB shows at once, and the
// program's memory never holds the file.
TEST_F(WallpaperAtStart, ATinyPictureFollowedByGigabytesLoadsInLittleMemory) {
    StoredLook look;
    look.flags = Settings::kWallpaperOn;
    VelkProcess velk;
    ASSERT_TRUE(WriteDataFile(velk.Folder().File(kDataFile), {}, &look));
    const std::string cache = velk.Folder().File(kCacheFile);
    ASSERT_TRUE(wallpapertest::WriteFileBytes(
        cache, wallpapertest::MakeBmp(1, 1, [](int, int) { return 0x3060A0u; }, {32, true})));
    HANDLE file = CreateFileA(cache.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end = {};
    end.QuadPart = 3LL << 30;
    // The file system stores none of the zeros after the picture.
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);

    StartVelk(velk);
    ExpectScreen([](int, int) { return RGB(0x30, 0x60, 0xA0); });
    PROCESS_MEMORY_COUNTERS memory = {};
    ASSERT_TRUE(GetProcessMemoryInfo(velk.Process().Handle(), &memory, sizeof memory));
    EXPECT_LT(memory.PeakWorkingSetSize, size_t(256) << 20);
    EXPECT_EQ(0u, velk.Close());
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

FILETIME WriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// A change made with real input is in the data file within a second, so a
// forced end loses nothing; looking at the panel and hiding it write nothing.
TEST_F(Gesture, AChangeReachesTheDataFileBeforeAForcedEnd) {
    VelkProcess velk;
    const std::string dataPath = velk.Folder().File(kDataFile);
    ASSERT_TRUE(WriteDataFile(dataPath, {}));
    const std::string before = ReadAll(dataPath);
    ASSERT_EQ(0x10, before[6] & 0x10) << "pinned";
    StartVelk(velk);
    const FILETIME written = WriteTime(dataPath);
    MoveTo(POINT{60, 100});
    ASSERT_TRUE(BringToFront(panel));
    SendKey(VK_ESCAPE, true);
    SendKey(VK_ESCAPE, false);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }, 5000));
    ClickMouse(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(panel) != FALSE; }, 5000));
    WaitFor([] { return false; }, 1200);
    const FILETIME unchanged = WriteTime(dataPath);
    EXPECT_EQ(0, CompareFileTime(&written, &unchanged)) << "nothing changed, nothing written";

    // Pulling the pin out is a change of the stored flags.
    MoveTo(POINT{20, 20});
    ClickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    std::string after;
    EXPECT_TRUE(WaitFor(
        [&] {
            after = ReadAll(dataPath);
            return after.size() == before.size() && !(after[6] & 0x10);
        },
        3000));
    TerminateProcess(velk.Process().Handle(), 1);
    std::string expected = before;
    expected[6] = char(expected[6] & ~0x10);
    EXPECT_EQ(expected, ReadAll(dataPath));
}

}  // namespace

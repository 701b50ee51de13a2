// VELK.exe driven with real input through its hooks: a click on an item
// starts it in its working folder and hides the panel unless pinned; an
// empty cell does nothing; tabs and the wheel switch sets; the pin.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

// A data file with three sets; set 0 holds the marker program in cell 0 and
// cell 7, to be started in `workingFolder`.
bool WriteDataFile(const TempFolder& velkFolder, bool pinned, const std::string& target,
                   const std::string& workingFolder) {
    LaunchSetList sets;
    sets.Resize(3);
    sets.iconSource.SetDefaultIcon(LoadIconA(nullptr, IDI_APPLICATION));
    for (const char* name : {"Tools", "Second", "Third"}) sets.AddSet(name, 18);
    for (uint16_t cell : {0, 7})
        if (!sets.CreateItem(0, cell, "Marker", target.c_str(), workingFolder.c_str(),
                             ItemPlacement::Replace))
            return false;
    CommandHistory history;
    history.Init(16);
    PinButton pin;
    pin.SetState(pinned ? 1 : 0);
    Settings settings;
    return settings.Save(velkFolder.File("QXDATA.dat").c_str(), &history, &sets, pin.state, kHookKeyMiddle);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class PanelClick : public ::testing::Test {
protected:
    void StartVelk(bool pinned) {
        CopyFileA(BuildFile("launch_marker.exe").c_str(), programs.File("marker.exe").c_str(), FALSE);
        ASSERT_TRUE(WriteDataFile(velk.Folder(), pinned, programs.File("marker.exe"), work.Path()));
        ASSERT_TRUE(MoveMouseTo(kStartCursor.x, kStartCursor.y));
        ASSERT_TRUE(velk.Start());
        panel = velk.WaitForPanel();
        ASSERT_TRUE(panel);
        editor = GetDlgItem(panel, 103);
        // The first tick's status text comes after the hooks are in place.
        ASSERT_TRUE(WaitFor([&] { return !Status().empty(); }));
    }
    void TearDown() override {
        if (panel) {
            EXPECT_EQ(0u, velk.Close());
        }
    }
    POINT Screen(int x, int y) const {
        POINT p = {x, y};
        ClientToScreen(panel, &p);
        return p;
    }
    void MoveTo(int x, int y) {
        const POINT p = Screen(x, y);
        ASSERT_TRUE(MoveMouseTo(p.x, p.y));
    }
    // The hook can see a release one input event late; the panel reads the
    // cursor when the click arrives, so one more move stays on the point.
    void ClickAt(int x, int y) {
        MoveTo(x + 3, y + 3);
        MoveTo(x, y);
        ClickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        MoveTo(x + 1, y);
        Sleep(kInputPaceMs * 3);
    }
    // The pin's edge as the screen shows it: raised has a light top-left.
    bool PinRaised() const {
        const POINT topLeft = Screen(10, 10), bottomRight = Screen(29, 29);
        HDC screen = GetDC(nullptr);
        const COLORREF light = GetPixel(screen, topLeft.x, topLeft.y);
        const COLORREF dark = GetPixel(screen, bottomRight.x, bottomRight.y);
        ReleaseDC(nullptr, screen);
        return GetRValue(light) + GetGValue(light) + GetBValue(light) >
               GetRValue(dark) + GetGValue(dark) + GetBValue(dark);
    }
    std::string Status() const {
        char text[300] = {};
        SendMessageA(editor, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Rests the cursor on the background, where the status shows the current set.
    bool ShowsSet(const std::string& name) {
        MoveTo(100, 36);
        const bool shown = WaitFor([&] { return Status() == "< " + name + " >"; }, 5000);
        if (!shown) ADD_FAILURE() << "status: " << Status();
        return shown;
    }
    static void Settle() {
        WaitFor([] { return false; }, 600);
    }
    bool Started() const {
        return WaitFor(
            [&] { return GetFileAttributesA(work.File("started.txt").c_str()) != INVALID_FILE_ATTRIBUTES; });
    }
    // What the screen shows of the panel now; SaveScreenshot's forced
    // redraw of another process's window can race the capture.
    bool Picture(const std::string& name) {
        Settle();
        RECT r = {};
        GetWindowRect(panel, &r);
        return SaveScreenRect(r, name);
    }
    SIZE OuterSize() const {
        RECT r = {};
        GetWindowRect(panel, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

    TempFolder programs;
    TempFolder work;
    VelkProcess velk;
    HWND panel = nullptr;
    HWND editor = nullptr;
};

TEST_F(PanelClick, ItemStartsInItsWorkingFolderAndThePanelHidesWhenNotPinned) {
    StartVelk(false);
    const SIZE size = OuterSize();
    ClickAt(60, 100);
    ASSERT_TRUE(Started());
    EXPECT_EQ(work.Path(), ReadFile(work.File("started.txt")));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
    EXPECT_EQ(size.cx, OuterSize().cx);
    EXPECT_EQ(size.cy, OuterSize().cy);
}

TEST_F(PanelClick, ItemStartsAndThePinnedPanelStays) {
    StartVelk(true);
    ClickAt(20, 60);
    ASSERT_TRUE(Started());
    Settle();
    EXPECT_TRUE(IsWindowVisible(panel));
}

TEST_F(PanelClick, EmptyCellStartsNothingAndKeepsThePanel) {
    StartVelk(false);
    ClickAt(100, 100);
    Settle();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(work.File("started.txt").c_str()));
    EXPECT_TRUE(IsWindowVisible(panel));
}

TEST_F(PanelClick, TabsAndTheWheelSwitchTheSet) {
    StartVelk(true);
    ASSERT_TRUE(ShowsSet("Tools"));
    ClickAt(224, 20);
    EXPECT_TRUE(ShowsSet("Second"));
    ClickAt(238, 20);
    EXPECT_TRUE(ShowsSet("Third"));

    // The hovered icon and a marker, for people to look at.
    ClickAt(209, 20);
    MoveTo(60, 100);
    EXPECT_TRUE(Picture("panel-hovered-icon"));
    MoveTo(216, 20);
    EXPECT_TRUE(Picture("panel-tab-marker"));
    MoveTo(45, 100);
    EXPECT_TRUE(Picture("panel-grid-bar"));
    MoveTo(20, 20);
    EXPECT_TRUE(Picture("panel-pin-hovered"));

    ASSERT_TRUE(BringToFront(panel));
    for (const auto& [delta, name] : {std::pair{-WHEEL_DELTA, "Third"}, std::pair{WHEEL_DELTA, "Tools"},
                                      std::pair{WHEEL_DELTA, "Second"}}) {
        MoveTo(100, 36);
        INPUT wheel = {};
        wheel.type = INPUT_MOUSE;
        wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
        wheel.mi.mouseData = static_cast<DWORD>(delta);
        SendInput(1, &wheel, sizeof wheel);
        EXPECT_TRUE(ShowsSet(name)) << delta;
    }
}

TEST_F(PanelClick, PulledPinLetsAClickElsewhereHideThePanel) {
    StartVelk(true);
    ClickAt(60, 100);
    ASSERT_TRUE(Started());
    PeerProcess other;
    ASSERT_TRUE(other.StartWindow(RECT{700, 500, 950, 700}));
    ASSERT_TRUE(BringToFront(panel));
    // Pinned, a click in another program leaves the panel.
    ASSERT_TRUE(MoveMouseTo(800, 600));
    ClickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Settle();
    ASSERT_TRUE(IsWindowVisible(panel));
    ASSERT_FALSE(PinRaised());
    ClickAt(20, 20);  // pull the pin
    MoveTo(100, 36);
    ASSERT_TRUE(WaitFor([&] { return PinRaised(); }, 5000));
    ASSERT_TRUE(MoveMouseTo(820, 620));
    ClickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
}

}  // namespace

#include <atomic>

#include "Bytes.h"
#include "HostedApp.h"
#include "launchdata/IconLoader.h"
#include "panel/HitCode.h"
#include "wallpaper/WallpaperRenderer.h"

using namespace velktest;

// Whether the repaint timer ticks within the time; the ticks are taken, not handled.
static bool Ticks(HWND panel, DWORD withinMs) {
    MSG tick = {};
    for (const ULONGLONG end = GetTickCount64() + withinMs; GetTickCount64() < end;) {
        if (PeekMessageA(&tick, panel, WM_TIMER, WM_TIMER, PM_REMOVE) && tick.wParam == kRepaintTimer)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_TIMER);
    }
    return false;
}

// The icon drawn on black; all black for an empty icon.
static std::vector<COLORREF> Drawn(HICON icon) {
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateBitmap(32, 32, 1, 32, nullptr));
    ScopedSelect select(dc.get(), bitmap.get());
    DrawIconEx(dc.get(), 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> drawn;
    for (int i = 0; i < 32 * 32; ++i) drawn.push_back(GetPixel(dc.get(), i % 32, i / 32));
    return drawn;
}

// The panel (pinned, as it starts) with room around it for the cursor to leave it.
class Resting : public HostedApp {
protected:
    void SetUp() override {
        HostedApp::SetUp();
        MoveAside();
    }
    void MoveAside() {
        SetWindowPos(app->panel, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        CursorAt(kOutside);
    }
    // The status line says `status` and no repaint timer is left (KillTimer fails for a missing timer).
    bool Rests(const std::string& status) {
        const bool said = WaitFor([&] { return WindowText(app->nameEdit) == status; }, 2000);
        EXPECT_TRUE(said) << WindowText(app->nameEdit) << " instead of " << status;
        return said && WaitFor([&] { return !app->ticking; }, 2000) && !KillTimer(app->panel, kRepaintTimer);
    }
    // The back buffer around the centre of cell i's icon, or every third pixel of it all.
    std::vector<COLORREF> IconPixels(int i) const {
        return Pixels({Cell(i).x - 10, Cell(i).y - 10, Cell(i).x + 10, Cell(i).y + 10}, 1);
    }
    std::vector<COLORREF> Picture() const { return Pixels({0, 0, kPanelWidth, kPanelHeight}, 3); }
    std::vector<COLORREF> Pixels(RECT r, int step) const {
        std::vector<COLORREF> pixels;
        for (int y = r.top; y < r.bottom; y += step)
            for (int x = r.left; x < r.right; x += step)
                pixels.push_back(GetPixel(app->wallpaper->dc.get(), x, y));
        return pixels;
    }
    static constexpr POINT kOutside = {-100, 60};
};

TEST_F(Resting, TheCursorIsFollowedOverThePanelAndNothingRunsAtRest) {
    MakeSets({"A B"});
    ASSERT_TRUE(Rests("< Set0 >"));
    const std::vector<COLORREF> plain = Picture(), plainIcon = IconPixels(0);

    CursorAt(Cell(0));
    EXPECT_TRUE(Rests("A"));
    EXPECT_NE(plainIcon, IconPixels(0));  // magnified

    CursorAt(Gap(1));
    EXPECT_TRUE(Rests("< Set0 >"));
    // The bar is x 44 to 47 from y 37, white inside, and stays whole.
    for (int y = 38; y < 82; y += 4) EXPECT_EQ(RGB(255, 255, 255), GetPixel(app->wallpaper->dc.get(), 45, y));

    CursorAt(Cell(1));
    EXPECT_TRUE(Rests("B"));
    CursorAt(kOutside);
    EXPECT_TRUE(Rests("< Set0 >"));
    EXPECT_EQ(plain, Picture());
}

TEST_F(Resting, ADragThatLosesTheMouseDropsNothing) {
    MakeSets({"A - B"});
    CursorAt(Cell(2));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (POINT p : {Cell(3), Cell(4)}) CursorAt(p);
    EXPECT_TRUE(WaitFor([] { return IsDragging() == 1; }));
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);
    EXPECT_EQ(0, IsDragging());
    ReleaseCapture();
    DestroyWindow(other);
    Button(MOUSEEVENTF_LEFTUP);
    CursorAt(Cell(5));
    EXPECT_EQ("Set0[A - B] @0", State());
}

TEST_F(HostedApp, TheTimerRunsOnlyWhileThePanelShows) {
    EXPECT_TRUE(Ticks(app->panel, 500));
    // Hidden by the trigger, the hide signal or ESC; shown by the trigger or the notification icon (0).
    const std::pair<int, int> ways[] = {{IDM_TRIGGER, IDM_TRIGGER}, {IDM_HIDE, 0}, {IDM_ESCAPE, IDM_TRIGGER}};
    for (const auto& [hide, show] : ways) {
        SCOPED_TRACE(hide);
        Command(hide);
        ASSERT_FALSE(IsWindowVisible(app->panel));
        EXPECT_FALSE(Ticks(app->panel, 100));  // three ticks at least, were it running
        SetWindowTextA(app->nameEdit, "stale");
        if (show)
            Command(show);
        else
            SendMessageA(app->panel, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
        ASSERT_TRUE(IsWindowVisible(app->panel));
        EXPECT_NE("stale", WindowText(app->nameEdit));
        EXPECT_TRUE(Ticks(app->panel, 500));
    }
}

TEST_F(Resting, StoredItemsShowAtOnceAndTheirIconsFollowThem) {
    const char* targets[] = {"C:\\windows\\notepad.exe", "C:\\windows\\system32", "C:\\velk\\missing.exe",
                             "C:\\windows\\notepad.exe", "C:\\windows\\win.ini",  "C:\\windows\\regedit.exe"};
    DataFile data = DefaultHeader(0, 0, 1).Text("Set0");
    for (const char* target : targets) data.Slot("item", target, "");
    StartWith(data.Empty(18 - 6).bytes);

    const HICON placeholder = app->launchSets->iconSource.DefaultIcon();
    std::vector<std::vector<COLORREF>> before;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(MakeHitCode(kHitCell, kPlacedOn, i), app->PanelHitTest(Cell(i).x, Cell(i).y)) << i;
        EXPECT_EQ(placeholder, Icon(i)) << i;
        before.push_back(IconPixels(i));
    }
    // Before any icon is taken: the document moves to cell 10, a new item replaces regedit, a notepad goes.
    ASSERT_TRUE(app->launchSets->MoveItem(0, 4, 0, 10, ItemPlacement::Replace));
    DropFiles(app->panel, {"C:\\velk\\new.exe"}, Cell(5));
    ASSERT_TRUE(app->launchSets->RemoveItem(0, 3));
    const HICON newIcon = Icon(5);
    app->FullRepaint();
    const std::vector<COLORREF> movedBefore = IconPixels(10);
    MoveAside();

    ASSERT_TRUE(WaitFor([&] { return app->launchSets->PendingIconTargets().empty(); }, 10000));
    for (int i : {0, 1, 10}) EXPECT_NE(placeholder, Icon(i)) << i;
    EXPECT_EQ(placeholder, Icon(2));  // the shell has none for a missing file
    EXPECT_EQ(newIcon, Icon(5));      // not regedit's
    for (int i : {3, 4}) EXPECT_EQ(nullptr, Icon(i)) << i;
    for (int i : {0, 1}) EXPECT_NE(before[i], IconPixels(i)) << "cell " << i << " not repainted";
    EXPECT_NE(IconPixels(0), IconPixels(1));  // a program's and a folder's
    EXPECT_NE(movedBefore, IconPixels(10));
    EXPECT_EQ(before[2], IconPixels(2));
    EXPECT_TRUE(Rests("< Set0 >"));
}

// Each look-up waits for the gate: one made on the panel's thread would hold the test up.
TEST_F(HostedApp, NewItemsDoNotWaitForTheShell) {
    const HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const DWORD panelThread = GetCurrentThreadId();
    std::atomic<int> asked{0}, askedOnPanelThread{0};
    app->iconLoader = std::make_unique<IconLoader>([&](const std::string&) {
        ++(GetCurrentThreadId() == panelThread ? askedOnPanelThread : asked);
        WaitForSingleObject(gate, 10000);
        return CopyIcon(LoadIconA(nullptr, IDI_WARNING));
    });
    const HICON placeholder = app->launchSets->iconSource.DefaultIcon();

    DropFiles(app->panel, {"C:\\in\\dropped.txt"}, Cell(0));
    EXPECT_EQ(placeholder, Icon(0));
    EXPECT_TRUE(WaitFor([&] { return asked == 1; }, 3000));
    PostMessageA(app->panel, WM_COMMAND, IDM_TRIGGER, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(app->panel); }, 2000));
    HWND dialog = OpenItemDialog(Cell(1));
    DropFiles(dialog, {"C:\\in\\browsed.txt"});
    auto picture = [&] { return HICON(SendDlgItemMessageA(dialog, IDC_ITEM_ICON, STM_GETICON, 0, 0)); };
    EXPECT_EQ(Drawn(placeholder), Drawn(picture()));

    SetEvent(gate);
    const std::vector<COLORREF> own = Drawn(LoadIconA(nullptr, IDI_WARNING));
    EXPECT_TRUE(WaitFor([&] { return Icon(0) != placeholder && Drawn(picture()) == own; }, 3000));
    SetDlgItemTextA(dialog, IDC_ITEM_WORKING_FOLDER, "");  // C:\in is not there: no question
    PressButton(dialog, IDOK);
    EXPECT_EQ(placeholder, Icon(1));
    EXPECT_TRUE(WaitFor([&] { return Icon(1) != placeholder; }, 3000));
    EXPECT_EQ(0, askedOnPanelThread);
    CloseHandle(gate);
}

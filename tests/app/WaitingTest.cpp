// The panel at rest: no timer while it is hidden or while nothing on it
// changes, everything the user does shown at once (drags that hold the mouse
// too), and a start-up that shows the stored items at once and brings their
// icons afterwards.
#include <algorithm>
#include <atomic>

#include "Bytes.h"
#include "HostedApp.h"
#include "launchdata/IconLoader.h"
#include "panel/HitCode.h"
#include "wallpaper/WallpaperRenderer.h"

using namespace velktest;

using Waiting = HostedApp;

namespace {
// Whether the repaint timer ticks within the time; the ticks are taken, not
// handled.
bool Ticks(HWND panel, DWORD withinMs) {
    const ULONGLONG end = GetTickCount64() + withinMs;
    MSG tick = {};
    do {
        if (PeekMessageA(&tick, panel, WM_TIMER, WM_TIMER, PM_REMOVE) && tick.wParam == kRepaintTimer)
            return true;
    } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_TIMER) != WAIT_FAILED &&
             GetTickCount64() < end);
    return false;
}

// The pixels of the back buffer around the centre of cell i's icon.
std::vector<COLORREF> IconPixels(App* app, int i) {
    std::vector<COLORREF> pixels;
    for (int y = -10; y < 10; ++y)
        for (int x = -10; x < 10; ++x)
            pixels.push_back(
                GetPixel(app->wallpaper->dc.get(), 25 + 41 * (i % 6) + x, 60 + 46 * (i / 6) + y));
    return pixels;
}

// Every third pixel of the whole back buffer.
std::vector<COLORREF> Picture(App* app) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kPanelHeight; y += 3)
        for (int x = 0; x < kPanelWidth; x += 3) pixels.push_back(GetPixel(app->wallpaper->dc.get(), x, y));
    return pixels;
}

// The panel (pinned, as it starts) with room around it, so that the cursor can leave it.
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
    void TearDown() override {
        Button(MOUSEEVENTF_LEFTUP);
        HostedApp::TearDown();
    }
    // The status line says `status` and the panel comes to rest: no repaint
    // timer is left (KillTimer fails for a timer that does not exist).
    bool Rests(const std::string& status) {
        const bool said = WaitFor([&] { return WindowText(app->nameEdit) == status; }, 2000);
        EXPECT_TRUE(said) << WindowText(app->nameEdit) << " instead of " << status;
        return said && WaitFor([&] { return !app->ticking; }, 2000) && !KillTimer(app->panel, kRepaintTimer);
    }
    static constexpr POINT kOutside = {-100, 60};
};
}  // namespace

// The cursor comes in over an item, rests in a gap and leaves: each place
// shows at once, and each rest wakes nothing.
TEST_F(Resting, TheCursorIsFollowedOverThePanelAndNothingRunsAtRest) {
    MakeSets({"A B"});
    ASSERT_TRUE(Rests("< Set0 >"));
    const std::vector<COLORREF> plain = Picture(app), plainIcon = IconPixels(app, 0);

    CursorAt(Cell(0));
    EXPECT_TRUE(Rests("A"));
    EXPECT_NE(plainIcon, IconPixels(app, 0));  // magnified

    CursorAt(Gap(1));
    EXPECT_TRUE(Rests("< Set0 >"));
    // The bar is x 44 to 47 from y 37, white inside, and stays whole.
    for (int y = 38; y < 82; y += 4) EXPECT_EQ(RGB(255, 255, 255), GetPixel(app->wallpaper->dc.get(), 45, y));

    CursorAt(Cell(1));
    EXPECT_TRUE(Rests("B"));
    CursorAt(kOutside);
    EXPECT_TRUE(Rests("< Set0 >"));
    EXPECT_EQ(plain, Picture(app));
}

// An item dragged across the panel and released outside goes into the first
// empty cell. The drag is the panel's: it holds the mouse, and outside it
// shows the drag's cursor. The panel shows the item there and then rests.
TEST_F(Resting, ADragAcrossThePanelAndOutEndsAtRest) {
    MakeSets({"A - B"});
    ASSERT_TRUE(Rests("< Set0 >"));
    const std::vector<COLORREF> empty = IconPixels(app, 1), item = IconPixels(app, 2);
    CursorAt(Cell(2));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (POINT p : {Cell(3), Gap(4), Cell(5), POINT{260, 60}, kOutside}) CursorAt(p);
    EXPECT_EQ(app->panel, GetCapture());
    const HCURSOR intoSet = LoadCursorA(app->instance, MAKEINTRESOURCEA(IDC_DRAG_INTO_SET));
    EXPECT_TRUE(WaitFor([&] { return IsDragging() == 1 && GetCursor() == intoSet; }));
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return State() == "Set0[A B] @0"; })) << State();
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(Rests("< Set0 >"));
    EXPECT_EQ(item, IconPixels(app, 1));
    EXPECT_EQ(empty, IconPixels(app, 2));
}

// Another window takes the mouse in the middle of a drag (a pop-up, a
// program that captures it): the drag ends there, and its release drops
// nothing.
TEST_F(Resting, ADragThatLosesTheMouseDropsNothing) {
    MakeSets({"A - B"});
    CursorAt(Cell(2));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (POINT p : {Cell(3), Cell(4)}) CursorAt(p);
    ASSERT_TRUE(WaitFor([] { return IsDragging() == 1; }));
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);
    EXPECT_EQ(0, IsDragging());
    ReleaseCapture();
    DestroyWindow(other);
    Button(MOUSEEVENTF_LEFTUP);
    CursorAt(Cell(5));
    EXPECT_EQ("Set0[A - B] @0", State());
}

// Every way of hiding and showing the panel: hidden, nothing ticks; shown,
// the first tick comes at once (it writes the status line) and the timer runs.
TEST_F(Waiting, TheTimerRunsOnlyWhileThePanelShows) {
    EXPECT_TRUE(Ticks(app->panel, 500));
    const struct {
        const char* how;
        std::function<void()> hide, show;
    } ways[] = {
        {"trigger", [&] { Command(IDM_TRIGGER); }, [&] { Command(IDM_TRIGGER); }},
        {"hide signal, notification icon", [&] { Command(IDM_HIDE); },
         [&] { SendMessageA(app->panel, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP); }},
        {"ESC, trigger", [&] { Command(IDM_ESCAPE); }, [&] { Command(IDM_TRIGGER); }},
    };
    for (const auto& way : ways) {
        way.hide();
        ASSERT_FALSE(IsWindowVisible(app->panel)) << way.how;
        EXPECT_FALSE(Ticks(app->panel, 200)) << way.how;
        SetWindowTextA(app->nameEdit, "stale");
        way.show();
        ASSERT_TRUE(IsWindowVisible(app->panel)) << way.how;
        EXPECT_NE("stale", WindowText(app->nameEdit)) << way.how;
        EXPECT_TRUE(Ticks(app->panel, 500)) << way.how;
    }
}

// The stored items are there from the first frame with the default icon; the
// real icons follow, each to its item wherever the item went meanwhile, and
// the panel rests once the last has come.
TEST_F(Resting, StoredItemsShowAtOnceAndTheirIconsFollowThem) {
    const char* targets[] = {"C:\\windows\\notepad.exe", "C:\\windows\\system32", "C:\\velk\\missing.exe",
                             "C:\\windows\\notepad.exe", "C:\\windows\\win.ini",  "C:\\windows\\regedit.exe"};
    DataFile data = DefaultHeader(0, 0, 1).Text("Set0");
    for (const char* target : targets) data.Slot("item", target, "");
    StartWith(data.Empty(18 - 6).bytes);

    const HICON placeholder = app->launchSets->iconSource.DefaultIcon();
    std::vector<std::vector<COLORREF>> before;
    for (int i = 0; i < 6; ++i) {
        const POINT at = Cell(i);
        EXPECT_EQ(MakeHitCode(kHitCell, kPlacedOn, i), app->PanelHitTest(at.x, at.y)) << i;
        EXPECT_EQ(placeholder, app->launchSets->GetItemInfo(0, i).icon) << i;
        before.push_back(IconPixels(app, i));
    }
    // Before any icon is taken: the document moves to cell 10, a new item
    // replaces regedit and the second notepad goes.
    ASSERT_TRUE(app->launchSets->MoveItem(0, 4, 0, 10, ItemPlacement::Replace));
    DropFiles(app->panel, {"C:\\velk\\new.exe"}, Cell(5));
    ASSERT_TRUE(app->launchSets->RemoveItem(0, 3));
    const HICON newIcon = app->launchSets->GetItemInfo(0, 5).icon;
    app->FullRepaint();
    const std::vector<COLORREF> movedBefore = IconPixels(app, 10);
    // They arrive while the cursor is elsewhere.
    MoveAside();

    ASSERT_TRUE(WaitFor([&] { return app->launchSets->PendingIconTargets().empty(); }, 10000));
    auto icon = [&](int i) { return app->launchSets->GetItemInfo(0, i).icon; };
    for (int i : {0, 1, 10}) EXPECT_NE(placeholder, icon(i)) << i;
    EXPECT_EQ(placeholder, icon(2));  // the shell has none for a missing file
    EXPECT_EQ(newIcon, icon(5));      // not regedit's
    EXPECT_EQ(nullptr, icon(3));
    EXPECT_EQ(nullptr, icon(4));
    // Each arrival repainted its cell.
    EXPECT_NE(before[0], IconPixels(app, 0));
    EXPECT_NE(before[1], IconPixels(app, 1));
    EXPECT_NE(IconPixels(app, 0), IconPixels(app, 1));  // a program's and a folder's
    EXPECT_NE(movedBefore, IconPixels(app, 10));
    EXPECT_EQ(before[2], IconPixels(app, 2));
    EXPECT_TRUE(Rests("< Set0 >"));
}

namespace {
// The icon drawn on grey; all grey or black for a black or empty icon.
std::vector<uint32_t> Drawn(HICON icon) {
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB}};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto* pixels = static_cast<uint32_t*>(bits);
    std::fill(pixels, pixels + 32 * 32, 0x808080u);
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<uint32_t> drawn(pixels, pixels + 32 * 32);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    for (uint32_t& p : drawn) p &= 0xFFFFFF;
    return drawn;
}
}  // namespace

// Items made after start-up, by a drop and by the item dialog, show the
// default icon at once however long the shell takes, and the panel answers
// meanwhile; their own icons follow, also to the dialog's picture.
TEST_F(Waiting, NewItemsDoNotWaitForTheShell) {
    // Each look-up waits for the gate: one made on the panel's thread would hold the test up.
    const HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const DWORD panelThread = GetCurrentThreadId();
    std::atomic<int> asked{0}, askedOnPanelThread{0};
    app->iconLoader = std::make_unique<IconLoader>([&](const std::string&) {
        ++(GetCurrentThreadId() == panelThread ? askedOnPanelThread : asked);
        WaitForSingleObject(gate, 10000);
        return CopyIcon(LoadIconA(nullptr, IDI_WARNING));
    });
    const HICON placeholder = app->launchSets->iconSource.DefaultIcon();
    auto icon = [&](int i) { return app->launchSets->GetItemInfo(0, uint16_t(i)).icon; };

    DropFiles(app->panel, {"C:\\in\\dropped.txt"}, Cell(0));
    EXPECT_EQ(placeholder, icon(0));
    EXPECT_TRUE(WaitFor([&] { return asked == 1; }, 3000));
    PostMessageA(app->panel, WM_COMMAND, IDM_TRIGGER, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(app->panel); }, 2000));
    // The dialog takes a file as its browse button does, the panel hidden.
    app->menuPoint = Cell(1);
    Command(IDM_ITEM_DIALOG);
    HWND dialog = app->itemDialog->Window();
    DropFiles(dialog, {"C:\\in\\browsed.txt"});
    auto picture = [&] { return HICON(SendDlgItemMessageA(dialog, IDC_ITEM_ICON, STM_GETICON, 0, 0)); };
    EXPECT_EQ(Drawn(placeholder), Drawn(picture()));

    SetEvent(gate);
    const std::vector<uint32_t> own = Drawn(LoadIconA(nullptr, IDI_WARNING));
    EXPECT_TRUE(WaitFor([&] { return icon(0) != placeholder && Drawn(picture()) == own; }, 3000));
    SetDlgItemTextA(dialog, IDC_ITEM_WORKING_FOLDER, "");  // C:\in is not there: no question
    PressButton(dialog, IDOK);
    EXPECT_EQ(placeholder, icon(1));
    EXPECT_TRUE(WaitFor([&] { return icon(1) != placeholder; }, 3000));
    EXPECT_EQ(0, askedOnPanelThread);
    CloseHandle(gate);
}

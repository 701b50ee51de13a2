// The panel at rest: no timer while it is hidden, and a start-up that shows
// the stored items at once and brings their icons afterwards.
#include "Bytes.h"
#include "HostedApp.h"
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
}  // namespace

// Every way of hiding and showing the panel: hidden, nothing ticks; shown,
// the first tick comes at once (it writes the status line) and the rest follow.
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

namespace {
// The pixels of the back buffer around the centre of cell i's icon.
std::vector<COLORREF> IconPixels(App* app, int i) {
    std::vector<COLORREF> pixels;
    for (int y = -10; y < 10; ++y)
        for (int x = -10; x < 10; ++x)
            pixels.push_back(
                GetPixel(app->wallpaper->dc.get(), 25 + 41 * (i % 6) + x, 60 + 46 * (i / 6) + y));
    return pixels;
}
}  // namespace

// The stored items are there from the first frame with the default icon; the
// real icons follow, each to its item wherever the item went meanwhile.
TEST_F(Waiting, StoredItemsShowAtOnceAndTheirIconsFollowThem) {
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
    ASSERT_TRUE(app->launchSets->CreateItem(0, 5, "new", "C:\\velk\\new.exe", "", ItemPlacement::Replace));
    ASSERT_TRUE(app->launchSets->RemoveItem(0, 3));
    const HICON newIcon = app->launchSets->GetItemInfo(0, 5).icon;
    app->FullRepaint();
    const std::vector<COLORREF> movedBefore = IconPixels(app, 10);

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
}

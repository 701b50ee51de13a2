// The panel's answers to the cursor: the 32 ms timer's repaint and status
// text, the wheel, and the primary click with its item launch; the repaint,
// hit test and status text over the panel painter; the save after a change
// and at the end.
#include "app/App.h"
#include "app/NameEditor.h"
#include "base/ShellLauncher.h"
#include "dialogs/LaunchItemDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "hooklib/Wendrix.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/DataFileWriter.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/IconLoader.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/ItemGrid.h"
#include "panel/NewSetButton.h"
#include "panel/PanelLayout.h"
#include "panel/PanelPainter.h"
#include "panel/PinButton.h"
#include "panel/TabStrip.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
constexpr UINT kRepaintIntervalMs = 32;
constexpr UINT kIconPollMs = 50;
// Changes within this time of the first one are written together.
constexpr UINT kSaveDelayMs = 500;
// How long the end of the session waits for the last save: a disk that
// hangs longer does not keep the program from ending.
constexpr DWORD kEndSaveWaitMs = 10000;
constexpr int kStatusBufferSize = 260;
}  // namespace

uint16_t App::PanelHitTest(int x, int y) const {
    const bool onNameEditor = nameEdit && ChildWindowFromPoint(panel, POINT{x, y}) == nameEdit;
    const POINT p = LogicalPoint(POINT{x, y});
    return painter->HitTest(p.x, p.y, currentSet, onNameEditor);
}

POINT App::LogicalPoint(POINT client) const {
    return painter->Scale().ToLogical(client);
}

void App::RepaintPanel(int rebuild, int icons, int hover, int x, int y) {
    // The tick draws the cursor's marks and the status line again.
    lastTickValid = false;
    WakeTick();
    RECT client = {};
    GetClientRect(panel, &client);
    const PanelScale& scale = painter->Scale();
    const POINT p = scale.ToLogical(POINT{x, y});
    painter->Repaint(currentSet, setDialog->IsOpen(), scale.ToLogical(client.right), rebuild, icons, hover,
                     p.x, p.y);
    // A hidden panel gets the picture from WM_PAINT when it shows.
    if (!IsWindowVisible(panel)) return;
    WindowDC target(panel);
    PresentPanel(target.get());
}

void App::FullRepaint() {
    RepaintPanel(1, 1, 1, -1, -1);
}

void App::PresentPanel(HDC target) {
    wallpaper->CopyTo(target);
}

void App::UpdateStatusText(uint16_t code, int suppress) {
    // While the user types, the strip is a command line and keeps its text.
    if (IsEditing() || suppress) return;
    char text[kStatusBufferSize] = {};
    if (painter->StatusText(code, currentSet, instance, text, sizeof text)) nameEditor->SetText(text);
}

void App::ScheduleSave() {
    if (savePending || !panel) return;
    savePending = SetTimer(panel, kSaveTimer, kSaveDelayMs, nullptr) != 0;
    // Without a timer the change is written at once.
    if (!savePending) SaveChanges();
}

void App::SaveChanges() {
    std::string bytes;
    bool keepOldAside = false;
    if (dataWriter && settings->TakeSave(history.get(), launchSets.get(), pinButton->state, GetHookSwitch(),
                                         bytes, keepOldAside))
        dataWriter->Write(std::move(bytes), keepOldAside);
}

bool App::SaveAtEnd() {
    KillTimer(panel, kSaveTimer);
    savePending = false;
    SaveChanges();
    return !dataWriter || dataWriter->Flush(kEndSaveWaitMs);
}

void App::OnSaveFailed() {
    ShowNotice(IDS_SAVE_FAILED_TITLE, IDS_SAVE_FAILED);
}

void App::OnTimer(HWND window, UINT_PTR id) {
    if (id == kSaveTimer) {
        KillTimer(window, kSaveTimer);
        savePending = false;
        SaveChanges();
        if (settings->unreadable) RetellUnreadable();
        return;
    }
    if (id == kIconTimer) {
        TakeArrivedIcons();
        if (!iconLoader->Waiting()) KillTimer(window, kIconTimer);
        return;
    }
    if (id != kRepaintTimer) return;
    POINT p = CursorInPanel();
    RECT client = {};
    GetClientRect(window, &client);
    // Wherever the cursor is outside, the panel looks the same.
    const POINT seen = PtInRect(&client, p) ? p : POINT{-1, -1};
    const TickInputs now = {seen, currentSet, pinButton->state, setDialog->IsOpen(), !IsEditing()};
    if (lastTickValid && now == lastTick) {
        // Nothing new to show, and nothing changes without a message that
        // wakes the tick again (the icons have their own timer).
        if (KillTimer(window, kRepaintTimer)) ticking = false;
        return;
    }
    RepaintPanel(0, 0, 1, p.x, p.y);
    UpdateStatusText(PanelHitTest(p.x, p.y), 0);
    lastTick = now;
    lastTickValid = true;
}

void App::WakeTick() {
    if (ticking || !panel || !IsWindowVisible(panel)) return;
    ticking = SetTimer(panel, kRepaintTimer, kRepaintIntervalMs, nullptr) != 0;
}

void App::OnWindowPosChanged(HWND window, const WINDOWPOS* position) {
    if (position->flags & SWP_HIDEWINDOW) {
        KillTimer(window, kRepaintTimer);
        ticking = false;
        return;
    }
    if (!IsWindowVisible(window)) return;
    // Shown or moved: what lies under the cursor has changed.
    WakeTick();
    if (position->flags & SWP_SHOWWINDOW) {
        // The first frame after showing is drawn at once, as a tick draws it.
        lastTickValid = false;
        OnTimer(window, kRepaintTimer);
    }
}

void App::OnCursorMoved(HWND window) {
    // Asked again at every move: a capture or a hide may end the tracking
    // without a WM_MOUSELEAVE.
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
    WakeTick();
}

void App::AskForIcons() {
    std::vector<std::string> targets = launchSets->PendingIconTargets();
    if (!itemDialog->WantedIcon().empty()) targets.push_back(itemDialog->WantedIcon());
    iconLoader->Ask(targets);
    // Not the repaint tick: the item dialog may show while the panel is hidden.
    if (iconLoader->Waiting()) SetTimer(panel, kIconTimer, kIconPollMs, nullptr);
}

void App::TakeArrivedIcons() {
    std::string target;
    UniqueIcon icon;
    bool shownChanged = false;
    while (iconLoader->Take(target, icon)) {
        itemDialog->IconArrived(target, icon.get());
        // Matched to the items that still wait for this target's icon, wherever
        // they are now: a moved item gets it, a replaced or deleted one does not.
        for (const CellRef cell : launchSets->SetIcon(target, std::move(icon))) {
            if (CellRefSet(cell) != currentSet) continue;
            painter->RepaintCell(currentSet, CellRefCell(cell));
            shownChanged = true;
        }
    }
    if (!shownChanged || !IsWindowVisible(panel)) return;
    WindowDC dc(panel);
    PresentPanel(dc.get());
}

void App::OnMouseWheel(HWND window, int delta, int screenX, int screenY) {
    const int n = launchSets->count;
    if (delta == 0 || n == 0) return;
    // One notch turns one set, whatever the delta's size.
    if (delta > 0)
        currentSet = static_cast<uint16_t>((currentSet + 1) % n);
    else
        currentSet = static_cast<uint16_t>(currentSet == 0 ? n - 1 : (currentSet - 1) % n);
    POINT p = {screenX, screenY};
    ScreenToClient(window, &p);
    RepaintPanel(0, 0, 1, p.x, p.y);
    RepaintPanel(1, 1, 1, p.x, p.y);
}

void App::OnPrimaryClick(HWND window) {
    const POINT cursor = CursorInPanel(), p = LogicalPoint(cursor);
    SetEditing(false);

    const int n = launchSets->count;
    const int32_t t = tabStrip->TabHit(n, kPanelWidth, p.x, p.y);
    if (IsOnHit(t) && HitIndex(t) < n) {
        currentSet = static_cast<uint16_t>(HitIndex(t));
        RepaintPanel(1, 1, 0, cursor.x, cursor.y);
        return;
    }

    const int32_t g = itemGrid->GridHit(p.x, p.y, kPanelWidth, kPanelHeight);
    if (IsOnHit(g)) {
        const auto cell = static_cast<uint16_t>(HitIndex(g));
        if (launchSets->GetItemInfo(currentSet, cell).target) {
            LaunchItemAt(currentSet, cell);
            return;
        }
    }

    if (pinButton->Contains(p.x, p.y)) {
        // The next timer repaint shows the pin's new look.
        const bool pinned = pinButton->state == 1;
        pinButton->SetState(pinned ? 0 : 1);
        PauseHideHook(pinned ? kHideOn : kHideOff);
        ScheduleSave();
        return;
    }
    if (newSetButton->Contains(p.x, p.y)) SendMessageA(window, WM_COMMAND, IDM_NEW_SET, 0);
}

void App::LaunchItemAt(uint16_t set, uint16_t index) {
    const LaunchItemInfo info = launchSets->GetItemInfo(set, index);
    char target[kExpandedPathSize] = {};
    char folder[kExpandedPathSize] = {};
    // A target that cannot be expanded is not handed to the shell half made.
    if (info.target && ExpandPathMacros(info.target, target, sizeof target)) {
        const bool hasFolder =
            info.workingFolder && ExpandPathMacros(info.workingFolder, folder, sizeof folder);
        launcher->Open(target, hasFolder ? folder : "");
    }
    if (pinButton->state != 1) SendMessageA(panel, WM_COMMAND, IDM_TRIGGER, 0);
}

// Drag and drop on the panel: judging a gesture from the hit codes where it
// began and ended, the cursor that shows the judgement, and the drop itself.
#include "app/App.h"
#include "app/NameEditor.h"
#include "hooklib/Wendrix.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/ShortcutFile.h"
#include "panel/HitCode.h"
#include "resources/resource.h"

namespace {
// What a gesture does. Other negative values and 6 do nothing (forbidden
// cursor for the negatives, normal cursor for 0 and 6).
constexpr int32_t kDropNothing = 0;
constexpr int32_t kDropItemOntoTab = 1;
constexpr int32_t kDropItemOntoItem = 4;
constexpr int32_t kDropItemOntoEmpty = 5;
constexpr int32_t kDropFromEmptyCell = 6;
constexpr int32_t kDropItemIntoGap = 7;
constexpr int32_t kDropItemOutside = 8;
constexpr int32_t kDropSetOntoSet = 10;
constexpr int32_t kDropNoRoom = -2;
constexpr int32_t kDropSetIntoGap = -11;
constexpr int32_t kDropItemOntoEditor = -17;

int32_t JudgeTabPress(uint16_t release, bool setDialogOpen) {
    if (setDialogOpen) return -16;
    switch (HitCodeKind(release)) {
    case kHitNothing:
        return -15;
    case kHitTab:
        switch (HitCodePlacement(release)) {
        case kPlacedOn:
            return kDropSetOntoSet;
        case kPlacedInGap:
            return kDropSetIntoGap;
        }
        return kDropNothing;
    case kHitCell:
        switch (HitCodePlacement(release)) {
        case kPlacedOn:
            return -12;
        case kPlacedInGap:
            return -14;
        case kPlacedEmpty:
            return -13;
        }
        return kDropNothing;
    case kHitPin:
    case kHitNewSet:
        return -16;
    case kHitNameEdit:
        return -18;
    }
    return kDropNothing;
}

int32_t JudgeItemPress(uint16_t press, uint16_t release, bool itemDialogOpen, const LaunchSetList& sets,
                       uint16_t shownSet) {
    if (itemDialogOpen) return -8;
    if (HitCodePlacement(press) == kPlacedEmpty) return kDropFromEmptyCell;
    switch (HitCodeKind(release)) {
    case kHitNothing:
        return sets.IsSetFull(shownSet) ? kDropNoRoom : kDropItemOutside;
    case kHitTab:
        switch (HitCodePlacement(release)) {
        case kPlacedOn:
            return sets.IsSetFull(static_cast<uint16_t>(HitCodeIndex(release))) ? kDropNoRoom
                                                                                : kDropItemOntoTab;
        case kPlacedInGap:
            return -3;
        }
        return kDropNothing;
    case kHitCell:
        switch (HitCodePlacement(release)) {
        case kPlacedOn:
            return kDropItemOntoItem;
        case kPlacedInGap:
            return sets.IsSetFull(shownSet) ? kDropNoRoom : kDropItemIntoGap;
        case kPlacedEmpty:
            return kDropItemOntoEmpty;
        }
        return kDropNothing;
    case kHitPin:
    case kHitNewSet:
        return -8;
    case kHitNameEdit:
        return kDropItemOntoEditor;
    }
    return kDropNothing;
}

int CursorFor(int32_t action) {
    switch (action) {
    case kDropItemOntoTab:
    case kDropItemOntoItem:
    case kDropItemOntoEmpty:
    case kDropSetOntoSet:
        return IDC_DRAG_PUT;
    case kDropItemIntoGap:
    case kDropSetIntoGap:
        return IDC_DRAG_INSERT;
    case kDropItemOutside:
        return IDC_DRAG_INTO_SET;
    }
    return IDC_DRAG_NO;
}

void ShowNoRoom(HWND owner, HINSTANCE instance) {
    char text[260] = {};
    LoadStringA(instance, IDS_NO_ROOM, text, sizeof text);
    MessageBoxA(owner, text, kAppTitle, MB_OK);
}
}  // namespace

int32_t App::Judge(uint16_t press, uint16_t release) const {
    switch (HitCodeKind(press)) {
    case kHitTab:
        return JudgeTabPress(release, setDialog != nullptr);
    case kHitCell:
        return JudgeItemPress(press, release, itemDialog != nullptr, *launchSets, currentSet);
    }
    return kDropNothing;
}

bool App::SetDragCursor(uint16_t release) {
    const int32_t action = Judge(pressHit, release);
    if (action == kDropNothing || action == kDropFromEmptyCell) return false;
    SetCursor(LoadCursorA(instance, MAKEINTRESOURCEA(CursorFor(action))));
    return true;
}

void App::CarryOutDrop(uint16_t release) {
    const uint16_t from = static_cast<uint16_t>(HitCodeIndex(pressHit));
    const uint16_t to = static_cast<uint16_t>(HitCodeIndex(release));
    switch (Judge(pressHit, release)) {
    case kDropItemOntoTab:
        launchSets->MoveItem(pressSet, from, to, 0, ItemPlacement::FirstFree);
        break;
    case kDropItemOntoItem:
        // Dropped back on its own cell: nothing to ask.
        if (pressSet == currentSet && from == to) break;
        if (Confirm(kConfirmOverwriteItem, static_cast<int32_t>(pressSet) << 16 | from,
                    static_cast<int32_t>(currentSet) << 16 | to))
            launchSets->MoveItem(pressSet, from, currentSet, to, ItemPlacement::Replace);
        break;
    case kDropItemOntoEmpty:
        launchSets->MoveItem(pressSet, from, currentSet, to, ItemPlacement::Replace);
        break;
    case kDropItemIntoGap:
        launchSets->MoveItem(pressSet, from, currentSet, to, ItemPlacement::Insert);
        break;
    case kDropItemOutside:
        launchSets->MoveItem(pressSet, from, currentSet, 0, ItemPlacement::FirstFree);
        break;
    case kDropSetOntoSet:
        if (from == to) break;
        if (Confirm(kConfirmOverwriteSet, static_cast<int32_t>(from) << 16, static_cast<int32_t>(to) << 16)) {
            launchSets->OverwriteSet(from, to);
            KeepCurrentSetValid();
        }
        break;
    case kDropSetIntoGap:
        launchSets->MoveSet(from, to);
        KeepCurrentSetValid();
        break;
    case kDropNoRoom:
        ShowNoRoom(panel, instance);
        break;
    case kDropItemOntoEditor: {
        const LaunchItemInfo info = launchSets->GetItemInfo(pressSet, from);
        if (info.name && info.name[0]) {
            if (!IsEditing()) SetEditing(true);
            nameEditor->SetText(info.name);
            nameEditor->CaretToEnd();
        }
        break;
    }
    }
    FullRepaint();
}

bool App::TakeDroppedFile(HDROP drop, char* path, UINT size, POINT* point) {
    // Several files at once add nothing.
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) != 1) {
        DragFinish(drop);
        return false;
    }
    DragQueryPoint(drop, point);
    DragQueryFileA(drop, 0, path, size);
    DragFinish(drop);
    return true;
}

bool App::OnSetCursor() {
    if (!IsDragging()) return false;
    const POINT p = CursorInPanel();
    return SetDragCursor(PanelHitTest(p.x, p.y));
}

void App::OnDropFiles(HDROP drop) {
    char path[MAX_PATH] = {};
    POINT point = {};
    if (!TakeDroppedFile(drop, path, sizeof path, &point)) return;
    DropFileAt(path, PanelHitTest(point.x, point.y));
    RepaintPanel(1, 1, 1, point.x, point.y);
    ScheduleSave();
}

void App::DropFileAt(const char* path, uint16_t hit) {
    const ItemFields fields = ItemFieldsFromFile(path);
    const uint16_t index = static_cast<uint16_t>(HitCodeIndex(hit));
    const int placement = HitCodePlacement(hit);
    switch (HitCodeKind(hit)) {
    case kHitTab:
        if (placement != kPlacedOn) break;
        if (launchSets->IsSetFull(index))
            ShowNoRoom(panel, instance);
        else
            launchSets->CreateItem(index, 0, fields.name, fields.target, fields.workingFolder,
                                   ItemPlacement::FirstFree);
        break;
    case kHitCell:
        // An occupied cell is replaced without a question.
        if (placement == kPlacedOn || placement == kPlacedEmpty)
            launchSets->CreateItem(currentSet, index, fields.name, fields.target, fields.workingFolder,
                                   ItemPlacement::Replace);
        else if (placement == kPlacedInGap)
            launchSets->CreateItem(currentSet, index, fields.name, fields.target, fields.workingFolder,
                                   ItemPlacement::Insert);
        break;
    default:
        launchSets->CreateItem(currentSet, 0, fields.name, fields.target, fields.workingFolder,
                               ItemPlacement::FirstFree);
        break;
    }
}

void App::FullRepaint() {
    RepaintPanel(1, 1, 1, -1, -1);
    ScheduleSave();
}

void App::KeepCurrentSetValid() {
    if (launchSets->count > 0 && currentSet >= launchSets->count) currentSet = launchSets->count - 1;
}

// Drag and drop on the panel: the press the hook library tracks, judging a
// gesture from the hit codes where it began and ended, the cursor that shows
// the judgement, the drop itself, and files dropped from the shell.
#include "app/App.h"
#include "app/NameEditor.h"
#include "base/DroppedFile.h"
#include "dialogs/ConfirmDialog.h"
#include "dialogs/LaunchItemDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/PathRefusal.h"
#include "hooklib/Wendrix.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/ShortcutFile.h"
#include "panel/HitCode.h"
#include "resources/Version.h"
#include "resources/resource.h"

namespace {
// What a gesture does. The positive ones and kDropNoRoom, kDropSetIntoGap
// and kDropItemOntoEditor do something; the others nothing, with the normal
// cursor (kDropNothing, kDropFromEmptyCell) or the forbidden one.
enum DropAction : int32_t {
    kDropNothing = 0,
    kDropItemOntoTab = 1,    // into that set's lowest empty cell
    kDropItemOntoItem = 4,   // replace it, after a question
    kDropItemOntoEmpty = 5,  // into that cell
    kDropFromEmptyCell = 6,
    kDropItemIntoGap = 7,  // insert before that cell
    kDropItemOutside = 8,  // into the shown set's lowest empty cell
    kDropSetOntoSet = 10,  // overwrite that set, after a question
    kDropNoRoom = -2,      // say that the destination is full
    kDropItemIntoTabGap = -3,
    kDropItemRefused = -8,  // the item dialog is open, or onto a button
    kDropSetIntoGap = -11,  // move the set there
    kDropSetOntoItem = -12,
    kDropSetOntoEmpty = -13,
    kDropSetIntoCellGap = -14,
    kDropSetOutside = -15,
    kDropSetRefused = -16,      // a set or item dialog is open, or onto a button
    kDropItemOntoEditor = -17,  // the item's name into the name editor
    kDropSetOntoEditor = -18,
};

// The set and item dialogs remember their set by index: while one is open
// the sets keep their places, so that its OK lands in the set it was opened on.
int32_t JudgeTabPress(uint16_t release, bool dialogOpen) {
    if (dialogOpen) return kDropSetRefused;
    switch (HitCodeKind(release)) {
    case kHitNothing:
        return kDropSetOutside;
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
            return kDropSetOntoItem;
        case kPlacedInGap:
            return kDropSetIntoCellGap;
        case kPlacedEmpty:
            return kDropSetOntoEmpty;
        }
        return kDropNothing;
    case kHitPin:
    case kHitNewSet:
        return kDropSetRefused;
    case kHitNameEdit:
        return kDropSetOntoEditor;
    }
    return kDropNothing;
}

int32_t JudgeItemPress(uint16_t press, uint16_t release, bool itemDialogOpen, const LaunchSetList& sets,
                       uint16_t shownSet) {
    if (itemDialogOpen) return kDropItemRefused;
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
            return kDropItemIntoTabGap;
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
        return kDropItemRefused;
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

void App::OnButtonDown(int dragKind) {
    // The release comes to the panel wherever the cursor is then, also over
    // a program the hook library is not loaded into (elevated, hung, the
    // secure desktop), where the library would never see it.
    if (GetCapture() != panel) SetCapture(panel);
    // The hook library tracks the gesture.
    DDEntry(dragKind);
    const POINT p = CursorInPanel();
    pressHit = PanelHitTest(p.x, p.y);
    pressSet = currentSet;
}

void App::OnButtonUp() {
    // The hook library has seen this release before the panel does.
    releasingCapture = true;
    ReleaseCapture();
    releasingCapture = false;
}

void App::OnCaptureChanged(HWND newCapture) {
    // Another window took the mouse (a pop-up, another program, Windows on
    // an activation); its release would never be the gesture's.
    if (releasingCapture || newCapture == panel) return;
    DDEntry(0);
}

void App::OnMouseMove() {
    // WM_SETCURSOR is not sent while a window holds the mouse (WM_SETCURSOR,
    // "Remarks"): the drag's cursor is set here then.
    if (GetCapture() != panel || !IsDragging()) return;
    const POINT p = CursorInPanel();
    if (!SetDragCursor(PanelHitTest(p.x, p.y))) SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

int32_t App::Judge(uint16_t press, uint16_t release) const {
    switch (HitCodeKind(press)) {
    case kHitTab:
        return JudgeTabPress(release, setDialog->IsOpen() || itemDialog->IsOpen());
    case kHitCell:
        return JudgeItemPress(press, release, itemDialog->IsOpen(), *launchSets, currentSet);
    }
    return kDropNothing;
}

bool App::OnSetCursor() {
    if (!IsDragging()) return false;
    const POINT p = CursorInPanel();
    return SetDragCursor(PanelHitTest(p.x, p.y));
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
        if (confirmDialog->Ask(ConfirmDialog::kOverwriteItem, MakeCellRef(pressSet, from),
                               MakeCellRef(currentSet, to)))
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
        if (confirmDialog->Ask(ConfirmDialog::kOverwriteSet, MakeCellRef(from), MakeCellRef(to))) {
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
    PanelChanged();
}

void App::KeepCurrentSetValid() {
    if (launchSets->count > 0 && currentSet >= launchSets->count) currentSet = launchSets->count - 1;
}

void App::OnDropFiles(HDROP drop) {
    POINT point = {};
    const std::vector<ShellPath> files = TakeDroppedFiles(drop, &point);
    if (files.empty()) return;
    // One file that cannot be stored stops the drop: nothing is added.
    for (const ShellPath& file : files)
        if (TellIfRefused(panel, instance, file)) return;
    const uint16_t hit = PanelHitTest(point.x, point.y);
    if (files.size() == 1)
        DropFileAt(files[0], hit);
    else
        DropFilesAt(files, hit);
    RepaintPanel(1, 1, 1, point.x, point.y);
    ScheduleSave();
    AskForIcons();
}

void App::DropFilesAt(const std::vector<ShellPath>& files, uint16_t hit) {
    uint16_t set = currentSet;
    uint16_t from = 0;
    switch (HitCodeKind(hit)) {
    case kHitTab:
        if (HitCodePlacement(hit) != kPlacedOn) return;
        set = static_cast<uint16_t>(HitCodeIndex(hit));
        break;
    case kHitCell:
        from = static_cast<uint16_t>(HitCodeIndex(hit));
        break;
    }
    // They replace nothing and shift nothing.
    const std::vector<uint16_t> cells = launchSets->EmptyCells(set, from);
    if (cells.size() < files.size()) {
        ShowNoRoom(panel, instance);
        return;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        const ItemFields fields = ItemFieldsFromFile(files[i]);
        launchSets->CreateItem(set, cells[i], fields.name, fields.target, fields.workingFolder,
                               ItemPlacement::Replace);
    }
}

void App::DropFileAt(const ShellPath& file, uint16_t hit) {
    const ItemFields fields = ItemFieldsFromFile(file);
    const uint16_t index = static_cast<uint16_t>(HitCodeIndex(hit));
    const int placement = HitCodePlacement(hit);
    // Only a replacement finds room in a full set; elsewhere the user is told.
    auto createWhereRoom = [&](uint16_t set, uint16_t at, ItemPlacement how) {
        if (launchSets->IsSetFull(set))
            ShowNoRoom(panel, instance);
        else
            launchSets->CreateItem(set, at, fields.name, fields.target, fields.workingFolder, how);
    };
    switch (HitCodeKind(hit)) {
    case kHitTab:
        if (placement == kPlacedOn) createWhereRoom(index, 0, ItemPlacement::FirstFree);
        break;
    case kHitCell:
        // An occupied cell is replaced without a question.
        if (placement == kPlacedOn || placement == kPlacedEmpty)
            launchSets->CreateItem(currentSet, index, fields.name, fields.target, fields.workingFolder,
                                   ItemPlacement::Replace);
        else if (placement == kPlacedInGap)
            createWhereRoom(currentSet, index, ItemPlacement::Insert);
        break;
    default:
        createWhereRoom(currentSet, 0, ItemPlacement::FirstFree);
        break;
    }
}

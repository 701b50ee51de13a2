// The confirmation before an item or a set is deleted or overwritten
// (templates 148 with two rows, 150 with one): what will be lost, with
// icons and names. Modal; the caller acts only on OK.
#pragma once

#include <windows.h>

#include <cstdint>

#include "launchdata/CellRef.h"

class DialogHost;
class LaunchSetList;

class ConfirmDialog {
public:
    enum Kind : int32_t {
        kNone = 0,
        kOverwriteItem = 1,  // the dragged item above, the one it would replace below
        kOverwriteSet = 2,   // the dragged set above, the one it would replace below
        kDeleteItem = 3,
        kDeleteSet = 4,
    };

    ConfirmDialog(DialogHost& host, DLGPROC procedure, const LaunchSetList& sets);
    ConfirmDialog(const ConfirmDialog&) = delete;
    ConfirmDialog& operator=(const ConfirmDialog&) = delete;

    // Asks about `first` (and, when overwriting, `second`); true on OK.
    bool Ask(Kind kind, CellRef first, CellRef second = kNoCell);
    // What the dialog's plain procedure forwards.
    INT_PTR Receive(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnInitDialog(HWND dialog);
    void OnCommand(HWND dialog, int id);
    void ShowItem(HWND dialog, CellRef item, int iconId, int nameId) const;
    void ShowSet(HWND dialog, CellRef set, int iconId, int nameId) const;
    void SetQuestion(HWND dialog, int stringId) const;

    DialogHost& host_;
    DLGPROC procedure_;
    const LaunchSetList& sets_;
    // What the open dialog asks about; none while it is closed.
    Kind kind_ = kNone;
    CellRef first_ = kNoCell;
    CellRef second_ = kNoCell;
};

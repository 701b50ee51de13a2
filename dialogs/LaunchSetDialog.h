// The launch set dialog (template 142): names a new launch set, or renames
// the set whose tab the context menu was opened on.
#pragma once

#include <cstdint>

#include "dialogs/ModelessDialog.h"

class LaunchSetList;

class LaunchSetDialog : public ModelessDialog {
public:
    LaunchSetDialog(DialogHost& host, DLGPROC procedure, LaunchSetList& sets);
    // Opens the dialog for a new set, or closes it when it is open. A new
    // set needs a free slot: with none, nothing opens.
    void ToggleNew();
    // Opens the dialog to rename set `set`, or closes it when it is open.
    void ToggleRename(uint16_t set);

private:
    enum Mode { kNew, kRename };

    void Toggle(Mode mode, uint16_t set);
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnOk();
    void SetCaption(int stringId);
    // An empty name cannot be applied.
    void EnableOk();

    LaunchSetList& sets_;
    // What the dialog was opened for: another tab's menu opened meanwhile
    // does not change which set OK renames.
    Mode mode_ = kNew;
    uint16_t set_ = 0;
};

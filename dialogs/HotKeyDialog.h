// The hot-key dialog (template 132): which of the middle button, CTRL, ALT
// and SHIFT make up the trigger that shows and hides the panel. The hook
// library holds the key; OK hands it the new one.
#pragma once

#include "dialogs/ModelessDialog.h"

class HotKeyDialog : public ModelessDialog {
public:
    HotKeyDialog(DialogHost& host, DLGPROC procedure);
    // Opens the dialog, or closes it when it is open.
    void Toggle();

private:
    void OnInitDialog() override;
    void OnCommand(int id) override;
    // OK is enabled while at least one box is checked.
    void EnableOk();
};

// The launch item dialog (template 134): creates an item where the context
// menu was opened (on a cell, in the gap before one, or anywhere in the set)
// or changes the item under it. The fields are typed, browsed for with the
// file chooser, or dropped on the dialog.
#pragma once

#include <cstdint>
#include <string>

#include "base/ShellPath.h"
#include "base/UniqueHandle.h"
#include "dialogs/ModelessDialog.h"

class LaunchSetList;

// Where OK puts the item; fixed when the dialog opens, so that another set
// shown meanwhile changes nothing.
struct ItemTarget {
    enum Mode : int32_t {
        kOnCell = 1,      // replace the item in `cell`, or create one there
        kBeforeCell = 2,  // insert before `cell`
        kAnywhere = 3,    // the set's first free cell
    };
    Mode mode = kAnywhere;
    uint16_t set = 0;
    uint16_t cell = 0;
};

class LaunchItemDialog : public ModelessDialog {
public:
    LaunchItemDialog(DialogHost& host, DLGPROC procedure, LaunchSetList& sets);
    // Opens the dialog for the target, or closes it when it is open.
    void Toggle(const ItemTarget& target);
    // The target of the file browsed for or dropped while its icon is still
    // to come; empty when the dialog waits for none.
    const std::string& WantedIcon() const { return wantedIcon_; }
    // An icon that has arrived; shown when it is the one the dialog waits for.
    void IconArrived(const std::string& target, HICON icon);

private:
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnDropFiles(HDROP drop);
    void OnDestroy();
    void OnOk();
    void FillFromFile(const ShellPath& file);
    void FillFields(const char* name, const char* target, const char* workingFolder, HICON icon);
    // The icon control shows a copy the dialog owns: the item's own icon and
    // the icon source's last lookup can both go while it is shown.
    void ShowIcon(HICON icon);
    // An empty folder is not checked; one that expands to no existing folder
    // is kept only if the user says so.
    bool WorkingFolderAccepted(const char* folder);
    int Ask(int stringId, UINT buttons);

    LaunchSetList& sets_;
    ItemTarget target_;
    UniqueIcon shownIcon_;
    std::string wantedIcon_;
};

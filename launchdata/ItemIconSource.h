// Where launch items get their icons: the shell's icon for the target, else
// the default icon, else the system's question mark.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "base/BaseObject.h"
#include "base/UniqueHandle.h"

// Where the shell keeps a target's large icon: its system image list and the
// index there. Finding it makes no icon, so a thread that only finds needs no
// window state of its own; any thread that has initialised COM may ask.
struct ShellIconPlace {
    HIMAGELIST list = nullptr;
    int index = -1;
};
// No list when the target (its macros expanded) cannot be expanded or the
// shell has no icon for it.
ShellIconPlace FindShellIcon(const char* target);
// A new icon owned by the caller; null for a place without a list.
HICON ShellIconAt(ShellIconPlace place);

class ItemIconSource : public BaseObject {
public:
    // Keeps its own copy of the icon; null means no default.
    void SetDefaultIcon(HICON icon);
    HICON DefaultIcon() const { return defaultIcon_.get(); }

    // The icon for the target, owned by the source until the next Lookup
    // (a caller that keeps it takes a copy). Null only when the target's
    // macros cannot be expanded.
    HICON Lookup(const char* target);
    // What stands in for the target's icon until its own is looked up: the
    // default icon (else the question mark), owned by the source; null when
    // the target's macros cannot be expanded.
    HICON Placeholder(const char* target) const;

private:
    // The default icon, else the shared question mark.
    HICON Fallback() const;

    // The shell's icon the last Lookup found.
    UniqueIcon ownedCurrent_;
    UniqueIcon defaultIcon_;
};

// Where launch items get their icons: the shell's icon for the target, found
// off the panel's thread; until it arrives, and where the shell has none, the
// default icon, else the system's question mark.
#pragma once

#include <windows.h>

#include <string>

#include "base/BaseObject.h"
#include "base/UniqueHandle.h"

// The items' icons are this many logical pixels square.
constexpr int kItemIconSize = 32;

// The shell's icon for the target (its macros expanded), size x size pixels:
// a new icon owned by the caller, null when the target cannot be expanded or
// the shell has none. It is copied out of the shell's system image lists,
// which are not safe across threads: only the icon loader's thread calls this
// (and one loader's at a time).
HICON ShellIconOf(const std::string& target, int size = kItemIconSize);

class ItemIconSource : public BaseObject {
public:
    // Keeps its own copy of the icon; null means no default.
    void SetDefaultIcon(HICON icon);
    HICON DefaultIcon() const { return defaultIcon_.get(); }

    // What stands in for the target's icon until its own is looked up: the
    // default icon (else the question mark), owned by the source; null when
    // the target's macros cannot be expanded.
    HICON Placeholder(const char* target) const;

private:
    // The default icon, else the shared question mark.
    HICON Fallback() const;

    UniqueIcon defaultIcon_;
};

// Where launch items get their icons: the shell's icon for the target, else
// the default icon, else the system's question mark.
#pragma once

#include <windows.h>

#include "base/BaseObject.h"
#include "base/UniqueHandle.h"

// The shell's large icon for a stored target (its macros expanded), owned by
// the caller; null when the target cannot be expanded or the shell has none.
// Any thread that has initialised COM may ask.
HICON ShellIconOf(const char* target);

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
    // What the last Lookup found: made by the source, or the shared
    // question mark, which is never destroyed.
    UniqueIcon ownedCurrent_;
    HICON current_ = nullptr;
    UniqueIcon defaultIcon_;
};

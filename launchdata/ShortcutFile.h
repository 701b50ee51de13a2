// Shell shortcuts (.lnk) and the launch item fields a dropped file gives.
#pragma once

#include <windows.h>

#include "base/ShellPath.h"

// What a shortcut holds, as far as a launch item can carry it.
struct Shortcut {
    ShellPath target;
    ShellPath workingFolder;
    // Arguments, a window state other than normal, running as administrator,
    // or a target that is no file: only the shortcut itself starts that.
    bool holdsMore = false;
};

// Reads the shortcut through the shell link object (COM started on the
// thread). Negative when the link object or the file fails.
HRESULT ReadShortcut(const char* linkPath, Shortcut& shortcut);

// Name, target and working folder for a new launch item, at most 259 bytes each.
struct ItemFields {
    char name[MAX_PATH] = {};
    char target[MAX_PATH] = {};
    char workingFolder[MAX_PATH] = {};
};

// A shortcut gives its target and working folder, unless it holds more than
// them (or they do not convert): then the shortcut itself is the target. Any
// other file (or a folder) is its own target, worked in from the folder that
// holds it. The name is the file's long name without its extension. Target
// and folder are real paths, written for storing: each `$` doubled. False
// when one of them does not fit, even in its short form.
bool ItemFieldsFromFile(const ShellPath& file, ItemFields& fields);

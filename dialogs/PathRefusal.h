// The message for a file from the shell whose path the program cannot store.
#pragma once

#include <windows.h>

#include "base/ShellPath.h"
#include "launchdata/ShortcutFile.h"

// Says which file and why, in a message box with OK; false, with nothing
// said, for a usable path.
bool TellIfRefused(HWND owner, HINSTANCE instance, const ShellPath& file);
// The launch item fields for a file from the shell; false, with the reason
// said, when its path cannot be stored.
bool ItemFieldsOrTell(HWND owner, HINSTANCE instance, const ShellPath& file, ItemFields& fields);

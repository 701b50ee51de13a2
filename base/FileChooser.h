// The system's file chooser, as the item and wallpaper dialogs open it.
#pragma once

#include <windows.h>

#include "base/ShellPath.h"

// Asks for an existing file; true, with the file, when one was chosen.
// `filter` is the chooser's list of pairs in the code page, ended by an
// empty text; `defaultExtension` may be null. The wide chooser is asked,
// so that a name outside the code page arrives whole and is checked.
bool ChooseExistingFile(HWND owner, const char* filter, const char* defaultExtension, ShellPath& file);

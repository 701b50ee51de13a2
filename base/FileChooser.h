// The system's file chooser, as the item and wallpaper dialogs open it.
#pragma once

#include <windows.h>

// Asks for an existing file; fills `path` (size bytes) and returns true when
// one was chosen. `defaultExtension` may be null.
bool ChooseExistingFile(HWND owner, const char* filter, const char* defaultExtension, char* path, DWORD size);

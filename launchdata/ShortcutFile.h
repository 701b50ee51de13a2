// Shell shortcuts (.lnk) and the launch item fields a dropped file gives.
#pragma once

#include <windows.h>

// Reads the shortcut's target and working folder through the shell link
// object. Negative when COM, the link object or the file fails.
HRESULT ResolveShortcut(const char* linkPath, char* target, char* folder, int size,
                        WIN32_FIND_DATAA* findData);

// Name, target and working folder for a new launch item, at most 259 bytes each.
struct ItemFields {
    char name[MAX_PATH] = {};
    char target[MAX_PATH] = {};
    char workingFolder[MAX_PATH] = {};
};

// A shortcut gives its target and working folder; any other file (or a
// folder) is its own target, worked in from the folder that holds it. The
// name is the file's name without its extension.
ItemFields ItemFieldsFromFile(const char* path);

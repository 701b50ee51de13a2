// Files dropped from the shell.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "base/ShellPath.h"

// Finishes the drop. Every dropped file in the shell's order, taken through
// the wide call so that no name loses a character on the way, and the drop
// point (client coordinates) when asked for.
std::vector<ShellPath> TakeDroppedFiles(HDROP drop, POINT* point = nullptr);

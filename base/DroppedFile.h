// Files dropped from the shell, where only a single file says what to do.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Finishes the drop. True, with the file's path (size bytes) and the drop
// point (client coordinates, when asked for), when exactly one file was
// dropped; false for several.
bool TakeOneDroppedFile(HDROP drop, char* path, UINT size, POINT* point = nullptr);

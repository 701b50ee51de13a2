// The system's file chooser.
#include "base/FileChooser.h"

#include <commdlg.h>

bool ChooseExistingFile(HWND owner, const char* filter, const char* defaultExtension, char* path,
                        DWORD size) {
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter;
    open.nFilterIndex = 1;
    open.lpstrFile = path;
    open.nMaxFile = size;
    open.Flags = OFN_FILEMUSTEXIST;
    open.lpstrDefExt = defaultExtension;
    return GetOpenFileNameA(&open) != FALSE;
}

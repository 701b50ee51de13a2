// The system's file chooser.
#include "base/FileChooser.h"

#include <commdlg.h>

#include <string>

namespace {
// The code page's text as UTF-16, `length` bytes with the NULs inside.
std::wstring Widen(const char* text, int length) {
    std::wstring wide(length, L'\0');
    const int got = MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], length);
    wide.resize(got > 0 ? got : 0);
    return wide;
}

// The filter's length in bytes, up to the empty text that ends it.
int FilterLength(const char* filter) {
    const char* p = filter;
    while (*p) p += lstrlenA(p) + 1;
    return int(p - filter) + 1;
}
}  // namespace

bool ChooseExistingFile(HWND owner, const char* filter, const char* defaultExtension, ShellPath& file) {
    const std::wstring wideFilter = Widen(filter, FilterLength(filter));
    const std::wstring extension =
        defaultExtension ? Widen(defaultExtension, lstrlenA(defaultExtension) + 1) : L"";
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = wideFilter.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = path;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_FILEMUSTEXIST;
    open.lpstrDefExt = defaultExtension ? extension.c_str() : nullptr;
    if (!GetOpenFileNameW(&open)) return false;
    file = ShellPathFromWide(path);
    return true;
}

// Icons for launch items.
#include "launchdata/ItemIconSource.h"

#include <commctrl.h>
#include <shellapi.h>

#include "launchdata/ExpandPathMacros.h"

namespace {
// A colon belongs only after a drive letter or in a leading "::" (a shell
// namespace path); anything else names no file. The shell is not asked
// about such paths: Wine's SHGetFileInfoA faults on some, such as "/:x".
bool MayNameAFile(const char* path) {
    if (path[0] == ':' && path[1] == ':') return true;
    for (const char* p = path; *p; ++p) {
        if (*p == ':' && !(p == path + 1 && IsCharAlphaA(path[0]) && static_cast<BYTE>(path[0]) < 0x80))
            return false;
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) ++p;
    }
    return true;
}

// The target with its macros expanded; false when they cannot be.
bool Expand(const char* target, char (&path)[kExpandedPathSize]) {
    return target && ExpandPathMacros(target, path, sizeof path);
}
}  // namespace

HICON ShellIconOf(const std::string& target) {
    char path[kExpandedPathSize] = {};
    if (!Expand(target.c_str(), path) || !MayNameAFile(path)) return nullptr;
    SHFILEINFOA info = {};
    const auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(path, FILE_ATTRIBUTE_ARCHIVE, &info, sizeof info, SHGFI_SYSICONINDEX));
    return list ? ImageList_GetIcon(list, info.iIcon, ILD_NORMAL) : nullptr;
}

void ItemIconSource::SetDefaultIcon(HICON icon) {
    defaultIcon_.reset(icon ? CopyIcon(icon) : nullptr);
}

HICON ItemIconSource::Placeholder(const char* target) const {
    char path[kExpandedPathSize] = {};
    return Expand(target, path) ? Fallback() : nullptr;
}

HICON ItemIconSource::Fallback() const {
    // The question mark is shared: it is never destroyed.
    return defaultIcon_ ? defaultIcon_.get() : LoadIconA(nullptr, IDI_QUESTION);
}

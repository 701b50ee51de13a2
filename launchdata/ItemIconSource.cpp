// Icons for launch items.
#include "launchdata/ItemIconSource.h"

#include <commctrl.h>
#include <commoncontrols.h>
#include <shellapi.h>

#include <mutex>

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

// The shell's image lists from the smallest of the large ones: the large
// list follows the system's DPI, the extra-large one is 48 square
// (SHGetImageList's documentation). The jumbo list is not asked: it holds a
// file type without an image of that size as a small one in its corner.
constexpr int kLargeLists[] = {SHIL_LARGE, SHIL_EXTRALARGE};
// IID_IImageList, which no import library of the toolchain defines.
constexpr IID kImageListId = {0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

// Icon `index` of the first system image list whose images are size pixels
// square; else made size x size once here from the first larger one, or the
// largest there is, so that the panel draws it one to one.
HICON SystemIcon(int index, int size) {
    UniqueIcon nearest;
    for (const int kind : kLargeLists) {
        IImageList* list = nullptr;
        if (FAILED(SHGetImageList(kind, kImageListId, reinterpret_cast<void**>(&list))) || !list) continue;
        int w = 0, h = 0;
        HICON icon = nullptr;
        if (SUCCEEDED(list->GetIconSize(&w, &h))) list->GetIcon(index, ILD_NORMAL, &icon);
        list->Release();
        if (!icon) continue;
        if (w == size && h == size) return icon;
        nearest.reset(icon);
        if (w >= size && h >= size) break;
    }
    return nearest ? static_cast<HICON>(CopyImage(nearest.get(), IMAGE_ICON, size, size, 0)) : nullptr;
}

// The target with its macros expanded; false when they cannot be.
bool Expand(const char* target, char (&path)[kExpandedPathSize]) {
    return target && ExpandPathMacros(target, path, sizeof path);
}
}  // namespace

HICON ShellIconOf(const std::string& target, int size) {
    char path[kExpandedPathSize] = {};
    if (!Expand(target.c_str(), path) || !MayNameAFile(path)) return nullptr;
    // A loader replaced for another size may still finish its last look-up:
    // the image lists still see one thread at a time.
    static std::mutex imageLists;
    std::lock_guard<std::mutex> lock(imageLists);
    SHFILEINFOA info = {};
    const auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(path, FILE_ATTRIBUTE_ARCHIVE, &info, sizeof info, SHGFI_SYSICONINDEX));
    if (!list) return nullptr;
    // The large list answers at 96 DPI, as it always has.
    int w = 0, h = 0;
    if (ImageList_GetIconSize(list, &w, &h) && w == size && h == size)
        return ImageList_GetIcon(list, info.iIcon, ILD_NORMAL);
    return SystemIcon(info.iIcon, size);
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

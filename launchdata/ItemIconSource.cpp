// Icons for launch items.
#include "launchdata/ItemIconSource.h"

#include <shellapi.h>

#include "launchdata/ExpandPathMacros.h"

void ItemIconSource::SetDefaultIcon(HICON icon) { defaultIcon_.reset(icon ? CopyIcon(icon) : nullptr); }

HICON ItemIconSource::Lookup(const char* target) {
    ownedCurrent_.reset();
    current_ = nullptr;

    char path[kExpandedPathSize] = {};
    if (!target || !ExpandPathMacros(target, path, sizeof path)) return nullptr;

    SHFILEINFOA info = {};
    SHGetFileInfoA(path, FILE_ATTRIBUTE_ARCHIVE, &info, sizeof info, SHGFI_ICON);
    if (info.hIcon) {
        UniqueIcon shellIcon(info.hIcon);
        ownedCurrent_.reset(CopyIcon(shellIcon.get()));
    }
    if (!ownedCurrent_ && defaultIcon_) ownedCurrent_.reset(CopyIcon(defaultIcon_.get()));
    current_ = ownedCurrent_ ? ownedCurrent_.get() : LoadIconA(nullptr, IDI_QUESTION);
    return current_;
}

// Launch items.
#include "launchdata/LaunchItem.h"

#include "base/TextCut.h"

bool LaunchItem::Assign(const char* newName, const char* newTarget, const char* newWorkingFolder,
                        HICON newIcon) {
    if (!newName || !newTarget || !newIcon) return false;
    UniqueIcon copy(CopyIcon(newIcon));
    if (!copy) return false;
    icon = std::move(copy);
    name = CutText(newName, kItemTextLimit);
    target = CutText(newTarget, kItemTextLimit);
    hasWorkingFolder = newWorkingFolder != nullptr;
    workingFolder = hasWorkingFolder ? CutText(newWorkingFolder, kItemTextLimit) : std::string();
    return true;
}

LaunchItemInfo LaunchItem::Info() const {
    LaunchItemInfo info;
    info.name = name.c_str();
    info.target = target.c_str();
    info.workingFolder = hasWorkingFolder ? workingFolder.c_str() : nullptr;
    info.icon = icon.get();
    return info;
}

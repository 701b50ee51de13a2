// Launch items.
#include "launchdata/LaunchItem.h"

#include "base/TextCut.h"

bool LaunchItem::Assign(const char* newName, const char* newTarget, const char* newWorkingFolder,
                        HICON newIcon) {
    if (!newName || !newTarget || !newIcon) return false;
    UniqueIcon copy(CopyIcon(newIcon));
    if (!copy) return false;
    icon = std::move(copy);
    placeholder = nullptr;
    SetTexts(newName, newTarget, newWorkingFolder);
    return true;
}

bool LaunchItem::AssignShowing(const char* newName, const char* newTarget, const char* newWorkingFolder,
                               HICON newPlaceholder) {
    if (!newName || !newTarget || !newPlaceholder) return false;
    icon.reset();
    placeholder = newPlaceholder;
    SetTexts(newName, newTarget, newWorkingFolder);
    return true;
}

void LaunchItem::SetTexts(const char* newName, const char* newTarget, const char* newWorkingFolder) {
    name = CutText(newName, kItemTextLimit);
    target = CutText(newTarget, kItemTextLimit);
    hasWorkingFolder = newWorkingFolder != nullptr;
    workingFolder = hasWorkingFolder ? CutText(newWorkingFolder, kItemTextLimit) : std::string();
}

LaunchItemInfo LaunchItem::Info() const {
    LaunchItemInfo info;
    info.name = name.c_str();
    info.target = target.c_str();
    info.workingFolder = hasWorkingFolder ? workingFolder.c_str() : nullptr;
    info.icon = icon ? icon.get() : placeholder;
    return info;
}

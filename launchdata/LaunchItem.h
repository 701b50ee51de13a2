// One launchable entry of a launch set: name, target, working folder, icon.
#pragma once

#include <windows.h>

#include <string>

#include "base/UniqueHandle.h"

// Longest item text in bytes; with the terminator it fills a Win32 path buffer.
constexpr size_t kItemTextLimit = 259;

// Where a new or moved item goes in an item array. The numbers are stored
// by callers (the launch item dialog, the data file loader).
enum class ItemPlacement : int { FirstFree = 0, Insert = 1, Replace = 2 };

// A borrowed view of an item; all null when there is no item, so a non-null
// icon tells that a cell holds one.
struct LaunchItemInfo {
    const char* name = nullptr;
    const char* target = nullptr;
    const char* workingFolder = nullptr;
    HICON icon = nullptr;
};

class LaunchItem {
public:
    LaunchItem() = default;
    LaunchItem(const LaunchItem&) = delete;
    LaunchItem& operator=(const LaunchItem&) = delete;
    virtual ~LaunchItem() = default;

    // Refuses (false, item unchanged) without a name, a target or an icon.
    // Otherwise takes copies: texts cut to 259 bytes, an absent working
    // folder stays absent, and an icon of its own (the caller keeps `icon`).
    bool Assign(const char* newName, const char* newTarget, const char* newWorkingFolder, HICON newIcon);
    // As Assign, but the item shows `placeholder`, which it does not own (the
    // icon source does), until it is given an icon of its own.
    bool AssignShowing(const char* newName, const char* newTarget, const char* newWorkingFolder,
                       HICON placeholder);
    // The icon is the item's own, else its placeholder.
    LaunchItemInfo Info() const;

    UniqueIcon icon;
    HICON placeholder = nullptr;
    // The target's own icon is still being looked up.
    bool iconPending = false;
    std::string name;
    std::string target;
    std::string workingFolder;
    bool hasWorkingFolder = false;

private:
    void SetTexts(const char* newName, const char* newTarget, const char* newWorkingFolder);
};

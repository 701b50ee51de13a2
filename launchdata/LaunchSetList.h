// The launch sets shown as the panel's tabs, in tab order, and the icon
// source of their items.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "launchdata/CellRef.h"
#include "launchdata/ItemIconSource.h"
#include "launchdata/LaunchSet.h"

// The sets a list holds, at most, as the App makes it.
constexpr uint16_t kSetCapacity = 3;
// Item slots of every set the program creates, and of every set in the data
// file: slot i is grid cell i.
constexpr unsigned kSlotsPerSet = 18;

class LaunchSetList {
public:
    LaunchSetList() = default;
    LaunchSetList(const LaunchSetList&) = delete;
    LaunchSetList& operator=(const LaunchSetList&) = delete;
    virtual ~LaunchSetList() = default;

    // Refuses 0; otherwise removes every set and makes n empty set slots.
    bool Resize(uint16_t n);
    void RemoveAllSets();
    // A new set in the lowest empty slot; refused when the list is full or
    // the name is empty. A refused slot count leaves the set without slots.
    bool AddSet(const char* name, unsigned itemSlots);
    // Leaves a hole: callers close it with CompactSets.
    void RemoveSet(uint16_t i);
    void CompactSets();
    // `to` is the gap before the set now at `to` (0 to count).
    void MoveSet(uint16_t from, uint16_t to);
    // The set at `from` takes the place of the one at `to`, which is destroyed.
    void OverwriteSet(uint16_t from, uint16_t to);
    const char* GetSetName(uint16_t i) const;
    void SetSetName(uint16_t i, const char* name);
    bool IsSetFull(uint16_t i) const;
    // The set's empty cells from `from` on, then those before it.
    std::vector<uint16_t> EmptyCells(uint16_t set, uint16_t from) const;
    LaunchItemInfo GetItemInfo(uint16_t set, uint16_t i) const;
    // A new item, showing the icon source's placeholder until SetIcon gives
    // it the target's own icon (nothing here asks the shell); refused when
    // the set has no item array, the target cannot be expanded, Assign
    // refuses or the placement does.
    bool CreateItem(uint16_t set, uint16_t i, const char* name, const char* target, const char* workingFolder,
                    ItemPlacement placement);
    // Every item waits for its icon again (made at another size now) and
    // shows the icon source's placeholder of now until it has one of its own.
    void WantIconsAgain();
    // The targets of the items still waiting for their icons, each once.
    std::vector<std::string> PendingIconTargets() const;
    // The target's own icon for every item still waiting for it (they keep
    // their placeholder when `icon` is null); the cells that changed.
    std::vector<CellRef> SetIcon(const std::string& target, UniqueIcon icon);
    // Refused, with nothing changed, when the destination cannot take the item.
    bool MoveItem(uint16_t fromSet, uint16_t fromIndex, uint16_t toSet, uint16_t toIndex,
                  ItemPlacement placement);
    bool RemoveItem(uint16_t set, uint16_t i);

    uint16_t count = 0;
    uint16_t capacity = 0;

private:
    LaunchItemArray* Items(uint16_t set) const;
    static bool Place(LaunchItemArray& items, std::unique_ptr<LaunchItem> item, uint16_t i,
                      ItemPlacement placement);

    std::vector<LaunchSet> slots_;

public:
    // Declared after the sets, so that it is destroyed before them.
    ItemIconSource iconSource;
};

// The item slots of one launch set: slot i is cell i of the panel's grid, so
// the array may have holes, and nothing closes them by itself.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "launchdata/LaunchItem.h"

class LaunchItemArray {
public:
    // Most slots an array can have.
    static constexpr unsigned kMaxSlots = 255;

    LaunchItemArray() = default;
    LaunchItemArray(const LaunchItemArray&) = delete;
    LaunchItemArray& operator=(const LaunchItemArray&) = delete;
    virtual ~LaunchItemArray() = default;

    // Refuses 0 and more than 255; otherwise n empty slots.
    bool Resize(unsigned n);
    // The placing operations take the item; a refused item is destroyed.
    bool PutFirstFree(std::unique_ptr<LaunchItem> item);
    // Puts the item before the one in slot i, shifting the fewest items
    // toward the nearest hole (a tie shifts the earlier ones down); i may be
    // capacity, after the last slot.
    bool InsertAt(std::unique_ptr<LaunchItem> item, unsigned i);
    bool ReplaceAt(std::unique_ptr<LaunchItem> item, unsigned i);
    bool RemoveAt(unsigned i);
    int FirstFreeSlot() const;
    uint8_t CountUsed() const;
    LaunchItem* At(unsigned i) const;

    uint16_t capacity = 0;

private:
    std::vector<std::unique_ptr<LaunchItem>> slots_;
};

// The launch sets shown as the panel's tabs (at most its capacity, 3).
#pragma once

#include <cstdint>

#include "launchdata/ItemIconSource.h"

class LaunchSetList {
public:
    LaunchSetList() = default;
    LaunchSetList(const LaunchSetList&) = delete;
    LaunchSetList& operator=(const LaunchSetList&) = delete;
    virtual ~LaunchSetList() = default;

    // Makes room for `capacity` sets; the list starts empty.
    void Resize(uint16_t capacity);
    uint16_t Capacity() const { return capacity_; }
    uint16_t Count() const { return count_; }

    ItemIconSource iconSource;

private:
    uint16_t capacity_ = 0;
    uint16_t count_ = 0;
};

// Launch item arrays.
#include "launchdata/LaunchItemArray.h"

bool LaunchItemArray::Resize(unsigned n) {
    if (n == 0 || n > kMaxSlots) return false;
    slots_.clear();
    slots_.resize(n);
    capacity = static_cast<uint16_t>(n);
    return true;
}

bool LaunchItemArray::PutFirstFree(std::unique_ptr<LaunchItem> item) {
    const int free = FirstFreeSlot();
    if (free < 0) return false;
    slots_[free] = std::move(item);
    return true;
}

bool LaunchItemArray::InsertAt(std::unique_ptr<LaunchItem> item, unsigned i) {
    // i = capacity is the gap after the last slot: there is no slot i, and
    // only the earlier items can make room.
    if (CountUsed() == capacity || i > capacity) return false;
    if (i < capacity && !slots_[i]) {
        slots_[i] = std::move(item);
        return true;
    }
    if (i > 0 && !slots_[i - 1]) {
        slots_[i - 1] = std::move(item);
        return true;
    }
    // Items between slot i and the nearest hole on either side.
    constexpr unsigned kNone = ~0u;
    unsigned h = 0;
    unsigned backward = kNone;
    for (unsigned s = i; s-- > 0;) {
        if (!slots_[s]) {
            h = s;
            backward = i - 1 - s;
            break;
        }
    }
    unsigned k = 0;
    unsigned forward = kNone;
    for (unsigned s = i; s < capacity; ++s) {
        if (!slots_[s]) {
            k = s;
            forward = s - i;
            break;
        }
    }
    if (forward < backward) {
        for (unsigned s = k; s > i; --s) slots_[s] = std::move(slots_[s - 1]);
        slots_[i] = std::move(item);
    } else {
        for (unsigned s = h; s + 1 < i; ++s) slots_[s] = std::move(slots_[s + 1]);
        slots_[i - 1] = std::move(item);
    }
    return true;
}

bool LaunchItemArray::ReplaceAt(std::unique_ptr<LaunchItem> item, unsigned i) {
    if (i >= capacity) return false;
    slots_[i] = std::move(item);
    return true;
}

bool LaunchItemArray::RemoveAt(unsigned i) {
    if (i >= capacity) return false;
    slots_[i].reset();
    return true;
}

int LaunchItemArray::FirstFreeSlot() const {
    for (unsigned s = 0; s < capacity; ++s)
        if (!slots_[s]) return static_cast<int>(s);
    return -1;
}

uint8_t LaunchItemArray::CountUsed() const {
    unsigned used = 0;
    for (const auto& slot : slots_)
        if (slot) ++used;
    return static_cast<uint8_t>(used);
}

LaunchItem* LaunchItemArray::At(unsigned i) const {
    return i < capacity ? slots_[i].get() : nullptr;
}

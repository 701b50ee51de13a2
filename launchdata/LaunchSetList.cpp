// The list of launch sets.
#include "launchdata/LaunchSetList.h"

void LaunchSetList::Resize(uint16_t capacity) {
    capacity_ = capacity;
    count_ = 0;
}

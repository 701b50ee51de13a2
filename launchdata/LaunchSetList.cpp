// The list of launch sets and the operations on their items.
#include "launchdata/LaunchSetList.h"

#include <algorithm>

bool LaunchSetList::Resize(uint16_t n) {
    if (n == 0) return false;
    RemoveAllSets();
    slots_.resize(n);
    capacity = n;
    count = 0;
    return true;
}

void LaunchSetList::RemoveAllSets() {
    for (uint16_t i = 0; i < capacity; ++i) RemoveSet(i);
    slots_.clear();
    slots_.shrink_to_fit();
    count = 0;
    capacity = 0;
}

bool LaunchSetList::AddSet(const char* name, unsigned itemSlots) {
    if (slots_.empty() || count >= capacity || !name || !*name) return false;
    for (LaunchSet& slot : slots_) {
        if (slot.Exists()) continue;
        slot.name = std::make_unique<LaunchSetName>(name);
        slot.items = std::make_unique<LaunchItemArray>();
        slot.items->Resize(itemSlots);
        ++count;
        return true;
    }
    return false;
}

void LaunchSetList::RemoveSet(uint16_t i) {
    if (i >= capacity) return;
    LaunchSet& slot = slots_[i];
    const bool held = slot.name || slot.items;
    slot.name.reset();
    slot.items.reset();
    if (held && count > 0) --count;
}

void LaunchSetList::CompactSets() {
    for (uint16_t s = 0; s < capacity; ++s) {
        if (slots_[s].Exists()) continue;
        uint16_t t = s + 1;
        while (t < capacity && !slots_[t].Exists()) ++t;
        if (t >= capacity) return;
        slots_[s] = std::move(slots_[t]);
        slots_[t] = LaunchSet();
    }
}

void LaunchSetList::MoveSet(uint16_t from, uint16_t to) {
    if (from >= count || !slots_[from].Exists() || to == from || to == from + 1 || to > count) return;
    LaunchSet taken = std::move(slots_[from]);
    slots_[from] = LaunchSet();
    if (from < to) --to;
    CompactSets();
    int highest = -1;
    for (int s = capacity - 1; s >= 0; --s) {
        if (slots_[s].Exists()) {
            highest = s;
            break;
        }
    }
    // There is room: the taken set left a slot free.
    for (int s = highest; s >= static_cast<int>(to); --s) slots_[s + 1] = std::move(slots_[s]);
    slots_[to] = std::move(taken);
    CompactSets();
}

void LaunchSetList::OverwriteSet(uint16_t from, uint16_t to) {
    if (from == to || from >= capacity || to >= capacity) return;
    if (!slots_[from].name || !slots_[from].items || !slots_[to].name || !slots_[to].items) return;
    slots_[to] = std::move(slots_[from]);
    slots_[from] = LaunchSet();
    --count;
    CompactSets();
}

const char* LaunchSetList::GetSetName(uint16_t i) const {
    return i < capacity && slots_[i].name ? slots_[i].name->Get() : nullptr;
}

void LaunchSetList::SetSetName(uint16_t i, const char* name) {
    if (i < capacity && slots_[i].name) slots_[i].name->Set(name);
}

bool LaunchSetList::IsSetFull(uint16_t i) const {
    const LaunchItemArray* items = Items(i);
    return items && items->FirstFreeSlot() < 0;
}

std::vector<uint16_t> LaunchSetList::EmptyCells(uint16_t set, uint16_t from) const {
    std::vector<uint16_t> cells;
    const LaunchItemArray* items = Items(set);
    for (unsigned k = 0; items && k < items->capacity; ++k) {
        const unsigned cell = (from + k) % items->capacity;
        if (!items->At(cell)) cells.push_back(static_cast<uint16_t>(cell));
    }
    return cells;
}

LaunchItemInfo LaunchSetList::GetItemInfo(uint16_t set, uint16_t i) const {
    const LaunchItemArray* items = Items(set);
    const LaunchItem* item = items ? items->At(i) : nullptr;
    return item ? item->Info() : LaunchItemInfo();
}

bool LaunchSetList::CreateItem(uint16_t set, uint16_t i, const char* name, const char* target,
                               const char* workingFolder, ItemPlacement placement) {
    LaunchItemArray* items = Items(set);
    if (!items) return false;
    auto item = std::make_unique<LaunchItem>();
    // The items share the placeholder: a copy of an icon for each of the
    // stored items would cost start-up more than all the rest.
    if (!item->AssignShowing(name, target, workingFolder, iconSource.Placeholder(target))) return false;
    item->iconPending = true;
    return Place(*items, std::move(item), i, placement);
}

void LaunchSetList::WantIconsAgain() {
    for (LaunchSet& set : slots_) {
        for (unsigned i = 0; set.items && i < set.items->capacity; ++i) {
            LaunchItem* item = set.items->At(i);
            if (!item) continue;
            item->iconPending = true;
            if (!item->icon) item->placeholder = iconSource.Placeholder(item->target.c_str());
        }
    }
}

std::vector<std::string> LaunchSetList::PendingIconTargets() const {
    std::vector<std::string> targets;
    for (const LaunchSet& set : slots_) {
        for (unsigned i = 0; set.items && i < set.items->capacity; ++i) {
            const LaunchItem* item = set.items->At(i);
            if (item && item->iconPending &&
                std::find(targets.begin(), targets.end(), item->target) == targets.end())
                targets.push_back(item->target);
        }
    }
    return targets;
}

std::vector<CellRef> LaunchSetList::SetIcon(const std::string& target, UniqueIcon icon) {
    std::vector<CellRef> changed;
    const LaunchItem* first = nullptr;
    for (uint16_t s = 0; s < capacity; ++s) {
        LaunchItemArray* items = slots_[s].items.get();
        for (unsigned i = 0; items && i < items->capacity; ++i) {
            LaunchItem* item = items->At(i);
            if (!item || !item->iconPending || item->target != target) continue;
            item->iconPending = false;
            // The first item takes the icon, the others copies of it; without
            // one they keep showing the placeholder.
            if (first) icon.reset(CopyIcon(first->icon.get()));
            if (!icon) continue;
            item->icon = std::move(icon);
            first = item;
            changed.push_back(MakeCellRef(s, static_cast<uint16_t>(i)));
        }
    }
    return changed;
}

bool LaunchSetList::MoveItem(uint16_t fromSet, uint16_t fromIndex, uint16_t toSet, uint16_t toIndex,
                             ItemPlacement placement) {
    LaunchItemArray* source = Items(fromSet);
    LaunchItemArray* destination = Items(toSet);
    if (!source || !destination) return false;
    const LaunchItem* old = source->At(fromIndex);
    if (!old) return false;

    // Would the destination still be full once the source slot is emptied?
    const bool freesOwnSlot = source == destination;
    const bool full = destination->FirstFreeSlot() < 0 && !freesOwnSlot;
    if ((placement == ItemPlacement::FirstFree || placement == ItemPlacement::Insert) && full) return false;
    // An insert may go after the last slot; a replacement needs the slot.
    if ((placement == ItemPlacement::Insert && toIndex > destination->capacity) ||
        (placement == ItemPlacement::Replace && toIndex >= destination->capacity))
        return false;
    if (placement != ItemPlacement::FirstFree && placement != ItemPlacement::Insert &&
        placement != ItemPlacement::Replace)
        return false;

    const LaunchItemInfo info = old->Info();
    auto item = std::make_unique<LaunchItem>();
    if (old->icon ? !item->Assign(info.name, info.target, info.workingFolder, info.icon)
                  : !item->AssignShowing(info.name, info.target, info.workingFolder, old->placeholder))
        return false;
    // The moved item still gets its own icon when it arrives.
    item->iconPending = old->iconPending;
    // The source goes first, so that within one set its slot counts as a hole.
    source->RemoveAt(fromIndex);
    return Place(*destination, std::move(item), toIndex, placement);
}

bool LaunchSetList::RemoveItem(uint16_t set, uint16_t i) {
    LaunchItemArray* items = Items(set);
    return items && items->RemoveAt(i);
}

LaunchItemArray* LaunchSetList::Items(uint16_t set) const {
    return set < capacity ? slots_[set].items.get() : nullptr;
}

bool LaunchSetList::Place(LaunchItemArray& items, std::unique_ptr<LaunchItem> item, uint16_t i,
                          ItemPlacement placement) {
    switch (placement) {
    case ItemPlacement::FirstFree:
        return items.PutFirstFree(std::move(item));
    case ItemPlacement::Insert:
        return items.InsertAt(std::move(item), i);
    case ItemPlacement::Replace:
        return items.ReplaceAt(std::move(item), i);
    }
    return false;
}

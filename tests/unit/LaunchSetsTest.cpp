// Double-byte-safe cuts, and the launch model: where an inserted item goes,
// how sets move and overwrite, how items move between sets.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/TextCut.h"
#include "launchdata/LaunchSetList.h"

namespace {

// ソ and 表 in code page 932: their second byte is a backslash.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";

TEST(TextCut, NeverSplitsADoubleByteCharacter) {
    struct Case {
        std::string text;
        size_t max;
        size_t cut;         // CutLength
        int lastBackslash;  // FindLastBackslash's offset, -1 for none
    };
    const Case cases[] = {
        {"abcd", 3, 3, -1},
        {"ab" + kHyo, 4, 4, -1},
        {"ab" + kHyo, 3, 2, -1},
        {"\x83", 5, 0, -1},  // a lead byte with nothing after it
        {"C:\\x\\y", 9, 6, 4},
        {"C:\\" + kSo, 9, 5, 2},
        {kSo + "\\" + kHyo + "a", 9, 6, 2},
        {std::string(257, 'a') + kSo, 259, 259, -1},
        {std::string(258, 'a') + kSo, 259, 258, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12));
        EXPECT_EQ(c.cut, CutLength(c.text.c_str(), c.max));
        EXPECT_EQ(c.text.substr(0, c.cut), CutText(c.text.c_str(), c.max));
        const char* last = FindLastBackslash(c.text.c_str());
        EXPECT_EQ(c.lastBackslash, last ? int(last - c.text.c_str()) : -1);
    }
}

// Items named by one letter each; "." is an empty slot.
std::unique_ptr<LaunchItem> Item(char name) {
    auto item = std::make_unique<LaunchItem>();
    item->Assign(std::string(1, name).c_str(), "C:\\x", nullptr, LoadIconA(nullptr, IDI_APPLICATION));
    return item;
}

std::string Slots(const LaunchItemArray& items) {
    std::string out;
    for (unsigned i = 0; i < items.capacity; ++i) out += items.At(i) ? items.At(i)->name : ".";
    return out;
}

TEST(LaunchItemArray, InsertAtShiftsTheFewestItemsTowardTheNearestHole) {
    struct Case {
        const char* before;
        unsigned at;
        const char* after;  // null: refused, nothing changes
    };
    const Case cases[] = {
        {"ABC.D.", 1, "AXBCD."},  // the hole ahead is nearer
        {".ABCDE", 3, "ABXCDE"},  // only a hole behind
        {".AB.", 2, "AXB."},      // equally near: the earlier items move down
        {"A.B", 1, "AXB"},        // an empty slot takes it
        {"A.B", 2, "AXB"},        // so does an empty slot just before
        {"AB.C", 0, "XABC"},     {"ABC", 0, nullptr}, {"AB.", 3, nullptr},
    };
    for (const Case& c : cases) {
        LaunchItemArray items;
        items.Resize(unsigned(strlen(c.before)));
        for (unsigned i = 0; c.before[i]; ++i)
            if (c.before[i] != '.') items.ReplaceAt(Item(c.before[i]), i);
        EXPECT_EQ(c.after != nullptr, items.InsertAt(Item('X'), c.at)) << c.before << " at " << c.at;
        EXPECT_EQ(c.after ? c.after : c.before, Slots(items)) << c.before << " at " << c.at;
    }
}

std::string SetNames(const LaunchSetList& sets) {
    std::string out;
    for (uint16_t i = 0; i < sets.capacity; ++i) out += sets.GetSetName(i) ? sets.GetSetName(i) : ".";
    return out + std::to_string(sets.count);
}

TEST(LaunchSetList, MoveSetAndOverwriteSet) {
    struct Case {
        bool overwrite;
        uint16_t from, to;
        const char* after;  // the set slots, then the count
    };
    const Case cases[] = {{false, 0, 3, "BCA3"}, {false, 2, 0, "CAB3"}, {false, 0, 2, "BAC3"},
                          {false, 0, 1, "ABC3"}, {true, 0, 2, "BA.2"},  {true, 2, 0, "CB.2"}};
    for (const Case& c : cases) {
        LaunchSetList sets;
        sets.Resize(3);
        for (const char* name : {"A", "B", "C"}) sets.AddSet(name, 18);
        c.overwrite ? sets.OverwriteSet(c.from, c.to) : sets.MoveSet(c.from, c.to);
        EXPECT_EQ(c.after, SetNames(sets)) << c.overwrite << " " << c.from << " to " << c.to;
    }
}

TEST(LaunchSetList, ItemsMoveOnlyWhereThereIsRoom) {
    LaunchSetList sets;
    sets.Resize(3);
    for (const char* name : {"Full", "AlsoFull", "Empty"}) sets.AddSet(name, 18);
    for (uint16_t s = 0; s < 2; ++s)
        for (uint16_t i = 0; i < 18; ++i)
            sets.CreateItem(s, i, std::string(1, char('a' + i)).c_str(), "C:\\x", nullptr,
                            ItemPlacement::Replace);
    auto names = [&](uint16_t set) {
        std::string out;
        for (uint16_t i = 0; i < 18; ++i)
            out += sets.GetItemInfo(set, i).icon ? sets.GetItemInfo(set, i).name : ".";
        return out;
    };
    // Within a full set the item's own slot makes the room.
    EXPECT_TRUE(sets.MoveItem(0, 0, 0, 5, ItemPlacement::Insert));
    EXPECT_EQ("bcdeafghijklmnopqr", names(0));
    EXPECT_FALSE(sets.MoveItem(0, 1, 1, 3, ItemPlacement::Insert));
    EXPECT_EQ("bcdeafghijklmnopqr", names(0));
    EXPECT_TRUE(sets.MoveItem(0, 2, 2, 9, ItemPlacement::FirstFree));
    EXPECT_EQ("bc.eafghijklmnopqr", names(0));
    EXPECT_EQ("d.................", names(2));
    EXPECT_TRUE(sets.RemoveItem(0, 7));
    EXPECT_EQ("bc.eafg.ijklmnopqr", names(0));
}

TEST(LaunchSetList, TextsAreCutWholeCharactersAtTheirLimits) {
    LaunchSetList sets;
    sets.Resize(3);
    sets.AddSet((std::string(63, 'n') + kHyo).c_str(), 18);
    sets.AddSet((std::string(62, 'n') + kHyo).c_str(), 18);
    EXPECT_EQ(std::string(63, 'n'), sets.GetSetName(0));
    EXPECT_EQ(std::string(62, 'n') + kHyo, sets.GetSetName(1));
    LaunchItem item;
    const std::string name = std::string(257, 'i') + kSo + "x", target = std::string(258, 't') + kSo;
    ASSERT_TRUE(
        item.Assign(name.c_str(), target.c_str(), target.c_str(), LoadIconA(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(name.substr(0, 259), item.name);
    EXPECT_EQ(std::string(258, 't'), item.target);
    EXPECT_EQ(std::string(258, 't'), item.workingFolder);
}

}  // namespace

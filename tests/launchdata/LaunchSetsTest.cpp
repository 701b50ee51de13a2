// The launch data model: item arrays with holes, the nearest-hole insert,
// set moves and overwrites, item creation and moves with their refusals.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "launchdata/LaunchSetList.h"
#include "resources/resource.h"

namespace {

std::unique_ptr<LaunchItem> Item(char letter) {
    auto item = std::make_unique<LaunchItem>();
    const char name[2] = {letter, '\0'};
    EXPECT_TRUE(item->Assign(name, "target", nullptr, LoadIconA(nullptr, IDI_APPLICATION)));
    return item;
}

// Slots as letters, '.' for an empty one.
void Fill(LaunchItemArray& array, const std::string& pattern) {
    ASSERT_TRUE(array.Resize(static_cast<unsigned>(pattern.size())));
    for (size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] != '.') array.ReplaceAt(Item(pattern[i]), static_cast<unsigned>(i));
}
std::string Pattern(const LaunchItemArray& array) {
    std::string pattern;
    for (unsigned i = 0; i < array.capacity; ++i) pattern += array.At(i) ? array.At(i)->name[0] : '.';
    return pattern;
}

TEST(LaunchItemArray, InsertAtShiftsTheFewestItemsTowardTheNearestHole) {
    struct Case {
        const char* before;
        unsigned at;
        const char* after;  // null: refused, nothing changes
    };
    const Case cases[] = {
        {"ABC.D.", 1, "AXBCD."},                        // the forward hole is nearer
        {".ABCDE", 3, "ABXCDE"},                        // only a backward hole
        {".AB.", 2, "AXB."},                            // a tie moves the earlier items down
        {"..AB..", 3, ".AXB.."},                        // a tie again
        {"AB.C", 2, "ABXC"},                            // the slot itself is empty
        {"A.BC", 2, "AXBC"},                            // the slot before it is empty
        {"AB.C", 0, "XABC"},                            // at 0 only a forward hole counts
        {"A.BCD", 3, "ABXCD"},                          // no forward hole
        {".ABC", 0, "XABC"},     {"ABCD", 0, nullptr},  // full
        {"ABCD", 2, nullptr},                           // full
        {"AB..", 4, nullptr},                           // index equal to the capacity
        {"AB..", 300, nullptr},
    };
    for (const Case& c : cases) {
        LaunchItemArray array;
        Fill(array, c.before);
        const bool placed = array.InsertAt(Item('X'), c.at);
        const std::string expected = c.after ? c.after : c.before;
        EXPECT_EQ(c.after != nullptr, placed) << c.before << " at " << c.at;
        EXPECT_EQ(expected, Pattern(array)) << c.before << " at " << c.at;
    }
}

TEST(LaunchItemArray, IndexedOperationsRefuseSlotsBeyondTheCapacity) {
    LaunchItemArray array;
    EXPECT_EQ(-1, array.FirstFreeSlot());
    EXPECT_FALSE(array.PutFirstFree(Item('A')));
    EXPECT_FALSE(array.Resize(0));
    EXPECT_FALSE(array.Resize(256));
    EXPECT_EQ(0, array.capacity);
    ASSERT_TRUE(array.Resize(255));
    EXPECT_EQ(255, array.capacity);

    Fill(array, "A.B");
    EXPECT_EQ(1, array.FirstFreeSlot());
    EXPECT_EQ(2, array.CountUsed());
    EXPECT_FALSE(array.ReplaceAt(Item('X'), 3));
    EXPECT_FALSE(array.RemoveAt(3));
    EXPECT_EQ(nullptr, array.At(3));
    EXPECT_TRUE(array.PutFirstFree(Item('C')));
    EXPECT_EQ("ACB", Pattern(array));
    EXPECT_FALSE(array.PutFirstFree(Item('D')));
    EXPECT_TRUE(array.ReplaceAt(Item('Y'), 0));
    EXPECT_TRUE(array.RemoveAt(1));
    EXPECT_TRUE(array.RemoveAt(1));
    EXPECT_EQ("Y.B", Pattern(array));
    // A refused resize keeps the items.
    EXPECT_FALSE(array.Resize(0));
    EXPECT_EQ("Y.B", Pattern(array));
    EXPECT_TRUE(array.Resize(2));
    EXPECT_EQ("..", Pattern(array));
}

TEST(LaunchItem, AssignRefusesMissingPartsAndCutsLongTexts) {
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    LaunchItem item;
    ASSERT_TRUE(item.Assign("name", "target", nullptr, icon));
    EXPECT_FALSE(item.Assign(nullptr, "t", "w", icon));
    EXPECT_FALSE(item.Assign("n", nullptr, "w", icon));
    EXPECT_FALSE(item.Assign("n", "t", "w", nullptr));
    LaunchItemInfo info = item.Info();
    EXPECT_STREQ("name", info.name);
    EXPECT_STREQ("target", info.target);
    EXPECT_EQ(nullptr, info.workingFolder);
    EXPECT_NE(icon, info.icon);

    const std::string hyo150 = [] {
        std::string text;
        for (int i = 0; i < 150; ++i) text += "\x95\x5C";
        return text;
    }();
    ASSERT_TRUE(item.Assign("", std::string(300, 't').c_str(), hyo150.c_str(), icon));
    info = item.Info();
    EXPECT_STREQ("", info.name);
    EXPECT_EQ(std::string(259, 't'), info.target);
    EXPECT_EQ(hyo150.substr(0, 258), info.workingFolder);
}

// Sets named by one letter each.
std::string SetNames(const LaunchSetList& list) {
    std::string names;
    for (uint16_t i = 0; i < list.capacity; ++i) names += list.GetSetName(i) ? list.GetSetName(i)[0] : '.';
    return names;
}

class SetList : public ::testing::Test {
protected:
    void SetUp() override {
        list.iconSource.SetDefaultIcon(
            LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_ITEM)));
        ASSERT_TRUE(list.Resize(3));
    }
    void AddSets(const char* names) {
        for (const char* p = names; *p; ++p) {
            const char name[2] = {*p, '\0'};
            ASSERT_TRUE(list.AddSet(name, 18));
            // Each set's first item is named after the set, so items can be followed.
            ASSERT_TRUE(
                list.CreateItem(list.count - 1, 0, name, "C:\\nowhere", nullptr, ItemPlacement::Replace));
        }
    }
    // Every set's items as letters.
    std::string Items(uint16_t set) {
        std::string pattern;
        for (uint16_t i = 0; i < 18; ++i) {
            LaunchItemInfo info = list.GetItemInfo(set, i);
            pattern += info.icon ? info.name[0] : '.';
        }
        return pattern;
    }
    LaunchSetList list;
};

TEST_F(SetList, AddSetRefusesEmptyNamesAndAFourthSetAndCutsNamesTo64Bytes) {
    EXPECT_FALSE(list.AddSet("", 18));
    EXPECT_FALSE(list.AddSet(nullptr, 18));
    ASSERT_TRUE(list.AddSet(std::string(70, 'n').c_str(), 18));
    EXPECT_EQ(std::string(64, 'n'), list.GetSetName(0));
    std::string so;
    for (int i = 0; i < 35; ++i) so += "\x83\x5C";
    ASSERT_TRUE(list.AddSet(so.c_str(), 0));
    EXPECT_EQ(so.substr(0, 64), list.GetSetName(1));
    list.SetSetName(1, ("x" + so).c_str());
    EXPECT_EQ(("x" + so).substr(0, 63), list.GetSetName(1));
    // A refused slot count leaves a set without slots, which is full.
    EXPECT_TRUE(list.IsSetFull(1));
    EXPECT_EQ(nullptr, list.GetItemInfo(1, 0).icon);
    EXPECT_TRUE(list.AddSet("c", 18));
    EXPECT_FALSE(list.AddSet("d", 18));
    EXPECT_EQ(3, list.count);
    EXPECT_FALSE(list.Resize(0));
    EXPECT_EQ(3, list.count);
}

TEST_F(SetList, MoveSetPutsTheSetIntoTheGap) {
    struct Case {
        uint16_t from, to;
        const char* after;
    };
    const Case cases[] = {
        {0, 3, "BCA"}, {2, 0, "CAB"}, {0, 2, "BAC"}, {0, 1, "ABC"}, {1, 1, "ABC"},
        {1, 3, "ACB"}, {2, 1, "ACB"}, {1, 0, "BAC"}, {3, 0, "ABC"}, {0, 4, "ABC"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(list.Resize(3));
        AddSets("ABC");
        list.MoveSet(c.from, c.to);
        EXPECT_EQ(c.after, SetNames(list)) << c.from << " to " << c.to;
        EXPECT_EQ(3, list.count);
        // The items travel with their sets.
        for (uint16_t s = 0; s < 3; ++s) EXPECT_EQ(list.GetSetName(s)[0], Items(s)[0]);
    }
}

TEST_F(SetList, OverwriteSetDestroysTheTargetAndClosesTheGap) {
    struct Case {
        uint16_t from, to;
        const char* after;
    };
    const Case cases[] = {
        {0, 2, "BA."}, {2, 0, "CB."}, {1, 0, "BC."}, {0, 1, "AC."},
        {1, 1, "ABC"}, {0, 3, "ABC"}, {5, 0, "ABC"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(list.Resize(3));
        AddSets("ABC");
        list.OverwriteSet(c.from, c.to);
        EXPECT_EQ(c.after, SetNames(list)) << c.from << " onto " << c.to;
        EXPECT_EQ(std::string(c.after).find('.') == std::string::npos ? 3 : 2, list.count);
        for (uint16_t s = 0; s < list.count; ++s) EXPECT_EQ(list.GetSetName(s)[0], Items(s)[0]);
    }
}

TEST_F(SetList, RemoveSetLeavesAHoleThatCompactSetsCloses) {
    AddSets("ABC");
    list.RemoveSet(0);
    EXPECT_EQ(2, list.count);
    EXPECT_EQ(".BC", SetNames(list));
    list.RemoveSet(0);
    EXPECT_EQ(2, list.count);
    list.CompactSets();
    EXPECT_EQ("BC.", SetNames(list));
    EXPECT_TRUE(list.AddSet("D", 18));
    EXPECT_EQ("BCD", SetNames(list));
}

TEST_F(SetList, CreateItemPlacesByPlacementAndRefusesWhatCannotBe) {
    AddSets("A");
    EXPECT_TRUE(list.CreateItem(0, 5, "x", "C:\\x", "", ItemPlacement::Replace));
    EXPECT_TRUE(list.CreateItem(0, 9, "y", "C:\\y", nullptr, ItemPlacement::FirstFree));
    EXPECT_TRUE(list.CreateItem(0, 5, "z", "C:\\z", nullptr, ItemPlacement::Insert));
    EXPECT_EQ("Ay..zx", Items(0).substr(0, 6));
    EXPECT_STREQ("", list.GetItemInfo(0, 5).workingFolder);
    EXPECT_EQ(nullptr, list.GetItemInfo(0, 1).workingFolder);

    // The item keeps an icon of its own, not the icon source's.
    EXPECT_NE(nullptr, list.GetItemInfo(0, 5).icon);
    EXPECT_NE(list.iconSource.Lookup("C:\\x"), list.GetItemInfo(0, 5).icon);

    EXPECT_FALSE(list.CreateItem(1, 0, "n", "C:\\n", nullptr, ItemPlacement::Replace));  // no such set
    EXPECT_FALSE(list.CreateItem(0, 18, "n", "C:\\n", nullptr, ItemPlacement::Replace));
    EXPECT_FALSE(list.CreateItem(0, 18, "n", "C:\\n", nullptr, ItemPlacement::Insert));
    EXPECT_FALSE(list.CreateItem(0, 3, "n", "$x\\n", nullptr, ItemPlacement::Replace));  // no icon
    EXPECT_FALSE(list.CreateItem(0, 3, nullptr, "C:\\n", nullptr, ItemPlacement::Replace));
    EXPECT_FALSE(list.CreateItem(0, 3, "n", nullptr, nullptr, ItemPlacement::Replace));
    EXPECT_FALSE(list.CreateItem(0, 3, "n", "C:\\n", nullptr, static_cast<ItemPlacement>(7)));
    EXPECT_EQ(nullptr, list.GetItemInfo(0, 3).icon);
    EXPECT_TRUE(list.CreateItem(0, 3, "", "C:\\n", nullptr, ItemPlacement::Replace));

    for (uint16_t i = 0; i < 18; ++i)
        if (!list.GetItemInfo(0, i).icon)
            list.CreateItem(0, i, "f", "C:\\f", nullptr, ItemPlacement::Replace);
    EXPECT_TRUE(list.IsSetFull(0));
    EXPECT_FALSE(list.CreateItem(0, 0, "n", "C:\\n", nullptr, ItemPlacement::FirstFree));
    EXPECT_FALSE(list.CreateItem(0, 0, "n", "C:\\n", nullptr, ItemPlacement::Insert));
    EXPECT_TRUE(list.RemoveItem(0, 4));
    EXPECT_FALSE(list.RemoveItem(0, 18));
    EXPECT_FALSE(list.RemoveItem(2, 0));
    EXPECT_EQ("f", std::string(list.GetItemInfo(0, 6).name));
    EXPECT_EQ(nullptr, list.GetItemInfo(0, 4).icon);
}

TEST_F(SetList, MoveItemWithinAFullSetSucceedsButIntoAnotherFullSetIsRefused) {
    AddSets("AB");
    for (uint16_t i = 1; i < 18; ++i) {
        const char name[2] = {static_cast<char>('a' + i), '\0'};
        ASSERT_TRUE(list.CreateItem(0, i, name, "C:\\t", "C:\\", ItemPlacement::Replace));
    }
    const std::string full = Items(0);
    ASSERT_TRUE(list.IsSetFull(0));

    // Within the set: the source slot becomes the hole.
    EXPECT_TRUE(list.MoveItem(0, 17, 0, 2, ItemPlacement::Insert));
    EXPECT_EQ(full.substr(0, 2) + full[17] + full.substr(2, 15), Items(0));
    EXPECT_STREQ("C:\\", list.GetItemInfo(0, 2).workingFolder);

    // Into set B with room, then back into the full set A: refused, and the
    // item stays where it is.
    EXPECT_TRUE(list.MoveItem(0, 5, 1, 0, ItemPlacement::FirstFree));
    EXPECT_EQ(full[4], Items(1)[1]);
    EXPECT_TRUE(list.CreateItem(0, 5, "q", "C:\\q", nullptr, ItemPlacement::Replace));
    const std::string before = Items(0) + Items(1);
    EXPECT_FALSE(list.MoveItem(1, 1, 0, 0, ItemPlacement::FirstFree));
    EXPECT_FALSE(list.MoveItem(1, 1, 0, 3, ItemPlacement::Insert));
    EXPECT_FALSE(list.MoveItem(1, 1, 0, 18, ItemPlacement::Replace));
    EXPECT_FALSE(list.MoveItem(1, 1, 1, 18, ItemPlacement::Insert));
    EXPECT_FALSE(list.MoveItem(1, 7, 0, 3, ItemPlacement::Replace));  // empty source
    EXPECT_FALSE(list.MoveItem(1, 1, 2, 0, ItemPlacement::Replace));  // no such set
    EXPECT_EQ(before, Items(0) + Items(1));

    // Replace into a full set destroys the item that was there.
    EXPECT_TRUE(list.MoveItem(1, 1, 0, 3, ItemPlacement::Replace));
    EXPECT_EQ(full[4], Items(0)[3]);
    EXPECT_EQ(nullptr, list.GetItemInfo(1, 1).icon);
    EXPECT_TRUE(list.IsSetFull(0));
}

}  // namespace

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "Bytes.h"
#include "Support.h"
#include "base/ShellPath.h"
#include "base/TextCut.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/ItemIconSource.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/ShortcutFile.h"
#include "resources/resource.h"

namespace {

using velktest::kHyo, velktest::kSo;

TEST(TextCut, NeverSplitsADoubleByteCharacter) {
    // The text, the bytes allowed, the bytes kept, the offset of the last backslash (-1: none).
    const std::tuple<std::string, size_t, size_t, int> cases[] = {
        {"abcd", 3, 3, -1},     {"ab" + kHyo, 4, 4, -1},     {"ab" + kHyo, 3, 2, -1},
        {"\x83", 5, 0, -1},     {"C:\\x\\y", 9, 6, 4},       {"C:\\" + kSo, 9, 5, 2},
        {kSo + "\\a", 2, 2, 2}, {kSo + "\\" + kHyo, 4, 3, 2}};
    for (const auto& [text, max, kept, lastBackslash] : cases) {
        EXPECT_EQ(kept, CutLength(text.c_str(), max)) << text;
        EXPECT_EQ(text.substr(0, kept), CutText(text.c_str(), max)) << text;
        const char* last = FindLastBackslash(text.c_str());
        EXPECT_EQ(lastBackslash, last ? int(last - text.c_str()) : -1) << text;
    }
}

// One set, a slot for each letter: an item named by it, or "." for an empty slot.
void Fill(LaunchSetList& sets, const std::string& names) {
    sets.Resize(1);
    sets.AddSet("S", unsigned(names.size()));
    for (uint16_t i = 0; i < names.size(); ++i)
        if (names[i] != '.')
            sets.CreateItem(0, i, names.substr(i, 1).c_str(), "C:\\x", "", ItemPlacement::Replace);
}

std::string Names(const LaunchSetList& sets, size_t slots) {
    std::string names;
    for (uint16_t i = 0; i < slots; ++i)
        names += sets.GetItemInfo(0, i).icon ? sets.GetItemInfo(0, i).name : ".";
    return names;
}

TEST(LaunchSetList, AnInsertedItemShiftsTheFewestItemsTowardTheNearestHole) {
    // The slots, where X goes in, the slots after (null: refused). The hole ahead nearer; only one behind;
    // equally near, earlier items move down; an empty slot or the one before takes it, also past the end.
    // clang-format off
    const std::tuple<std::string, uint16_t, const char*> cases[] = {
        {"ABC.D.", 1, "AXBCD."}, {".ABCDE", 3, "ABXCDE"}, {".AB.", 2, "AXB."}, {"A.B", 1, "AXB"}, {"A.B", 2, "AXB"},
        {"AB.C", 0, "XABC"}, {"ABC", 0, nullptr}, {"AB.", 3, "ABX"}, {"A.BC", 4, "ABCX"}, {"ABC", 3, nullptr},
        {"AB.", 4, nullptr}};
    // clang-format on
    for (const auto& [before, at, after] : cases) {
        LaunchSetList sets;
        Fill(sets, before);
        EXPECT_EQ(after != nullptr, sets.CreateItem(0, at, "X", "C:\\x", "", ItemPlacement::Insert));
        EXPECT_EQ(after ? after : before, Names(sets, before.size())) << before << " at " << at;
    }
}

TEST(LaunchSetList, SetsAndItemsMove) {
    // Overwrite or move, from, to, the set slots and the count afterwards.
    const std::tuple<bool, uint16_t, uint16_t, std::string> cases[] = {
        {false, 0, 2, "BAC3"}, {false, 2, 0, "CAB3"}, {false, 0, 3, "BCA3"},
        {false, 0, 1, "ABC3"}, {true, 0, 2, "BA.2"},  {true, 2, 0, "CB.2"}};
    for (const auto& [overwrite, from, to, after] : cases) {
        LaunchSetList sets;
        sets.Resize(3);
        for (const char* name : {"A", "B", "C"}) sets.AddSet(name, 18);
        overwrite ? sets.OverwriteSet(from, to) : sets.MoveSet(from, to);
        std::string slots;
        for (uint16_t i = 0; i < 3; ++i) slots += sets.GetSetName(i) ? sets.GetSetName(i) : ".";
        // Stops at the first wrong one: a wrong move may write past the last slot and hang the test.
        ASSERT_EQ(after, slots + std::to_string(sets.count)) << overwrite << " " << from << " to " << to;
    }
    // Within a full set the item's own slot makes the room (moves between sets are the drop tests').
    LaunchSetList sets;
    Fill(sets, "abcdefghijklmnopqr");
    EXPECT_TRUE(sets.MoveItem(0, 0, 0, 5, ItemPlacement::Insert));
    EXPECT_EQ("bcdeafghijklmnopqr", Names(sets, 18));
}

TEST(ExpandPathMacros, ExpandsVariablesAndMacrosWithinTheBuffer) {
    ASSERT_TRUE(SetCurrentDirectoryA(velktest::BuildFile("").c_str()));  // drive Z:, the system's is C:
    SetEnvironmentVariableA("VELK_MACRO", "$p");
    // 259 and 260 double-byte characters: 518 and 520 bytes.
    std::string wide259;
    for (int i = 0; i < 259; ++i) wide259 += kHyo;
    SetEnvironmentVariableA("VELK_WIDE259", wide259.c_str());
    SetEnvironmentVariableA("VELK_WIDE260", (wide259 + kHyo).c_str());
    // The stored path, the buffer's size, the expansion (null: it fails).
    const std::string data = velktest::ProgramFile("QXDATA.dat"), x = velktest::ProgramFile("x");
    // clang-format off
    const std::tuple<std::string, size_t, const char*> cases[] = {
        {"$p\\QXDATA.dat", 520, data.c_str()}, {"%VELK_MACRO%\\x", 520, x.c_str()}, {"$$p", 520, "$p"},
        {"50$$", 520, "50$"}, {"$x\\file", 520, nullptr}, {"C:\\dir$", 520, nullptr}, {"$P", 520, nullptr},
        {"%WINDIR%\\x", 520, "C:\\windows\\x"}, {"$W\\x", 520, "C:\\windows\\x"}, {"$d\\x", 520, "Z:\\x"},
        {"$S", 520, "C:\\windows\\system32"}, {"$D\\x", 520, "C:\\x"}, {"abc", 4, "abc"}, {"abc", 3, nullptr},
        {"a$$b", 4, "a$b"}, {"a$$b", 3, nullptr}, {"%VELK_WIDE259%", 520, wide259.c_str()},
        {"%VELK_WIDE260%", 520, nullptr}};
    // clang-format on
    for (const auto& [source, size, expected] : cases) {
        char result[520] = {};
        EXPECT_STREQ(expected, ExpandPathMacros(source.c_str(), result, size)) << source;
    }
}

TEST(ItemFieldsFromFile, AShortcutGivesItsTargetAndFolderUnlessItHoldsMoreAnyOtherFileItself) {
    velktest::TempFolder temp;
    // A folder named like an administrative share: each `$` is stored doubled.
    const std::string folder = temp.File("c$"), stored = temp.File("c$$");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(velktest::WriteBytes(folder + "\\run.cmd", "@echo off\r\n"));
    ASSERT_TRUE(velktest::WriteBytes(folder + "\\report.final.txt", "report"));
    CoInitialize(nullptr);
    for (const auto& [name, arguments] : {std::pair{"Editor.lnk", L""}, {"Options.lnk", L"--fast"}})
        ASSERT_TRUE(velktest::MakeShortcut(velktest::Wide((folder + "\\" + name).c_str()),
                                           velktest::Wide((folder + "\\run.cmd").c_str()), L"C:\\windows",
                                           arguments));
    auto fields = [](const std::string& file, ItemFields& f) {
        return ItemFieldsFromFile(ShellPathFromWide(velktest::Wide(file.c_str()).c_str()), f);
    };
    // The file, and its item's name|target|working folder.
    const std::pair<std::string, std::string> cases[] = {
        {"Editor.lnk", "Editor|" + stored + "\\run.cmd|C:\\windows"},
        {"Options.lnk", "Options|" + stored + "\\Options.lnk|C:\\windows"},
        {"report.final.txt", "report.final|" + stored + "\\report.final.txt|" + stored}};
    for (const auto& [file, expected] : cases) {
        ItemFields f;
        EXPECT_TRUE(fields(folder + "\\" + file, f));
        EXPECT_EQ(expected, std::string(f.name) + "|" + f.target + "|" + f.workingFolder);
    }
    // 259 bytes, one more with the `$` doubled: the short path is stored, and names the file.
    const std::string longest = folder + "\\" + std::string(254 - folder.size(), 'x') + ".txt";
    ASSERT_TRUE(velktest::WriteBytes(longest, "long"));
    ItemFields f, gone;
    ASSERT_TRUE(fields(longest, f));
    // Missing, it has no short path: refused, with nothing cut kept.
    EXPECT_FALSE(fields(folder + "\\" + std::string(254 - folder.size(), 'y') + ".txt", gone));
    EXPECT_STREQ("", gone.target);
    char expanded[kExpandedPathSize] = {}, named[MAX_PATH] = {};
    ASSERT_TRUE(ExpandPathMacros(f.target, expanded, sizeof expanded)) << f.target;
    GetLongPathNameA(expanded, named, MAX_PATH);
    EXPECT_EQ(longest, named);

    // A missing target keeps the default icon, else the question mark; one that does not expand has none.
    const HICON question = LoadIconA(nullptr, IDI_QUESTION);
    ItemIconSource source;
    source.SetDefaultIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_ITEM)));
    EXPECT_FALSE(UniqueIcon(ShellIconOf("C:\\no\\such\\program.exe")));
    EXPECT_TRUE(UniqueIcon(ShellIconOf(stored + "\\run.cmd")));
    const HICON missing = source.Placeholder("C:\\no\\such\\program.exe");
    EXPECT_TRUE(missing && missing != question);
    EXPECT_EQ(nullptr, source.Placeholder("$x\\program.exe"));
    source.SetDefaultIcon(nullptr);
    EXPECT_EQ(question, source.Placeholder("C:\\no\\such\\program.exe"));
    CoUninitialize();
}

}  // namespace

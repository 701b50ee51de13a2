// Data files that no one should have written: cut short, lying counts,
// missing terminators, oversized texts, random bytes. Each loads without
// fault, keeps what it can, and is kept aside when it is not used whole.
#include <string>
#include <vector>

#include "LaunchDataFixture.h"

namespace {

using namespace velktest;

struct BadFile {
    const char* what;
    std::string bytes;
    bool loads;      // Load's result
    int sets;        // sets held afterwards
    bool keptAside;  // copied to .bak before the first save
};

std::string Header(uint8_t historyCount, uint8_t setCount, uint8_t slots) {
    return FileBytes().Header(0x18, historyCount, setCount, slots).bytes;
}

std::vector<BadFile> BadFiles() {
    const std::string oneSet = FileBytes().Text("A").Slot("a", "C:\\a", "").EmptySlots(17).bytes;
    std::string manyEmpty = Header(0, 255, 255);
    for (int s = 0; s < 255; ++s) manyEmpty += FileBytes().Text("S").EmptySlots(255).bytes;
    std::string withOffset = Header(0, 1, 18) + oneSet;
    withOffset[4] = '\xFF';
    withOffset[5] = '\xFF';
    std::string offsetZero = Header(0, 1, 1) + "x";
    offsetZero[4] = 0;
    return {
        {"empty file", "", false, 0, true},
        {"short header", Header(0, 1, 18).substr(0, 10), false, 0, true},
        {"header only", Header(0, 1, 18), false, 0, true},
        {"no sets", Header(0, 0, 18) + oneSet, false, 0, true},
        {"four whole sets", Header(0, 4, 18) + oneSet + oneSet + oneSet + oneSet, true, 3, false},
        {"255 sets, one written", Header(0, 255, 18) + oneSet, true, 1, true},
        {"no slots", Header(0, 2, 0) + "A" + '\0' + "B" + '\0', true, 2, false},
        {"255 slots", Header(0, 1, 255) + FileBytes().Text("A").Slot("z", "C:\\z", "").EmptySlots(254).bytes,
         true, 1, false},
        {"255 x 255 empty slots", manyEmpty, true, 3, false},
        {"history count beyond the body", Header(200, 1, 18) + "a" + '\0' + "b" + '\0', false, 0, true},
        {"missing final terminator", Header(0, 1, 1) + "A" + '\0' + "n" + '\0' + "t" + '\0' + "w", true, 1,
         true},
        {"text of 1000 bytes",
         Header(0, 1, 1) + std::string(1000, 'N') + '\0' + "n" + '\0' + std::string(1000, 't') + '\0' +
             std::string(1000, 'w') + '\0',
         true, 1, false},
        {"lone lead byte at the end", Header(1, 1, 18) + "\x83", false, 0, true},
        {"lone lead byte before a terminator",
         Header(0, 1, 1) + "A\x83" + '\0' + "n\x95" + '\0' + "t" + '\0' + '\0', true, 1, false},
        {"body offset beyond the file", withOffset, false, 0, true},
        {"body offset inside the header", offsetZero, false, 0, true},
        {"random bytes",
         std::string("\x51\x58\x07\xF3\x9C\x00\x11\xFE\x8A\x5C\x83\x00\x00\x03\xFF\x01\x83", 17), false, 0,
         true},
    };
}

TEST_F(DataFileTest, BadFilesLoadWithoutFaultAndAreKeptAsideWhenNotUsedWhole) {
    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.what);
        ASSERT_TRUE(WriteBytes(DataPath(), bad.bytes));
        DeleteFileA(AsidePath().c_str());
        LaunchData data;
        EXPECT_EQ(bad.loads, data.Load(DataPath()));
        EXPECT_EQ(bad.sets, data.sets.count);
        for (uint16_t s = 0; s < data.sets.count; ++s) {
            EXPECT_LE(strlen(data.sets.GetSetName(s)), 64u);
            for (uint16_t i = 0; i < 255; ++i) {
                const LaunchItemInfo info = data.sets.GetItemInfo(s, i);
                if (!info.icon) continue;
                EXPECT_LE(strlen(info.name), 259u);
                EXPECT_LE(strlen(info.target), 259u);
                EXPECT_LE(strlen(info.workingFolder), 259u);
            }
        }
        EXPECT_EQ(bad.keptAside, data.settings.keepAside);
        if (data.sets.count == 0) data.sets.AddSet("NewLaunchSet", 18);
        ASSERT_TRUE(data.Save(DataPath(), 1, 0x10));
        EXPECT_EQ(bad.keptAside, FileExists(AsidePath()));
        if (bad.keptAside) {
            EXPECT_EQ(Hex(bad.bytes), Hex(ReadBytes(AsidePath())));
        }
    }
}

TEST_F(DataFileTest, LongTextsAndLoneLeadBytesAreCutOnLoading) {
    ASSERT_TRUE(WriteBytes(DataPath(), Header(0, 1, 1) + std::string(100, 'N') + '\0' + "n\x95" + '\0' +
                                           std::string(300, 't') + '\0' + "\x83\x5C" + std::string(300, 'w') +
                                           '\0'));
    LaunchData data;
    ASSERT_TRUE(data.Load(DataPath()));
    EXPECT_EQ(std::string(64, 'N'), data.sets.GetSetName(0));
    const LaunchItemInfo info = data.sets.GetItemInfo(0, 0);
    ASSERT_TRUE(info.icon);
    EXPECT_STREQ("n", info.name);
    EXPECT_EQ(std::string(259, 't'), info.target);
    EXPECT_EQ("\x83\x5C" + std::string(257, 'w'), info.workingFolder);
}

TEST_F(DataFileTest, AFolderInPlaceOfTheFileIsNeitherReadNorReplaced) {
    ASSERT_TRUE(CreateDirectoryA(DataPath().c_str(), nullptr));
    LaunchData data;
    EXPECT_FALSE(data.Load(DataPath()));
    EXPECT_FALSE(data.settings.keepAside);
    data.sets.AddSet("NewLaunchSet", 18);
    EXPECT_FALSE(data.Save(DataPath(), 1, 0x10));
    EXPECT_TRUE(GetFileAttributesA(DataPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(FileExists(TempPath()));
}

// A real file, cut at every length and corrupted at random: every variant
// loads without fault, and what loads is within the limits.
TEST_F(DataFileTest, MutationsOfARealFileAllLoad) {
    FileBytes file;
    file.Header(0x1E, 4, 3, 18).Text("notepad").Text("calc").Text("\x95\x5C\x8E\xA6").Text("cmd");
    for (const char* name : {"One", "\x83\x5C\x83t\x83g", "Three"}) {
        file.Text(name).Slot("a", "C:\\a.exe", "C:\\").EmptySlots(8).Slot("b", "$p\\b", "").EmptySlots(8);
    }
    const std::string real = file.bytes;

    std::vector<std::string> variants;
    for (size_t length = 0; length < real.size(); length += 3) variants.push_back(real.substr(0, length));
    const size_t truncations = variants.size();
    unsigned seed = 2026;
    auto next = [&] {
        seed = seed * 1664525 + 1013904223;
        return seed >> 8;
    };
    for (int i = 0; i < 400; ++i) {
        std::string variant = real;
        const int changes = 1 + next() % 8;
        for (int c = 0; c < changes; ++c) variant[next() % variant.size()] = static_cast<char>(next());
        variants.push_back(variant);
    }
    for (int i = 0; i < 100; ++i) {
        std::string noise(next() % 600, '\0');
        for (char& c : noise) c = static_cast<char>(next());
        variants.push_back(noise);
    }

    const DWORD start = GetTickCount();
    int loaded = 0;
    for (size_t v = 0; v < variants.size(); ++v) {
        const std::string& variant = variants[v];
        ASSERT_TRUE(WriteBytes(DataPath(), variant));
        LaunchData data;
        if (data.Load(DataPath())) ++loaded;
        ASSERT_LE(data.sets.count, 3);
        ASSERT_LE(data.history.entryCount, 16);
        for (uint16_t s = 0; s < data.sets.count; ++s) ASSERT_LE(strlen(data.sets.GetSetName(s)), 64u);
        // A file cut short is kept aside.
        if (v < truncations) {
            ASSERT_TRUE(data.settings.keepAside) << variant.size();
        }
    }
    EXPECT_GT(loaded, 0);
    // Bounded in time as well as in count.
    EXPECT_LT(GetTickCount() - start, 120000u);
}

}  // namespace

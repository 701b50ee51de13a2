// The data file: the exact bytes written, round trips of hand-built files,
// the stated loading rules, the atomic save and the copy kept aside.
#include <cstring>
#include <string>

#include "LaunchDataFixture.h"

namespace {

using namespace velktest;

const std::string kSo = "\x83\x5C";   // ソ
const std::string kHyo = "\x95\x5C";  // 表

// Three sets with history, holes, absent and empty working folders, macros
// and double-byte texts whose trail bytes are backslashes.
std::string ThreeSetFile() {
    FileBytes file;
    file.Header(0x56, 3, 3, 18, 60, 10, 20, 30)
        .Text("notepad")
        .Text("cmd /k dir")
        .Text("http://example.com/" + kSo);
    file.Text("Tools").Slot("Editor", "C:\\Apps\\run.cmd", "C:\\Apps").EmptySlots(1);
    file.Slot("Notes", "$p\\notes.txt", "").EmptySlots(14).Slot("Last", "%WINDIR%\\notepad.exe", "$W");
    file.Text(kHyo + "\x8E\xA6" + kSo + "\x83t\x83g").EmptySlots(5);
    file.Slot(kSo + "\\" + kHyo, "C:\\" + kSo + "\x83t\x83g\\" + kHyo + "\x8E\xA6\\app.exe", "C:\\" + kSo)
        .EmptySlots(12);
    file.Text("Third").EmptySlots(18);
    return file.bytes;
}

TEST_F(DataFileTest, AFreshStartWritesThe83ByteFile) {
    LaunchData data;
    EXPECT_FALSE(data.Load(DataPath()));
    EXPECT_FALSE(data.settings.keepAside);
    data.settings.flags |= Settings::kPinned;
    ASSERT_TRUE(data.sets.AddSet("NewLaunchSet", 18));
    ASSERT_TRUE(data.Save(DataPath(), 1, 0x10));
    const std::string bytes = ReadBytes(DataPath());
    EXPECT_EQ(83u, bytes.size());
    EXPECT_EQ(Hex(FreshDataFile()), Hex(bytes));
    EXPECT_FALSE(FileExists(TempPath()));
    EXPECT_FALSE(FileExists(AsidePath()));
}

TEST_F(DataFileTest, AThreeSetFileComesBackByteForByte) {
    const std::string original = ThreeSetFile();
    ASSERT_TRUE(WriteBytes(DataPath(), original));
    LaunchData data;
    ASSERT_TRUE(data.Load(DataPath()));
    EXPECT_FALSE(data.settings.keepAside);
    EXPECT_EQ(kHookKeyCtrl | kHookKeyAlt, data.settings.triggerKeys);
    EXPECT_EQ(60, data.settings.alpha);
    EXPECT_EQ(10, data.settings.red);
    EXPECT_EQ(30, data.settings.blue);

    ASSERT_EQ(3, data.sets.count);
    EXPECT_STREQ("Tools", data.sets.GetSetName(0));
    EXPECT_EQ(kHyo + "\x8E\xA6" + kSo + "\x83t\x83g", data.sets.GetSetName(1));
    LaunchItemInfo editor = data.sets.GetItemInfo(0, 0);
    ASSERT_TRUE(editor.icon);
    EXPECT_STREQ("C:\\Apps\\run.cmd", editor.target);
    EXPECT_STREQ("C:\\Apps", editor.workingFolder);
    EXPECT_EQ(nullptr, data.sets.GetItemInfo(0, 1).icon);
    EXPECT_STREQ("", data.sets.GetItemInfo(0, 2).workingFolder);
    EXPECT_STREQ("%WINDIR%\\notepad.exe", data.sets.GetItemInfo(0, 17).target);
    EXPECT_EQ(kSo + "\\" + kHyo, data.sets.GetItemInfo(1, 5).name);
    EXPECT_EQ(3, data.history.entryCount);
    EXPECT_STREQ("notepad", data.history.Get(3));

    ASSERT_TRUE(data.Save(DataPath(), 1, data.settings.triggerKeys));
    EXPECT_EQ(Hex(original), Hex(ReadBytes(DataPath())));
}

TEST_F(DataFileTest, SaveTakesFlagsFromTheKeyAndThePinAndKeepsTheWallpaperBits) {
    ASSERT_TRUE(
        WriteBytes(DataPath(), FileBytes().Header(0xFF, 0, 1, 18, 42).Text("S").EmptySlots(18).bytes));
    LaunchData data;
    ASSERT_TRUE(data.Load(DataPath()));
    struct Case {
        int pinned;
        uint8_t hookKey;
        uint8_t flags;
    };
    const Case cases[] = {
        {0, 0x10, 0x68}, {1, 0x01, 0x74}, {0, 0x02, 0x62}, {0, 0x04, 0x61}, {1, 0x17, 0x7F}, {0, 0xE8, 0x60},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(data.Save(DataPath(), c.pinned, c.hookKey));
        const std::string bytes = ReadBytes(DataPath());
        ASSERT_EQ(16u + 2 + 54, bytes.size());
        EXPECT_EQ(c.flags, static_cast<uint8_t>(bytes[6])) << "key " << int(c.hookKey);
        EXPECT_EQ(0, bytes[7]);
        EXPECT_EQ(42, bytes[8]);
    }
}

TEST_F(DataFileTest, TheTriggerKeysFollowTheStoredFlagsAndTheMouse) {
    struct Case {
        uint8_t flags;
        int buttons;
        uint8_t keys;
    };
    const Case cases[] = {
        {0x08, 3, 0x10}, {0x08, 2, 0x03}, {0x09, 2, 0x04}, {0x09, 3, 0x14}, {0x0F, 2, 0x07}, {0x0F, 5, 0x17},
        {0x01, 3, 0x04}, {0x02, 3, 0x02}, {0x04, 3, 0x01}, {0x00, 2, 0x00}, {0xF0, 3, 0x00}, {0x0C, 2, 0x01},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.keys, Settings::TriggerKeysFromFlags(c.flags, c.buttons))
            << "flags " << int(c.flags) << " buttons " << c.buttons;
    for (uint8_t key : {0x10, 0x01, 0x02, 0x04, 0x17})
        EXPECT_EQ(key, Settings::TriggerKeysFromFlags(Settings::FlagsFromHookKey(key), 3));
}

TEST_F(DataFileTest, LoadingRulesForNamesSlotsAndHistory) {
    FileBytes file;
    file.Header(0x18, 20, 2, 20);
    for (int i = 1; i <= 20; ++i) file.Text("cmd" + std::to_string(i));
    file.Text("")
        .Slot("", "C:\\only-a-target", "C:\\")
        .EmptySlots(17)
        .Slot("s18", "C:\\a", "")
        .Slot("s19", "C:\\b", "");
    file.Text("B").Slot("bad", "$x\\file", "").EmptySlots(19);
    ASSERT_TRUE(WriteBytes(DataPath(), file.bytes));

    LaunchData data;
    ASSERT_TRUE(data.Load(DataPath()));
    EXPECT_EQ(16, data.history.entryCount);
    EXPECT_STREQ("cmd20", data.history.Get(1));
    EXPECT_STREQ("cmd5", data.history.Get(16));
    EXPECT_STREQ("No Name", data.sets.GetSetName(0));
    EXPECT_EQ(nullptr, data.sets.GetItemInfo(0, 0).icon);  // an empty name is an empty slot
    EXPECT_STREQ("s19", data.sets.GetItemInfo(0, 19).name);
    EXPECT_EQ(nullptr, data.sets.GetItemInfo(1, 0).icon);  // its macros do not expand

    ASSERT_TRUE(data.Save(DataPath(), 1, 0x10));
    FileBytes expected;
    expected.Header(0x18, 16, 2, 18);
    for (int i = 5; i <= 20; ++i) expected.Text("cmd" + std::to_string(i));
    expected.Text("No Name").EmptySlots(18).Text("B").EmptySlots(18);
    EXPECT_EQ(Hex(expected.bytes), Hex(ReadBytes(DataPath())));
}

TEST_F(DataFileTest, SaveRefusesWhatItCannotWriteAndLeavesTheOldFile) {
    const std::string original = ThreeSetFile();
    ASSERT_TRUE(WriteBytes(DataPath(), original));
    LaunchData data;
    ASSERT_TRUE(data.sets.AddSet("X", 18));
    EXPECT_FALSE(data.settings.Save(DataPath().c_str(), nullptr, &data.sets, 1, 0x10));
    EXPECT_FALSE(data.settings.Save(DataPath().c_str(), &data.history, nullptr, 1, 0x10));
    EXPECT_FALSE(data.Save(folder.File("$x\\QXDATA.dat"), 1, 0x10));
    EXPECT_FALSE(data.Save(folder.File("no-such-folder\\QXDATA.dat"), 1, 0x10));

    // The temporary file cannot be made: a folder stands in its way.
    ASSERT_TRUE(CreateDirectoryA((TempPath()).c_str(), nullptr));
    EXPECT_FALSE(data.Save(DataPath(), 1, 0x10));
    EXPECT_EQ(Hex(original), Hex(ReadBytes(DataPath())));
    ASSERT_TRUE(RemoveDirectoryA((TempPath()).c_str()));

    // The old file is held open by another: it stays whole, and no
    // temporary file is left behind.
    HANDLE held = CreateFileA(DataPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(data.Save(DataPath(), 1, 0x10));
    CloseHandle(held);
    EXPECT_EQ(Hex(original), Hex(ReadBytes(DataPath())));
    EXPECT_FALSE(FileExists(TempPath()));

    EXPECT_TRUE(data.Save(DataPath(), 1, 0x10));
    EXPECT_NE(original, ReadBytes(DataPath()));
}

TEST_F(DataFileTest, ARejectedFileIsKeptAsideBeforeTheFirstSaveReplacesIt) {
    const std::string rejected = FileBytes().Header(0x18, 0, 0, 18).Text("lost?").bytes;
    ASSERT_TRUE(WriteBytes(AsidePath(), "an older copy"));
    ASSERT_TRUE(WriteBytes(DataPath(), rejected));
    LaunchData data;
    EXPECT_FALSE(data.Load(DataPath()));
    EXPECT_TRUE(data.settings.keepAside);
    ASSERT_TRUE(data.sets.AddSet("NewLaunchSet", 18));
    ASSERT_TRUE(data.Save(DataPath(), 1, 0x10));
    EXPECT_EQ(Hex(rejected), Hex(ReadBytes(AsidePath())));
    const std::string saved = ReadBytes(DataPath());
    ASSERT_EQ(16u + 13 + 54, saved.size());
    EXPECT_EQ(1, saved[13]);

    // The second save replaces only our own file.
    ASSERT_TRUE(data.Save(DataPath(), 0, 0x10));
    EXPECT_EQ(Hex(rejected), Hex(ReadBytes(AsidePath())));
}

TEST_F(DataFileTest, AFileCutShortKeepsItsWholeRecordsAndIsKeptAside) {
    const std::string original = ThreeSetFile();
    // Cut inside the second set's name.
    const size_t cut = original.find(kHyo + "\x8E\xA6") + 3;
    ASSERT_TRUE(WriteBytes(DataPath(), original.substr(0, cut)));
    LaunchData data;
    ASSERT_TRUE(data.Load(DataPath()));
    EXPECT_TRUE(data.settings.keepAside);
    EXPECT_EQ(1, data.sets.count);
    EXPECT_STREQ("Last", data.sets.GetItemInfo(0, 17).name);
    EXPECT_EQ(3, data.history.entryCount);

    ASSERT_TRUE(data.Save(DataPath(), 1, 0x03));
    EXPECT_EQ(Hex(original.substr(0, cut)), Hex(ReadBytes(AsidePath())));
    const std::string saved = ReadBytes(DataPath());
    EXPECT_EQ(original.substr(16, cut - 16 - 3), saved.substr(16, cut - 16 - 3));
}

TEST_F(DataFileTest, ADataFileWhosePathFillsMaxPathIsSaved) {
    // Folders nested until the data file's path is 259 characters long, the
    // longest a path can be; its temporary file must be no longer.
    const std::string name = "\\QXDATA.dat";
    std::string path = folder.Path();
    for (size_t room = MAX_PATH - 1 - name.size() - path.size(); room > 0;
         room = MAX_PATH - 1 - name.size() - path.size()) {
        path += "\\" + std::string(room > 50 ? 40 : room - 1, 'd');
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    }
    path += name;
    ASSERT_EQ(size_t(MAX_PATH - 1), path.size());
    LaunchData data;
    ASSERT_TRUE(data.sets.AddSet("NewLaunchSet", 18));
    ASSERT_TRUE(data.Save(path, 1, 0x10));
    EXPECT_EQ(Hex(FreshDataFile()), Hex(ReadBytes(path)));
}

TEST_F(DataFileTest, AGoodFileIsNotKeptAside) {
    ASSERT_TRUE(WriteBytes(DataPath(), ThreeSetFile()));
    LaunchData data;
    ASSERT_TRUE(data.Load(DataPath()));
    ASSERT_TRUE(data.Save(DataPath(), 1, 0x03));
    EXPECT_FALSE(FileExists(AsidePath()));
}

}  // namespace

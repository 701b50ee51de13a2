// The data file QXDATA.dat: hand-built files loaded, what they give, and the
// exact bytes the next save writes; files kept aside, the atomic save, and
// files no one should have written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Bytes.h"
#include "Support.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"

namespace {

using velktest::DataFile;
using velktest::Hex;

const std::string kSo = "\x83\x5C";   // ソ
const std::string kHyo = "\x95\x5C";  // 表
const std::string kLast = "%WINDIR%\\notepad.exe,$W";

// What the App holds: settings, a history of 16 and three set slots.
struct LaunchData {
    LaunchData() {
        history.Init(16);
        sets.Resize(3);
    }
    bool Load(const std::string& path) { return settings.Load(path.c_str(), &history, &sets); }
    bool Save(const std::string& path, int pin = 1, uint8_t hookKey = 0x10, bool onlyIfChanged = false) {
        return settings.Save(path.c_str(), &history, &sets, pin, hookKey, onlyIfChanged);
    }
    Settings settings;
    CommandHistory history;
    LaunchSetList sets;
};

// Each set as "name|slot:name,target,folder|...", occupied slots only.
std::vector<std::string> Describe(const LaunchSetList& sets) {
    std::vector<std::string> out;
    for (uint16_t s = 0; s < sets.count; ++s) {
        out.push_back(sets.GetSetName(s));
        for (uint16_t i = 0; i < 255; ++i) {
            const LaunchItemInfo item = sets.GetItemInfo(s, i);
            if (item.icon)
                out.back() +=
                    "|" + std::to_string(i) + ":" + item.name + "," + item.target + "," + item.workingFolder;
        }
    }
    return out;
}

std::string OneSet(uint8_t flags, const char* name = "S") {
    return DataFile().Header(flags, 0, 1).Text(name).Empty(18).bytes;
}

// History, holes, absent and empty folders, macros, and double-byte texts
// with backslashes for trail bytes.
std::string ThreeSets(uint8_t flags) {
    DataFile file;
    file.Header(flags, 3, 3, 18, 60, 10, 20, 30).Text("notepad").Text("cmd /k dir").Text("http://x/" + kSo);
    file.Text("Tools")
        .Slot("Editor", "C:\\Apps\\run.cmd", "C:\\Apps")
        .Empty(1)
        .Slot("Notes", "$p\\n.txt", "");
    file.Empty(14).Slot("Last", "%WINDIR%\\notepad.exe", "$W").Text(kHyo + kSo).Empty(5);
    file.Slot(kSo + "\\" + kHyo, "C:\\" + kSo + "\\" + kHyo + ".exe", "C:\\" + kSo).Empty(12);
    return file.Text("Third").Empty(18).bytes;
}

// Read: c1 to c18, C10, c19. Kept: the newest 16, C10 in c10's place.
std::string History(bool kept) {
    DataFile file;
    file.Header(0x18, kept ? 16 : 20, 1);
    for (int i = kept ? 4 : 1; i <= 18; ++i)
        if (!kept || i != 10) file.Text("c" + std::to_string(i));
    return file.Text("C10").Text("c19").Text("S").Empty(18).bytes;
}

class DataFileTest : public ::testing::Test {
protected:
    velktest::TempFolder folder;
    const std::string path = folder.File("QXDATA.dat");
};

TEST_F(DataFileTest, FilesLoadAndSaveBackAsWritten) {
    const std::string fresh = velktest::DefaultHeader(0x18, 0, 1).Text("NewLaunchSet").Empty(18).bytes;
    const std::string three = ThreeSets(0x56);
    const std::string tools = "Tools|0:Editor,C:\\Apps\\run.cmd,C:\\Apps|2:Notes,$p\\n.txt,|17:Last,";
    const std::string second =
        kHyo + kSo + "|5:" + kSo + "\\" + kHyo + ",C:\\" + kSo + "\\" + kHyo + ".exe,C:\\";
    // An empty set name, a slot with a target but no name, 20 slots a set.
    DataFile wide =
        DataFile().Header(0x18, 0, 2, 20).Text("").Slot("", "C:\\t", "C:\\").Slot("1", "C:\\1", "");
    wide.Empty(16).Slot("s18", "C:\\a", "").Slot("s19", "C:\\b", "").Text("B").Empty(20);
    DataFile wideSaved = DataFile().Header(0x18, 0, 2).Text("No Name").Empty(1).Slot("1", "C:\\1", "");
    wideSaved.Empty(16).Text("B").Empty(18);
    const std::string noName = "No Name|1:1,C:\\1,|18:s18,C:\\a,|19:s19,C:\\b,";
    // Cut in the second set's third slot: the history, the first set and the
    // second set's name are whole.
    const std::string cut = ThreeSets(0x18).substr(0, 186);
    const std::string cutSaved =
        DataFile().Header(0x18, 3, 2, 18, 60, 10, 20, 30).bytes + cut.substr(16, 163) + std::string(54, '\0');
    const std::string noSets = DataFile().Header(0x18, 0, 0).Text("lost?").bytes;
    struct Case {
        const char* what;
        std::string file;  // empty: no file
        std::vector<std::string> sets;
        uint8_t keys;  // the trigger keys loaded
        int pin;
        uint8_t hookKey;  // what the save is given
        bool keptAside;
        std::string saved;
    };
    const Case cases[] = {
        {"fresh start", "", {"NewLaunchSet"}, 0, 1, 0x10, false, fresh},
        {"three sets", three, {tools + kLast, second + kSo, "Third"}, 0x03, 1, 0x03, false, three},
        {"names, 20 slots", wide.bytes, {noName, "B"}, 0x10, 1, 0x10, false, wideSaved.bytes},
        {"20 history texts", History(false), {"S"}, 0x10, 1, 0x10, false, History(true)},
        {"CTRL", OneSet(0x14), {"S"}, 0x01, 1, 0x04, false, OneSet(0x11)},
        {"SHIFT", OneSet(0x01), {"S"}, 0x04, 0, 0x01, false, OneSet(0x04)},
        {"ALT, middle", OneSet(0x0A), {"S"}, 0x12, 0, 0x12, false, OneSet(0x0A)},
        {"CTRL+SHIFT, wallpaper", OneSet(0xF5), {"S"}, 0x05, 1, 0x02, false, OneSet(0x72)},
        {"no sets", noSets, {"NewLaunchSet"}, 0, 1, 0x10, true, OneSet(0x18, "NewLaunchSet")},
        {"cut short", cut, {tools + kLast, kHyo + kSo}, 0x10, 1, 0x10, true, cutSaved},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(path.c_str());
        DeleteFileA((path + ".bak").c_str());
        if (!c.file.empty()) velktest::WriteBytes(path, c.file);
        LaunchData data;
        const bool loaded = data.Load(path);
        EXPECT_EQ(c.keys, loaded ? data.settings.triggerKeys : 0);
        if (!loaded) data.sets.AddSet("NewLaunchSet", 18);
        EXPECT_EQ(c.sets, Describe(data.sets));
        ASSERT_TRUE(data.Save(path, c.pin, c.hookKey));
        EXPECT_EQ(Hex(c.saved), Hex(velktest::ReadBytes(path)));
        EXPECT_EQ(c.keptAside ? Hex(c.file) : "", Hex(velktest::ReadBytes(path + ".bak")));
        EXPECT_FALSE(velktest::FileExists(folder.File("QXDATA.tmp")));
    }
}

// A real file changed in one byte, or cut at any length: every variant loads
// without fault and within the limits, and one cut short is kept aside.
TEST_F(DataFileTest, EveryOneByteChangeAndCutOfARealFileLoads) {
    DataFile file =
        DataFile().Header(0x1E, 2, 3, 2).Text("calc").Text(kHyo).Text("One").Slot("a", "C:\\a.exe", "C:\\");
    const std::string real =
        file.Empty(1).Text(kSo).Empty(2).Text("Three").Slot("b", "$p\\b", "").Empty(1).bytes;
    for (size_t v = 0; v < 3 * real.size(); ++v) {
        const size_t at = v % real.size();
        std::string variant = v < real.size() ? real.substr(0, at) : real;
        if (v >= real.size()) variant[at] = v < 2 * real.size() ? '\0' : '\xFF';
        ASSERT_TRUE(velktest::WriteBytes(path, variant));
        LaunchData data;
        data.Load(path);
        ASSERT_LE(data.sets.count, 3) << v;
        ASSERT_LE(data.history.entryCount, 16) << v;
        for (uint16_t s = 0; s < data.sets.count; ++s) ASSERT_LE(strlen(data.sets.GetSetName(s)), 64u) << v;
        ASSERT_TRUE(v >= real.size() || data.settings.keepAside) << "cut at " << at;
    }
}

TEST_F(DataFileTest, ADataFileWhosePathFillsMaxPathIsSaved) {
    // Folders nested until the path is 259 characters, the longest there is;
    // the temporary file beside it must be no longer.
    std::string file = folder.Path();
    for (size_t room; (room = MAX_PATH - 1 - strlen("\\QXDATA.dat") - file.size()) > 0;) {
        file += "\\" + std::string(room > 50 ? 40 : room - 1, 'd');
        ASSERT_TRUE(CreateDirectoryA(file.c_str(), nullptr)) << file;
    }
    file += "\\QXDATA.dat";
    ASSERT_EQ(size_t(MAX_PATH - 1), file.size());
    LaunchData data;
    data.sets.AddSet("S", 18);
    ASSERT_TRUE(data.Save(file));
    EXPECT_EQ(Hex(velktest::DefaultHeader(0x18, 0, 1).Text("S").Empty(18).bytes),
              Hex(velktest::ReadBytes(file)));
}

TEST_F(DataFileTest, ASaveOnlyIfChangedWritesOnlyChanges) {
    LaunchData data;
    data.sets.AddSet("S", 18);
    ASSERT_TRUE(data.Save(path, 1, 0x10, true));
    // Replaced behind its back: a save of the same bytes leaves it alone.
    ASSERT_TRUE(velktest::WriteBytes(path, "other"));
    ASSERT_TRUE(data.Save(path, 1, 0x10, true));
    EXPECT_EQ("other", velktest::ReadBytes(path));
    data.history.Add("notepad");
    ASSERT_TRUE(data.Save(path, 1, 0x10, true));
    EXPECT_EQ(Hex(velktest::DefaultHeader(0x18, 1, 1).Text("notepad").Text("S").Empty(18).bytes),
              Hex(velktest::ReadBytes(path)));
}

}  // namespace

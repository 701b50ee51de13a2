#include <gtest/gtest.h>

#include "Bytes.h"
#include "Support.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/DataFileWriter.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"

namespace {

using velktest::DataFile, velktest::Hex, velktest::kHyo, velktest::kSo;

struct LaunchData {
    LaunchData() {
        history.Init(16);
        sets.Resize(3);
    }
    bool Load(const std::string& path) { return settings.Load(path.c_str(), &history, &sets); }
    // As the App saves: what changed, through the writer, waited for.
    bool Save(const std::string& path, int pin = 1, uint8_t hookKey = 0x10) {
        std::string bytes;
        bool keepAside = false;
        if (!settings.TakeSave(&history, &sets, pin, hookKey, bytes, keepAside)) return true;
        DataFileWriter writer(path.c_str(), nullptr, 0);
        writer.Write(bytes, keepAside);
        return writer.Flush(10000);
    }
    Settings settings;
    CommandHistory history;
    LaunchSetList sets;
};

// Each set as "name|slot:name,target,folder|...", occupied slots only.
std::vector<std::string> Describe(const LaunchSetList& sets) {
    std::vector<std::string> out;
    for (uint16_t s = 0; s < sets.count; ++s) {
        std::string& set = out.emplace_back(sets.GetSetName(s));
        for (uint16_t i = 0; i < 255; ++i)
            if (const LaunchItemInfo it = sets.GetItemInfo(s, i); it.icon)
                set += "|" + std::to_string(i) + ":" + it.name + "," + it.target + "," + it.workingFolder;
    }
    return out;
}

std::string OneSet(uint8_t flags, const char* name = "S") {
    return DataFile().Header(flags, 0, 1).Text(name).Empty(18).bytes;
}

// Read: c1 to c18, C10, c19. Kept: the newest 16, C10 in c10's place.
std::string History(bool kept) {
    DataFile file = DataFile().Header(0x18, kept ? 16 : 20, 1);
    for (int i = kept ? 4 : 1; i <= 18; ++i)
        if (!kept || i != 10) file.Text("c" + std::to_string(i));
    return file.Text("C10").Text("c19").Text("S").Empty(18).bytes;
}

TEST(DataFile, FilesLoadAndSaveBackAsWritten) {
    const std::string fresh = velktest::DefaultHeader(0x18, 0, 1).Text("NewLaunchSet").Empty(18).bytes;
    const std::string noSets = DataFile().Header(0x18, 0, 0).Text("lost?").bytes;
    // History, holes, absent and empty folders, macros, double-byte texts.
    DataFile three = DataFile().Header(0x56, 3, 3, 18, 60, 10, 20, 30).Text("notepad").Text("cmd /k dir");
    three.Text("http://x/" + kSo).Text("Tools").Slot("Edit", "C:\\A\\r.cmd", "C:\\A").Empty(1);
    three.Slot("Note", "$p\\n.txt", "").Empty(14).Slot("Last", "%WINDIR%\\x.exe", "$W");
    three.Text(kHyo + kSo).Empty(5).Slot(kSo + "\\" + kHyo, "C:\\" + kSo + "\\x.exe", "C:\\" + kSo).Empty(12);
    three.Text("Third").Empty(18);
    const std::string tools = "Tools|0:Edit,C:\\A\\r.cmd,C:\\A|2:Note,$p\\n.txt,|17:Last,%WINDIR%\\x.exe,$W";
    const std::string second = kHyo + kSo + "|5:" + kSo + "\\" + kHyo + ",C:\\" + kSo + "\\x.exe,C:\\" + kSo;
    // An empty set name, a nameless item, 20 slots a set, texts cut whole (names to 64 bytes, items' to 259).
    const std::string n63(63, 'n'), t257(257, 't');
    DataFile wide = DataFile().Header(0x18, 0, 2, 20).Text("").Slot("", "C:\\t", "C:\\");
    wide.Slot(t257 + kSo + "x", "C:\\1", "").Empty(16).Slot("s18", "C:\\a", "").Slot("s19", "C:\\b", "");
    wide.Text(n63 + kHyo).Empty(20);
    DataFile wideSaved = DataFile().Header(0x18, 0, 2).Text("No Name").Empty(1).Slot(t257 + kSo, "C:\\1", "");
    wideSaved.Empty(16).Text(n63).Empty(18);
    const std::string noName = "No Name|1:" + t257 + kSo + ",C:\\1,|18:s18,C:\\a,|19:s19,C:\\b,";
    // Cut in the second set's third slot: all before it is whole.
    const std::string whole = three.bytes.substr(0, three.bytes.find(kHyo + kSo) + 5);
    DataFile cutSaved = DataFile().Header(0x56, 3, 2, 18, 60, 10, 20, 30);
    cutSaved.bytes += whole.substr(16) + std::string(54, '\0');
    DataFile refused = DataFile().Header(0x18, 0, 1).Text("S"), refusedSaved = refused;
    refused.Slot("Bad", "$q\\x.exe", "").Slot("Kept", "C:\\k", "").Empty(16);
    refusedSaved.Empty(1).Slot("Kept", "C:\\k", "").Empty(16);
    const std::string reserved = OneSet(0x18).replace(7, 1, "\5");
    // The file (none: empty), sets and trigger keys loaded, hook's keys at the save, kept aside?, file saved.
    using Sets = std::vector<std::string>;
    const std::tuple<const char*, std::string, Sets, uint8_t, uint8_t, bool, std::string> cases[] = {
        {"fresh start", "", {"NewLaunchSet"}, 0, 0x10, false, fresh},
        {"three sets", three.bytes, {tools, second, "Third"}, 0x03, 0x03, false, three.bytes},
        // What a save drops (slots 18 and 19, cut texts, the oldest history, a refused item) stays aside.
        {"names, 20 slots", wide.bytes, {noName, n63}, 0x10, 0x10, true, wideSaved.bytes},
        {"20 history texts", History(false), {"S"}, 0x10, 0x10, true, History(true)},
        {"refused item", refused.bytes, {"S|1:Kept,C:\\k,"}, 0x10, 0x10, true, refusedSaved.bytes},
        {"CTRL", OneSet(0x14), {"S"}, 0x01, 0x04, false, OneSet(0x11)},
        // A header the save writes otherwise (here bit 7) is kept aside at a change, and left alone without.
        {"CTRL+SHIFT, wallpaper", OneSet(0xF5), {"S"}, 0x05, 0x02, true, OneSet(0x72)},
        {"reserved byte", reserved, {"S"}, 0x10, 0x10, false, reserved},
        {"no sets", noSets, {"NewLaunchSet"}, 0, 0x10, true, OneSet(0x18, "NewLaunchSet")},
        {"cut short", whole + std::string(7, '\0'), {tools, kHyo + kSo}, 0x03, 0x03, true, cutSaved.bytes},
    };
    for (const auto& [what, file, sets, keys, hookKey, keptAside, saved] : cases) {
        SCOPED_TRACE(what);
        velktest::TempFolder folder;
        const std::string path = folder.File("QXDATA.dat");
        if (!file.empty()) velktest::WriteBytes(path, file);
        LaunchData data;
        const bool loaded = data.Load(path);
        EXPECT_EQ(keys, loaded ? data.settings.triggerKeys : 0);
        if (!loaded) data.sets.AddSet("NewLaunchSet", 18);
        EXPECT_EQ(sets, Describe(data.sets));
        ASSERT_TRUE(data.Save(path, 1, hookKey));
        EXPECT_EQ(Hex(saved), Hex(velktest::ReadBytes(path)));
        EXPECT_EQ(keptAside ? Hex(file) : "", Hex(velktest::ReadBytes(path + ".bak")));
        EXPECT_FALSE(velktest::FileExists(folder.File("QXDATA.tmp")));
        // Saved again unchanged, it is not written: what replaced it stays.
        velktest::WriteBytes(path, "replaced");
        ASSERT_TRUE(data.Save(path, 1, hookKey));
        EXPECT_EQ("replaced", velktest::ReadBytes(path));
    }
}

// A file still held is the user's all the same: once free, a save neither replaces it nor keeps it aside.
TEST(DataFile, AFileHeldByAnotherProgramIsWaitedForOrLeftAlone) {
    velktest::TempFolder folder;
    const std::string path = folder.File("QXDATA.dat"), mine = OneSet(0x18, "Mine");
    Settings::heldWaitMs = 500;  // a hold of 150 ms is still waited out
    // The share mode the other program gives, when it lets go, whether the file loads.
    const std::tuple<DWORD, DWORD, bool> cases[] = {
        {FILE_SHARE_READ, 0, true}, {0, 150, true}, {0, 0, false}};
    for (const auto& [share, releaseAfterMs, loads] : cases) {
        SCOPED_TRACE(testing::Message() << share << "," << releaseAfterMs);
        ASSERT_TRUE(velktest::WriteBytes(path, mine));
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        HANDLE release = nullptr;
        ASSERT_TRUE(!releaseAfterMs || CreateTimerQueueTimer(
                                           &release, nullptr, [](void* h, BOOLEAN) { CloseHandle(h); }, held,
                                           releaseAfterMs, 0, WT_EXECUTEONLYONCE));
        LaunchData data;
        EXPECT_EQ(loads, data.Load(path));
        EXPECT_EQ(!loads, data.settings.unreadable);
        release ? DeleteTimerQueueTimer(nullptr, release, INVALID_HANDLE_VALUE) : CloseHandle(held);
        if (!loads) data.sets.AddSet("NewLaunchSet", 18);
        EXPECT_EQ(std::vector<std::string>{loads ? "Mine" : "NewLaunchSet"}, Describe(data.sets));
        data.Save(path, 0);
        EXPECT_EQ(Hex(loads ? OneSet(0x08, "Mine") : mine), Hex(velktest::ReadBytes(path)));
        EXPECT_FALSE(velktest::FileExists(path + ".bak"));
    }
    // A file put there only after the start (a backup put back, a sync client's) is kept aside.
    DeleteFileA(path.c_str());
    LaunchData late;
    EXPECT_FALSE(late.Load(path));
    late.sets.AddSet("NewLaunchSet", 18);
    ASSERT_TRUE(velktest::WriteBytes(path, mine) && late.Save(path));
    EXPECT_EQ(Hex(mine), Hex(velktest::ReadBytes(path + ".bak")));
}

// While its temporary file's name is taken by a folder, a save leaves the file as it was.
TEST(DataFile, SavesThatKeepFailingAreToldOnce) {
    velktest::TempFolder folder;
    const std::string path = folder.File("QXDATA.dat"), temp = folder.File("QXDATA.tmp");
    ASSERT_TRUE(velktest::WriteBytes(path, "old") && CreateDirectoryA(temp.c_str(), nullptr));
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DataFileWriter::noticeAfterMs = 500;
    DataFileWriter writer(path.c_str(), owner, WM_APP);
    writer.Write("new", true);
    int notices = 0;
    auto count = [&] {
        for (MSG message; PeekMessageA(&message, owner, WM_APP, WM_APP, PM_REMOVE);) ++notices;
        return notices;
    };
    // Told by the writer's own retries, within seconds.
    for (const ULONGLONG end = GetTickCount64() + 10000; !count() && GetTickCount64() < end;)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    EXPECT_EQ(1, notices);
    EXPECT_FALSE(writer.Flush(5000));
    EXPECT_EQ(1, count());
    EXPECT_EQ("old", velktest::ReadBytes(path));
    ASSERT_TRUE(RemoveDirectoryA(temp.c_str()));
    EXPECT_TRUE(writer.Flush(5000));
    EXPECT_EQ("new", velktest::ReadBytes(path));
    EXPECT_EQ("old", velktest::ReadBytes(path + ".bak"));
    DestroyWindow(owner);
}

}  // namespace

// VELK.exe and its data file: what it writes when it ends, what it gives
// back of a file it read, the session end, a rejected file kept aside, and
// a program folder whose double-byte name hides backslash bytes.
#include <gtest/gtest.h>

#include <string>

#include "VelkProcess.h"
#include "tests/launchdata/DataFileBytes.h"

namespace {

using namespace velktest;

constexpr char kTitle[] = "VELK ver. 0.01";
const std::string kSo = "\x83\x5C";   // ソ
const std::string kHyo = "\x95\x5C";  // 表

std::string ThreeSetFile() {
    FileBytes file;
    file.Header(0x56, 2, 3, 18, 60, 10, 20, 30).Text("notepad").Text("http://example.com/" + kSo);
    file.Text("Tools").Slot("Editor", "C:\\Apps\\run.cmd", "C:\\Apps").EmptySlots(1);
    file.Slot("Notes", "$p\\notes.txt", "").EmptySlots(14).Slot("Last", "%WINDIR%\\notepad.exe", "$W");
    file.Text(kHyo + "\x8E\xA6")
        .EmptySlots(5)
        .Slot(kSo + "\\" + kHyo, "C:\\" + kSo + "\\app.exe", "C:\\")
        .EmptySlots(12);
    file.Text("Third").EmptySlots(18);
    return file.bytes;
}

TEST(DataFileEndToEnd, AFirstRunWritesThe83ByteFile) {
    VelkProcess velk;
    ASSERT_TRUE(velk.Start());
    ASSERT_TRUE(velk.WaitForPanel());
    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(FreshDataFile()), Hex(ReadBytes(velk.Folder().File("QXDATA.dat"))));
    EXPECT_FALSE(FileExists(velk.Folder().File("QXDATA.dat.bak")));
}

TEST(DataFileEndToEnd, AThreeSetFileComesBackByteForByte) {
    VelkProcess velk;
    const std::string original = ThreeSetFile();
    ASSERT_TRUE(WriteBytes(velk.Folder().File("QXDATA.dat"), original));
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(SaveScreenshot(panel, "datafile-three-sets"));
    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(original), Hex(ReadBytes(velk.Folder().File("QXDATA.dat"))));
}

TEST(DataFileEndToEnd, TheSessionEndSavesBeforeTheProgramIsEnded) {
    VelkProcess velk;
    const std::string path = velk.Folder().File("QXDATA.dat");
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);
    DWORD_PTR result = 0;
    // A session end that was cancelled saves nothing.
    SendMessageTimeoutA(panel, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &result);
    EXPECT_FALSE(FileExists(path));
    SendMessageTimeoutA(panel, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &result);
    // Windows ends the program now, without WM_DESTROY.
    TerminateProcess(velk.Process().Handle(), 0);
    velk.Wait(10000);
    EXPECT_EQ(Hex(FreshDataFile()), Hex(ReadBytes(path)));
}

TEST(DataFileEndToEnd, ARejectedFileIsKeptAsideAndTheDefaultsAreWritten) {
    VelkProcess velk;
    const std::string rejected = FileBytes().Header(0x18, 0, 0, 18).Text("mine").EmptySlots(18).bytes;
    ASSERT_TRUE(WriteBytes(velk.Folder().File("QXDATA.dat"), rejected));
    ASSERT_TRUE(velk.Start());
    ASSERT_TRUE(velk.WaitForPanel());
    EXPECT_EQ(0u, velk.Close());
    EXPECT_EQ(Hex(rejected), Hex(ReadBytes(velk.Folder().File("QXDATA.dat.bak"))));
    const std::string expected = FileBytes().Header(0x18, 0, 1, 18).Text("NewLaunchSet").EmptySlots(18).bytes;
    EXPECT_EQ(Hex(expected), Hex(ReadBytes(velk.Folder().File("QXDATA.dat"))));
}

TEST(DataFileEndToEnd, AProgramFolderNamedWithBackslashTrailBytesHoldsTheDataFile) {
    TempFolder base;
    const std::string soft = base.File(kSo + "\x83t\x83g");
    const std::string folder = soft + "\\" + kHyo + "\x8E\xA6";
    ASSERT_TRUE(CreateDirectoryA(soft.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(BuildFile("VELK.exe").c_str(), (folder + "\\VELK.exe").c_str(), FALSE));
    CopyFileA(BuildFile("Wendrix.dll").c_str(), (folder + "\\Wendrix.dll").c_str(), FALSE);

    ChildProcess velk;
    ASSERT_TRUE(velk.Start(folder + "\\VELK.exe", base.Path()));
    HWND panel = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            panel = FindProcessWindow(velk.Id(), kTitle, kTitle);
            return panel && IsWindowVisible(panel);
        },
        20000));
    PostMessageA(panel, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, velk.Wait(20000));
    EXPECT_EQ(Hex(FreshDataFile()), Hex(ReadBytes(folder + "\\QXDATA.dat")));
    EXPECT_FALSE(FileExists(soft + "\\QXDATA.dat"));
    EXPECT_FALSE(FileExists(base.File("QXDATA.dat")));
}

}  // namespace

// VELK.exe's modeless dialogs opened with their accelerator keys and used as
// a person would; what they changed is in the data file after the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../wallpaper/BmpFiles.h"
#include "DialogScreenshot.h"
#include "VelkProcess.h"

namespace {

using namespace velktest;

// "表示・非表示に使用するキー" in code page 932.
constexpr char kHotKeyTitle[] =
    "\x95\x5C\x8E\xA6\x81\x45\x94\xF1\x95\x5C\x8E\xA6\x82\xC9\x8E\x67"
    "\x97\x70\x82\xB7\x82\xE9\x83L\x81[";
// Header bytes of the data file.
constexpr size_t kFlagsOffset = 6;
constexpr size_t kAlphaOffset = 8;
constexpr size_t kRedOffset = 9;
constexpr size_t kSetCountOffset = 13;
constexpr unsigned char kFlagShift = 0x01;
constexpr unsigned char kFlagMiddle = 0x08;
constexpr unsigned char kFlagWallpaperOn = 0x40;

void PressAccelerator(HWND panel, char key) {
    ASSERT_TRUE(BringToFront(panel));
    SendKey(VK_CONTROL, true);
    SendKey(key, true);
    SendKey(key, false);
    SendKey(VK_CONTROL, false);
}

HWND WaitForDialog(DWORD process, const char* title) {
    HWND dialog = nullptr;
    WaitFor(
        [&] { return (dialog = FindProcessWindow(process, "#32770", title)) && IsWindowVisible(dialog); });
    return dialog;
}

void Press(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

TEST(DialogsEndToEnd, SetHotKeyAndWallpaperDialogsReachTheDataFile) {
    VelkProcess velk;
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);
    const DWORD process = velk.Process().Id();

    PressAccelerator(panel, 'L');
    HWND set = WaitForDialog(process, "LAUNCH SET");
    ASSERT_TRUE(set);
    SetDlgItemTextA(set, 1014, "Games");
    Press(set, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(set); }));

    PressAccelerator(panel, 'H');
    HWND hotKey = WaitForDialog(process, kHotKeyTitle);
    ASSERT_TRUE(hotKey);
    // From the middle button to SHIFT alone.
    Press(hotKey, 1000);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hotKey, IDOK)));
    Press(hotKey, 1003);
    Press(hotKey, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hotKey); }));

    PressAccelerator(panel, 'W');
    HWND wallpaper = WaitForDialog(process, "WALLPAPER");
    ASSERT_TRUE(wallpaper);
    SetDlgItemTextA(wallpaper, 1014, "300");
    SetDlgItemTextA(wallpaper, 1017, "40");
    char red[8] = {};
    GetDlgItemTextA(wallpaper, 1014, red, sizeof red);
    EXPECT_STREQ("255", red);
    EXPECT_TRUE(SaveDialogScreenshot(wallpaper, "e2e_wallpaper_dialog"));
    Press(wallpaper, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(wallpaper); }));

    // The same accelerator closes the dialog it opened.
    PressAccelerator(panel, 'I');
    HWND item = WaitForDialog(process, "LAUNCH ITEM");
    ASSERT_TRUE(item);
    PressAccelerator(panel, 'I');
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(item); }));

    EXPECT_EQ(0u, velk.Close());
    const std::vector<unsigned char> data = ReadAll(velk.Folder().File("QXDATA.dat"));
    ASSERT_GE(data.size(), 16u);
    EXPECT_EQ(kFlagShift, data[kFlagsOffset] & (kFlagShift | kFlagMiddle));
    EXPECT_EQ(40, data[kAlphaOffset]);
    EXPECT_EQ(255, data[kRedOffset]);
    EXPECT_EQ(2, data[kSetCountOffset]);
    const std::string games = "Games";
    EXPECT_NE(data.end(), std::search(data.begin(), data.end(), games.begin(), games.end()));
}

// The wallpaper dialog's OPEN button and the real file chooser, with a path
// typed into its file name box; the picture is on the panel at once and in
// the cache file, and the data file keeps the wallpaper on.
TEST(DialogsEndToEnd, WallpaperChosenThroughTheFileChooser) {
    VelkProcess velk;
    const std::string picture = velk.Folder().File("beach.bmp");
    ASSERT_TRUE(wallpapertest::WriteFileBytes(picture, wallpapertest::MakeBmp(64, 48, [](int x, int y) {
                                                  return uint32_t(x * 4) << 16 | 0x8040;
                                              })));
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);
    const DWORD process = velk.Process().Id();

    PressAccelerator(panel, 'W');
    HWND wallpaper = WaitForDialog(process, "WALLPAPER");
    ASSERT_TRUE(wallpaper);
    // The chooser is modal inside VELK: the click must not wait for it.
    PostMessageA(GetDlgItem(wallpaper, 4), BM_CLICK, 0, 0);
    // The chooser's window exists before its controls do.
    HWND chooser = nullptr;
    HWND name = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        chooser = FindProcessWindow(process, "#32770");
        if (!chooser || chooser == wallpaper || GetWindow(chooser, GW_OWNER) != wallpaper) return false;
        name = GetDlgItem(chooser, 0x47C);
        if (!name) name = GetDlgItem(chooser, 0x480);
        return name && IsWindowVisible(chooser);
    }));
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
    EXPECT_TRUE(SaveDialogScreenshot(chooser, "e2e_wallpaper_file_chooser"));
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
    char shown[MAX_PATH] = {};
    EXPECT_TRUE(WaitFor([&] {
        GetDlgItemTextA(wallpaper, 1025, shown, sizeof shown);
        return std::string(shown) == "beach.bmp";
    })) << shown;
    Press(wallpaper, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(wallpaper); }));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(velk.Folder().File("_QXWP_.bmp").c_str()));

    EXPECT_EQ(0u, velk.Close());
    const std::vector<unsigned char> data = ReadAll(velk.Folder().File("QXDATA.dat"));
    ASSERT_GE(data.size(), 16u);
    EXPECT_EQ(kFlagWallpaperOn, data[kFlagsOffset] & kFlagWallpaperOn);
}

}  // namespace

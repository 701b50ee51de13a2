// VELK.exe driven with real input: a secondary click on an item opens the
// context menu at the cursor and deleting the item asks first; Enter on a
// typed path starts it and the data file keeps it in the history.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DialogScreenshot.h"
#include "VelkProcess.h"
#include "hooklib/Wendrix.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/PinButton.h"
#include "resources/resource.h"

namespace {

using namespace velktest;

constexpr DWORD kPaceMs = 120;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A data file with one pinned set holding the named items in cells 0, 1, ...
bool WriteDataFile(const TempFolder& folder, const std::vector<std::string>& items) {
    LaunchSetList sets;
    sets.Resize(3);
    sets.iconSource.SetDefaultIcon(LoadIconA(nullptr, IDI_APPLICATION));
    if (!sets.AddSet("Tools", 18)) return false;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string target = folder.File(items[i] + ".txt");
        std::ofstream(target) << "x";
        if (!sets.CreateItem(0, static_cast<uint16_t>(i), items[i].c_str(), target.c_str(),
                             folder.Path().c_str(), ItemPlacement::Replace))
            return false;
    }
    CommandHistory history;
    history.Init(16);
    PinButton pin;
    pin.SetState(1);
    Settings settings;
    settings.flags |= Settings::kPinned;
    return settings.Save(folder.File("QXDATA.dat").c_str(), &history, &sets, pin.state, kHookKeyMiddle);
}

void Mouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(kPaceMs);
}

void TypeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        for (DWORD up : {0ul, static_cast<unsigned long>(KEYEVENTF_KEYUP)}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<unsigned char>(*c);
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            SendInput(1, &input, sizeof input);
        }
        Sleep(kPaceMs / 4);
    }
}

void PressKey(WORD key) {
    SendKey(key, true);
    SendKey(key, false);
}

std::string TextOf(HWND window) {
    char text[300] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string LoadText(int id) {
    char text[260] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

TEST(EditorMenuEndToEnd, SecondaryClickOnAnItemOpensTheMenuAndDeleteAsksFirst) {
    VelkProcess velk;
    ASSERT_TRUE(WriteDataFile(velk.Folder(), {"Notes", "Other"}));
    ASSERT_TRUE(MoveCursorTo(400, 300));
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(BringToFront(panel));

    // The centre of cell 0.
    POINT cell = {9 + 16, 44 + 16};
    ClientToScreen(panel, &cell);
    ASSERT_TRUE(MoveCursorTo(cell.x, cell.y));
    Sleep(kPaceMs);
    Mouse(MOUSEEVENTF_RIGHTDOWN);
    Mouse(MOUSEEVENTF_RIGHTUP);

    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        menu = FindProcessWindow(velk.Process().Id(), "#32768");
        return menu && IsWindowVisible(menu);
    }));
    RECT shown = {};
    GetWindowRect(menu, &shown);
    EXPECT_EQ(cell.x, shown.left);
    EXPECT_EQ(cell.y, shown.top);
    EXPECT_TRUE(SaveScreenshot(menu, "e2e_context_menu_on_item"));

    // Hot-key settings, wallpaper settings, launch item settings, delete
    // launch item: the separator is skipped.
    for (int i = 0; i < 4; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);

    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        dialog = FindProcessWindow(velk.Process().Id(), "#32770");
        return dialog && IsWindowVisible(dialog);
    }));
    EXPECT_EQ(LoadText(IDS_CONFIRM_DELETE_ITEM), TextOf(GetDlgItem(dialog, IDC_CONFIRM_QUESTION)));
    EXPECT_EQ("Notes", TextOf(GetDlgItem(dialog, IDC_CONFIRM_FIRST_NAME)));
    EXPECT_TRUE(SaveDialogScreenshot(dialog, "e2e_confirm_delete_item"));
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));

    EXPECT_EQ(0u, velk.Close());
    const std::string data = ReadFile(velk.Folder().File("QXDATA.dat"));
    EXPECT_EQ(std::string::npos, data.find("Notes"));
    EXPECT_NE(std::string::npos, data.find("Other"));
}

TEST(EditorMenuEndToEnd, EnterStartsTheTypedPathAndTheHistoryKeepsIt) {
    VelkProcess velk;
    std::ofstream(velk.Folder().File("run.bat")) << "echo done> \"%~dp0marker.txt\"\r\n";
    ASSERT_TRUE(MoveCursorTo(400, 300));
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);
    HWND editor = GetDlgItem(panel, IDC_NAME_EDIT);
    ASSERT_TRUE(BringToFront(panel));

    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !(GetWindowLongA(editor, GWL_STYLE) & ES_READONLY); }));
    const char typed[] = "$p\\run.bat";
    TypeText(typed);
    ASSERT_TRUE(WaitFor([&] { return TextOf(editor) == typed; })) << TextOf(editor);
    EXPECT_TRUE(SaveScreenshot(panel, "e2e_command_line"));
    PressKey(VK_RETURN);

    const std::string marker = velk.Folder().File("marker.txt");
    EXPECT_TRUE(
        WaitFor([&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000));
    EXPECT_TRUE(GetWindowLongA(editor, GWL_STYLE) & ES_READONLY);
    // Pinned by default: the panel stays.
    EXPECT_TRUE(IsWindowVisible(panel));

    EXPECT_EQ(0u, velk.Close());
    EXPECT_NE(std::string::npos, ReadFile(velk.Folder().File("QXDATA.dat")).find(typed));
}

}  // namespace

// VELK.exe as a user starts and ends it: the panel at the cursor, the second
// start, and the ways out.
#include <gtest/gtest.h>

#include "VelkProcess.h"

namespace {

using namespace velktest;

constexpr char kTitle[] = "VELK ver. 0.01";

struct Placement {
    const char* name;
    POINT cursor;  // negative: from the right or bottom edge of the screen
};

class StartupPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(StartupPlacement, PanelAppearsCentredOnTheCursorAndClampedToTheScreen) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const Placement& p = GetParam();
    const int cx = p.cursor.x < 0 ? screenW + p.cursor.x : p.cursor.x;
    const int cy = p.cursor.y < 0 ? screenH + p.cursor.y : p.cursor.y;
    ASSERT_TRUE(MoveCursorTo(cx, cy));

    VelkProcess velk;
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);

    EXPECT_EQ(0x98u, GetWindowLongA(panel, GWL_EXSTYLE) & 0xFFu);
    RECT client = {};
    GetClientRect(panel, &client);
    HWND editor = GetDlgItem(panel, 103);
    ASSERT_TRUE(editor);
    RECT edit = {};
    GetWindowRect(editor, &edit);
    EXPECT_EQ(256, client.right);
    EXPECT_EQ(192 + (edit.bottom - edit.top) - GetSystemMetrics(SM_CYDLGFRAME), client.bottom);

    RECT outer = {};
    GetWindowRect(panel, &outer);
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    int x = cx - w / 2, y = cy - h / 2;
    if (x + w > screenW) x = screenW - w;
    if (y + h > screenH) y = screenH - h;
    if (y < 0) y = 0;
    if (x < 0) x = 0;
    EXPECT_EQ(x, outer.left);
    EXPECT_EQ(y, outer.top);
    EXPECT_TRUE(SaveScreenshot(panel, std::string("startup-") + p.name));

    EXPECT_EQ(0u, velk.Close());
}

INSTANTIATE_TEST_SUITE_P(Cursor, StartupPlacement,
                         ::testing::Values(Placement{"centre", {400, 300}},
                                           Placement{"bottom-right", {-1, -1}},
                                           Placement{"top-left", {0, 0}}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

TEST(Startup, SecondStartShowsTheAlreadyRunningBoxAndEndsWithZero) {
    VelkProcess first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.WaitForPanel());

    VelkProcess second;
    ASSERT_TRUE(second.Start());
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        box = FindProcessWindow(second.Process().Id(), "#32770");
        return box && IsWindowVisible(box);
    }));
    char text[128] = {};
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(kTitle, text);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ("VELK ver. 0.01 is already running", text);
    EXPECT_EQ(nullptr, FindProcessWindow(second.Process().Id(), kTitle));
    EXPECT_TRUE(SaveScreenshot(box, "second-start"));

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, second.Wait(20000));
    EXPECT_TRUE(first.Process().Running());
    EXPECT_EQ(0u, first.Close());
}

TEST(Startup, AltF4OnThePanelEndsTheProgram) {
    VelkProcess velk;
    ASSERT_TRUE(velk.Start());
    HWND panel = velk.WaitForPanel();
    ASSERT_TRUE(panel);
    // On a busy machine Wine can hand the foreground to its desktop between
    // the check and the keys; the keys then go elsewhere and the panel is
    // simply asked again, while it still has the foreground.
    DWORD exitCode = STILL_ACTIVE;
    for (int attempt = 0; attempt < 3 && exitCode == STILL_ACTIVE; ++attempt) {
        ASSERT_TRUE(BringToFront(panel));
        SendKey(VK_MENU, true);
        SendKey(VK_F4, true);
        SendKey(VK_F4, false);
        SendKey(VK_MENU, false);
        exitCode = velk.Wait(5000);
    }
    EXPECT_EQ(0u, exitCode);
}

}  // namespace

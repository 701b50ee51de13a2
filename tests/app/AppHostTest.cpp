// The App hosted in the test process: the panel it creates, its fixed size,
// its placement at the cursor, the message loop and the way out.
#include <gtest/gtest.h>

#include <vector>

#include "HostedApp.h"
#include "app/App.h"
#include "app/NameEditor.h"
#include "app/WindowProcs.h"
#include "hooklib/Wendrix.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/ItemGrid.h"
#include "panel/NewSetButton.h"
#include "panel/PinButton.h"
#include "panel/TabStrip.h"
#include "resources/resource.h"
#include "tests/launchdata/DataFileBytes.h"

namespace {

using velktest::PumpMessages;
using velktest::WaitFor;

std::string DataFilePath() {
    return velktest::ProgramFolderFile("QXDATA.dat");
}

class HostedApp : public velktest::HostedAppTest {
protected:
    RECT Outer() {
        RECT rect = {};
        GetWindowRect(app->panel, &rect);
        return rect;
    }
    int EditorInside() {
        RECT edit = {};
        GetWindowRect(app->nameEdit, &edit);
        return (edit.bottom - edit.top) - GetSystemMetrics(SM_CYDLGFRAME);
    }
    void ExpectClientSize() {
        RECT client = {};
        GetClientRect(app->panel, &client);
        EXPECT_EQ(256, client.right);
        EXPECT_EQ(192 + EditorInside(), client.bottom);
    }
};

TEST_F(HostedApp, CreatesTheTopMostToolPanelWithItsNameEditor) {
    char text[64] = {};
    GetClassNameA(app->panel, text, sizeof text);
    EXPECT_STREQ("VELK ver. 0.01", text);
    GetWindowTextA(app->panel, text, sizeof text);
    EXPECT_STREQ("VELK ver. 0.01", text);
    EXPECT_EQ(0x98u, GetWindowLongA(app->panel, GWL_EXSTYLE) & 0xFFu);
    EXPECT_TRUE(GetWindowLongA(app->panel, GWL_STYLE) & WS_SYSMENU);
    EXPECT_TRUE(IsWindowVisible(app->panel));

    ASSERT_TRUE(IsWindow(app->nameEdit));
    EXPECT_EQ(app->panel, GetParent(app->nameEdit));
    EXPECT_EQ(IDC_NAME_EDIT, GetDlgCtrlID(app->nameEdit));
    GetClassNameA(app->nameEdit, text, sizeof text);
    EXPECT_STREQ("Edit", text);
    const LONG style = GetWindowLongA(app->nameEdit, GWL_STYLE);
    EXPECT_EQ(0x50400880, style & 0x50400880);
    EXPECT_EQ(260, SendMessageA(app->nameEdit, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(app->nameEdit, app->nameEditor->window);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(NameEditWindowProc), GetWindowLongPtrA(app->nameEdit, GWLP_WNDPROC));
    EXPECT_NE(nullptr, app->editDefaultProc);
}

TEST_F(HostedApp, NameEditorStripIsFlushBelowTheDrawingArea) {
    ExpectClientSize();
    EXPECT_GT(EditorInside(), 0);
    RECT edit = {};
    GetWindowRect(app->nameEdit, &edit);
    POINT topLeft = {edit.left, edit.top};
    ScreenToClient(app->panel, &topLeft);
    EXPECT_EQ(-GetSystemMetrics(SM_CXDLGFRAME), topLeft.x);
    EXPECT_EQ(192, topLeft.y);
    RECT outer = Outer();
    EXPECT_EQ(outer.right - outer.left, edit.right - edit.left);
}

TEST_F(HostedApp, KeepsItsSizeWhateverItIsAskedFor) {
    SetWindowPos(app->panel, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    ExpectClientSize();
    RECT outer = Outer();
    RECT sizing = {outer.left, outer.top, outer.left + 50, outer.top + 700};
    SendMessageA(app->panel, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&sizing));
    EXPECT_EQ(outer.left, sizing.left);
    EXPECT_EQ(outer.top, sizing.top);
    EXPECT_EQ(outer.right, sizing.right);
    EXPECT_EQ(outer.bottom, sizing.bottom);
    ExpectClientSize();
}

TEST_F(HostedApp, ConfiguresTheComponentsAsAtStartUpWithoutADataFile) {
    EXPECT_EQ(6, app->itemGrid->columns);
    EXPECT_EQ(3, app->itemGrid->rows);
    EXPECT_EQ(9, app->itemGrid->columnGap);
    EXPECT_EQ(14, app->itemGrid->rowGap);
    EXPECT_EQ(44, app->itemGrid->top);
    EXPECT_EQ(9, app->itemGrid->left);
    EXPECT_EQ(app->wallpaper.get(), app->itemGrid->background);
    EXPECT_EQ(14, app->tabStrip->tabWidth);
    EXPECT_EQ(16, app->tabStrip->tabHeight);
    EXPECT_EQ(4, app->tabStrip->groupSize);
    EXPECT_EQ(10, app->tabStrip->rightInset);
    EXPECT_EQ(12, app->tabStrip->top);
    EXPECT_EQ(3, app->launchSets->capacity);
    EXPECT_EQ(1, app->launchSets->count);
    EXPECT_STREQ("NewLaunchSet", app->launchSets->GetSetName(0));
    EXPECT_NE(nullptr, app->launchSets->iconSource.DefaultIcon());

    EXPECT_EQ(1, app->pinButton->state);
    EXPECT_TRUE(app->settings->flags & Settings::kPinned);
    EXPECT_EQ(10, app->pinButton->x);
    EXPECT_EQ(20, app->pinButton->width);
    EXPECT_EQ(33, app->newSetButton->x);
    EXPECT_TRUE(app->newSetButton->iconOn && app->newSetButton->iconOff);

    EXPECT_EQ(app->panel, app->trayIcon.hWnd);
    EXPECT_EQ(1u, app->trayIcon.uID);
    EXPECT_EQ(0x8064u, app->trayIcon.uCallbackMessage);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), app->trayIcon.uFlags);
    EXPECT_STREQ("VELK ver. 0.01", app->trayIcon.szTip);
}

TEST_F(HostedApp, CentresOnTheCursorAndStaysOnTheScreen) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    RECT outer = Outer();
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    struct Case {
        POINT cursor;
        POINT expected;
    };
    const Case cases[] = {
        {{500, 400}, {500 - w / 2, 400 - h / 2}},
        {{screenW - 1, screenH - 1}, {screenW - w, screenH - h}},
        {{0, 0}, {0, 0}},
        {{3, screenH - 2}, {0, screenH - h}},
        {{screenW - 2, 5}, {screenW - w, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(velktest::MoveCursorTo(c.cursor.x, c.cursor.y));
        app->PositionAtCursor();
        RECT placed = Outer();
        EXPECT_EQ(c.expected.x, placed.left) << "cursor " << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(c.expected.y, placed.top) << "cursor " << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(w, placed.right - placed.left);
    }
}

// Records the commands (not control notifications) sent while the loop runs,
// and the keys the name editor takes from the queue.
std::vector<UINT> commands;
std::vector<WPARAM> editorKeys;
HWND watchedEditor = nullptr;
LRESULT CALLBACK RecordCalls(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_COMMAND && call->lParam == 0)
        commands.push_back(LOWORD(call->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK RecordKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->hwnd == watchedEditor &&
        message->message == WM_KEYDOWN)
        editorKeys.push_back(message->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(HostedApp, AcceleratorKeysBecomeCommandsAndStillReachTheFocusedWindow) {
    commands.clear();
    editorKeys.clear();
    watchedEditor = app->nameEdit;
    HHOOK calls = SetWindowsHookExA(WH_CALLWNDPROC, RecordCalls, nullptr, GetCurrentThreadId());
    HHOOK keys = SetWindowsHookExA(WH_GETMESSAGE, RecordKeys, nullptr, GetCurrentThreadId());

    // The accelerator reads CTRL from this thread's key state.
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    SetFocus(app->nameEdit);
    PostMessageA(app->nameEdit, WM_KEYDOWN, 'W', 1);
    PostMessageA(app->nameEdit, WM_KEYDOWN, 'H', 1);
    state[VK_CONTROL] = 0;
    PostMessageA(app->panel, WM_CLOSE, 0, 0);
    app->RunMessageLoop(app->panel);
    SetKeyboardState(state);
    UnhookWindowsHookEx(calls);
    UnhookWindowsHookEx(keys);

    EXPECT_EQ((std::vector<UINT>{IDM_WALLPAPER_DIALOG, IDM_HOTKEY_DIALOG}), commands);
    EXPECT_EQ((std::vector<WPARAM>{'W', 'H'}), editorKeys);
    EXPECT_FALSE(IsWindow(app->panel));
    EXPECT_EQ(0, app->running);
}

TEST_F(HostedApp, MessagesForAnOpenModelessDialogGoThroughItsDialogManager) {
    app->itemDialog->Toggle(ItemTarget{});
    HWND dialog = app->itemDialog->Window();
    ASSERT_TRUE(dialog);
    HWND first = GetDlgItem(dialog, IDC_ITEM_NAME);
    SetFocus(first);
    ASSERT_EQ(first, GetFocus());
    // TAB moves the focus only when the dialog manager sees the key.
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 1);
    PostMessageA(app->panel, WM_CLOSE, 0, 0);
    app->RunMessageLoop(app->panel);
    EXPECT_EQ(GetDlgItem(dialog, IDC_ITEM_BROWSE), GetFocus());
}

TEST_F(HostedApp, ExitCommandClosesThePanelAndEndsTheLoop) {
    SendMessageA(app->panel, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(app->panel));
    EXPECT_EQ(0, app->running);
    MSG quit = {};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(HostedApp, SystemMenuKeyAndContextMenuAreSwallowed) {
    EXPECT_EQ(0, SendMessageA(app->panel, WM_SYSCOMMAND, SC_KEYMENU, 0));
    EXPECT_EQ(0, SendMessageA(app->panel, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(app->panel), 0));
}

TEST(HostedAppWithDataFile, StartsFromTheFileAndWritesItBackWhenThePanelIsDestroyed) {
    // Not pinned, on CTRL+SHIFT, two sets.
    velktest::FileBytes file;
    file.Header(0x05, 1, 2, 18).Text("notepad");
    file.Text("First").Slot("Editor", "C:\\Apps\\run.cmd", "C:\\Apps").EmptySlots(17);
    file.Text("Second").EmptySlots(18);
    ASSERT_TRUE(velktest::WriteBytes(DataFilePath(), file.bytes));

    theApp = new App();
    App* app = theApp;
    app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
    EXPECT_EQ(0, app->pinButton->state);
    EXPECT_EQ(0, app->settings->flags & Settings::kPinned);
    EXPECT_EQ(kHookKeyCtrl | kHookKeyShift, app->settings->triggerKeys);
    EXPECT_EQ(2, app->launchSets->count);
    EXPECT_STREQ("Second", app->launchSets->GetSetName(1));
    EXPECT_STREQ("Editor", app->launchSets->GetItemInfo(0, 0).name);

    // The file is written while the panel is destroyed, before anything else.
    ASSERT_TRUE(velktest::WriteBytes(DataFilePath(), "replaced"));
    DestroyWindow(app->panel);
    EXPECT_EQ(velktest::Hex(file.bytes), velktest::Hex(velktest::ReadBytes(DataFilePath())));
    app->Finish(kAppTitle);
    delete app;
    theApp = nullptr;
    PumpMessages();
    velktest::RemoveAppFiles();
}

}  // namespace

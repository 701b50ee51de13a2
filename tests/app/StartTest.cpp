// The App among the shell's programs: its notification icon outlives a
// restart of the taskbar, and an elevated start says what it cannot hear.
#include "HostedApp.h"

using namespace velktest;

using Start = HostedApp;

// When Explorer starts again every notification icon is gone, and Explorer
// tells the programs so that they add theirs again.
TEST_F(Start, TheNotificationIconComesBackWhenTheTaskbarStartsAgain) {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = app->panel;
    icon.uID = kTrayIconId;
    auto iconShown = [&] { return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE; };
    ASSERT_TRUE(iconShown());
    Shell_NotifyIconA(NIM_DELETE, &icon);
    ASSERT_FALSE(iconShown());
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor(iconShown));
}

// Run elevated, VELK hears only elevated programs' hooks: it says so once,
// at start, and how to start it normally; run as the shell runs, nothing.
TEST_F(Start, AnElevatedVelkSaysOnceWhereItsTriggerWorks) {
    const auto query = App::runsAboveTheShell;
    App::runsAboveTheShell = [] { return true; };
    Reply reply(IDOK);
    StartWith("");
    App::runsAboveTheShell = query;
    EXPECT_TRUE(reply.answer_.Answered());
    EXPECT_NE(std::string::npos, reply.said.find(Sjis("管理者として実行"))) << reply.said;
    EXPECT_TRUE(IsWindowVisible(app->panel));
}

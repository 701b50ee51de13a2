#include "Bytes.h"
#include "HostedApp.h"
#include "launchdata/DataFileWriter.h"
#include "launchdata/Settings.h"

using namespace velktest;

// A taskbar that is not there until `taskbarUp`; the balloons' titles it showed.
static bool taskbarUp = false;
static std::vector<std::string> balloons;
static BOOL WINAPI ScriptedTaskbar(DWORD message, PNOTIFYICONDATAA data) {
    if (taskbarUp && message == NIM_MODIFY && (data->uFlags & NIF_INFO))
        balloons.push_back(data->szInfoTitle);
    return taskbarUp;
}

// An unreadable data file is told when the taskbar comes (log-on), and again at a change, which is not kept.
TEST_F(HostedApp, TheIconSaysWhenTheDataFileCannotBeReadOrSaved) {
    const std::string path = ProgramFile("QXDATA.dat"), blocker = ProgramFile("QXDATA.tmp");
    auto users = [](uint8_t flags) { return DataFile().Header(flags, 0, 1).Text("Mine").Empty(18).bytes; };
    const std::string file = users(0x18), unreadable = Sjis("データファイルを読み込めません");
    EndApp();
    Settings::heldWaitMs = 150;
    DataFileWriter::noticeAfterMs = 250;
    DataFileWriter::firstRetryMs = 100;
    ASSERT_TRUE(WriteBytes(path, file));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const auto notify = std::exchange(App::notifyIcon, ScriptedTaskbar);
    theApp = app = new App();
    app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
    CloseHandle(held);
    EXPECT_EQ("NewLaunchSet[] @0", State());
    taskbarUp = true;
    SendMessageA(app->panel, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(std::vector<std::string>{unreadable}, balloons);
    EXPECT_NE(std::string::npos, std::string(app->trayIcon.szInfo).find(path)) << app->trayIcon.szInfo;
    CursorAt({20, 20});  // the pin
    for (int click = 0; click < 2; ++click) {
        Command(IDM_PRIMARY_CLICK);
        SendMessageA(app->panel, WM_TIMER, kSaveTimer, 0);
    }
    EXPECT_EQ((std::vector<std::string>{unreadable, unreadable}), balloons);
    App::notifyIcon = notify;
    SendMessageA(app->panel, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(Hex(file), Hex(ReadBytes(path)));
    EXPECT_FALSE(FileExists(path + ".bak"));

    // Windows ends the program after WM_ENDSESSION, without WM_DESTROY.
    StartWith(file);
    CursorAt({20, 20});  // the pin
    Command(IDM_PRIMARY_CLICK);
    SendMessageA(app->panel, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(Hex(users(0x08)), Hex(ReadBytes(path)));

    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    Command(IDM_PRIMARY_CLICK);
    SendMessageA(app->panel, WM_TIMER, kSaveTimer, 0);
    EXPECT_TRUE(WaitFor([&] { return Sjis("データファイルを保存できません") == app->trayIcon.szInfoTitle; }));
    EXPECT_NE(std::string::npos, std::string(app->trayIcon.szInfo).find(path)) << app->trayIcon.szInfo;
    Reply reply(IDOK);  // the last save fails too, and says so while the user can still act
    DestroyWindow(app->panel);
    RemoveDirectoryA(blocker.c_str());
    EXPECT_NE(std::string::npos, reply.said.find(path)) << reply.said;
}

// Elevated, VELK hears only elevated programs' hooks: it says so, and how to start it normally.
TEST_F(HostedApp, AnElevatedVelkSaysAtStartOnceWhereItsTriggerWorks) {
    const auto query = std::exchange(App::runsAboveTheShell, [] { return true; });
    Reply reply(IDOK);
    StartWith("");
    App::runsAboveTheShell = query;
    EXPECT_NE(std::string::npos, reply.said.find(Sjis("管理者として実行"))) << reply.said;
}

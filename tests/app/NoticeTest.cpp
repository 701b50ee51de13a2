// What the user is told about the data file on the notification icon, where
// it stands in no one's way.
#include "Bytes.h"
#include "HostedApp.h"

using namespace velktest;

using Notices = HostedApp;

// A data file that could not be read at start-up is named, and so is the
// file whose saves keep failing.
TEST_F(Notices, TheIconSaysWhenTheDataFileCannotBeReadOrSaved) {
    const std::string path = BuildFile("QXDATA.dat"), blocker = BuildFile("QXDATA.tmp");
    const std::string file = DataFile().Header(0x18, 0, 1).Text("Mine").Empty(18).bytes;
    EndApp();
    ASSERT_TRUE(WriteBytes(path, file));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    theApp = app = new App();
    app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
    CloseHandle(held);
    EXPECT_EQ("NewLaunchSet[] @0", State());
    EXPECT_EQ(Sjis("データファイルを読み込めません"), app->trayIcon.szInfoTitle);
    EXPECT_NE(std::string::npos, std::string(app->trayIcon.szInfo).find(path)) << app->trayIcon.szInfo;

    StartWith(file);
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    CursorAt(POINT{20, 20});
    Command(IDM_PRIMARY_CLICK);
    EXPECT_TRUE(WaitFor([&] { return Sjis("データファイルを保存できません") == app->trayIcon.szInfoTitle; }));
    EXPECT_NE(std::string::npos, std::string(app->trayIcon.szInfo).find(path)) << app->trayIcon.szInfo;
    RemoveDirectoryA(blocker.c_str());
}

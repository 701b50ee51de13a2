// The program entry: one instance per session, then the App runs the panel.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "app/App.h"
#include "app/WindowProcs.h"
#include "panel/PanelLayout.h"
#include "resources/Version.h"
#include "resources/resource.h"

namespace {
// Session-local, so that each signed-in user has a launcher of their own.
constexpr char kMutexName[] = "Local\\VELK.Launcher.SingleInstance";
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Kept open, never closed, until the process ends.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        char running[64] = {};
        LoadStringA(instance, IDS_ALREADY_RUNNING, running, sizeof running);
        std::string text = std::string(kAppTitle) + " " + running;
        MessageBoxA(nullptr, text.c_str(), kAppTitle, MB_OK);
        return 0;
    }

    CoInitialize(nullptr);
    theApp = new App();
    theApp->Run(instance, kAppTitle, kPanelWidth, kPanelHeight);
    delete theApp;
    theApp = nullptr;
    CoUninitialize();
    return 0;
}

// velk_snapshot PATH: waits for VELK's panel to show, saves what the screen shows of it as a PNG, and closes
// VELK.
#include <windows.h>

#include <cstdio>

#include "Support.h"
#include "resources/Version.h"

int main(int argc, char** argv) {
    HWND panel = nullptr;
    if (argc < 2 ||
        !velktest::WaitFor(
            [&] { return (panel = FindWindowA(kAppTitle, kAppTitle)) && IsWindowVisible(panel); }, 30000)) {
        std::fprintf(stderr, "velk_snapshot PATH: the panel did not show\n");
        return 1;
    }
    // Let the panel finish its first paint before the picture is taken.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    RECT rect = {};
    GetWindowRect(panel, &rect);
    const bool saved = velktest::CaptureScreen(rect, argv[1]);
    PostMessageA(panel, WM_CLOSE, 0, 0);
    return saved ? 0 : 1;
}

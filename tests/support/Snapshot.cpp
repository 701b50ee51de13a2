// velk_snapshot PATH [--close]: waits for VELK's panel to show, saves what the
// screen shows of it as a PNG, and optionally closes VELK.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "Support.h"
#include "resources/Version.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velk_snapshot PATH [--close]\n");
        return 2;
    }
    HWND panel = nullptr;
    velktest::WaitFor(
        [&] {
            panel = FindWindowA(kAppTitle, kAppTitle);
            return panel && IsWindowVisible(panel);
        },
        30000);
    if (!panel) {
        std::fprintf(stderr, "velk_snapshot: the panel did not show\n");
        return 1;
    }
    // Let the panel finish its first paint before the picture is taken.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    RECT rect = {};
    GetWindowRect(panel, &rect);
    const bool saved = velktest::CaptureScreen(rect, argv[1]);
    if (argc > 2 && std::strcmp(argv[2], "--close") == 0) PostMessageA(panel, WM_CLOSE, 0, 0);
    return saved ? 0 : 1;
}

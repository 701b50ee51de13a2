// The second process of the hook tests: another program's window for real
// input to land on, or a one-shot reader and writer of the library's shared
// state. The window counts the presses it receives in its title, so that a
// test can see that the hooks passed them on, and the mouse moves in a
// shared counter for the benchmark.
//   hook_peer window X Y W H    a top-most window until it is closed
//   hook_peer getkey            exits with GetHookSwitch()
//   hook_peer setkey N          SetHookKey(N)
//   hook_peer gethide           exits with PauseHideHook(2)
// It loads Wendrix.dll from its own folder only for the last three, so that
// as a plain window it has no copy of the library but the one the hooks bring.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kPeerClass[] = "HookPeerWindow";
constexpr int32_t kReportHide = 2;
constexpr int kUsage = 100;
// The number of mouse moves received, readable by the benchmark without a
// message (which the hooks would see too).
constexpr char kMovesMapping[] = "Local\\HookPeerMoves";
volatile LONG* moves = nullptr;
int presses = 0;

LRESULT CALLBACK PeerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        char title[32] = {};
        wsprintfA(title, "presses %d", ++presses);
        SetWindowTextA(window, title);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (moves) InterlockedIncrement(moves);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunWindow(HINSTANCE instance, int x, int y, int w, int h) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PeerProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kPeerClass;
    RegisterClassA(&windowClass);
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), kMovesMapping);
    if (mapping)
        moves = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kPeerClass, "presses 0", WS_POPUP | WS_BORDER | WS_VISIBLE,
                                  x, y, w, h, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

template <typename Function>
Function Export(HMODULE library, const char* name) {
    // Through void* because FARPROC's own type says nothing of the real one.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    char* mode = std::strtok(commandLine, " ");
    if (!mode) return kUsage;
    if (std::strcmp(mode, "window") == 0) {
        int values[4] = {};
        for (int& v : values) {
            const char* text = std::strtok(nullptr, " ");
            if (!text) return kUsage;
            v = std::atoi(text);
        }
        return RunWindow(instance, values[0], values[1], values[2], values[3]);
    }
    HMODULE library = LoadLibraryA("Wendrix.dll");
    if (!library) return kUsage;
    if (std::strcmp(mode, "getkey") == 0) return Export<uint8_t (*)()>(library, "GetHookSwitch")();
    if (std::strcmp(mode, "gethide") == 0)
        return Export<int32_t (*)(int32_t)>(library, "PauseHideHook")(kReportHide);
    if (std::strcmp(mode, "setkey") == 0) {
        const char* text = std::strtok(nullptr, " ");
        if (!text) return kUsage;
        Export<void (*)(int32_t)>(library, "SetHookKey")(std::atoi(text));
        return 0;
    }
    return kUsage;
}

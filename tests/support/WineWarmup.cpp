// wine_warmup: run once before the tests. The first program of a fresh Wine session starts the virtual
// desktop and the input machinery; keys sent while that is still settling can be lost. This program shows a
// window, types a key into it and returns once the key has arrived.
#include <windows.h>

#include <cstdio>

#include "Support.h"

namespace {
bool keyArrived = false;
LRESULT CALLBACK WarmupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYUP && wParam == VK_SHIFT) keyArrived = true;
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main() {
    const WNDCLASSA windowClass = {0,  WarmupProc, 0,  0,  GetModuleHandleA(nullptr),
                                   {}, {},         {}, {}, "VelkWineWarmup"};
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "VelkWineWarmup", "warm-up", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                  200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    const bool ready = velktest::WaitFor(
        [&] {
            SetForegroundWindow(window);
            if (GetForegroundWindow() == window && GetFocus() == window) velktest::TypeKeys({VK_SHIFT});
            return velktest::WaitFor([] { return keyArrived; }, 500);
        },
        60000);
    DestroyWindow(window);
    if (!ready) std::fprintf(stderr, "wine_warmup: keyboard input did not arrive\n");
    return ready ? 0 : 1;
}

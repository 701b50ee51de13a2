// The hook library's cost, three figures in one run:
// 1. the logic's own time per event, over a scripted desktop;
// 2. the platform calls per event for each trigger mask and gesture state;
// 3. the time to deliver a mouse move to a window of another process, with
//    the library's hooks installed and without, in alternating rounds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ScriptedDesktop.h"
#include "Support.h"
#include "hooklib/HookLogic.h"
#include "hooklib/Wendrix.h"

namespace {

using namespace velktest;

constexpr int kLogicEvents = 2000000;
constexpr int kDeliveryMoves = 1000;
constexpr int kDeliveryRounds = 7;
constexpr char kMovesMapping[] = "Local\\HookPeerMoves";
constexpr RECT kPeerRect = {500, 300, 800, 500};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Register(HookLogic& logic, HWND panel) {
    logic.InitHook(panel, WM_COMMAND, 41001, 0);
    const PostTarget targets[4] = {{panel, WM_COMMAND, 43001, 0},
                                   {panel, WM_COMMAND, 43002, 0},
                                   {panel, WM_COMMAND, 43003, 0},
                                   {panel, WM_COMMAND, 43004, 0}};
    logic.InitHookDD(panel, targets);
    logic.HideHook(panel, PostTarget{panel, WM_COMMAND, 43005, 0});
    logic.PauseHideHook(kHideOn);
}

void LogicTime() {
    ScriptedDesktop desktop;
    SharedHookState state = kInitialHookState;
    InstalledHooks hooks = {};
    HookLogic logic(state, hooks, desktop.Ops());
    const HWND panel = FakeWindow(1);
    Register(logic, panel);
    MOUSEHOOKSTRUCT mouse = {};
    mouse.hwnd = FakeWindow(2);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kLogicEvents; ++i) {
        // Moves with a middle click every 64 events, so the trigger posts now and then.
        desktop.keys[VK_MBUTTON] = (i & 63) == 0;
        logic.MouseEvent(HC_ACTION, WM_MOUSEMOVE, &mouse);
        if (desktop.posts.size() > 1000) desktop.posts.clear();
    }
    QueryPerformanceCounter(&end);
    std::printf("1. Logic time per mouse event (scripted platform, default trigger): %.3f us (bar 0.5 us)\n",
                Seconds(start, end) * 1e6 / kLogicEvents);
}

void CallsPerEvent() {
    std::printf("2. Platform calls per mouse event (worst case over all key states):\n");
    std::printf("   %-6s %-12s %16s %16s %12s %8s\n", "mask", "state", "GetAsyncKeyState", "GetSystemMetrics",
                "GetCursorPos", "others");
    const char* stateNames[] = {"DragIdle", "DragReady", "DragPressed", "DragMoving"};
    for (uint8_t mask :
         {uint8_t{0x10}, uint8_t{0x00}, uint8_t{0x03}, uint8_t{0x04}, uint8_t{0x11}, uint8_t{0x17}}) {
        for (int dragState = kDragIdle; dragState <= kDragMoving; ++dragState) {
            ScriptedDesktop desktop;
            SharedHookState state = kInitialHookState;
            InstalledHooks hooks = {};
            HookLogic logic(state, hooks, desktop.Ops());
            Register(logic, FakeWindow(1));
            logic.SetHookKey(mask);
            int keys = 0, metrics = 0, cursor = 0, others = 0;
            for (int combo = 0; combo < 64; ++combo) {
                const int vks[] = {VK_CONTROL, VK_MENU, VK_SHIFT, VK_MBUTTON, VK_LBUTTON, VK_ESCAPE};
                for (int i = 0; i < 6; ++i) desktop.SetKey(vks[i], combo & (1 << i));
                state.dragState = dragState;
                state.dragKind = kDragKindPrimary;
                desktop.ResetCounts();
                MOUSEHOOKSTRUCT mouse = {};
                mouse.hwnd = FakeWindow(2);
                logic.MouseEvent(HC_ACTION, WM_LBUTTONDOWN, &mouse);
                keys = std::max(keys, desktop.KeyReads());
                metrics = std::max(metrics, desktop.metricsCalls);
                cursor = std::max(cursor, desktop.cursorCalls);
                // The foreground right and its process look-up, on an event that posts no trigger.
                const bool triggered = std::any_of(desktop.posts.begin(), desktop.posts.end(),
                                                   [](const PostedMessage& m) { return m.wParam == 41001; });
                if (!triggered)
                    others = std::max(others, desktop.processIdCalls + desktop.allowForegroundCalls);
                desktop.posts.clear();
            }
            std::printf("   0x%02X   %-12s %16d %16d %12d %8d\n", mask, stateNames[dragState], keys, metrics,
                        cursor, others);
        }
    }
    std::printf(
        "   (bar: 4 GetAsyncKeyState calls with the default trigger 0x10; ceiling 9; others 0:\n"
        "    AllowSetForegroundWindow comes only with the trigger's post)\n");
}

LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// Seconds to deliver the moves one by one: each is sent, then awaited on
// the peer's shared counter (a message would go through the hooks too).
double DeliverMoves(volatile LONG* moves) {
    LONG seen = *moves;
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kDeliveryMoves; ++i) {
        input.mi.dx = (i & 1) ? -3 : 3;
        SendInput(1, &input, sizeof input);
        const ULONGLONG deadline = GetTickCount64() + 2000;
        while (*moves == seen && GetTickCount64() < deadline) YieldProcessor();
        seen = *moves;
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// hook_peer.exe: another program's window for the moves to land on.
struct Peer {
    Peer() {
        const std::string exe = BuildFile("hook_peer.exe");
        std::string commandLine = "\"" + exe + "\" window " + std::to_string(kPeerRect.left) + " " +
                                  std::to_string(kPeerRect.top) + " " +
                                  std::to_string(kPeerRect.right - kPeerRect.left) + " " +
                                  std::to_string(kPeerRect.bottom - kPeerRect.top);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return;
        WaitFor([&] {
            window = FindProcessWindow(process.dwProcessId, "HookPeerWindow");
            return window && IsWindowVisible(window);
        });
    }
    ~Peer() {
        if (!process.hProcess) return;
        TerminateProcess(process.hProcess, 0);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
};

void DeliveryTime() {
    Peer peerProcess;
    HWND peer = peerProcess.window;
    if (!peer) {
        std::printf("3. Delivery: the peer window did not start\n");
        return;
    }
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kMovesMapping);
    auto* moves = mapping
                      ? static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(LONG)))
                      : nullptr;
    if (!moves) {
        std::printf("3. Delivery: the peer's move counter is missing\n");
        return;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Receiver;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "HookBenchReceiver";
    RegisterClassA(&windowClass);
    HWND panel = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
    MoveMouseTo(POINT{(kPeerRect.left + kPeerRect.right) / 2, (kPeerRect.top + kPeerRect.bottom) / 2});

    std::vector<double> with, without;
    for (int round = 0; round < kDeliveryRounds; ++round) {
        SetHookKey(kHookKeyMiddle);
        InitHook(panel, WM_COMMAND, 41001, 0);
        InitHookDD(panel, PostTarget{panel, WM_COMMAND, 43001, 0}, PostTarget{panel, WM_COMMAND, 43002, 0},
                   PostTarget{panel, WM_COMMAND, 43003, 0}, PostTarget{panel, WM_COMMAND, 43004, 0}, 1);
        HideHook(panel, panel, WM_COMMAND, 43005, 0);
        PauseHideHook(kHideOn);
        with.push_back(DeliverMoves(moves));
        Unhook();
        without.push_back(DeliverMoves(moves));
        PumpMessages();
    }
    const double a = Median(with) * 1e6 / kDeliveryMoves;
    const double b = Median(without) * 1e6 / kDeliveryMoves;
    std::printf("3. Mouse move delivered to another process, median of %d alternating rounds of %d moves:\n",
                kDeliveryRounds, kDeliveryMoves);
    std::printf("   with the hooks %.1f us, without (baseline) %.1f us, ratio %.2f (bar 1.25)\n", a, b,
                a / b);
    DestroyWindow(panel);
    UnmapViewOfFile(const_cast<LONG*>(moves));
    CloseHandle(mapping);
}

}  // namespace

int main() {
    LogicTime();
    CallsPerEvent();
    DeliveryTime();
    return 0;
}

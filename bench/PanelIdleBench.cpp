// The panel's cost at rest: the time of one timer tick's repaint and the
// timer messages a hosted App handles in 10 s at rest, and VELK.exe's CPU
// time over 30 s with the panel visible and the cursor resting on a cell,
// then outside the panel, then hidden, each beside Wine's notepad idling for
// the same time in the same run, as a percentage of one core; VELK.exe's
// pop-up time and its private memory shown. Each figure is for the display
// scale of the prefix it runs in (tools/bench.sh runs it at 96 and then 192
// DPI).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "Support.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "launchdata/LaunchSetList.h"
#include "panel/PanelLayout.h"
#include "resources/Version.h"

namespace {

constexpr DWORD kIdleMs = 30000;
constexpr DWORD kCountMs = 10000;
// Long enough for the last tick after a move.
constexpr DWORD kSettleMs = 1000;
constexpr int kRepaints = 2000;
constexpr int kPopUps = 21;
// The trigger's command: shows the hidden panel at the cursor.
constexpr WPARAM kTriggerCommand = 41001;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// User and system time of the process whose command line holds `needle`, in
// seconds (Linux counts 100 ticks a second), or -1.
double CpuSeconds(const std::string& needle) {
    constexpr double kTicksPerSecond = 100.0;
    const std::string folder = UnixProcessFolder(needle);
    if (folder.empty()) return -1;
    // Fields 14 and 15 (utime, stime) follow the parenthesised name.
    const std::string stat = ReadWhole(folder + "\\stat");
    const size_t close = stat.rfind(')');
    unsigned long long utime = 0, stime = 0;
    if (close == std::string::npos ||
        std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) != 2)
        return -1;
    return static_cast<double>(utime + stime) / kTicksPerSecond;
}

// Runs the App's messages for the time; returns the timer messages that
// reached the panel, and adds every message to `all`.
int RunMessages(const App& app, DWORD ms, int& all) {
    int timers = 0;
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message = {};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ++all;
            if (message.message == WM_TIMER && message.hwnd == app.panel) ++timers;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return timers;
}

// The timer messages the shown panel handles in 10 s with the cursor at rest
// at the screen point.
void CountTicksAtRest(const App& app, const char* where, POINT at) {
    velktest::MoveMouseTo(at);
    int all = 0;
    RunMessages(app, kSettleMs, all);
    all = 0;
    const int timers = RunMessages(app, kCountMs, all);
    std::printf("timer messages in %.0f s at rest, cursor %s: %d (bar 0); messages of any kind: %d\n",
                kCountMs / 1000.0, where, timers, all);
}

// Microseconds of one repaint as the timer tick makes it, the cursor
// moving over tabs, gaps and cells so that every mark is drawn and erased;
// then the ticks at rest.
void TimeTickRepaint() {
    theApp = new App();
    App& app = *theApp;
    app.Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
    app.launchSets->AddSet("Second", 18);
    app.launchSets->AddSet("Third", 18);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    for (uint16_t cell = 0; cell < 18; cell += 2)
        app.launchSets->CreateItem(0, cell, "Item", self, nullptr, ItemPlacement::Replace);
    app.RepaintPanel(1, 1, 1, -1, -1);

    const POINT path[] = {{216, 20}, {60, 100},  {45, 100}, {20, 20},
                          {209, 20}, {100, 150}, {4, 60},   {250, 150}};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRepaints; ++i) {
        const POINT p = path[i % (sizeof path / sizeof path[0])];
        app.RepaintPanel(0, 0, 1, p.x, p.y);
    }
    QueryPerformanceCounter(&end);
    std::printf("one timer tick's RepaintPanel (cursor moving): %.1f us, mean of %d\n",
                1e6 * Seconds(start, end) / kRepaints, kRepaints);

    SetWindowPos(app.panel, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT outer = {};
    GetWindowRect(app.panel, &outer);
    CountTicksAtRest(app, "outside the panel", POINT{outer.left - 150, outer.top + 120});
    CountTicksAtRest(app, "over a cell", POINT{outer.left + 100, outer.top + 120});

    DestroyWindow(app.panel);
    app.Finish(kAppTitle);
    delete theApp;
    theApp = nullptr;
    velktest::PumpMessages();
}

// From the trigger's command to the panel shown with its first frame drawn
// (the command's handler returns only then), median of kPopUps rounds.
void MeasurePopUp(HWND panel) {
    std::vector<double> times;
    LARGE_INTEGER start, end;
    for (int i = 0; i < kPopUps; ++i) {
        if (IsWindowVisible(panel)) SendMessageA(panel, WM_COMMAND, kTriggerCommand, 0);
        QueryPerformanceCounter(&start);
        SendMessageA(panel, WM_COMMAND, kTriggerCommand, 0);
        QueryPerformanceCounter(&end);
        if (IsWindowVisible(panel)) times.push_back(1000.0 * Seconds(start, end));
    }
    std::sort(times.begin(), times.end());
    if (times.empty()) return;
    std::printf(
        "pop-up, trigger command to the panel shown and drawn, median of %zu: %.2f ms "
        "(bar: one 60 Hz frame, 16.7 ms)\n",
        times.size(), times[times.size() / 2]);
}

// Percentage of one core that the processes used over the idle period.
void MeasureIdle(const char* what, const std::string& velk, const std::string& notepad) {
    const double velkBefore = CpuSeconds(velk), notepadBefore = CpuSeconds(notepad);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    Sleep(kIdleMs);
    QueryPerformanceCounter(&end);
    const double wall = Seconds(start, end);
    const double v = 100.0 * (CpuSeconds(velk) - velkBefore) / wall;
    const double n = 100.0 * (CpuSeconds(notepad) - notepadBefore) / wall;
    std::printf(
        "%s over %.0f s: VELK %.2f %% of a core, notepad %.2f %% (baseline), "
        "difference %+.2f points (bar +0.05)\n",
        what, wall, v, n, v - n);
}

}  // namespace

int main() {
    TimeTickRepaint();

    velktest::TempFolder folder;
    CopyFileA(velktest::BuildFile("VELK.exe").c_str(), folder.File("VELK.exe").c_str(), FALSE);
    CopyFileA(velktest::BuildFile("Wendrix.dll").c_str(), folder.File("Wendrix.dll").c_str(), FALSE);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);

    velktest::MoveMouseTo(POINT{400, 300});
    // Notepad opens a file of the folder, so that its command line is ours alone.
    const std::string note = folder.File("idle.txt");
    CloseHandle(CreateFileA(note.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    BenchProcess velk;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION notepad = {};
    std::string notepadLine = "notepad.exe \"" + note + "\"";
    if (!velk.Start(folder.File("VELK.exe"), folder.Path()) ||
        !CreateProcessA(nullptr, notepadLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.Path().c_str(), &startup, &notepad)) {
        std::printf("idle: a program did not start\n");
        return 1;
    }
    HWND panel = nullptr;
    velktest::WaitFor([&] {
        panel = velktest::FindProcessWindow(velk.Id(), kAppTitle, kAppTitle);
        return panel && IsWindowVisible(panel);
    });
    if (!panel) {
        std::printf("idle: the panel did not show\n");
        return 1;
    }
    std::printf("display scale: %d DPI\n", GetDeviceCaps(GetDC(nullptr), LOGPIXELSX));
    MeasurePopUp(panel);
    velktest::WaitFor([&] { return PrivateMemoryKb(folder.File("VELK.exe")) > 0; });
    std::printf(
        "private (anonymous resident) memory of the shown panel: VELK.exe %ld kB, notepad.exe %ld kB\n",
        PrivateMemoryKb(folder.File("VELK.exe")), PrivateMemoryKb(note));
    // The cursor rests on the panel's grid, over an empty cell, then beside
    // the panel.
    RECT outer = {};
    GetWindowRect(panel, &outer);
    const std::string velkLine = folder.File("VELK.exe");
    velktest::MoveMouseTo(POINT{outer.left + 100, outer.top + 120});
    Sleep(kSettleMs);
    MeasureIdle("visible, cursor at rest over a cell", velkLine, note);
    velktest::MoveMouseTo(
        POINT{outer.left > 200 ? outer.left - 150 : outer.right + 150, (outer.top + outer.bottom) / 2});
    Sleep(kSettleMs);
    MeasureIdle("visible, cursor at rest outside the panel", velkLine, note);

    PostMessageA(panel, WM_COMMAND, 41001, 0);
    velktest::WaitFor([&] { return !IsWindowVisible(panel); });
    Sleep(1000);
    MeasureIdle("hidden", velkLine, note);

    PostMessageA(panel, WM_CLOSE, 0, 0);
    velk.Wait(20000);
    TerminateProcess(notepad.hProcess, 0);
    WaitForSingleObject(notepad.hProcess, 10000);
    CloseHandle(notepad.hProcess);
    CloseHandle(notepad.hThread);
    DeleteFileA(folder.File("QXDATA.dat").c_str());
    return 0;
}

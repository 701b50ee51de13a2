// Start-up time: from process creation to the panel being visible, for
// VELK.exe and, as the baseline measured in the same run, Wine's notepad.
// Runs alternate between the two; the medians and their ratio are printed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "Support.h"

namespace {

constexpr int kRounds = 9;

struct Program {
    const char* name;
    std::string exe;
    std::string folder;
    const char* windowClass;
};

// Milliseconds from CreateProcess to a visible top-level window of the
// class; the program is then closed with WM_CLOSE. Negative on failure.
double TimeStart(const Program& program) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    BenchProcess process;
    QueryPerformanceCounter(&start);
    if (!process.Start(program.exe, program.folder)) return -1;
    HWND window = nullptr;
    for (;;) {
        window = velktest::FindProcessWindow(process.Id(), program.windowClass);
        if (window && IsWindowVisible(window)) break;
        QueryPerformanceCounter(&now);
        if (now.QuadPart - start.QuadPart > frequency.QuadPart * 30) return -1;
        Sleep(1);
    }
    QueryPerformanceCounter(&now);
    PostMessageA(window, WM_CLOSE, 0, 0);
    process.Wait(20000);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    velktest::TempFolder folder;
    CopyFileA(velktest::BuildFile("VELK.exe").c_str(), folder.File("VELK.exe").c_str(), FALSE);
    CopyFileA(velktest::BuildFile("Wendrix.dll").c_str(), folder.File("Wendrix.dll").c_str(), FALSE);
    char system[MAX_PATH] = {};
    GetWindowsDirectoryA(system, MAX_PATH);
    const Program velk = {"VELK", folder.File("VELK.exe"), folder.Path(), "VELK ver. 0.01"};
    const Program notepad = {"notepad", std::string(system) + "\\notepad.exe", folder.Path(), "Notepad"};

    // One unmeasured start of each, so that neither pays for a cold cache.
    TimeStart(velk);
    TimeStart(notepad);

    std::vector<double> velkTimes, notepadTimes;
    for (int round = 0; round < kRounds; ++round) {
        const double v = TimeStart(velk);
        const double n = TimeStart(notepad);
        if (v < 0 || n < 0) {
            std::printf("start-up: a program did not show its window (VELK %.1f, notepad %.1f)\n", v, n);
            return 1;
        }
        velkTimes.push_back(v);
        notepadTimes.push_back(n);
    }
    // VELK writes its data file at the end: leave nothing behind in the folder.
    DeleteFileA(folder.File("QXDATA.dat").c_str());

    const double v = Median(velkTimes), n = Median(notepadTimes);
    std::printf("start-up to visible window, median of %d alternating runs:\n", kRounds);
    std::printf("  VELK.exe     %8.1f ms\n", v);
    std::printf("  notepad.exe  %8.1f ms (baseline)\n", n);
    std::printf("  ratio VELK / notepad = %.2f\n", v / n);
    return 0;
}

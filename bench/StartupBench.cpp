// Start-up with a data file of three full sets (54 items: programs,
// shortcuts, documents, missing files, a path on a network share): from
// process creation to the panel being visible, for VELK.exe and, as the
// baseline measured in the same run, Wine's notepad, alternating; the
// private memory of each once shown; and, in a hosted App, the time until
// the last item's icon is in place.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "Bytes.h"
#include "Support.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "launchdata/LaunchSetList.h"
#include "panel/PanelLayout.h"
#include "resources/Version.h"

namespace {

constexpr int kRounds = 9;
constexpr int kHostedRounds = 5;

double Now() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool MakeShortcut(const std::string& link, const std::string& target) {
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return false;
    shellLink->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        saved = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    }
    shellLink->Release();
    return saved;
}

// Three full sets, each item of one of six kinds in turn.
std::string ThreeFullSets(const velktest::TempFolder& folder) {
    const char* programs[] = {"$W\\notepad.exe", "$S\\cmd.exe", "$W\\regedit.exe", "$S\\winecfg.exe"};
    const char* documents[] = {".txt", ".html", ".bmp", ".ini", ".log", ".csv"};
    velktest::DataFile file;
    file.Header(0x18, 0, 3);
    for (int set = 0; set < 3; ++set) {
        file.Text("Set " + std::to_string(set));
        for (int i = 0; i < 18; ++i) {
            const int n = set * 18 + i;
            std::string target;
            switch (n % 6) {
            case 0:
            case 1:
                target = programs[n % 4];
                break;
            case 2:
                target = folder.File("shortcut" + std::to_string(n) + ".lnk");
                MakeShortcut(target, folder.File("document" + std::to_string(n) + ".txt"));
                break;
            case 3:
                target = folder.File("document" + std::to_string(n) + documents[n % 6]);
                velktest::WriteBytes(target, "x");
                break;
            case 4:
                target = "C:\\missing\\tool" + std::to_string(n) + ".exe";
                break;
            case 5:
                target = "\\\\unreachable\\share\\tool" + std::to_string(n) + ".exe";
                break;
            }
            file.Slot("Item " + std::to_string(n), target, folder.Path());
        }
    }
    return file.bytes;
}

struct Program {
    std::string exe;
    std::string arguments;
    std::string folder;
    const char* windowClass;
};

struct Started {
    double ms;      // from CreateProcess to a visible window; negative on failure
    long memoryKb;  // private memory once shown
};

// Starts the program, waits for a visible top-level window of the class,
// reads its private memory a moment later, and closes it.
Started Start(const Program& program, const std::string& needle) {
    BenchProcess process;
    const double start = Now();
    if (!process.Start(program.exe, program.folder, program.arguments)) return {-1, -1};
    HWND window = nullptr;
    for (;;) {
        window = velktest::FindProcessWindow(process.Id(), program.windowClass);
        if (window && IsWindowVisible(window)) break;
        if (Now() - start > 30000) return {-1, -1};
        Sleep(1);
    }
    const double shown = Now() - start;
    Sleep(1500);
    const long memory = PrivateMemoryKb(needle);
    PostMessageA(window, WM_CLOSE, 0, 0);
    process.Wait(20000);
    return {shown, memory};
}

// The App hosted here, with the data file beside this program: the time
// until its panel shows, and until the last item's icon is in place.
void TimeHosted(const std::string& data) {
    const std::string path = velktest::BuildFile("QXDATA.dat");
    std::vector<double> shown, complete;
    for (int round = 0; round < kHostedRounds; ++round) {
        velktest::WriteBytes(path, data);
        const double start = Now();
        theApp = new App();
        theApp->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
        shown.push_back(Now() - start);
        velktest::WaitFor([] { return theApp->launchSets->PendingIconTargets().empty(); }, 30000);
        complete.push_back(Now() - start);
        DestroyWindow(theApp->panel);
        theApp->Finish(kAppTitle);
        delete theApp;
        theApp = nullptr;
        velktest::PumpMessages();
    }
    DeleteFileA(path.c_str());
    std::printf("hosted App, median of %d: panel shown after %.1f ms, last icon in place after %.1f ms\n",
                kHostedRounds, Median(shown), Median(complete));
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    velktest::TempFolder folder;
    CopyFileA(velktest::BuildFile("VELK.exe").c_str(), folder.File("VELK.exe").c_str(), FALSE);
    CopyFileA(velktest::BuildFile("Wendrix.dll").c_str(), folder.File("Wendrix.dll").c_str(), FALSE);
    const std::string data = ThreeFullSets(folder);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    // Notepad opens a file of the folder, so that its command line is ours alone.
    const std::string note = folder.File("start.txt");
    velktest::WriteBytes(note, "");
    const Program velk = {folder.File("VELK.exe"), "", folder.Path(), kAppTitle};
    const Program notepad = {std::string(windows) + "\\notepad.exe", "\"" + note + "\"", folder.Path(),
                             "Notepad"};

    // One unmeasured start of each, so that neither pays for a cold cache.
    velktest::WriteBytes(folder.File("QXDATA.dat"), data);
    Start(velk, folder.File("VELK.exe"));
    Start(notepad, note);

    std::vector<double> velkTimes, notepadTimes;
    std::vector<double> velkMemory, notepadMemory;
    for (int round = 0; round < kRounds; ++round) {
        // The same data file at every start, whatever the last one wrote.
        velktest::WriteBytes(folder.File("QXDATA.dat"), data);
        const Started v = Start(velk, folder.File("VELK.exe"));
        const Started n = Start(notepad, note);
        if (v.ms < 0 || n.ms < 0) {
            std::printf("start-up: a program did not show its window (VELK %.1f, notepad %.1f)\n", v.ms,
                        n.ms);
            return 1;
        }
        velkTimes.push_back(v.ms);
        notepadTimes.push_back(n.ms);
        velkMemory.push_back(v.memoryKb);
        notepadMemory.push_back(n.memoryKb);
    }
    const double v = Median(velkTimes), n = Median(notepadTimes);
    std::printf(
        "start-up to a visible window with three full sets (54 items), median of %d alternating runs:\n",
        kRounds);
    std::printf("  VELK.exe     %8.1f ms\n", v);
    std::printf("  notepad.exe  %8.1f ms (baseline)\n", n);
    std::printf("  ratio VELK / notepad = %.2f (bar: 1.0)\n", v / n);
    std::printf(
        "private (anonymous resident) memory once shown, median: VELK.exe %.0f kB, notepad.exe %.0f kB\n",
        Median(velkMemory), Median(notepadMemory));
    TimeHosted(data);
    CoUninitialize();
    return 0;
}

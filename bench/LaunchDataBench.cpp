// Load and Save of a full data file (3 sets of 18 items whose targets exist,
// 16 history entries): the median time of each, and the share of Load spent
// in icon look-ups.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Bytes.h"
#include "Support.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/DataFileWriter.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "resources/resource.h"

namespace {

constexpr int kRuns = 25;

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / frequency.QuadPart;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Prepare(LaunchSetList& sets, CommandHistory& history) {
    sets.Resize(3);
    sets.iconSource.SetDefaultIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_ITEM)));
    history.Init(16);
}

}  // namespace

int main() {
    velktest::TempFolder folder;
    const char* extensions[] = {".txt", ".exe", ".bmp", ".cmd", ".html", ".lnk"};
    std::vector<std::string> targets;
    for (int i = 0; i < 54; ++i) {
        targets.push_back(folder.File("item" + std::to_string(i) + extensions[i % 6]));
        velktest::WriteBytes(targets.back(), "x");
    }
    velktest::DataFile file;
    file.Header(0x18, 16, 3, 18);
    for (int i = 0; i < 16; ++i) file.Text("command " + std::to_string(i));
    for (int s = 0; s < 3; ++s) {
        file.Text("Set " + std::to_string(s));
        for (int i = 0; i < 18; ++i)
            file.Slot("Item " + std::to_string(i), targets[s * 18 + i], folder.Path());
    }
    const std::string path = folder.File("QXDATA.dat");
    velktest::WriteBytes(path, file.bytes);

    std::vector<double> loads, saves, lookups;
    for (int run = 0; run < kRuns; ++run) {
        Settings settings;
        CommandHistory history;
        LaunchSetList sets;
        Prepare(sets, history);
        double start = Now();
        if (!settings.Load(path.c_str(), &history, &sets) || sets.count != 3) {
            std::printf("load failed\n");
            return 1;
        }
        loads.push_back(Now() - start);
        start = Now();
        // The bytes, built on the panel's thread, and the writer's save.
        DataFileWriter::WriteNow(path.c_str(), settings.BuildBytes(&history, &sets, 1, 0x10), false);
        saves.push_back(Now() - start);

        start = Now();
        for (const std::string& target : targets) UniqueIcon icon(ShellIconOf(target));
        lookups.push_back(Now() - start);
    }
    const std::string saved = velktest::ReadBytes(path);
    std::printf("data file: %u bytes, round trip %s\n", static_cast<unsigned>(saved.size()),
                saved == file.bytes ? "identical" : "DIFFERENT");
    std::printf("Load: median %.3f ms over %d runs\n", Median(loads) * 1000, kRuns);
    std::printf("Save: median %.3f ms over %d runs\n", Median(saves) * 1000, kRuns);
    std::printf("icon look-ups (54): median %.3f ms, %.0f%% of Load\n", Median(lookups) * 1000,
                100.0 * Median(lookups) / Median(loads));
    return 0;
}

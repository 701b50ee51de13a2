// A program started by a benchmark, killed if it still runs at the end.
#pragma once

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <string>

class BenchProcess {
public:
    BenchProcess() = default;
    ~BenchProcess() {
        if (!info_.hProcess) return;
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    BenchProcess(const BenchProcess&) = delete;
    BenchProcess& operator=(const BenchProcess&) = delete;

    bool Start(const std::string& exe, const std::string& workingFolder, const std::string& arguments = "") {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\" " + arguments;
        return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info_) != 0;
    }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or STILL_ACTIVE when the program has not ended in time.
    DWORD Wait(DWORD timeoutMs) {
        if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_ = {};
};

// A whole file, also one of Linux's /proc files that report a size of 0.
inline std::string ReadWhole(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

// Wine reports little of other processes, so their figures are read from
// the Linux side (Z:\proc): the folder of the process whose command line
// holds `needle`, or "" when there is none.
inline std::string UnixProcessFolder(const std::string& needle) {
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::string folder;
    do {
        if (!isdigit(static_cast<unsigned char>(found.cFileName[0]))) continue;
        const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
        std::string command = ReadWhole(dir + "\\cmdline");
        for (char& c : command)
            if (c == '\0') c = ' ';
        if (command.find(needle) != std::string::npos) {
            folder = dir;
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return folder;
}

// The private (anonymous resident) memory of such a process in kB, or -1.
inline long PrivateMemoryKb(const std::string& needle) {
    const std::string status = ReadWhole(UnixProcessFolder(needle) + "\\status");
    const size_t at = status.find("RssAnon:");
    long kb = -1;
    if (at != std::string::npos) std::sscanf(status.c_str() + at + 8, "%ld", &kb);
    return kb;
}

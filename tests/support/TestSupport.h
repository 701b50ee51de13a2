// Helpers for tests that run under Wine: waiting for conditions while
// pumping messages, temporary folders, child processes and screenshots.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

namespace velktest {

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
void PumpMessages();

// Puts the cursor at (x, y) and waits until it stays there: Wine can report
// the new position and then, once the display catches up, the old one again
// for a moment.
bool MoveCursorTo(int x, int y);

// A Windows path for a file of the build tree (Wine maps Z: to /).
std::string WindowsPath(const std::string& unixPath);
std::string BuildFile(const std::string& name);

// A file beside the test program (where a hosted App keeps its files).
inline std::string ProgramFolderFile(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    *strrchr(path, '\\') = '\0';
    return std::string(path) + "\\" + name;
}

// A string resource of the test program's own module.
inline std::string ResourceText(int id) {
    char text[512] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

// A fresh folder under the temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// A program started by the test, killed if it is still running at the end.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Start(const std::string& exe, const std::string& workingFolder);
    // The exit code, or STILL_ACTIVE when the process has not ended in time.
    DWORD Wait(DWORD timeoutMs);
    bool Running() const;
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_ = {};
};

// The first visible or hidden top-level window of the process with the class
// (and title, when given), or null.
HWND FindProcessWindow(DWORD processId, const char* className, const char* title = nullptr);

// Saves what the screen shows inside the window's outer rectangle (or the
// given screen rectangle) as <build>/screenshots/<name>.png.
bool SaveScreenshot(HWND window, const std::string& name);
bool SaveScreenRect(const RECT& rect, const std::string& name);
// Saves what the screen shows inside the rectangle as a PNG file.
bool CaptureScreen(const RECT& rect, const std::string& pngPath);

// Writes 32-bit BGRA pixels, top-down rows, as a PNG file.
bool WritePng(const std::string& path, int width, int height, const unsigned char* bgra);

}  // namespace velktest

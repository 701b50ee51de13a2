// What every test program shares: waiting, files, screenshots, real input, answers to modal dialogs and
// menus, and VELK.exe in a folder of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velktest {

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
void PumpMessages();

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

std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// A Windows path for a file of the build tree (Wine maps Z: to /).
std::string BuildFile(const std::string& name);
// Text in the code page and in UTF-16 (the test sources are UTF-8).
std::wstring Wide(const char* utf8);
std::string Sjis(const char* utf8);
// A shell shortcut made with IShellLinkW (COM started on the calling thread).
bool MakeShortcut(const std::wstring& link, const std::wstring& target, const std::wstring& folder,
                  const wchar_t* arguments = L"");
#ifdef VELK_PROGRAM_FOLDER  // a file of this test program's own folder ($p), where the App keeps its files
inline std::string ProgramFile(const std::string& name) {
    return BuildFile(VELK_PROGRAM_FOLDER "/" + name);
}
#endif

// Saves what the screen shows of the window as <build>/screenshots/<name>.png, once every visible child has
// reached the screen. For people, not asserts.
bool SaveScreenshot(HWND window, const std::string& name);
// Taken once three looks 25 ms apart end in two that agree, or after 300 ms.
bool CaptureScreen(const RECT& rect, const std::string& pngPath);
// What the screen shows in the rectangle, 0xRRGGBB row by row.
std::vector<uint32_t> ScreenPixels(const RECT& rect);
bool WritePng(const std::string& path, int width, int height, const unsigned char* bgra);

// Real input through SendInput, paced like a person: Wine trusts its cached key state for 50 ms, so a hook in
// another process could miss a faster one. MoveMouseTo waits until the system reports the cursor there.
bool MoveMouseTo(POINT screen);
void Button(DWORD flag);  // one MOUSEEVENTF_ press or release
// A press or release that carries its own place. Under Wine another program can set the cursor back to the X
// pointer's old place between a move and a press.
void ButtonAt(DWORD flag, POINT screen);
void Key(WORD key, bool down);
void TypeKeys(std::initializer_list<WORD> keys);  // each pressed and released
void TypeText(const char* utf8);                  // characters, not keys
// Makes the window the foreground window, active in its thread, so that keys typed next go to it.
bool BringToFront(HWND window);

// Answers the next dialog, message box (class "#32770") or menu ("#32768") of this program from inside
// whatever modal loop shows it, once.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(HWND)> answer, const char* windowClass = "#32770");
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    const char* windowClass_;
    std::function<void(HWND)> answer_;
};

std::string WindowText(HWND window);
inline std::string DialogText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}
// What a user's click on a dialog's button does.
inline void PressButton(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}
// The first visible top-level window of the process with the class (and title).
HWND FindProcessWindow(DWORD processId, const char* className, const char* title = nullptr);
// Waits for such a window; null when none showed.
HWND WaitForWindow(DWORD processId, const char* className, const char* title = nullptr);

// VELK.exe (with Wendrix.dll) copied into a folder of its own and started there, as a user starts it; killed
// at the end if it still runs.
class Velk {
public:
    Velk();
    ~Velk();
    Velk(const Velk&) = delete;
    Velk& operator=(const Velk&) = delete;
    // Starts the program (again, once it has ended): its panel, or null; or only starts it.
    HWND Start();
    bool Launch();
    // Ends it as the user does (WM_CLOSE); its exit code, or STILL_ACTIVE.
    DWORD Close();
    // Ends it as the task manager does: nothing of it runs afterwards.
    void Kill();
    DWORD Wait(DWORD timeoutMs);
    DWORD Id() const { return process_.dwProcessId; }
    const TempFolder& Folder() const { return folder_; }
    std::string DataFile() const { return folder_.File("QXDATA.dat"); }

private:
    TempFolder folder_;
    PROCESS_INFORMATION process_ = {};
    HWND panel_ = nullptr;
};

// The panel's client point on the screen.
POINT OnScreen(HWND panel, POINT client);

}  // namespace velktest

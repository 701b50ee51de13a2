// Test helpers: waiting, files, screenshots, real input, modal answers, VELK.exe.
#include "Support.h"

#include <shellapi.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>

#include "base/UniqueHandle.h"
#include "resources/Version.h"

namespace velktest {

// The input pace, 100 ms (see Support.h).
static void Pace() {
    WaitFor([] { return false; }, 100);
}

void PumpMessages() {
    MSG message = {};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        // Wakes for a new message, or after a short while to look again.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring Wide(const char* utf8) {
    wchar_t wide[1024] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024);
    return wide;
}

std::string Sjis(const char* utf8) {
    char text[2048] = {};
    WideCharToMultiByte(932, 0, Wide(utf8).c_str(), -1, text, sizeof text, nullptr, nullptr);
    return text;
}

bool MakeShortcut(const std::wstring& link, const std::wstring& target, const std::wstring& folder,
                  const wchar_t* arguments) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return false;
    shellLink->SetPath(target.c_str());
    shellLink->SetWorkingDirectory(folder.c_str());
    shellLink->SetArguments(arguments);
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(link.c_str(), TRUE));
        file->Release();
    }
    shellLink->Release();
    return saved;
}

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    do {
        path_ = std::string(base) + "velktest-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
    } while (!CreateDirectoryA(path_.c_str(), nullptr));
}

TempFolder::~TempFolder() {
    // SHFileOperation wants a double-NUL-terminated list.
    const std::string from = path_ + '\0';
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string BuildFile(const std::string& name) {
    std::string path = "Z:" + std::string(VELK_BUILD_DIR) + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::vector<uint32_t> ScreenPixels(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width * height);
        for (uint32_t& p : pixels) p &= 0xFFFFFF;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool CaptureScreen(const RECT& rect, const std::string& pngPath) {
    std::vector<uint32_t> before, pixels = ScreenPixels(rect);
    for (int look = 0; look < 12 && (look < 3 || pixels != before); ++look) {
        WaitFor([] { return false; }, 25);
        before = std::exchange(pixels, ScreenPixels(rect));
    }
    return !pixels.empty() && WritePng(pngPath, rect.right - rect.left, rect.bottom - rect.top,
                                       reinterpret_cast<const unsigned char*>(pixels.data()));
}

bool SaveScreenshot(HWND window, const std::string& name) {
    // A window that has just shown, of any process, paints now, and reaches the screen a little later.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return false;
    const std::string folder = BuildFile("screenshots");
    CreateDirectoryA(folder.c_str(), nullptr);
    return CaptureScreen(rect, folder + "\\" + name + ".png");
}

bool MoveMouseTo(POINT p) {
    auto at = [](int x, int y) {
        return [=] {
            POINT now = {};
            return GetCursorPos(&now) && now.x == x && now.y == y;
        };
    };
    // Under Wine GetCursorPos answers from the X pointer once the position is 100 ms old, and a SetCursorPos
    // that leaves the position as it is moves nothing: step aside and back, then look again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetCursorPos(p.x + 1, p.y);
        WaitFor(at(p.x + 1, p.y), 1000);
        SetCursorPos(p.x, p.y);
        WaitFor(at(p.x, p.y), 1000);
        Pace();
        if (at(p.x, p.y)()) return true;
    }
    return false;
}

void Button(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
    Pace();
}

void ButtonAt(DWORD flag, POINT screen) {
    // Absolute coordinates span 0 to 65535 over the screen; rounded up, so that the system's scaling back
    // lands on the pixel itself.
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Pace();
}

void Key(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
    // Only the modifiers are read by the hooks from the key state; other keys reach their window in order
    // however fast they come.
    if (key == VK_CONTROL || key == VK_SHIFT || key == VK_MENU) Pace();
}

void TypeText(const char* text) {
    for (wchar_t c : Wide(text)) {
        INPUT input[2] = {};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = c;
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, input, sizeof(INPUT));
    }
    Pace();
}

void TypeKeys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        Key(key, true);
        Key(key, false);
    }
}

bool BringToFront(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return WaitFor([&] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) &&
               info.hwndActive == window;
    });
}

static ModalAnswer* current = nullptr;

ModalAnswer::ModalAnswer(std::function<void(HWND)> answer, const char* windowClass)
    : windowClass_(windowClass), answer_(std::move(answer)) {
    current = this;
    // A thread timer fires inside any modal loop of this thread.
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

ModalAnswer::~ModalAnswer() {
    if (timer_) KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK ModalAnswer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current || current->answered_) return;
    HWND shown = FindProcessWindow(GetCurrentProcessId(), current->windowClass_);
    if (!shown) return;
    current->answered_ = true;
    KillTimer(nullptr, current->timer_);
    current->timer_ = 0;
    current->answer_(shown);
}

std::string WindowText(HWND window) {
    // WM_GETTEXT reaches an edit control of another process too.
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* title) {
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, title));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title) {
    HWND window = nullptr;
    WaitFor([&] { return (window = FindProcessWindow(processId, className, title)) != nullptr; }, 20000);
    return window;
}

Velk::Velk() {
    CopyFileA(BuildFile("VELK.exe").c_str(), folder_.File("VELK.exe").c_str(), FALSE);
    CopyFileA(BuildFile("Wendrix.dll").c_str(), folder_.File("Wendrix.dll").c_str(), FALSE);
}

Velk::~Velk() {
    Kill();
    if (process_.hProcess) {
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool Velk::Launch() {
    if (process_.hProcess) {
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    process_ = {};
    STARTUPINFOA startup = {sizeof startup};
    std::string exe = folder_.File("VELK.exe"), commandLine = "\"" + exe + "\"";
    return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder_.Path().c_str(), &startup, &process_) != FALSE;
}

HWND Velk::Start() {
    return panel_ = Launch() ? WaitForWindow(process_.dwProcessId, kAppTitle, kAppTitle) : nullptr;
}

DWORD Velk::Close() {
    PostMessageA(panel_, WM_CLOSE, 0, 0);
    return Wait(20000);
}

void Velk::Kill() {
    if (!process_.hProcess || Wait(0) != STILL_ACTIVE) return;
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
}

DWORD Velk::Wait(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

POINT OnScreen(HWND panel, POINT client) {
    ClientToScreen(panel, &client);
    return client;
}

}  // namespace velktest

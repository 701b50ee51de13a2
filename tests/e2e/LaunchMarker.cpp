// The target of the launch tests: records that it started, in which folder and, after a line break, with
// which arguments if any, as started.txt in its working folder.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    HANDLE file =
        CreateFileA("started.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, folder, length, &written, nullptr);
    if (arguments[0]) {
        WriteFile(file, "\n", 1, &written, nullptr);
        WriteFile(file, arguments, lstrlenA(arguments), &written, nullptr);
    }
    CloseHandle(file);
    return 0;
}

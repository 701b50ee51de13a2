// Expands environment variables and the program's $ macros in a stored path.
#include "launchdata/PathMacros.h"

#include <windows.h>

#include <cstring>

namespace {
constexpr size_t kWorkSize = 520;

// The folder of the program's executable, without its trailing backslash.
// The cut looks for the last backslash character by character: in code page
// 932 a double-byte character's second byte may be 0x5C.
void ProgramFolder(char* folder, size_t size) {
    char module[kWorkSize] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    char* lastSlash = nullptr;
    for (char* p = module; *p; p = CharNextA(p))
        if (*p == '\\') lastSlash = p;
    if (lastSlash) *lastSlash = '\0';
    lstrcpynA(folder, module, static_cast<int>(size));
}

// The text that a macro letter stands for; false for a letter not in the table.
bool MacroText(char letter, char* text, size_t size) {
    char buffer[kWorkSize] = {};
    switch (letter) {
    case '$':
        lstrcpynA(text, "$", static_cast<int>(size));
        return true;
    case 'p':
        ProgramFolder(text, size);
        return true;
    case 'S':
        GetSystemDirectoryA(text, static_cast<UINT>(size));
        return true;
    case 'W':
        GetWindowsDirectoryA(text, static_cast<UINT>(size));
        return true;
    case 'D':
        GetSystemDirectoryA(buffer, sizeof buffer);
        lstrcpynA(text, buffer, 3);
        return true;
    case 'd':
        GetCurrentDirectoryA(sizeof buffer, buffer);
        lstrcpynA(text, buffer, 3);
        return true;
    }
    return false;
}

// Appends length bytes of text when they fit with the terminator.
bool Append(char* result, size_t size, size_t& used, const char* text, size_t length) {
    if (used + length + 1 > size) return false;
    std::memcpy(result + used, text, length);
    used += length;
    result[used] = '\0';
    return true;
}
}  // namespace

const char* ExpandPathMacros(const char* source, char* result, size_t size) {
    char work[kWorkSize] = {};
    ExpandEnvironmentStringsA(source, work, kWorkSize - 1);

    if (!std::strchr(work, '$')) {
        const size_t length = std::strlen(work);
        if (length >= size) return nullptr;
        std::memcpy(result, work, length + 1);
        return result;
    }
    if (size == 0) return nullptr;
    result[0] = '\0';
    size_t used = 0;
    // '$' (0x24) is never the second byte of a double-byte character.
    const char* rest = work;
    while (*rest) {
        const char* dollar = std::strchr(rest, '$');
        if (!dollar) return Append(result, size, used, rest, std::strlen(rest)) ? result : nullptr;
        if (!Append(result, size, used, rest, dollar - rest)) return nullptr;
        char text[kWorkSize] = {};
        if (dollar[1] == '\0' || !MacroText(dollar[1], text, sizeof text)) return nullptr;
        if (!Append(result, size, used, text, std::strlen(text))) return nullptr;
        rest = dollar + 2;
    }
    return result;
}

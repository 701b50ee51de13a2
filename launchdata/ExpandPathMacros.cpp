// Expansion of stored paths.
#include "launchdata/ExpandPathMacros.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "base/TextCut.h"

namespace {
// Appends `length` bytes of `text` if they leave room for the terminator.
bool Append(char* result, size_t size, size_t& used, const char* text, size_t length) {
    if (used + length + 1 > size) return false;
    memcpy(result + used, text, length);
    used += length;
    result[used] = '\0';
    return true;
}

// The folder of the running program, without a trailing backslash.
bool ProgramFolder(char* folder, DWORD size) {
    const DWORD length = GetModuleFileNameA(nullptr, folder, size);
    if (length == 0 || length >= size) return false;
    char* slash = const_cast<char*>(FindLastBackslash(folder));
    if (slash) *slash = '\0';
    return true;
}

// What the letter after a `$` stands for; false for an unknown letter.
bool MacroText(char letter, char* text, DWORD size) {
    UINT length = 0;
    switch (letter) {
    case '$':
        lstrcpyA(text, "$");
        return true;
    case 'p':
        return ProgramFolder(text, size);
    case 'S':
        length = GetSystemDirectoryA(text, size);
        return length > 0 && length < size;
    case 'W':
        length = GetWindowsDirectoryA(text, size);
        return length > 0 && length < size;
    case 'D':
    case 'd':
        length = letter == 'D' ? GetSystemDirectoryA(text, size) : GetCurrentDirectoryA(size, text);
        if (length == 0 || length >= size) return false;
        // The drive: its first two characters, such as C:.
        text[CutLength(text, 2)] = '\0';
        return true;
    }
    return false;
}

const char* FindDollar(const char* text) {
    for (const char* p = text; *p; ++p) {
        if (*p == '$') return p;
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) ++p;
    }
    return nullptr;
}
}  // namespace

const char* ExpandPathMacros(const char* source, char* result, size_t size) {
    if (size > 0) result[0] = '\0';
    if (!source) return nullptr;

    // The expansion may hold at most 519 bytes. The count the call reports
    // is in characters, and a double-byte character takes two bytes: the
    // work buffer has room for twice the count, so that nothing is cut, and
    // the bytes themselves are measured.
    const DWORD needed = ExpandEnvironmentStringsA(source, nullptr, 0);
    if (needed == 0) return nullptr;
    std::vector<char> expanded(2 * size_t(needed) + 2);
    const DWORD got = ExpandEnvironmentStringsA(source, expanded.data(), DWORD(expanded.size()));
    if (got == 0 || got > expanded.size() || strlen(expanded.data()) >= kExpandedPathSize) return nullptr;
    char work[kExpandedPathSize] = {};
    memcpy(work, expanded.data(), strlen(expanded.data()));

    size_t used = 0;
    const char* rest = work;
    if (!FindDollar(rest)) return Append(result, size, used, rest, strlen(rest)) ? result : nullptr;
    if (size == 0) return nullptr;

    while (*rest) {
        const char* dollar = FindDollar(rest);
        if (!dollar) return Append(result, size, used, rest, strlen(rest)) ? result : nullptr;
        if (!Append(result, size, used, rest, dollar - rest)) return nullptr;
        char macro[MAX_PATH * 2] = {};
        if (!MacroText(dollar[1], macro, sizeof macro)) return nullptr;
        if (!Append(result, size, used, macro, strlen(macro))) return nullptr;
        rest = dollar + 2;
    }
    return result;
}

bool EscapePathMacros(const char* path, char* result, size_t size) {
    if (size == 0) return false;
    size_t used = 0;
    result[0] = '\0';
    for (const char* rest = path; *rest;) {
        const char* dollar = FindDollar(rest);
        const char* end = dollar ? dollar + 1 : rest + strlen(rest);
        if (!Append(result, size, used, rest, end - rest)) return false;
        if (dollar && !Append(result, size, used, "$", 1)) return false;
        rest = end;
    }
    return true;
}

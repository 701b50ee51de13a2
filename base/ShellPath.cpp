// Converting the shell's UTF-16 paths to the ANSI code page, checked.
#include "base/ShellPath.h"

#include <cstring>

namespace {
enum class Conversion { kExact, kCharacters, kLength };

// Without WC_NO_BEST_FIT_CHARS the conversion writes é as e and reports no
// default character used: a path to Café.txt would name Cafe.txt.
Conversion Convert(const wchar_t* wide, char* out, int size) {
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) return Conversion::kCharacters;
    if (needed > size) return Conversion::kLength;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, out, size, nullptr, nullptr);
    return Conversion::kExact;
}

// Each character that converts, best fit allowed; the others left out.
void ConvertShown(const wchar_t* wide, char* out, size_t size) {
    size_t used = 0;
    for (const wchar_t* p = wide; *p;) {
        // A character beyond the basic plane is two UTF-16 units.
        const int units = IS_HIGH_SURROGATE(p[0]) && IS_LOW_SURROGATE(p[1]) ? 2 : 1;
        char bytes[8] = {};
        BOOL usedDefault = FALSE;
        const int length =
            WideCharToMultiByte(CP_ACP, 0, p, units, bytes, sizeof bytes, nullptr, &usedDefault);
        p += units;
        if (length <= 0 || usedDefault) continue;
        if (used + length + 1 > size) break;
        memcpy(out + used, bytes, length);
        used += length;
    }
    out[used] = '\0';
}
}  // namespace

ShellPath ShellPathFromWide(const wchar_t* wide) {
    ShellPath result;
    ConvertShown(wide, result.shown, sizeof result.shown);
    const Conversion whole = Convert(wide, result.path, sizeof result.path);
    if (whole == Conversion::kExact) return result;
    // The short path exists only for a file that does, and not on every
    // volume (NTFS can be set to make none).
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(wide, shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH &&
        Convert(shortPath, result.path, sizeof result.path) == Conversion::kExact)
        return result;
    result.path[0] = '\0';
    result.problem = whole == Conversion::kLength ? ShellPath::kLength : ShellPath::kCharacters;
    return result;
}

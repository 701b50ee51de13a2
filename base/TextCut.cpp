// Double-byte-safe cuts and searches.
#include "base/TextCut.h"

#include <windows.h>

namespace {
// The size of the character at `p`: 2 for a complete double-byte
// character, 0 for a lead byte at the end of the text, else 1.
size_t CharSize(const char* p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p))) return p[1] ? 2 : 0;
    return 1;
}
}  // namespace

size_t CutLength(const char* text, size_t maxBytes) {
    size_t length = 0;
    while (text[length]) {
        const size_t step = CharSize(text + length);
        if (step == 0 || length + step > maxBytes) break;
        length += step;
    }
    return length;
}

std::string CutText(const char* text, size_t maxBytes) {
    return std::string(text, CutLength(text, maxBytes));
}

void CopyCut(char* buffer, size_t size, const char* text) {
    if (size == 0) return;
    const size_t length = CutLength(text, size - 1);
    memcpy(buffer, text, length);
    buffer[length] = '\0';
}

const char* FindLastBackslash(const char* text) {
    const char* last = nullptr;
    for (const char* p = text; *p;) {
        if (*p == '\\') last = p;
        const size_t step = CharSize(p);
        p += step ? step : 1;
    }
    return last;
}

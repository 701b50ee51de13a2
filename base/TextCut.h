// Byte-limited copies of multibyte text that never split a double-byte
// character: in code page 932 many characters (ソ, 表, 能) carry 0x5C as their
// second byte, and a cut between the two bytes leaves a lone lead byte.
#pragma once

#include <cstddef>
#include <string>

// How many bytes of `text` fit in `maxBytes` without splitting a double-byte
// character; a lead byte with nothing after it is left out too.
size_t CutLength(const char* text, size_t maxBytes);
std::string CutText(const char* text, size_t maxBytes);
// Copies the cut text into `buffer` of `size` bytes (terminator included).
void CopyCut(char* buffer, size_t size, const char* text);
// The last backslash of `text` that is a character of its own, or null.
const char* FindLastBackslash(const char* text);

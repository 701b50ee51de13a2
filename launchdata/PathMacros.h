// Expands environment variables and the program's $ macros in a stored path.
#pragma once

#include <cstddef>

// Writes the expansion of source into result (size bytes, terminator
// included) and returns result, or null when a macro is unknown, a $ ends
// the text or the expansion does not fit. On failure result holds the part
// assembled so far.
const char* ExpandPathMacros(const char* source, char* result, size_t size);

// Turns a stored path into a real one: environment variables first, then the
// program's own macros $$, $p, $S, $W, $D and $d.
#pragma once

#include <cstddef>

// Size of the buffer for an expanded path.
constexpr size_t kExpandedPathSize = 520;

// Returns `result`, or null when a macro is unknown, a `$` ends the text or
// the result does not fit `size` bytes (terminator included). On failure
// `result` holds what was assembled before the failing step.
const char* ExpandPathMacros(const char* source, char* result, size_t size);

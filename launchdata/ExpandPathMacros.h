// Turns a stored path into a real one: environment variables first, then the
// program's own macros $$, $p, $S, $W, $D and $d; and a real path into one to
// store.
#pragma once

#include <cstddef>

// Size of the buffer for an expanded path.
constexpr size_t kExpandedPathSize = 520;

// Returns `result`, or null when a macro is unknown, a `$` ends the text or
// the result does not fit `size` bytes (terminator included). On failure
// `result` holds what was assembled before the failing step.
const char* ExpandPathMacros(const char* source, char* result, size_t size);

// A real path (a dropped or chosen file, a shortcut's fields) written so that
// ExpandPathMacros gives it back: each `$` doubled. False, with `result`
// cut, when that does not fit `size` bytes (terminator included).
bool EscapePathMacros(const char* path, char* result, size_t size);

#!/usr/bin/env bash
# Checks that a built binary imports only system DLLs (and, for VELK.exe,
# Wendrix.dll): the release zip must run on a bare Windows.
#   tests/check-imports.sh OBJDUMP BINARY
set -euo pipefail
allowed='^(kernel32|user32|gdi32|shell32|shlwapi|ole32|oleaut32|comdlg32|comctl32|imm32|advapi32|msvcrt|wendrix)\.dll$'
imports=$(LC_ALL=C "$1" -p "$2" | sed -n 's/^\s*DLL Name: //p')
[ -n "$imports" ] || { echo "no imports read from $2"; exit 1; }
bad=$(echo "$imports" | tr 'A-Z' 'a-z' | grep -Ev "$allowed" || true)
echo "$(basename "$2") imports: $(echo $imports)"
if [ -n "$bad" ]; then echo "not a system DLL: $bad"; exit 1; fi

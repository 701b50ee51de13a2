// Paths the shell gives in UTF-16 (dropped files, the file chooser, shortcut
// fields), turned into the ANSI code page's bytes that the rest of the
// program and its data file use.
#pragma once

#include <windows.h>

struct ShellPath {
    enum Problem {
        kNone,
        kCharacters,  // a character the code page has no byte for, and no short path
        kLength,      // longer than a path buffer, also in its short form
    };
    // The long path when it converts exactly, else the short (8.3) one when
    // that does; empty when refused. Never holds a substituted character.
    char path[MAX_PATH] = {};
    // The long path with what the code page cannot hold left out or written
    // as its nearest character: for names shown to the user, never opened.
    char shown[MAX_PATH] = {};
    Problem problem = kNone;

    bool Usable() const { return problem == kNone; }
};

ShellPath ShellPathFromWide(const wchar_t* wide);

// The message for a file from the shell whose path the program cannot store.
#include "dialogs/PathRefusal.h"

#include <cstdio>

#include "resources/Version.h"
#include "resources/resource.h"

bool TellIfRefused(HWND owner, HINSTANCE instance, const ShellPath& file) {
    if (file.Usable()) return false;
    char format[512] = {};
    LoadStringA(instance, file.problem == ShellPath::kLength ? IDS_PATH_TOO_LONG : IDS_PATH_CHARACTERS,
                format, sizeof format);
    char text[sizeof format + MAX_PATH] = {};
    snprintf(text, sizeof text, format, file.shown);
    MessageBoxA(owner, text, kAppTitle, MB_OK | MB_ICONWARNING);
    return true;
}

bool ItemFieldsOrTell(HWND owner, HINSTANCE instance, const ShellPath& file, ItemFields& fields) {
    if (TellIfRefused(owner, instance, file)) return false;
    if (ItemFieldsFromFile(file, fields)) return true;
    // With each `$` doubled for storing, it no longer fits.
    ShellPath tooLong = file;
    tooLong.problem = ShellPath::kLength;
    TellIfRefused(owner, instance, tooLong);
    return false;
}

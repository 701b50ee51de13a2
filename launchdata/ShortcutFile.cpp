// Reading shell shortcuts, and launch item fields from files.
#include "launchdata/ShortcutFile.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/ComPtr.h"
#include "base/TextCut.h"
#include "launchdata/ExpandPathMacros.h"

namespace {
// Arguments can be far longer than a path.
constexpr int kArgumentsBuffer = 1024;

// A real path as it is stored, in a field of ItemFields. With each `$`
// doubled a long path may no longer fit: its short form is stored then.
// False when neither fits (a missing file has no short form); the field is
// left empty, never holding a cut path, which could name another file
// (\\server\c$$ is the share's root) or end in a lone `$`.
bool Store(char* field, const char* path) {
    if (EscapePathMacros(path, field, MAX_PATH)) return true;
    char shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path, shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH && EscapePathMacros(shortPath, field, MAX_PATH)) return true;
    field[0] = '\0';
    return false;
}
}  // namespace

HRESULT ReadShortcut(const char* linkPath, Shortcut& shortcut) {
    ComPtr<IShellLinkW> link;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Put());
    if (FAILED(result)) return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.Put());
    if (FAILED(result)) return result;
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wide, MAX_PATH);
    wide[MAX_PATH - 1] = L'\0';
    result = file->Load(wide, STGM_READ);
    if (FAILED(result)) return result;

    // The wide fields: the ANSI ones would arrive with '?' for what the code
    // page lacks. GetPath gives S_FALSE and no path for a target that is no
    // file, such as a Control Panel item.
    WCHAR text[kArgumentsBuffer] = {};
    const bool isFile = link->GetPath(text, MAX_PATH, nullptr, SLGP_UNCPRIORITY) == S_OK && text[0];
    shortcut.target = ShellPathFromWide(text);
    text[0] = L'\0';
    result = link->GetWorkingDirectory(text, MAX_PATH);
    shortcut.workingFolder = ShellPathFromWide(text);
    text[0] = L'\0';
    link->GetArguments(text, kArgumentsBuffer);
    // The window state and "run as administrator" are the link's own
    // (IShellLink::GetShowCmd; SLDF_RUNAS_USER of IShellLinkDataList::GetFlags):
    // started directly, the target gets neither. Wine keeps neither in the
    // files it writes or reads.
    int show = SW_SHOWNORMAL;
    link->GetShowCmd(&show);
    DWORD flags = 0;
    ComPtr<IShellLinkDataList> data;
    if (SUCCEEDED(link->QueryInterface(IID_IShellLinkDataList, data.Put()))) data->GetFlags(&flags);
    shortcut.holdsMore = !isFile || text[0] || show != SW_SHOWNORMAL || (flags & SLDF_RUNAS_USER);
    return result;
}

bool ItemFieldsFromFile(const ShellPath& file, ItemFields& fields) {
    // The long name: a short path would name the item CAF_~CRT.
    CopyCut(fields.name, sizeof fields.name, file.shown);
    PathRemoveExtensionA(fields.name);
    PathStripPathA(fields.name);

    Shortcut shortcut;
    bool isShortcut = false;
    // S_FALSE (COM already started on this thread) counts as started.
    if (SUCCEEDED(CoInitialize(nullptr))) {
        isShortcut = SUCCEEDED(ReadShortcut(file.path, shortcut));
        CoUninitialize();
    }
    if (isShortcut && !shortcut.holdsMore && shortcut.target.Usable() && shortcut.workingFolder.Usable() &&
        Store(fields.target, shortcut.target.path) &&
        Store(fields.workingFolder, shortcut.workingFolder.path))
        return true;
    // The shell starts a shortcut with everything it holds.
    if (!Store(fields.target, file.path)) return false;
    char folder[MAX_PATH] = {};
    if (!isShortcut) {
        CopyCut(folder, sizeof folder, file.path);
        PathRemoveFileSpecA(folder);
    } else if (shortcut.workingFolder.Usable()) {
        CopyCut(folder, sizeof folder, shortcut.workingFolder.path);
    }
    return Store(fields.workingFolder, folder);
}

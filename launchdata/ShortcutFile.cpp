// Reading shell shortcuts, and launch item fields from files.
#include "launchdata/ShortcutFile.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/ComPtr.h"
#include "base/TextCut.h"

HRESULT ResolveShortcut(const char* linkPath, char* target, char* folder, int size,
                        WIN32_FIND_DATAA* findData) {
    ComPtr<IShellLinkA> link;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Put());
    if (FAILED(result)) return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.Put());
    if (FAILED(result)) return result;
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wide, MAX_PATH);
    wide[MAX_PATH - 1] = L'\0';
    result = file->Load(wide, STGM_READ);
    if (FAILED(result)) return result;
    link->GetPath(target, size, findData, SLGP_UNCPRIORITY);
    return link->GetWorkingDirectory(folder, size);
}

ItemFields ItemFieldsFromFile(const char* path) {
    ItemFields fields;
    CopyCut(fields.name, sizeof fields.name, path);
    PathRemoveExtensionA(fields.name);
    PathStripPathA(fields.name);

    // S_FALSE (COM already started on this thread) counts as started.
    if (SUCCEEDED(CoInitialize(nullptr))) {
        WIN32_FIND_DATAA findData = {};
        const HRESULT resolved =
            ResolveShortcut(path, fields.target, fields.workingFolder, MAX_PATH, &findData);
        CoUninitialize();
        if (SUCCEEDED(resolved)) return fields;
    }
    CopyCut(fields.target, sizeof fields.target, path);
    CopyCut(fields.workingFolder, sizeof fields.workingFolder, path);
    PathRemoveFileSpecA(fields.workingFolder);
    return fields;
}

// Reading shell shortcuts, and launch item fields from files.
#include "launchdata/ShortcutFile.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "launchdata/TextCut.h"

HRESULT ResolveShortcut(const char* linkPath, char* target, char* folder, int size,
                        WIN32_FIND_DATAA* findData) {
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    if (FAILED(result)) return result;
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(result)) {
        link->Release();
        return result;
    }
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wide, MAX_PATH);
    wide[MAX_PATH - 1] = L'\0';
    result = file->Load(wide, STGM_READ);
    if (SUCCEEDED(result)) {
        link->GetPath(target, size, findData, SLGP_UNCPRIORITY);
        result = link->GetWorkingDirectory(folder, size);
    }
    file->Release();
    link->Release();
    return result;
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

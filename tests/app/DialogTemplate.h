// Reads an extended dialog template (DLGTEMPLATEEX) out of the module's
// resources, so that tests see exactly what the resource compiler wrote.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velktest {

// A name or an ordinal, as templates store classes, texts and menus.
struct NameOrOrdinal {
    std::wstring name;
    int ordinal = 0;  // non-zero when the field holds an ordinal
};

struct TemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring className;  // predefined ordinals are turned into their class names
    NameOrOrdinal text;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    int charset = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

// The template of dialog `id` in `language`; false when there is none, it is
// not an extended template, or it is cut short.
bool ReadDialogTemplate(HMODULE module, int id, WORD language, DialogTemplate& out);

}  // namespace velktest

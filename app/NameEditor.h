// The only writer of the name editor's text: the status line and command line
// strip below the panel.
#pragma once

#include <windows.h>

class NameEditor {
public:
    NameEditor() = default;
    NameEditor(const NameEditor&) = delete;
    NameEditor& operator=(const NameEditor&) = delete;
    virtual ~NameEditor() = default;

    void Attach(HWND edit) { window = edit; }
    void ClearText();
    // Writes only a changed text, so that the strip does not flicker while the
    // status stays the same; moves the caret to the end when editable.
    void SetText(const char* text);
    void CaretToEnd();

    HWND window = nullptr;
};

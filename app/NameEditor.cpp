// The name editor's text.
#include "app/NameEditor.h"

#include <cstring>

namespace {
constexpr int kTextBufferSize = 260;
}

void NameEditor::ClearText() {
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

void NameEditor::SetText(const char* text) {
    if (!window || !text) return;
    char shown[kTextBufferSize] = {};
    SendMessageA(window, WM_GETTEXT, kTextBufferSize, reinterpret_cast<LPARAM>(shown));
    if (std::strcmp(shown, text) == 0) return;
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    if (!(GetWindowLongA(window, GWL_STYLE) & ES_READONLY)) CaretToEnd();
}

void NameEditor::CaretToEnd() {
    char shown[kTextBufferSize] = {};
    auto length = SendMessageA(window, WM_GETTEXT, kTextBufferSize, reinterpret_cast<LPARAM>(shown));
    SendMessageA(window, EM_SETSEL, length, length);
}

// The name editor as a command line: its subclass procedure, beginning and
// ending editing, and the commands Enter and ESC.
#include "app/App.h"
#include "app/NameEditor.h"
#include "base/ShellLauncher.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/ExpandPathMacros.h"
#include "panel/PinButton.h"
#include "resources/resource.h"

LRESULT App::NameEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_UP) {
            if (historyPos < history->entryCount) ++historyPos;
            nameEditor->SetText(history->Get(historyPos));
        } else if (wParam == VK_DOWN) {
            if (historyPos > 0) --historyPos;
            // At 0 there is no entry: the text stays.
            nameEditor->SetText(history->Get(historyPos));
        } else if (wParam == VK_ESCAPE) {
            // The editor has the focus, so the panel's own WM_KEYDOWN never
            // sees this ESC: the command abandons the typed text.
            SendMessageA(GetParent(window), WM_COMMAND, IDM_ESCAPE, 0);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONUP:
        // The first click on the status line only turns it into the command
        // line; the control itself does not see it.
        if (!IsEditing()) {
            SetEditing(true);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        // Over the editor the panel hears no mouse message of its own.
        OnCursorMoved(window);
        break;
    case WM_MOUSELEAVE:
        WakeTick();
        break;
    }
    return CallWindowProcA(editDefaultProc, window, message, wParam, lParam);
}

// The mode is the control's own read-only style: there is no second flag to
// disagree with it.
bool App::IsEditing() const {
    return nameEdit && !(GetWindowLongA(nameEdit, GWL_STYLE) & ES_READONLY);
}

void App::SetEditing(bool on) {
    // The mode changes the status line's part.
    WakeTick();
    if (on) {
        SetFocus(nameEdit);
        // Set while still read-only, so the caret stays where the user clicks.
        nameEditor->SetText(history->Pending());
        SendMessageA(nameEdit, EM_SETREADONLY, FALSE, 0);
        return;
    }
    SetFocus(panel);
    if (IsEditing()) history->CapturePending(nameEdit);
    SendMessageA(nameEdit, EM_SETREADONLY, TRUE, 0);
}

void App::OnEscapeCommand() {
    if (GetFocus() != nameEdit) {
        SendMessageA(panel, WM_COMMAND, IDM_TRIGGER, 0);
        return;
    }
    // The cleared text becomes the pending text: what was typed is dropped.
    historyPos = 0;
    nameEditor->ClearText();
    SetEditing(false);
}

void App::OnEnterCommand() {
    if (GetFocus() == nameEdit)
        RunTypedCommand();
    else
        SetEditing(true);
}

void App::RunTypedCommand() {
    if (history->CapturePending(nameEdit) != 0) {
        char expanded[kExpandedPathSize] = {};
        // A text whose expansion fails is not started half-expanded.
        if (ExpandPathMacros(history->Pending(), expanded, sizeof expanded)) launcher->Open(expanded, "");
    }
    SetEditing(false);
    history->CommitPending();
    ScheduleSave();
    nameEditor->ClearText();
    historyPos = 0;
    if (pinButton->state != 1) SendMessageA(panel, WM_COMMAND, IDM_TRIGGER, 0);
}

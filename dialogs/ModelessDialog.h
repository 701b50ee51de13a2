// What the four modeless dialogs share: the window they live in while they
// are open, made from their template with the plain procedure the App
// forwards through, and their closing. Each dialog is a toggle: the command
// that opens it closes it while it is open.
#pragma once

#include <windows.h>
#include <shellapi.h>

class DialogHost;

class ModelessDialog {
public:
    ModelessDialog(DialogHost& host, int templateId, DLGPROC procedure)
        : host_(host), templateId_(templateId), procedure_(procedure) {}
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;
    virtual ~ModelessDialog() = default;

    HWND Window() const { return window_; }
    bool IsOpen() const { return window_ != nullptr; }
    // Destroys the window; the panel takes the focus back.
    void Close();
    // What the dialog's plain procedure forwards.
    INT_PTR Receive(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Makes the window; WM_INITDIALOG runs inside, and the dialog may close
    // itself there.
    void Create();
    // WM_INITDIALOG, once the window shows; the system then sets the default
    // focus.
    virtual void OnInitDialog() = 0;
    // WM_COMMAND: the control's or the command's id.
    virtual void OnCommand(int id) = 0;
    // The dialog's other messages: true when it handled the message.
    virtual bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam) { return false; }

    DialogHost& host_;
    HWND window_ = nullptr;

private:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    DLGPROC procedure_;
};

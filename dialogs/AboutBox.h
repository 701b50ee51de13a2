// The About box (template 161): the program's title, the hook library's
// version as the library reports it, a copyright notice and a contact line.
#pragma once

#include <windows.h>

class DialogHost;

class AboutBox {
public:
    AboutBox(DialogHost& host, DLGPROC procedure) : host_(host), procedure_(procedure) {}
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;

    // Shows the box until OK.
    void Show();
    // What the dialog's plain procedure forwards.
    INT_PTR Receive(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnInitDialog(HWND dialog);

    DialogHost& host_;
    DLGPROC procedure_;
};

// VELK.exe started from a fresh folder of its own, as a user would start it.
#pragma once

#include <windows.h>

#include <string>

#include "TestSupport.h"

namespace velktest {

class VelkProcess {
public:
    // Copies the program (and its hook library, when built) into a new
    // temporary folder.
    VelkProcess();
    bool Start();
    // Waits for the panel window to be visible; null when it did not show.
    HWND WaitForPanel(DWORD timeoutMs = 20000);
    // Closes the panel with WM_CLOSE and returns the exit code.
    DWORD Close();
    DWORD Wait(DWORD timeoutMs) { return process_.Wait(timeoutMs); }
    ChildProcess& Process() { return process_; }
    const TempFolder& Folder() const { return folder_; }
    HWND Panel() const { return panel_; }

private:
    TempFolder folder_;
    ChildProcess process_;
    HWND panel_ = nullptr;
};

// Makes the window the foreground window and waits until its thread has it
// active, so that keys typed next go to it.
bool BringToFront(HWND window);

// One key going down or up through SendInput, paced like a person typing.
void SendKey(WORD key, bool down);

}  // namespace velktest

// Screenshots of dialogs that wait until every control has reached the screen.
#pragma once

#include <windows.h>

#include <string>

namespace velktest {

// Waits until every visible control of the dialog (of any process) shows on
// the screen, then saves what the screen shows as <build>/screenshots/<name>.png.
bool SaveDialogScreenshot(HWND dialog, const std::string& name);

}  // namespace velktest

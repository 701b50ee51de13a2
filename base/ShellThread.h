// A thread of its own for work that asks the shell, with COM initialised
// for it as the shell asks (apartment-threaded, without OLE 1 DDE).
#pragma once

#include <windows.h>

#include <functional>

// The new thread's handle, which the caller closes; null, and `work` never
// runs, when no thread could be made.
HANDLE StartShellThread(std::function<void()> work);

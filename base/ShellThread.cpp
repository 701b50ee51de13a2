// Threads that ask the shell.
#include "base/ShellThread.h"

#include <objbase.h>

#include <memory>

namespace {
DWORD WINAPI RunShellThread(void* parameter) {
    const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (*work)();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
}  // namespace

HANDLE StartShellThread(std::function<void()> work) {
    auto* parameter = new std::function<void()>(std::move(work));
    const HANDLE thread = CreateThread(nullptr, 0, RunShellThread, parameter, 0, nullptr);
    if (!thread) delete parameter;
    return thread;
}

// The shell's icons of item targets, looked up on a thread of its own so that
// the panel's thread never waits for the shell: a target on an unreachable
// network share makes a look-up wait for the network's time-out. Each answer
// is announced to a window by a posted message and taken with Take.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/UniqueHandle.h"

class IconLoader {
public:
    IconLoader() = default;
    // Asks the thread to stop after the look-up it is in; nothing waits for it.
    ~IconLoader();
    IconLoader(const IconLoader&) = delete;
    IconLoader& operator=(const IconLoader&) = delete;

    // Looks the targets up in turn, posting `message` to `window` after each.
    void Start(std::vector<std::string> targets, HWND window, UINT message);
    // The next answer: a target and its icon (null when the shell has none);
    // false when there is none yet.
    bool Take(std::string& target, UniqueIcon& icon);

private:
    struct Shared;
    static DWORD WINAPI Run(void* shared);
    std::shared_ptr<Shared> shared_;
};

// The shell's icons of item targets, looked up on a thread of its own so that
// the panel's thread never waits for the shell: a target on an unreachable
// network share makes a look-up wait for the network's time-out. The thread
// only finds where the shell keeps each icon and sends no messages, so it
// needs no window state (under Wine that is a few hundred kB); the panel takes
// the answers at its own pace and the icons are made on its thread.
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

    // Looks the targets up in turn.
    void Start(std::vector<std::string> targets);
    // The next answer: a target and its icon (null when the shell has none);
    // false when there is none yet or none to come.
    bool Take(std::string& target, UniqueIcon& icon);
    // Whether answers are still to come or to be taken.
    bool Busy() const { return shared_ != nullptr; }

private:
    struct Shared;
    // The thread's work: each target in turn until the loader ends.
    static void LookUp(Shared& shared);
    std::shared_ptr<Shared> shared_;
};

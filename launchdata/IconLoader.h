// The shell's icons of item targets, looked up on a thread of its own so that
// the panel's thread never waits for the shell: a target on an unreachable
// network share makes a look-up wait for the network's time-out. Every icon
// comes this way, the stored items' at start-up and those of the items made
// later, and only this thread touches the shell's system image list, which
// is not safe across threads: an icon copied out of it while another thread
// adds to it can come out black. The thread runs while there is work and
// ends when there is none; the panel takes the answers at its own pace.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/UniqueHandle.h"

class IconLoader {
public:
    // How a target's icon is found, on the loader's thread: a new icon owned
    // by the caller, or null when there is none. The shell's by default.
    using LookUp = std::function<HICON(const std::string& target)>;

    IconLoader();
    explicit IconLoader(LookUp lookUp);
    // Asks the thread to stop after the look-up it is in; nothing waits for it.
    ~IconLoader();
    IconLoader(const IconLoader&) = delete;
    IconLoader& operator=(const IconLoader&) = delete;

    // Looks up, in turn, each target that is not already waiting for its icon.
    void Ask(const std::vector<std::string>& targets);
    // The next answer: a target and its icon (null when there is none);
    // false when there is none yet.
    bool Take(std::string& target, UniqueIcon& icon);
    // Some target asked for has an answer still to be taken.
    bool Waiting() const;

private:
    struct Shared;
    // The thread's work: the targets in turn until none is left.
    static void Run(Shared& shared);
    std::shared_ptr<Shared> shared_;
};

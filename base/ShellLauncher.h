// Files started through the shell on a thread of its own, one after another
// in the order they were asked for, so that the thread that asks never waits
// for the shell: a target on a network share, or a program the shell has to
// ask about, can take seconds. (A 64-bit global hook reaches 32-bit programs
// through the thread that installed it: while that thread waits, so does
// every 32-bit program's input.)
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class ShellLauncher {
public:
    ShellLauncher() = default;
    // Gives what was asked for a moment to start, then leaves the thread.
    ~ShellLauncher();
    ShellLauncher(const ShellLauncher&) = delete;
    ShellLauncher& operator=(const ShellLauncher&) = delete;

    // ShellExecuteA with no owner, the default verb, no parameters and
    // SW_SHOWNORMAL; an empty folder is none. What it returns is not looked at.
    void Open(std::string file, std::string folder);

private:
    struct Shared;
    // The thread's work: the requests in turn until the launcher ends.
    static void Serve(Shared& shared);
    std::shared_ptr<Shared> shared_;
    HANDLE thread_ = nullptr;
};

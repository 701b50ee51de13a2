// Starting files through the shell off the asking thread.
#include "base/ShellLauncher.h"

#include <shellapi.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

#include "base/ShellThread.h"

namespace {
// How long the end waits for what was asked for to start.
constexpr DWORD kDrainMs = 2000;

void Execute(const std::string& file, const std::string& folder) {
    ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                  SW_SHOWNORMAL);
}
}  // namespace

// What the thread and the launcher share; it lives as long as either needs it.
struct ShellLauncher::Shared {
    std::mutex mutex;
    std::condition_variable asked;
    std::deque<std::pair<std::string, std::string>> requests;
    bool stop = false;
};

void ShellLauncher::Serve(Shared& shared) {
    std::unique_lock<std::mutex> lock(shared.mutex);
    for (;;) {
        shared.asked.wait(lock, [&] { return shared.stop || !shared.requests.empty(); });
        if (shared.requests.empty()) return;
        const auto [file, folder] = std::move(shared.requests.front());
        shared.requests.pop_front();
        lock.unlock();
        Execute(file, folder);
        lock.lock();
    }
}

ShellLauncher::~ShellLauncher() {
    if (!shared_) return;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
    }
    shared_->asked.notify_one();
    WaitForSingleObject(thread_, kDrainMs);
    CloseHandle(thread_);
}

void ShellLauncher::Open(std::string file, std::string folder) {
    if (!shared_) {
        // The thread starts with the first launch: a launcher that is never
        // used costs nothing.
        auto shared = std::make_shared<Shared>();
        thread_ = StartShellThread([shared] { Serve(*shared); });
        if (!thread_) {
            Execute(file, folder);
            return;
        }
        shared_ = std::move(shared);
    }
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->requests.emplace_back(std::move(file), std::move(folder));
    }
    shared_->asked.notify_one();
}

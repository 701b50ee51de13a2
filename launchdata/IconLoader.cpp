// Icon look-ups off the panel's thread.
#include "launchdata/IconLoader.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <utility>

#include "base/ShellThread.h"
#include "launchdata/ItemIconSource.h"

// What the thread and the loader share; it lives as long as either needs it.
struct IconLoader::Shared {
    std::vector<std::string> targets;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::deque<std::pair<std::string, ShellIconPlace>> answers;
    bool finished = false;
};

void IconLoader::LookUp(Shared& shared) {
    for (const std::string& target : shared.targets) {
        if (shared.stop) break;
        const ShellIconPlace place = FindShellIcon(target.c_str());
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.answers.emplace_back(target, place);
    }
    std::lock_guard<std::mutex> lock(shared.mutex);
    shared.finished = true;
}

IconLoader::~IconLoader() {
    if (shared_) shared_->stop = true;
}

void IconLoader::Start(std::vector<std::string> targets) {
    if (targets.empty()) return;
    shared_ = std::make_shared<Shared>();
    shared_->targets = std::move(targets);
    const HANDLE thread = StartShellThread([shared = shared_] { LookUp(*shared); });
    if (thread)
        CloseHandle(thread);
    else
        shared_.reset();
}

bool IconLoader::Take(std::string& target, UniqueIcon& icon) {
    if (!shared_) return false;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (shared_->answers.empty()) {
        // All taken: let the shared state go with the thread.
        if (shared_->finished) {
            lock.unlock();
            shared_.reset();
        }
        return false;
    }
    target = std::move(shared_->answers.front().first);
    const ShellIconPlace place = shared_->answers.front().second;
    shared_->answers.pop_front();
    lock.unlock();
    // The icon is made here, on the taker's thread.
    icon.reset(ShellIconAt(place));
    return true;
}

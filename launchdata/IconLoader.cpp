// Icon look-ups off the panel's thread.
#include "launchdata/IconLoader.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <utility>

#include "base/ShellThread.h"
#include "launchdata/ItemIconSource.h"

// What the thread and the loader share; it lives as long as either needs it.
struct IconLoader::Shared {
    LookUp lookUp;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    // The targets still to look up, the one being looked up, the answers.
    std::deque<std::string> queue;
    std::string current;
    bool running = false;
    std::deque<std::pair<std::string, UniqueIcon>> answers;
};

IconLoader::IconLoader() : IconLoader([](const std::string& target) { return ShellIconOf(target); }) {}

IconLoader::IconLoader(LookUp lookUp) : shared_(std::make_shared<Shared>()) {
    shared_->lookUp = std::move(lookUp);
}

IconLoader::~IconLoader() {
    shared_->stop = true;
}

void IconLoader::Run(Shared& shared) {
    for (;;) {
        std::string target;
        {
            std::lock_guard<std::mutex> lock(shared.mutex);
            if (shared.stop || shared.queue.empty()) {
                shared.running = false;
                return;
            }
            shared.current = std::move(shared.queue.front());
            shared.queue.pop_front();
            target = shared.current;
        }
        UniqueIcon icon(shared.lookUp(target));
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.answers.emplace_back(std::move(target), std::move(icon));
        shared.current.clear();
    }
}

void IconLoader::Ask(const std::vector<std::string>& targets) {
    Shared& shared = *shared_;
    std::lock_guard<std::mutex> lock(shared.mutex);
    auto waiting = [&](const std::string& target) {
        return (shared.running && target == shared.current) ||
               std::find(shared.queue.begin(), shared.queue.end(), target) != shared.queue.end() ||
               std::any_of(shared.answers.begin(), shared.answers.end(),
                           [&](const auto& answer) { return answer.first == target; });
    };
    for (const std::string& target : targets)
        if (!waiting(target)) shared.queue.push_back(target);
    if (shared.running || shared.queue.empty()) return;
    // One thread at a time: the image list has no other user.
    shared.running = true;
    const HANDLE thread = StartShellThread([keep = shared_] { Run(*keep); });
    if (thread) {
        CloseHandle(thread);
        return;
    }
    // Without a thread the items keep the icons they show.
    shared.running = false;
    for (std::string& target : shared.queue) shared.answers.emplace_back(std::move(target), UniqueIcon());
    shared.queue.clear();
}

bool IconLoader::Take(std::string& target, UniqueIcon& icon) {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->answers.empty()) return false;
    target = std::move(shared_->answers.front().first);
    icon = std::move(shared_->answers.front().second);
    shared_->answers.pop_front();
    return true;
}

bool IconLoader::Waiting() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->running || !shared_->queue.empty() || !shared_->answers.empty();
}

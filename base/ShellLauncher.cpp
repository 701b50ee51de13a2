// Starting files through the shell off the asking thread.
#include "base/ShellLauncher.h"

#include <objbase.h>
#include <shellapi.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

namespace {
// How long the end waits for what was asked for to start.
constexpr DWORD kDrainMs = 2000;
}  // namespace

// What the thread and the launcher share; it lives as long as either needs it.
struct ShellLauncher::Shared {
    std::mutex mutex;
    std::condition_variable asked;
    std::deque<std::pair<std::string, std::string>> requests;
    bool stop = false;
};

DWORD WINAPI ShellLauncher::Run(void* parameter) {
    const std::unique_ptr<std::shared_ptr<ShellLauncher::Shared>> owned(
        static_cast<std::shared_ptr<ShellLauncher::Shared>*>(parameter));
    ShellLauncher::Shared& shared = **owned;
    // As ShellExecute's documentation asks of the thread that calls it.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::unique_lock<std::mutex> lock(shared.mutex);
    for (;;) {
        shared.asked.wait(lock, [&] { return shared.stop || !shared.requests.empty(); });
        if (shared.requests.empty()) break;
        const auto [file, folder] = std::move(shared.requests.front());
        shared.requests.pop_front();
        lock.unlock();
        ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                      SW_SHOWNORMAL);
        lock.lock();
    }
    lock.unlock();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
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
        auto* parameter = new std::shared_ptr<Shared>(shared);
        thread_ = CreateThread(nullptr, 0, Run, parameter, 0, nullptr);
        if (!thread_) {
            delete parameter;
            ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                          SW_SHOWNORMAL);
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

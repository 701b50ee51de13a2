// Writing the data file off the panel's thread, with retries.
#include "launchdata/DataFileWriter.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "base/TextCut.h"
#include "base/UniqueHandle.h"
#include "launchdata/ExpandPathMacros.h"

namespace {
constexpr char kTempExtension[] = ".tmp";
constexpr char kAsideSuffix[] = ".bak";
// The wait after a failed save doubles up to this.
constexpr DWORD kLongestRetryMs = 60000;
// How long the end waits for the thread's current write.
constexpr DWORD kStopWaitMs = 5000;

// The file the new data is written to first, beside the data file: its name
// with the extension ".tmp" in place of its own ("QXDATA.tmp"), so that it
// is no longer than the data file's and fits wherever that fits.
std::string TempPathFor(const char* path) {
    std::string temp = path;
    const char* slash = FindLastBackslash(path);
    const size_t nameStart = slash ? size_t(slash - path) + 1 : 0;
    // A '.' is never the second byte of a double-byte character.
    const size_t dot = temp.rfind('.');
    if (dot != std::string::npos && dot >= nameStart) temp.erase(dot);
    return temp + kTempExtension;
}

bool IsFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteWhole(const char* path, const std::string& bytes) {
    UniqueFile file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.get());
}
}  // namespace

DWORD DataFileWriter::noticeAfterMs = 3000;
DWORD DataFileWriter::firstRetryMs = 1000;

// What the thread and the writer share; it lives as long as either needs it.
struct DataFileWriter::Shared {
    std::string path;
    HWND notify = nullptr;
    UINT message = 0;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable flushed;
    // The bytes not yet written, and the number of the last hand-over.
    std::string bytes;
    bool pending = false;
    bool keepAside = false;
    unsigned handedOver = 0;
    // Flushes asked for, and the last one whose try is over.
    unsigned flushAsked = 0;
    unsigned flushDone = 0;
    bool stop = false;
};

DataFileWriter::DataFileWriter(const char* path, HWND notify, UINT message)
    : shared_(std::make_shared<Shared>()) {
    char expanded[kExpandedPathSize] = {};
    // A path that does not expand makes every save fail, and says so.
    if (path && ExpandPathMacros(path, expanded, sizeof expanded)) shared_->path = expanded;
    shared_->notify = notify;
    shared_->message = message;
    auto* parameter = new std::shared_ptr<Shared>(shared_);
    thread_ = CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            const std::unique_ptr<std::shared_ptr<Shared>> shared(static_cast<std::shared_ptr<Shared>*>(p));
            Serve(**shared);
            return 0;
        },
        parameter, 0, nullptr);
    if (!thread_) delete parameter;
}

DataFileWriter::~DataFileWriter() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
    }
    shared_->wake.notify_one();
    if (!thread_) return;
    // A disk that hangs does not keep the program from ending; the data
    // file then stays as it was.
    WaitForSingleObject(thread_, kStopWaitMs);
    CloseHandle(thread_);
}

void DataFileWriter::Write(std::string bytes, bool keepOldAside) {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->bytes = std::move(bytes);
        shared_->pending = true;
        shared_->keepAside = shared_->keepAside || keepOldAside;
        ++shared_->handedOver;
    }
    shared_->wake.notify_one();
    // Without a thread the save is made here.
    if (!thread_) Flush(0);
}

bool DataFileWriter::Flush(DWORD timeoutMs) {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (!thread_) {
        if (shared_->pending && WriteNow(shared_->path.c_str(), shared_->bytes, shared_->keepAside))
            shared_->pending = shared_->keepAside = false;
        return !shared_->pending;
    }
    const unsigned flush = ++shared_->flushAsked;
    shared_->wake.notify_one();
    shared_->flushed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return shared_->flushDone >= flush; });
    return !shared_->pending;
}

void DataFileWriter::Serve(Shared& shared) {
    std::unique_lock<std::mutex> lock(shared.mutex);
    // While saves fail: when the streak began (0: they do not), the wait
    // before the next try and its end, and whether the user has been told.
    ULONGLONG failingSince = 0;
    DWORD retryMs = 0;
    ULONGLONG retryAt = 0;
    bool told = false;
    for (;;) {
        if (!shared.pending) {
            shared.flushDone = shared.flushAsked;
            shared.flushed.notify_all();
        }
        // The end takes one more try only for bytes that have not failed yet;
        // a failing save had its last try from the flush before it.
        if (shared.stop && (!shared.pending || failingSince)) return;
        const bool flushing = shared.flushAsked != shared.flushDone;
        const ULONGLONG now = GetTickCount64();
        if (!shared.pending || !(flushing || shared.stop || now >= retryAt)) {
            // Idle, or waiting out the delay after a failure: new bytes do
            // not cut the delay short, a flush or the end does.
            const auto woken = [&] {
                return shared.stop || shared.flushAsked != shared.flushDone ||
                       (shared.pending && GetTickCount64() >= retryAt);
            };
            if (shared.pending)
                shared.wake.wait_for(lock, std::chrono::milliseconds(retryAt - now), woken);
            else
                shared.wake.wait(lock, woken);
            continue;
        }
        const std::string bytes = shared.bytes;
        const bool keepAside = shared.keepAside;
        const unsigned handedOver = shared.handedOver;
        const unsigned flush = shared.flushAsked;
        lock.unlock();
        const bool saved = WriteNow(shared.path.c_str(), bytes, keepAside);
        lock.lock();
        if (saved) {
            if (shared.handedOver == handedOver) shared.pending = false;
            if (keepAside) shared.keepAside = false;
            failingSince = retryAt = 0;
            retryMs = 0;
            told = false;
            continue;
        }
        const ULONGLONG failedAt = GetTickCount64();
        if (!failingSince) failingSince = failedAt;
        retryMs = std::min(retryMs ? 2 * retryMs : DataFileWriter::firstRetryMs, kLongestRetryMs);
        retryAt = failedAt + retryMs;
        if (!told && failedAt - failingSince >= DataFileWriter::noticeAfterMs && shared.notify) {
            PostMessageA(shared.notify, shared.message, 0, 0);
            told = true;
        }
        // The flush's try is over.
        shared.flushDone = flush;
        shared.flushed.notify_all();
    }
}

bool DataFileWriter::WriteNow(const char* expandedPath, const std::string& bytes, bool keepOldAside) {
    if (!expandedPath || !*expandedPath) return false;
    // The new file is complete on disk before it replaces the old one.
    const std::string temp = TempPathFor(expandedPath);
    if (!WriteWhole(temp.c_str(), bytes)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    if (keepOldAside && IsFile(expandedPath)) {
        const std::string aside = std::string(expandedPath) + kAsideSuffix;
        if (!CopyFileA(expandedPath, aside.c_str(), FALSE)) {
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    if (!MoveFileExA(temp.c_str(), expandedPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    return true;
}

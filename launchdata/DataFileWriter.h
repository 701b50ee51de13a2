// The data file written on a thread of its own, one save at a time: a
// temporary file beside it, the old file copied aside when asked, then the
// replace, flushed to the disk. The panel's thread only hands over the bytes,
// so it never waits for the disk (a 64-bit global hook reaches 32-bit
// programs through the thread that installed it: while that thread waits,
// so does their input). A save that fails stays pending and is tried again,
// after 1, 2, 4 ... seconds, at most a minute apart.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class DataFileWriter {
public:
    // `path` may hold macros. When saves have kept failing for a few seconds,
    // `message` is posted to `notify` once for that streak of failures.
    DataFileWriter(const char* path, HWND notify, UINT message);
    // Stops the thread once its current write is done.
    ~DataFileWriter();
    DataFileWriter(const DataFileWriter&) = delete;
    DataFileWriter& operator=(const DataFileWriter&) = delete;

    // The newest bytes replace any that are not written yet. With
    // `keepOldAside` the file there now is copied to ".bak" before the first
    // replace that succeeds.
    void Write(std::string bytes, bool keepOldAside);
    // The bytes handed over are written now: a save that keeps failing is
    // tried once more at once. Waits for that at most `timeoutMs`; true when
    // everything handed over is on the disk.
    bool Flush(DWORD timeoutMs);

    // One save, on the calling thread: the temporary file, the copy aside,
    // the replace. False leaves the data file as it was.
    static bool WriteNow(const char* expandedPath, const std::string& bytes, bool keepOldAside);

    // How long saves keep failing before `message` is posted, and the wait before the first retry, which
    // doubles with each further failure up to a minute (tests shorten both).
    static DWORD noticeAfterMs, firstRetryMs;

private:
    struct Shared;
    static void Serve(Shared& shared);
    std::shared_ptr<Shared> shared_;
    HANDLE thread_ = nullptr;
};

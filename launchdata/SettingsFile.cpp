// The data file's bytes, read and built: the 16-byte header, the history
// texts oldest first, then every set's name and its slot records (name, target,
// working folder), all texts NUL-terminated.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/TextCut.h"
#include "base/UniqueHandle.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/LaunchItem.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/LaunchSetName.h"
#include "launchdata/Settings.h"

namespace {
constexpr char kNoName[] = "No Name";
// How often a file that another program holds is tried meanwhile.
constexpr DWORD kHeldRetryMs = 100;
// No real data file comes near this; a larger one is not read into memory.
constexpr DWORD kLargestFile = 64u * 1024 * 1024;

// Hands out the body's texts in order; never looks past the bytes read.
class BodyReader {
public:
    BodyReader(const char* begin, const char* end) : next_(begin), end_(end) {}
    // The next text, or null once a text has no terminator within the body.
    const char* Next() {
        if (cut_) return nullptr;
        // An empty body may have no bytes at all to look at.
        const void* nul = next_ < end_ ? memchr(next_, 0, end_ - next_) : nullptr;
        if (!nul) {
            cut_ = true;
            return nullptr;
        }
        const char* text = next_;
        next_ = static_cast<const char*>(nul) + 1;
        return text;
    }
    bool Cut() const { return cut_; }

private:
    const char* next_;
    const char* end_;
    bool cut_ = false;
};

bool IsFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void AppendText(std::string& out, const char* text) {
    if (text) out += text;
    out += '\0';
}

// One try at the whole file: ERROR_SUCCESS, or why not. Every sharing mode
// is allowed, so that a reader, a writer or a sync client beside us does not
// stop us.
DWORD ReadOnce(const char* path, std::string& bytes) {
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    DWORD high = 0;
    const DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > kLargestFile) return ERROR_FILE_TOO_LARGE;
    bytes.assign(size, '\0');
    DWORD got = 0;
    if (size && !ReadFile(file.get(), &bytes[0], size, &got, nullptr)) return GetLastError();
    // A writer beside us may have cut it meanwhile.
    bytes.resize(got);
    return ERROR_SUCCESS;
}

// The whole file into `bytes`: true when read. A file held open without
// sharing, or locked, by another program (a backup, a virus scanner, a sync
// client at log-on) is usually free again within moments.
bool ReadWhole(const char* path, std::string& bytes) {
    const ULONGLONG giveUp = GetTickCount64() + Settings::heldWaitMs;
    for (;;) {
        const DWORD error = ReadOnce(path, bytes);
        if (error == ERROR_SUCCESS) return true;
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!held || GetTickCount64() >= giveUp) return false;
        Sleep(kHeldRetryMs);
    }
}
}  // namespace

uint32_t Settings::heldWaitMs = 2000;

bool Settings::Load(const char* path, CommandHistory* history, LaunchSetList* sets) {
    char expanded[kExpandedPathSize] = {};
    std::string bytes;
    if (path && ExpandPathMacros(path, expanded, sizeof expanded) && ReadWhole(expanded, bytes))
        return LoadBytes(bytes, history, sets);
    // A file that is there but cannot be read is still the user's data:
    // nothing is written over it. Whatever file a save finds there otherwise,
    // even one that came only after this load (a backup put back, a sync
    // client's), is kept aside first; with no file there, nothing is copied.
    unreadable = IsFile(expanded);
    keepAside = !unreadable;
    lastSaved.clear();
    return false;
}

bool Settings::LoadBytes(const std::string& bytes, CommandHistory* history, LaunchSetList* sets) {
    // Bytes refused or read in part are kept aside; whole ones are not (below).
    keepAside = true;
    unreadable = false;
    lastSaved.clear();
    if (!history || !sets || bytes.size() < kHeaderSize) return false;
    ReadHeader(reinterpret_cast<const unsigned char*>(bytes.data()));
    if (setCount == 0) return false;
    // The body is read from the header's offset, as many bytes as follow the
    // header, as far as the file goes.
    const std::string body =
        bytes.substr(std::min<size_t>(dataOffset, bytes.size()), bytes.size() - kHeaderSize);

    triggerKeys = TriggerKeysFromFlags(flags, GetSystemMetrics(SM_CMOUSEBUTTONS));

    BodyReader reader(body.data(), body.data() + body.size());
    for (unsigned h = 0; h < historyCount; ++h) {
        const char* text = reader.Next();
        if (!text) break;
        history->Add(text);
    }
    for (unsigned j = 0; j < setCount && !reader.Cut(); ++j) {
        const char* name = reader.Next();
        if (!name) break;
        // Sets beyond the list's room are read over and dropped. A name that
        // is only a lone lead byte is as empty as none.
        const bool added =
            sets->AddSet(CutLength(name, LaunchSetName::kLimit) > 0 ? name : kNoName, slotsPerSet);
        const uint16_t set = static_cast<uint16_t>(sets->count - 1);
        for (unsigned g = 0; g < slotsPerSet; ++g) {
            const char* itemName = reader.Next();
            const char* target = reader.Next();
            const char* workingFolder = reader.Next();
            if (!workingFolder) break;
            // An empty name is an empty slot, and so is a lone lead byte. The
            // target is taken as it is kept: a cut that splits a macro ("$W")
            // leaves one that no longer expands.
            const std::string keptTarget = CutText(target, kItemTextLimit);
            if (added && CutLength(itemName, kItemTextLimit) > 0)
                sets->CreateItem(set, static_cast<uint16_t>(g), itemName, keptTarget.c_str(), workingFolder,
                                 ItemPlacement::Replace);
        }
    }
    if (sets->count == 0) return false;
    // Whatever a save would not write back (a body cut short, a refused item,
    // a dropped set or history text, a text cut to its limit, a header field
    // the save sets as it writes them) is only in the file: it is kept aside.
    // When the body was kept whole, the file as a save would write it counts
    // as saved, so that it is rewritten only for a change.
    const bool bodyWhole = dataOffset == kHeaderSize && BuildBody(history, sets) == body;
    const std::string rebuilt = BuildBytes(history, sets, (flags & kPinned) ? 1 : 0, triggerKeys);
    keepAside = rebuilt != bytes;
    if (bodyWhole) lastSaved = rebuilt;
    return true;
}

std::string Settings::BuildBody(const CommandHistory* history, const LaunchSetList* sets) {
    std::string bytes;
    for (int k = history->entryCount; k >= 1; --k) AppendText(bytes, history->Get(k));
    for (uint16_t s = 0; s < sets->count; ++s) {
        AppendText(bytes, sets->GetSetName(s));
        for (uint16_t i = 0; i < kSlotsPerSet; ++i) {
            const LaunchItemInfo info = sets->GetItemInfo(s, i);
            AppendText(bytes, info.name);
            AppendText(bytes, info.target);
            AppendText(bytes, info.workingFolder);
        }
    }
    return bytes;
}

std::string Settings::BuildBytes(const CommandHistory* history, const LaunchSetList* sets, int pinState,
                                 uint8_t hookKey) {
    memcpy(magic, "QX", 2);
    version = 1;
    dataOffset = kHeaderSize;
    flags = static_cast<uint8_t>((flags & (kWallpaperFill | kWallpaperOn)) | FlagsFromHookKey(hookKey) |
                                 (pinState == 1 ? kPinned : 0));
    reserved1 = 0;
    historyCount = static_cast<uint8_t>(history->entryCount);
    setCount = static_cast<uint8_t>(sets->count);
    slotsPerSet = kSlotsPerSet;
    reserved2 = 0;
    std::string bytes(kHeaderSize, '\0');
    WriteHeader(reinterpret_cast<unsigned char*>(&bytes[0]));
    return bytes + BuildBody(history, sets);
}

bool Settings::TakeSave(const CommandHistory* history, const LaunchSetList* sets, int pinState,
                        uint8_t hookKey, std::string& bytes, bool& keepOldAside) {
    if (unreadable || !history || !sets) return false;
    bytes = BuildBytes(history, sets, pinState, hookKey);
    if (bytes == lastSaved) return false;
    lastSaved = bytes;
    keepOldAside = keepAside;
    keepAside = false;
    return true;
}

// Reading and writing the data file: the 16-byte header, the history texts
// oldest first, then every set's name and its slot records (name, target,
// working folder), all texts NUL-terminated.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

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
constexpr char kTempExtension[] = ".tmp";
constexpr char kAsideSuffix[] = ".bak";
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

void AppendText(std::string& out, const char* text) {
    if (text) out += text;
    out += '\0';
}

bool WriteWhole(const char* path, const std::string& bytes) {
    UniqueFile file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file.get());
    return ok;
}
}  // namespace

bool Settings::Load(const char* path, CommandHistory* history, LaunchSetList* sets) {
    keepAside = false;
    if (!path || !history || !sets) return false;
    char expanded[kExpandedPathSize] = {};
    if (!ExpandPathMacros(path, expanded, sizeof expanded)) return false;

    UniqueFile file(
        CreateFileA(expanded, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        // A file that is there but cannot be read is still the user's data.
        keepAside = IsFile(expanded);
        return false;
    }
    // From here on a refusal is of a file that exists: it is kept aside.
    keepAside = true;
    DWORD high = 0;
    const DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > kLargestFile) return false;
    std::vector<char> bytes(size);
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), size, &got, nullptr)) return false;
    file.reset();
    return LoadBytes(bytes.data(), got, history, sets);
}

bool Settings::LoadBytes(const char* bytes, size_t size, CommandHistory* history, LaunchSetList* sets) {
    keepAside = true;
    if (!bytes || !history || !sets || size < kHeaderSize) return false;
    ReadHeader(reinterpret_cast<const unsigned char*>(bytes));
    if (setCount == 0) return false;

    // The body is read from the header's offset, as many bytes as follow
    // the header, as far as the file goes.
    const size_t start = std::min<size_t>(dataOffset, size);
    const size_t length = std::min(size - start, size - kHeaderSize);

    triggerKeys = TriggerKeysFromFlags(flags, GetSystemMetrics(SM_CMOUSEBUTTONS));

    BodyReader reader(bytes + start, bytes + start + length);
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
    // A body cut short keeps what was read whole; the file itself is kept aside.
    keepAside = reader.Cut() || sets->count == 0;
    return sets->count > 0;
}

std::string Settings::SaveBytes(const CommandHistory* history, const LaunchSetList* sets, int pinState,
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
    for (int k = historyCount; k >= 1; --k) AppendText(bytes, history->Get(k));
    for (uint16_t s = 0; s < setCount; ++s) {
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

bool Settings::Save(const char* path, const CommandHistory* history, const LaunchSetList* sets, int pinState,
                    uint8_t hookKey, bool onlyIfChanged) {
    if (!history || !sets) return false;
    std::string bytes = SaveBytes(history, sets, pinState, hookKey);
    char expanded[kExpandedPathSize] = {};
    if (!path || !ExpandPathMacros(path, expanded, sizeof expanded)) return false;

    if (onlyIfChanged && bytes == lastSaved) return true;

    // The new file is complete on disk before it replaces the old one.
    const std::string temp = TempPathFor(expanded);
    if (!WriteWhole(temp.c_str(), bytes)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    if (keepAside && IsFile(expanded)) {
        const std::string aside = std::string(expanded) + kAsideSuffix;
        if (!CopyFileA(expanded, aside.c_str(), FALSE)) {
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    if (!MoveFileExA(temp.c_str(), expanded, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    keepAside = false;
    lastSaved = std::move(bytes);
    return true;
}

// The persisted settings: the data file's 16-byte header record, and the
// reading and writing of the whole data file (settings, command history and
// launch sets).
#pragma once

#include <cstdint>
#include <string>

#include "base/BaseObject.h"

class CommandHistory;
class LaunchSetList;

class Settings : public BaseObject {
public:
    // Bits of `flags`.
    static constexpr uint8_t kTriggerShift = 0x01;
    static constexpr uint8_t kTriggerAlt = 0x02;
    static constexpr uint8_t kTriggerCtrl = 0x04;
    static constexpr uint8_t kTriggerMiddleButton = 0x08;
    static constexpr uint8_t kPinned = 0x10;
    static constexpr uint8_t kWallpaperFill = 0x20;
    static constexpr uint8_t kWallpaperOn = 0x40;

    static constexpr int kHeaderSize = 16;

    Settings();

    // Reads the data file into the settings, the history and the (empty)
    // set list. False when there is no usable file: none there, a header cut
    // short or no sets. A body cut short keeps what was read whole. Another
    // program that holds the file open or locked is waited for a moment; a
    // file that still cannot be read sets `unreadable`.
    bool Load(const char* path, CommandHistory* history, LaunchSetList* sets);
    // Reads a data file's bytes as Load reads the file's.
    bool LoadBytes(const std::string& bytes, CommandHistory* history, LaunchSetList* sets);
    // The data file's bytes for this state, with the header fields filled as
    // stored. `pinState` is the pin's (1 pinned) and `hookKey` the hook
    // library's current key mask (its kHookKey bits).
    std::string BuildBytes(const CommandHistory* history, const LaunchSetList* sets, int pinState,
                           uint8_t hookKey);
    // What a save has to write for this state, for the data file's writer:
    // false when nothing, because the bytes are the ones last handed over or
    // loaded, or because the file is `unreadable`. Otherwise `bytes` and
    // whether to keep the old file aside first; from then on they count as
    // saved, and keeping aside is the writer's.
    bool TakeSave(const CommandHistory* history, const LaunchSetList* sets, int pinState, uint8_t hookKey,
                  std::string& bytes, bool& keepOldAside);

    // The hook library's key mask (kHookKey bits) for the trigger bits of
    // `storedFlags`; a mouse without a middle button gets CTRL+ALT in its place.
    static uint8_t TriggerKeysFromFlags(uint8_t storedFlags, int mouseButtons);
    static uint8_t FlagsFromHookKey(uint8_t hookKey);
    // How long a data file that another program holds is waited for at the
    // load (tests shorten it).
    static uint32_t heldWaitMs;

    // The header, in file order.
    char magic[2] = {};
    uint16_t version = 0;
    uint16_t dataOffset = 0;
    uint8_t flags = 0;
    uint8_t reserved1 = 0;
    uint8_t alpha = 100;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t historyCount = 0;
    uint8_t setCount = 0;
    uint8_t slotsPerSet = 0;
    uint8_t reserved2 = 0;
    // Not stored.
    char wallpaperPath[260] = {};
    uint8_t triggerKeys = 0;
    // The file that Load found held more than it kept (cut short, refused,
    // with texts, items or sets dropped, or header fields a save changes),
    // or none: it is copied aside (".bak") before the first save replaces
    // it, so nothing is lost, also a file put there after the start.
    bool keepAside = false;
    // The file is there but could not be read (another program holds it,
    // reading it is not allowed, or it is far too large): it is the user's data, and nothing is
    // written over it in this session.
    bool unreadable = false;
    // The bytes last handed to the writer, or after a Load that kept the
    // whole body, the file as a save writes it: the same bytes are not
    // written again.
    std::string lastSaved;

private:
    void ReadHeader(const unsigned char* bytes);
    void WriteHeader(unsigned char* bytes) const;
    // The body as a save writes it: the history oldest first, then the sets.
    static std::string BuildBody(const CommandHistory* history, const LaunchSetList* sets);
};

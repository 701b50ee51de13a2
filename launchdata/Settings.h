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
    // set list. False when there is no usable file: nothing to open, a
    // header cut short or no sets. A body cut short keeps what was read whole.
    bool Load(const char* path, CommandHistory* history, LaunchSetList* sets);
    // Reads a data file's bytes as Load reads the file's.
    bool LoadBytes(const char* bytes, size_t size, CommandHistory* history, LaunchSetList* sets);
    // Writes the data file through a temporary file that then replaces it,
    // so a failed save leaves the old file as it was. `pinState` is the pin's
    // (1 pinned) and `hookKey` the hook library's current key mask (its
    // kHookKey bits). With `onlyIfChanged`, bytes equal to what the last
    // save wrote are not written again.
    bool Save(const char* path, const CommandHistory* history, const LaunchSetList* sets, int pinState,
              uint8_t hookKey, bool onlyIfChanged = false);
    // The bytes Save writes, with the header fields set to what they hold.
    std::string SaveBytes(const CommandHistory* history, const LaunchSetList* sets, int pinState,
                          uint8_t hookKey);

    // The hook library's key mask (kHookKey bits) for the trigger bits of
    // `storedFlags`; a mouse without a middle button gets CTRL+ALT in its place.
    static uint8_t TriggerKeysFromFlags(uint8_t storedFlags, int mouseButtons);
    static uint8_t FlagsFromHookKey(uint8_t hookKey);

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
    // The file that Load found could not be used whole: it is copied aside
    // (".bak") before the first save replaces it, so nothing is lost.
    bool keepAside = false;
    // The bytes of the last successful save.
    std::string lastSaved;

private:
    void ReadHeader(const unsigned char* bytes);
    void WriteHeader(unsigned char* bytes) const;
};

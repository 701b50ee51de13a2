// The settings record: its defaults, the header bytes and the trigger keys.
#include "launchdata/Settings.h"

#include <windows.h>

#include <cstring>

#include "hooklib/Wendrix.h"

Settings::Settings() {
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    red = GetRValue(desktop);
    green = GetGValue(desktop);
    blue = GetBValue(desktop);
}

uint8_t Settings::TriggerKeysFromFlags(uint8_t storedFlags, int mouseButtons) {
    uint8_t keys = 0;
    if (storedFlags & kTriggerShift) keys |= kHookKeyShift;
    if (storedFlags & kTriggerAlt) keys |= kHookKeyAlt;
    if (storedFlags & kTriggerCtrl) keys |= kHookKeyCtrl;
    if (storedFlags & kTriggerMiddleButton) keys |= kHookKeyMiddle;
    if (mouseButtons < 3 && (keys & kHookKeyMiddle)) {
        keys &= ~kHookKeyMiddle;
        if (keys == 0) keys = kHookKeyCtrl | kHookKeyAlt;
    }
    return keys;
}

uint8_t Settings::FlagsFromHookKey(uint8_t hookKey) {
    uint8_t bits = 0;
    if (hookKey & kHookKeyShift) bits |= kTriggerShift;
    if (hookKey & kHookKeyAlt) bits |= kTriggerAlt;
    if (hookKey & kHookKeyCtrl) bits |= kTriggerCtrl;
    if (hookKey & kHookKeyMiddle) bits |= kTriggerMiddleButton;
    return bits;
}

void Settings::ReadHeader(const unsigned char* bytes) {
    memcpy(magic, bytes, 2);
    version = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
    dataOffset = static_cast<uint16_t>(bytes[4] | bytes[5] << 8);
    flags = bytes[6];
    reserved1 = bytes[7];
    alpha = bytes[8];
    red = bytes[9];
    green = bytes[10];
    blue = bytes[11];
    historyCount = bytes[12];
    setCount = bytes[13];
    slotsPerSet = bytes[14];
    reserved2 = bytes[15];
}

void Settings::WriteHeader(unsigned char* bytes) const {
    memcpy(bytes, magic, 2);
    bytes[2] = static_cast<unsigned char>(version & 0xFF);
    bytes[3] = static_cast<unsigned char>(version >> 8);
    bytes[4] = static_cast<unsigned char>(dataOffset & 0xFF);
    bytes[5] = static_cast<unsigned char>(dataOffset >> 8);
    bytes[6] = flags;
    bytes[7] = reserved1;
    bytes[8] = alpha;
    bytes[9] = red;
    bytes[10] = green;
    bytes[11] = blue;
    bytes[12] = historyCount;
    bytes[13] = setCount;
    bytes[14] = slotsPerSet;
    bytes[15] = reserved2;
}

// The persisted settings: the data file's header record.
#pragma once

#include <cstdint>

#include "app/BaseObject.h"

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

    uint8_t flags = 0;
    uint8_t alpha = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// The wallpaper colour: 0x02RRGGBB, the byte order of a 32-bit pixel.
#pragma once

#include <cstdint>

using PackedColor = uint32_t;

// The constant that marks a packed colour in its top byte.
constexpr PackedColor kPackedColorTag = 0x02000000;
// The X byte that the scaler and the blender write into every pixel.
constexpr uint32_t kOpaqueX = 0xFF000000;
constexpr uint32_t kColorBits = 0x00FFFFFF;

constexpr PackedColor MakePackedColor(uint8_t red, uint8_t green, uint8_t blue) {
    return kPackedColorTag | uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
}

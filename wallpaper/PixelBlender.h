// Mixes every pixel of a picture with a colour by a percentage.
#pragma once

#include <cstdint>

#include "wallpaper/PackedColor.h"

class PixelBlender {
public:
    PixelBlender() = default;
    virtual ~PixelBlender() = default;

    // alpha is the picture's share in percent: 100 or more leaves the pixels
    // alone, 0 or less makes them the colour.
    void Blend(uint32_t* pixels, PackedColor color, uint32_t count, int32_t alpha) const;
};

// Resamples a 32-bit bottom-up picture by exact area averaging, stretched to
// the target or fitted inside it on bands of a colour.
#pragma once

#include <cstdint>
#include <memory>

#include "wallpaper/PackedColor.h"

using PixelImage = std::unique_ptr<uint32_t[]>;

// A picture fitted into a target with its aspect ratio kept.
struct FittedSize {
    uint32_t width;
    uint32_t height;
    // Relatively wider than the target (sh / sw < th / tw, exactly): the
    // picture takes the target's whole width, with bands above and below;
    // otherwise its whole height, with bands left and right.
    bool wider;
};
// The other side is rounded to the nearest pixel, halves upward. The scaler
// and the wallpaper dialog's preview fit pictures by this one rule.
FittedSize FitInto(uint32_t sourceWidth, uint32_t sourceHeight, uint32_t targetWidth, uint32_t targetHeight);

class ImageScaler {
public:
    ImageScaler() = default;
    virtual ~ImageScaler() = default;

    // A new tw0 x th0 image, or null when source is null, a size is 0 or the
    // fitted picture would be 0 pixels wide or high, or memory runs out.
    // fill 1 stretches; fill 0 keeps the aspect ratio on bands of color.
    PixelImage Scale(const uint32_t* source, int sourceWidth, int sourceHeight, int targetWidth,
                     int targetHeight, uint8_t fill, PackedColor color) const;

    int32_t Gcd(int32_t a, int32_t b) const;
    int32_t Lcm(int32_t a, int32_t b) const;
};

// A new image of count pixels, or null when memory runs out.
PixelImage AllocatePixels(size_t count);

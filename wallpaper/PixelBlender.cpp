// Mixes every pixel of a picture with a colour by a percentage.
#include "wallpaper/PixelBlender.h"

namespace {
constexpr int32_t kWhole = 100;

uint32_t MixChannel(uint32_t pixel, uint32_t color, int shift, uint32_t alpha) {
    const uint32_t p = (pixel >> shift) & 0xFF;
    const uint32_t c = (color >> shift) & 0xFF;
    return ((p * alpha + c * (kWhole - alpha)) / kWhole) << shift;
}
}  // namespace

void PixelBlender::Blend(uint32_t* pixels, PackedColor color, uint32_t count, int32_t alpha) const {
    if (alpha >= kWhole || !pixels) return;
    if (alpha <= 0) {
        const uint32_t plain = (color & kColorBits) | kOpaqueX;
        for (uint32_t i = 0; i < count; ++i) pixels[i] = plain;
        return;
    }
    const uint32_t share = static_cast<uint32_t>(alpha);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i];
        pixels[i] = kOpaqueX | MixChannel(p, color, 16, share) | MixChannel(p, color, 8, share) |
                    MixChannel(p, color, 0, share);
    }
}

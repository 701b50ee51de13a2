// Exact area averaging on the common integer grid of source and target.
//
// Along one axis the grid has lcm(source, target) units, so every source and
// every target pixel edge lies on a whole unit. The weight of a source pixel
// in a target pixel is the product of its horizontal and vertical overlaps,
// which lets the sums run one axis at a time: each source row is first
// reduced to target columns, then the reduced rows are summed per target row.
// The grid itself is never materialised, only the overlap lengths.
#include "wallpaper/ImageScaler.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {
// Sizes are 16-bit.
uint32_t Size16(int size) {
    return static_cast<uint16_t>(size);
}

uint64_t Gcd64(uint64_t a, uint64_t b) {
    while (b != 0) a = std::exchange(b, a % b);
    return a;
}

// For every target index along one axis: the first source index it meets and
// the overlap lengths of the source pixels from there on.
struct AxisWeights {
    std::vector<uint32_t> first;
    std::vector<uint32_t> offset;  // target t's weights are [offset[t], offset[t + 1])
    std::vector<uint32_t> weights;
    uint64_t unitsPerTarget = 0;
};

AxisWeights MakeAxis(uint32_t sourceSize, uint32_t targetSize) {
    const uint64_t common = uint64_t(sourceSize) / Gcd64(sourceSize, targetSize) * targetSize;
    const uint64_t perSource = common / sourceSize;
    const uint64_t perTarget = common / targetSize;
    AxisWeights axis;
    axis.unitsPerTarget = perTarget;
    axis.first.resize(targetSize);
    axis.offset.resize(targetSize + 1);
    axis.weights.reserve(sourceSize + targetSize);
    for (uint32_t t = 0; t < targetSize; ++t) {
        const uint64_t low = t * perTarget;
        const uint64_t high = low + perTarget;
        const uint64_t firstSource = low / perSource;
        const uint64_t endSource = (high + perSource - 1) / perSource;
        axis.first[t] = static_cast<uint32_t>(firstSource);
        axis.offset[t] = static_cast<uint32_t>(axis.weights.size());
        for (uint64_t s = firstSource; s < endSource; ++s) {
            const uint64_t from = std::max(low, s * perSource);
            const uint64_t to = std::min(high, (s + 1) * perSource);
            axis.weights.push_back(static_cast<uint32_t>(to - from));
        }
    }
    axis.offset[targetSize] = static_cast<uint32_t>(axis.weights.size());
    return axis;
}

// One source row reduced to target columns: blue, green, red sums of each.
// A sum is at most 255 x the units of a target column (< 2^32).
void ReduceRow(const uint32_t* row, const AxisWeights& columns, uint32_t targetWidth, uint32_t* sums) {
    for (uint32_t c = 0; c < targetWidth; ++c) {
        const uint32_t* pixel = row + columns.first[c];
        const uint32_t* weight = columns.weights.data() + columns.offset[c];
        const uint32_t count = columns.offset[c + 1] - columns.offset[c];
        uint32_t blue = 0, green = 0, red = 0;
        for (uint32_t k = 0; k < count; ++k) {
            const uint32_t p = pixel[k];
            const uint32_t w = weight[k];
            blue += (p & 0xFF) * w;
            green += ((p >> 8) & 0xFF) * w;
            red += ((p >> 16) & 0xFF) * w;
        }
        sums[3 * c] = blue;
        sums[3 * c + 1] = green;
        sums[3 * c + 2] = red;
    }
}

// Resamples sw x sh into a new tw x th image.
PixelImage Resample(const uint32_t* source, uint32_t sw, uint32_t sh, uint32_t tw, uint32_t th) {
    PixelImage target = AllocatePixels(size_t(tw) * th);
    if (!target) return nullptr;
    const AxisWeights columns = MakeAxis(sw, tw);
    const AxisWeights rows = MakeAxis(sh, th);
    const uint64_t area = columns.unitsPerTarget * rows.unitsPerTarget;

    // Neighbouring target rows share a boundary source row (or, enlarging,
    // the same rows), so the last reduced row is kept.
    std::vector<uint32_t> reduced(3 * size_t(tw)), scratch(3 * size_t(tw));
    uint32_t reducedIndex = UINT32_MAX;
    // Channel sums reach 255 x area: 64 bits, since area can pass 2^24.
    std::vector<uint64_t> sums(3 * size_t(tw));
    for (uint32_t r = 0; r < th; ++r) {
        std::fill(sums.begin(), sums.end(), 0);
        const uint32_t* weight = rows.weights.data() + rows.offset[r];
        const uint32_t count = rows.offset[r + 1] - rows.offset[r];
        for (uint32_t k = 0; k < count; ++k) {
            const uint32_t i = rows.first[r] + k;
            if (i != reducedIndex) {
                ReduceRow(source + size_t(i) * sw, columns, tw, scratch.data());
                reduced.swap(scratch);
                reducedIndex = i;
            }
            const uint64_t w = weight[k];
            for (size_t n = 0; n < sums.size(); ++n) sums[n] += w * reduced[n];
        }
        uint32_t* out = target.get() + size_t(r) * tw;
        for (uint32_t c = 0; c < tw; ++c) {
            const uint32_t blue = static_cast<uint32_t>(sums[3 * c] / area);
            const uint32_t green = static_cast<uint32_t>(sums[3 * c + 1] / area);
            const uint32_t red = static_cast<uint32_t>(sums[3 * c + 2] / area);
            out[c] = kOpaqueX | red << 16 | green << 8 | blue;
        }
    }
    return target;
}

// x * target / source rounded to the nearest integer, halves upward.
uint32_t RoundedShare(uint32_t x, uint32_t target, uint32_t source) {
    return static_cast<uint32_t>((2 * uint64_t(x) * target + source) / (2 * uint64_t(source)));
}
}  // namespace

FittedSize FitInto(uint32_t sw, uint32_t sh, uint32_t tw, uint32_t th) {
    if (uint64_t(sh) * tw < uint64_t(th) * sw) return FittedSize{tw, RoundedShare(sh, tw, sw), true};
    return FittedSize{RoundedShare(sw, th, sh), th, false};
}

PixelImage AllocatePixels(size_t count) {
    return PixelImage(new (std::nothrow) uint32_t[count]);
}

PixelImage ImageScaler::Scale(const uint32_t* source, int sourceWidth, int sourceHeight, int targetWidth,
                              int targetHeight, uint8_t fill, PackedColor color) const {
    if (!source) return nullptr;
    const uint32_t sw = Size16(sourceWidth), sh = Size16(sourceHeight);
    const uint32_t tw0 = Size16(targetWidth), th0 = Size16(targetHeight);
    // A zero size leaves no grid to average on: not a picture.
    if (sw == 0 || sh == 0 || tw0 == 0 || th0 == 0) return nullptr;

    if (sw == tw0 && sh == th0) {
        PixelImage copy = AllocatePixels(size_t(sw) * sh);
        if (copy) std::memcpy(copy.get(), source, size_t(sw) * sh * sizeof(uint32_t));
        return copy;
    }

    const FittedSize fit = FitInto(sw, sh, tw0, th0);
    uint32_t tw = tw0, th = th0;
    if (fill == 0) {
        // A fit that comes out at the target's size is a stretch.
        if (fit.width == tw0 && fit.height == th0) {
            fill = 1;
        } else {
            tw = fit.width;
            th = fit.height;
        }
    }
    // A picture hundreds of times wider than high fits into no rows at all.
    if (tw == 0 || th == 0) return nullptr;

    PixelImage work = Resample(source, sw, sh, tw, th);
    if (!work || fill != 0) return work;

    PixelImage result = AllocatePixels(size_t(tw0) * th0);
    if (!result) return nullptr;
    const uint32_t band = (color & kColorBits) | kOpaqueX;
    std::fill(result.get(), result.get() + size_t(tw0) * th0, band);
    if (fit.wider) {
        // Rows run bottom first, so this many band rows lie below the
        // picture; an odd spare row goes to the top.
        const size_t below = (th0 - th) / 2;
        std::memcpy(result.get() + below * tw0, work.get(), size_t(tw) * th * sizeof(uint32_t));
    } else {
        // An odd spare column goes to the right.
        const size_t left = (tw0 - tw) / 2;
        for (uint32_t r = 0; r < th; ++r)
            std::memcpy(result.get() + size_t(r) * tw0 + left, work.get() + size_t(r) * tw,
                        tw * sizeof(uint32_t));
    }
    return result;
}

int32_t ImageScaler::Gcd(int32_t a, int32_t b) const {
    if (a == 0 || b == 0) return 0;
    if (a == b) return a;
    int32_t x = std::max(a, b), y = std::min(a, b);
    while (x % y != 0) x = std::exchange(y, x % y);
    return y;
}

int32_t ImageScaler::Lcm(int32_t a, int32_t b) const {
    const int32_t g = Gcd(a, b);
    if (g == 0) return 0;
    return static_cast<int32_t>((int64_t(a) / g) * b / g * g);
}

// The wallpaper dialog's preview: loading, composing and drawing it.
#include "wallpaper/WallpaperPreview.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "launchdata/ExpandPathMacros.h"

namespace {
PixelImage PlainPixels(size_t count, PackedColor color) {
    PixelImage image = AllocatePixels(count);
    if (image) std::fill(image.get(), image.get() + count, color);
    return image;
}

}  // namespace

WallpaperPreview::WallpaperPreview() {
    Reset();
}

WallpaperPreview::~WallpaperPreview() = default;

void WallpaperPreview::Reset() {
    fitted.reset();
    stretched.reset();
    display.reset();
    fitWidth = 1;
    fitHeight = 1;
    path[0] = '\0';
}

bool WallpaperPreview::Load(HINSTANCE instance, const char* newPath, int width, int height,
                            PackedColor color) {
    Reset();
    char expanded[kExpandedPathSize] = {};
    // A path whose macros cannot be expanded is a file that cannot be read.
    if (newPath && ExpandPathMacros(newPath, expanded, sizeof expanded)) {
        PixelImage picture = BitmapFile::Load(instance, expanded, &info.bmiHeader);
        const uint32_t sw = static_cast<uint16_t>(info.bmiHeader.biWidth);
        const uint32_t sh = static_cast<uint16_t>(std::abs(info.bmiHeader.biHeight));
        if (picture) {
            fitted = Scale(picture.get(), sw, sh, width, height, 0, color);
            stretched = Scale(picture.get(), sw, sh, width, height, 1, color);
            display = AllocatePixels(size_t(width) * height);
        }
        // A picture that scales to nothing is no picture.
        if (fitted && stretched && display) {
            const FittedSize fit = FitInto(sw, sh, width, height);
            fitWidth = static_cast<uint16_t>(fit.width);
            fitHeight = static_cast<uint16_t>(fit.height);
            info = {};
            info.bmiHeader = DescribePixels(width, height);
            lstrcpynA(path, newPath, sizeof path);
            return true;
        }
    }
    LoadPlain(width, height, color);
    return true;
}

void WallpaperPreview::LoadPlain(int width, int height, PackedColor color) {
    Reset();
    const size_t count = size_t(width) * height;
    fitted = PlainPixels(count, color);
    stretched = PlainPixels(count, color);
    display = PlainPixels(count, color);
    fitWidth = 0;
    fitHeight = 0;
    info = {};
    info.bmiHeader = DescribePixels(width, height);
}

void WallpaperPreview::Compose(PackedColor color, int32_t alpha, uint8_t fill) {
    const int32_t width = info.bmiHeader.biWidth, height = info.bmiHeader.biHeight;
    const size_t count = size_t(width) * height;
    const PixelImage& source = fill ? stretched : fitted;
    if (!display || !source) return;
    std::memcpy(display.get(), source.get(), count * sizeof(uint32_t));
    if (fitWidth == 0) {
        std::fill(display.get(), display.get() + count, color);
        return;
    }
    // The fitted picture's bands were made in the colour of the load: they
    // take the current one.
    if (!fill && (fitWidth != width || fitHeight != height)) {
        std::fill(display.get(), display.get() + count, color);
        if (int64_t(fitHeight) * width < int64_t(height) * fitWidth) {
            const size_t start = size_t((height - fitHeight) / 2) * width;
            std::memcpy(display.get() + start, fitted.get() + start,
                        size_t(fitWidth) * fitHeight * sizeof(uint32_t));
        } else {
            const size_t left = size_t((width - fitWidth) / 2);
            for (int32_t row = 0; row < height; ++row) {
                const size_t start = size_t(row) * width + left;
                std::memcpy(display.get() + start, fitted.get() + start, size_t(fitWidth) * sizeof(uint32_t));
            }
        }
    }
    Blend(display.get(), color, uint32_t(count), alpha);
}

void WallpaperPreview::Present(HDC dc, int x, int y, const RECT& control) const {
    if (!display) return;
    const LONG width = info.bmiHeader.biWidth, height = info.bmiHeader.biHeight;
    const int left = x + ((control.right - control.left) - width) / 2;
    const int top = y + ((control.bottom - control.top) - height) / 2;
    StretchDIBits(dc, left, top, kWidth, kHeight, 0, 0, width, height, display.get(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

// The panel's background picture, its back buffer and the cache file.
#include "wallpaper/WallpaperRenderer.h"

#include <algorithm>

#include "launchdata/ExpandPathMacros.h"

WallpaperRenderer::WallpaperRenderer() : fillColor(DefaultColor()) {}

WallpaperRenderer::~WallpaperRenderer() {
    FreePixels();
    Release();
}

int WallpaperRenderer::Build(HINSTANCE instance, const char* path, uint16_t width, uint16_t height,
                             uint8_t fill, PackedColor color, int32_t alpha) {
    FreePixels();
    fillColor = color;
    if (path) {
        char expanded[kExpandedPathSize] = {};
        if (!ExpandPathMacros(path, expanded, sizeof expanded)) return 0;
        PixelImage source = Load(instance, expanded, &info.bmiHeader);
        if (source) {
            pixels = Scale(source.get(), info.bmiHeader.biWidth, info.bmiHeader.biHeight, width, height, fill,
                           color);
        }
        // A picture that scales to nothing (or finds no memory) is no picture.
        if (pixels) {
            source.reset();
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = height;
            // The cache is written from the user's picture only: scaled from
            // itself to another size, it would lose a little more at every
            // change of display scale.
            char cachePath[kExpandedPathSize] = {};
            if (ExpandPathMacros(kWallpaperCachePath, cachePath, sizeof cachePath) &&
                lstrcmpiA(cachePath, expanded) != 0)
                SaveCache(cachePath, info, pixels.get());
            Blend(pixels.get(), fillColor, uint32_t(width) * height, alpha);
            Create(width, height);
            return 1;
        }
    }

    // The plain colour at full strength, X byte included.
    Create(width, height);
    pixels = AllocatePixels(size_t(width) * height);
    if (pixels) std::fill(pixels.get(), pixels.get() + size_t(width) * height, color);
    info = {};
    info.bmiHeader = DescribePixels(width, height);
    return 1;
}

void WallpaperRenderer::PaintBackground() {
    if (!pixels) {
        Fill(fillColor);
        return;
    }
    const LONG width = info.bmiHeader.biWidth, height = info.bmiHeader.biHeight;
    StretchDIBits(dc.get(), 0, 0, width, height, 0, 0, width, height, pixels.get(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

PackedColor WallpaperRenderer::DefaultColor() const {
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    return MakePackedColor(GetRValue(desktop), GetGValue(desktop), GetBValue(desktop));
}

void WallpaperRenderer::RestoreRect(HDC target, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (pixels) {
        // The picture runs bottom-up: the rectangle whose top is y starts at
        // picture row biHeight - y - height.
        const LONG pictureHeight = info.bmiHeader.biHeight;
        SetDIBitsToDevice(target, x, y, width, height, x, pictureHeight - y - height, 0, pictureHeight,
                          pixels.get(), &info, DIB_RGB_COLORS);
        return;
    }
    UniqueBrush brush(CreateSolidBrush(GetSysColor(COLOR_BACKGROUND)));
    ScopedSelect select(target, brush.get());
    PatBlt(target, x, y, width, height, PATCOPY);
}

void WallpaperRenderer::FreePixels() {
    pixels.reset();
}

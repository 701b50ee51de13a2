// The panel's background: the wallpaper picture (a BMP scaled to the panel
// and mixed with a colour, or a plain colour), the back buffer that all panel
// drawing goes into, and the wallpaper cache file.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/BaseObject.h"
#include "wallpaper/BackBuffer.h"
#include "wallpaper/BitmapFile.h"
#include "wallpaper/ImageScaler.h"
#include "wallpaper/PackedColor.h"
#include "wallpaper/PixelBlender.h"

// The scaled, not yet mixed picture, beside the program.
constexpr char kWallpaperCachePath[] = "$p\\_QXWP_.bmp";

class WallpaperRenderer : public ImageScaler,
                          public PixelBlender,
                          public BaseObject,
                          public BitmapFile,
                          public BackBuffer {
public:
    WallpaperRenderer();
    ~WallpaperRenderer() override;

    // Builds the picture from the BMP at path (may hold path macros), scaled
    // to width x height (fill 1 stretches, 0 fits on bands of color) and
    // mixed with color at alpha percent, and rewrites the cache file; without
    // a path, or when the file cannot be read, the plain color. A new back
    // buffer of the same size follows. 0 only when the path cannot be
    // expanded.
    int Build(HINSTANCE instance, const char* path, uint16_t width, uint16_t height, uint8_t fill,
              PackedColor color, int32_t alpha);
    // Copies the picture one to one into the back buffer.
    void PaintBackground();
    // The desktop colour as a packed colour.
    PackedColor DefaultColor() const;
    // Puts the picture back under one rectangle of the device context.
    void RestoreRect(HDC target, int32_t x, int32_t y, int32_t width, int32_t height);
    void FreePixels();

    PixelImage pixels;
    BITMAPINFO info = {};
    PackedColor fillColor = 0;
};

// The wallpaper dialog's preview picture: the chosen BMP fitted and stretched
// to half the panel's size, and what the dialog shows of it, mixed with the
// current colour.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/BaseObject.h"
#include "wallpaper/BitmapFile.h"
#include "wallpaper/ImageScaler.h"
#include "wallpaper/PackedColor.h"
#include "wallpaper/PixelBlender.h"

class WallpaperPreview : public ImageScaler, public BitmapFile, public PixelBlender, public BaseObject {
public:
    static constexpr int kWidth = 128;
    static constexpr int kHeight = 96;

    WallpaperPreview();
    ~WallpaperPreview() override;

    // No pictures, a 1 x 1 fitted size, no path.
    void Reset();
    // Reads the BMP at path (macros allowed) into the fitted and stretched
    // pictures, bands in color; without a path, or when it cannot be read,
    // all three pictures are the plain color and the fitted size is 0 x 0.
    bool Load(HINSTANCE instance, const char* newPath, int width, int height, PackedColor color);
    // Rebuilds `display`: fitted (bands in color) or stretched, mixed with
    // color at alpha percent; the plain color when there is no picture.
    void Compose(PackedColor color, int32_t alpha, uint8_t fill);
    // Draws `display` centred in the preview control's window rectangle,
    // whose top-left corner is (x, y) in the device context.
    void Present(HDC dc, int x, int y, const RECT& control) const;

    PixelImage fitted;
    PixelImage stretched;
    PixelImage display;
    BITMAPINFO info = {};
    int32_t fitWidth = 1;
    int32_t fitHeight = 1;
    char path[MAX_PATH] = {};

private:
    void LoadPlain(int width, int height, PackedColor color);
};

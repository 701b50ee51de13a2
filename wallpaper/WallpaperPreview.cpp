// The wallpaper dialog's preview: loading, composing and drawing it.
#include "wallpaper/WallpaperPreview.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/UniqueHandle.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/TextCut.h"
#include "resources/resource.h"

namespace {
// String 4 and 5 are loaded into a buffer of this size.
constexpr int kFileNameWordsBuffer = 20;


PixelImage PlainPixels(size_t count, PackedColor color) {
    PixelImage image = AllocatePixels(count);
    if (image) std::fill(image.get(), image.get() + count, color);
    return image;
}

// x * target / source rounded to the nearest, halves upward, as the scaler
// fits a picture; kept to 16 bits.
int32_t RoundedShare(uint32_t x, uint32_t target, uint32_t source) {
    return static_cast<uint16_t>((2 * uint64_t(x) * target + source) / (2 * uint64_t(source)));
}

int TrackbarPosition(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
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
            fitWidth = width;
            fitHeight = height;
            if (uint64_t(sh) * width < uint64_t(height) * sw)
                fitHeight = RoundedShare(sh, width, sw);
            else
                fitWidth = RoundedShare(sw, height, sh);
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

void WallpaperPreview::Redraw(HWND dialog, HINSTANCE instance, HDC dc, const char* newPath, uint8_t refresh) {
    const int red = TrackbarPosition(dialog, IDC_WALLPAPER_RED);
    const int green = TrackbarPosition(dialog, IDC_WALLPAPER_GREEN);
    const int blue = TrackbarPosition(dialog, IDC_WALLPAPER_BLUE);
    const int alpha = TrackbarPosition(dialog, IDC_WALLPAPER_ALPHA);
    const uint8_t fill = IsDlgButtonChecked(dialog, IDC_WALLPAPER_FILL) == BST_CHECKED;
    const PackedColor color = MakePackedColor(uint8_t(red), uint8_t(green), uint8_t(blue));

    RECT frame = {};
    GetWindowRect(GetDlgItem(dialog, IDC_WALLPAPER_PREVIEW), &frame);
    POINT corner = {frame.left, frame.top};
    ScreenToClient(dialog, &corner);
    if (newPath) Load(instance, newPath, kWidth, kHeight, color);
    if (refresh) Compose(color, alpha, fill);
    Present(dc, corner.x, corner.y, frame);

    // The swatch fills the inside of its sunken frame.
    RECT swatch = {};
    GetWindowRect(GetDlgItem(dialog, IDC_WALLPAPER_SWATCH), &swatch);
    POINT swatchCorner = {swatch.left, swatch.top};
    ScreenToClient(dialog, &swatchCorner);
    const int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    LOGBRUSH solid = {};
    solid.lbStyle = BS_SOLID;
    solid.lbColor = PALETTERGB(red & 0xFF, green & 0xFF, blue & 0xFF);
    UniqueBrush brush(CreateBrushIndirect(&solid));
    ScopedSelect select(dc, brush.get());
    PatBlt(dc, swatchCorner.x + edgeX, swatchCorner.y + edgeY, (swatch.right - swatch.left) - 2 * edgeX,
           (swatch.bottom - swatch.top) - 2 * edgeY, PATCOPY);
}

void WallpaperPreview::TakeFile(HWND dialog, HINSTANCE instance, const char* newPath) {
    WindowDC dc(dialog);
    Redraw(dialog, instance, dc.get(), newPath, 1);
    // A file that could not be read left no path, so no backslash.
    const char* slash = FindLastBackslash(path);
    if (slash) {
        SetDlgItemTextA(dialog, IDC_WALLPAPER_FILE_NAME, slash + 1);
    } else {
        char words[kFileNameWordsBuffer] = {};
        LoadStringA(instance, IDS_UNKNOWN_DATA, words, sizeof words);
        SetDlgItemTextA(dialog, IDC_WALLPAPER_FILE_NAME, words);
    }
}

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "Bytes.h"
#include "Support.h"
#include "wallpaper/WallpaperPreview.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

using Image = std::vector<uint32_t>;
using Real = long double;
using velktest::Bmp, velktest::Hex;

Image Noise(int w, int h, unsigned seed) {
    Image image(size_t(w) * h);
    for (uint32_t& p : image) p = seed = seed * 1664525 + 1013904223;
    return image;
}

// Each target pixel the exact average of the source area it covers, rounded down; X 0xFF.
Image Reference(const Image& source, int sw, int sh, int tw, int th) {
    Image target(size_t(tw) * th, 0xFF000000);
    for (int r = 0; r < th; ++r)
        for (int c = 0; c < tw; ++c) {
            const Real x0 = Real(c) * sw / tw, x1 = Real(c + 1) * sw / tw;
            const Real y0 = Real(r) * sh / th, y1 = Real(r + 1) * sh / th;
            Real sum[3] = {};
            for (int i = int(y0); i < y1; ++i)
                for (int j = int(x0); j < x1; ++j) {
                    const Real w = (std::min<Real>(x1, j + 1) - std::max<Real>(x0, j)) *
                                   (std::min<Real>(y1, i + 1) - std::max<Real>(y0, i));
                    for (int k = 0; k < 3; ++k) sum[k] += w * (source[size_t(i) * sw + j] >> (8 * k) & 0xFF);
                }
            for (int k = 0; k < 3; ++k)
                target[size_t(r) * tw + c] |= uint32_t(sum[k] / ((x1 - x0) * (y1 - y0)) + 1e-9L) << (8 * k);
        }
    return target;
}

Image Scaled(const Image& source, int sw, int sh, int tw, int th, uint8_t fill, PackedColor colour) {
    const PixelImage got = ImageScaler().Scale(source.data(), sw, sh, tw, th, fill, colour);
    return got ? Image(got.get(), got.get() + size_t(tw) * th) : Image();
}

TEST(ImageScaler, StretchesAndFitsByExactAreaAveraging) {
    for (const SIZE& s : {SIZE{7, 5}, SIZE{3, 2}, SIZE{2, 2}, SIZE{1, 1}, SIZE{640, 480}, SIZE{301, 199}})
        for (const SIZE& t : {SIZE{3, 2}, SIZE{1, 1}, SIZE{256, 192}}) {
            const Image source = Noise(s.cx, s.cy, s.cx * 1000 + s.cy);
            // The same size is taken over as it is, X bytes included.
            const Image expected =
                s.cx == t.cx && s.cy == t.cy ? source : Reference(source, s.cx, s.cy, t.cx, t.cy);
            EXPECT_EQ(expected, Scaled(source, s.cx, s.cy, t.cx, t.cy, 1, 0x02FFFFFF)) << s.cx << "," << t.cx;
        }
    // Sums beyond 32 bits: a white picture whose sizes share no factor with the target's.
    EXPECT_EQ(Image(6, 0xFFFFFFFF), Scaled(Image(size_t(4201) * 4099, 0xFFFFFFFF), 4201, 4099, 2, 3, 1, 0));
    // Fitted on bands of the colour: the source, the fitted picture, its left column and bottom row.
    for (const auto& [sw, sh, fw, fh, left, below] :
         {std::array{300, 200, 256, 171, 0, 10}, {100, 100, 192, 192, 32, 0}}) {
        const Image source = Noise(sw, sh, 7), fitted = Reference(source, sw, sh, fw, fh);
        Image expected(256 * 192, 0xFF112233);
        for (int r = 0; r < fh; ++r) std::copy_n(&fitted[r * fw], fw, &expected[(below + r) * 256 + left]);
        EXPECT_EQ(expected, Scaled(source, sw, sh, 256, 192, 0, 0x02112233)) << sw << "x" << sh;
    }
}

TEST(PixelBlender, AlphaIsThePicturesShare) {
    // Red 200 with 101, green 100 with 30, blue 10 with 11.
    const std::pair<int, uint32_t> cases[] = {{50, 0xFF96410A}, {25, 0xFF7D2F0A},  {0, 0xFF651E0B},
                                              {-5, 0xFF651E0B}, {100, 0x00C8640A}, {120, 0x00C8640A}};
    for (const auto& [alpha, expected] : cases) {
        uint32_t pixels[2] = {0x00C8640A, 0x00C8640A};
        PixelBlender().Blend(pixels, 0x02651E0B, 2, alpha);
        EXPECT_EQ(expected, pixels[1]) << alpha;
    }
}

// An 8-bit picture of 0xRRGGBB pixels, each its own palette entry, its rows plain or coded in runs of one.
std::string Bmp8(int w, int h, uint32_t (*pixel)(int, int), bool rle) {
    std::string palette, rows;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            palette.append({char(pixel(x, y)), char(pixel(x, y) >> 8), char(pixel(x, y) >> 16), 0});
            rows += (rle ? "\1" : "") + std::string(1, char(palette.size() / 4 - 1));
        }
        rows.append(rle ? 2 : (4 - rows.size() % 4) % 4, '\0');  // a coded row's end, or padding
    }
    rows.append(rle ? "\0\1" : "", rle ? 2 : 0);  // the coded picture's end
    std::string file = Bmp(w, h, pixel).substr(0, 54) + palette + rows;
    // The file's size, the rows' offset, the depth, the coding, the coded size, the palette's size.
    // clang-format off
    const std::pair<size_t, size_t> fields[] = {{2, file.size()}, {10, 54 + palette.size()}, {28, 8},
        {30, rle ? BI_RLE8 : BI_RGB}, {34, rle ? rows.size() : 0}, {46, palette.size() / 4}};
    // clang-format on
    for (const auto& [at, value] : fields) file.replace(at, 4, reinterpret_cast<const char*>(&value), 4);
    return file;
}

TEST(BitmapFile, EveryDepthLoadsAsBottomUp32BitPixels) {
    velktest::TempFolder folder;
    const std::string path = folder.File("picture.bmp");
    auto colour = [](int x, int y) { return 0x102030u * (x + 1) + 0x0A0B0Cu * y; };
    for (const std::string& file :
         {Bmp(3, 2, colour, 32), Bmp(3, 2, colour, 24, true), Bmp(3, 2, colour, 32, true),
          Bmp8(3, 2, colour, false), Bmp8(3, 2, colour, true)}) {
        ASSERT_TRUE(velktest::WriteBytes(path, file));
        BITMAPINFOHEADER header = {};
        const PixelImage pixels = BitmapFile().Load(GetModuleHandleA(nullptr), path.c_str(), &header);
        ASSERT_TRUE(pixels && header.biWidth == 3 && header.biHeight == 2) << Hex(file.substr(0, 54));
        for (int i = 0; i < 6; ++i) EXPECT_EQ(colour(i % 3, 1 - i / 3), pixels[i] & 0xFFFFFF) << i;
    }
}

// Red and blue alike, so that 0xRRGGBB reads the same as a COLORREF.
const auto Gradient = [](int x, int y) { return uint32_t(y) << 16 | uint32_t(x) << 8 | uint32_t(y); };

TEST(WallpaperRenderer, CachesThePictureUnmixedAndErasesFromItAndThePreviewFits) {
    velktest::TempFolder folder;
    const std::string path = folder.File("picture.bmp"), cache = velktest::ProgramFile("_QXWP_.bmp");
    const std::string picture = Bmp(256, 192, Gradient);
    ASSERT_TRUE(velktest::WriteBytes(path, picture));
    DeleteFileA(cache.c_str());
    WallpaperRenderer renderer;
    ASSERT_EQ(1, renderer.Build(GetModuleHandleA(nullptr), path.c_str(), 256, 192, 0, 0x02336633, 0));
    // 24 bits, the rows bottom first: the picture's own file.
    EXPECT_TRUE(picture == velktest::ReadBytes(cache));

    ASSERT_EQ(1, renderer.Build(GetModuleHandleA(nullptr), path.c_str(), 256, 192, 0, 0x02336633, 100));
    DeleteFileA(cache.c_str());
    const HDC dc = renderer.dc.get();
    PatBlt(dc, 0, 0, 256, 192, BLACKNESS);
    renderer.RestoreRect(dc, 10, 20, 30, 5);
    EXPECT_EQ(Gradient(10, 20), GetPixel(dc, 10, 20));
    EXPECT_EQ(Gradient(39, 24), GetPixel(dc, 39, 24));
    EXPECT_EQ(0u, GetPixel(dc, 9, 20) | GetPixel(dc, 40, 24) | GetPixel(dc, 10, 19) | GetPixel(dc, 10, 25));

    // The dialog's preview shows the stretched picture, or the fitted one on bands of the current colour.
    ASSERT_TRUE(velktest::WriteBytes(path, Bmp(256, 128, [](int, int) { return 0x123456u; })));
    WallpaperPreview preview;
    preview.Load(GetModuleHandleA(nullptr), path.c_str(), 128, 96, 0x02090909);
    for (int fill : {1, 0}) {
        preview.Compose(0x02AABBCC, 100, uint8_t(fill));
        for (int row : {0, 15, 16, 79, 80, 95}) {
            const bool picture = fill || (row >= 16 && row < 80);  // fitted: 128 x 64, 16 band rows each side
            EXPECT_EQ(picture ? 0x123456u : 0xAABBCCu, preview.display[row * 128] & 0xFFFFFF) << fill << row;
        }
    }
}

}  // namespace

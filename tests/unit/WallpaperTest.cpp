// The wallpaper: scaling against a floating-point reference, the fit's
// bands, blending, BMP files of every kind read into 32-bit pixels and bad
// ones refused, the cache file, erasing from the picture, the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Bytes.h"
#include "Support.h"
#include "wallpaper/WallpaperPreview.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

using Image = std::vector<uint32_t>;
using Real = long double;
using velktest::Bmp;

Image Noise(int w, int h, unsigned seed) {
    Image image(size_t(w) * h);
    for (uint32_t& p : image) p = seed = seed * 1664525 + 1013904223;
    return image;
}

// Each target pixel the exact average of the source area it covers, each
// channel rounded down; X 0xFF.
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

TEST(ImageScaler, StretchesByExactAreaAveraging) {
    for (const SIZE& s : {SIZE{7, 5}, SIZE{3, 2}, SIZE{2, 2}, SIZE{1, 1}, SIZE{640, 480}, SIZE{301, 199}}) {
        for (const SIZE& t : {SIZE{3, 2}, SIZE{1, 1}, SIZE{256, 192}}) {
            const Image source = Noise(s.cx, s.cy, s.cx * 1000 + s.cy);
            // The same size is taken over as it is, X bytes included.
            const Image expected =
                s.cx == t.cx && s.cy == t.cy ? source : Reference(source, s.cx, s.cy, t.cx, t.cy);
            const PixelImage got = ImageScaler().Scale(source.data(), s.cx, s.cy, t.cx, t.cy, 1, 0x02FFFFFF);
            ASSERT_TRUE(got);
            EXPECT_EQ(expected, Image(got.get(), got.get() + expected.size()))
                << s.cx << "x" << s.cy << " to " << t.cx << "x" << t.cy;
        }
    }
    // Sums beyond 32 bits: a white picture whose sizes share no factor with the target's.
    const Image white(size_t(4201) * 4099, 0xFFFFFFFF);
    const PixelImage got = ImageScaler().Scale(white.data(), 4201, 4099, 2, 3, 1, 0);
    EXPECT_EQ(Image(6, 0xFFFFFFFF), Image(got.get(), got.get() + 6));
}

TEST(ImageScaler, FitsOnBandsOfTheColour) {
    struct Case {
        int sw, sh;
        int fw, fh, left, below;  // the fitted picture and where it lies, rows from the bottom
    };
    for (const Case& c : {Case{300, 200, 256, 171, 0, 10}, Case{100, 100, 192, 192, 32, 0}}) {
        const Image source = Noise(c.sw, c.sh, 7), fitted = Reference(source, c.sw, c.sh, c.fw, c.fh);
        Image expected(256 * 192, 0xFF112233);
        for (int r = 0; r < c.fh; ++r)
            for (int x = 0; x < c.fw; ++x) expected[(c.below + r) * 256 + c.left + x] = fitted[r * c.fw + x];
        const PixelImage got = ImageScaler().Scale(source.data(), c.sw, c.sh, 256, 192, 0, 0x02112233);
        ASSERT_TRUE(got);
        EXPECT_EQ(expected, Image(got.get(), got.get() + expected.size())) << c.sw << "x" << c.sh;
    }
}

TEST(PixelBlender, AlphaIsThePicturesShare) {
    // Red 200 with 101, green 100 with 30, blue 10 with 11.
    for (const auto& [alpha, expected] : {std::pair{50, 0xFF96410Au},
                                          {25, 0xFF7D2F0Au},
                                          {0, 0xFF651E0Bu},
                                          {-5, 0xFF651E0Bu},
                                          {100, 0x00C8640Au},
                                          {120, 0x00C8640Au}}) {
        uint32_t pixels[2] = {0x00C8640A, 0x00C8640A};
        PixelBlender().Blend(pixels, 0x02651E0B, 2, alpha);
        EXPECT_EQ(expected, pixels[1]) << alpha;
    }
}

void Put32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (8 * i));
}

// An 8-bit BMP with one palette entry per pixel, plain or run-length coded.
std::string Bmp8(int w, int h, const std::function<uint32_t(int, int)>& pixel, bool rle) {
    std::string palette, rows;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            palette.append({char(pixel(x, y)), char(pixel(x, y) >> 8), char(pixel(x, y) >> 16), 0});
            if (rle) rows += '\1';
            rows += char(palette.size() / 4 - 1);
        }
        rows.append(rle ? 2 : (4 - rows.size() % 4) % 4, '\0');
    }
    if (rle) rows.append("\0\1", 2);
    std::string bytes = Bmp(w, h, pixel).substr(0, 54) + palette + rows;
    Put32(bytes, 2, uint32_t(bytes.size()));
    Put32(bytes, 10, uint32_t(54 + palette.size()));
    bytes[28] = 8;
    Put32(bytes, 30, rle ? BI_RLE8 : BI_RGB);
    Put32(bytes, 34, rle ? uint32_t(rows.size()) : 0);
    Put32(bytes, 46, uint32_t(palette.size() / 4));
    return bytes;
}

uint32_t Colour(int x, int y) {
    return 0x102030u * (x + 1) + 0x0A0B0Cu * y;
}

class BitmapFileTest : public ::testing::Test {
protected:
    PixelImage Load(const std::string& bytes) {
        EXPECT_TRUE(velktest::WriteBytes(path, bytes));
        return BitmapFile().Load(GetModuleHandleA(nullptr), path.c_str(), &header);
    }
    velktest::TempFolder folder;
    const std::string path = folder.File("picture.bmp");
    BITMAPINFOHEADER header = {};
};

TEST_F(BitmapFileTest, EveryDepthLoadsAsBottomUp32BitPixels) {
    const std::string files[] = {Bmp(3, 2, Colour, 24),       Bmp(3, 2, Colour, 32),
                                 Bmp(3, 2, Colour, 24, true), Bmp(3, 2, Colour, 32, true),
                                 Bmp8(3, 2, Colour, false),   Bmp8(3, 2, Colour, true)};
    for (const std::string& file : files) {
        const PixelImage pixels = Load(file);
        ASSERT_TRUE(pixels) << &file - files;
        EXPECT_TRUE(header.biWidth == 3 && header.biHeight == 2) << &file - files;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(Colour(x, y), pixels[(1 - y) * 3 + x] & 0xFFFFFF)
                    << &file - files << ": " << x << "," << y;
    }
}

TEST_F(BitmapFileTest, BadPicturesAreRefused) {
    struct Case {
        const char* what;
        int kind;  // 0 24-bit, 1 8-bit, 2 run-length coded
        size_t at;
        uint32_t value;  // put at `at`, unless bytes are cut off the end
        size_t cut;
    };
    const Case cases[] = {
        {"rows cut short", 0, 0, 0, 5},       {"run-length data cut short", 2, 0, 0, 3},
        {"zero width", 0, 18, 0, 0},          {"negative width", 0, 18, uint32_t(-4), 0},
        {"zero height", 0, 22, 0, 0},         {"unknown compression", 0, 30, 7, 0},
        {"absurd palette", 1, 46, 100000, 0}, {"no BM", 0, 0, 0x4D4D, 0},
        {"absurd size", 0, 18, 70000, 0},     {"top-down run lengths", 2, 22, uint32_t(-3), 0}};
    for (const Case& c : cases) {
        std::string bytes = c.kind == 0 ? Bmp(4, 3, Colour) : Bmp8(4, 3, Colour, c.kind == 2);
        c.cut ? bytes.resize(bytes.size() - c.cut) : Put32(bytes, c.at, c.value);
        EXPECT_FALSE(Load(bytes)) << c.what;
    }
}

// Red and blue alike, so that 0xRRGGBB reads the same as a COLORREF.
uint32_t Gradient(int x, int y) {
    return uint32_t(y) << 16 | uint32_t(x) << 8 | uint32_t(y);
}

TEST_F(BitmapFileTest, TheRendererCachesThePictureUnmixedAndErasesFromIt) {
    const std::string picture = Bmp(256, 192, Gradient), cache = velktest::BuildFile("_QXWP_.bmp");
    ASSERT_TRUE(velktest::WriteBytes(path, picture));
    DeleteFileA(cache.c_str());
    WallpaperRenderer renderer;
    ASSERT_EQ(1, renderer.Build(GetModuleHandleA(nullptr), path.c_str(), 256, 192, 0, 0x02336633, 0));
    // 147510 bytes, 24 bits, the rows bottom first: as the picture's own file.
    EXPECT_EQ(picture, velktest::ReadBytes(cache));
    DeleteFileA(cache.c_str());
    renderer.PaintBackground();
    EXPECT_EQ(0x336633u, GetPixel(renderer.dc.get(), 100, 50));

    ASSERT_EQ(1, renderer.Build(GetModuleHandleA(nullptr), path.c_str(), 256, 192, 0, 0x02336633, 100));
    DeleteFileA(cache.c_str());
    PatBlt(renderer.dc.get(), 0, 0, 256, 192, BLACKNESS);
    renderer.RestoreRect(renderer.dc.get(), 10, 20, 30, 5);
    for (const POINT& p : {POINT{10, 20}, POINT{39, 24}, POINT{25, 22}, POINT{9, 20}, POINT{40, 24},
                           POINT{10, 19}, POINT{10, 25}}) {
        const bool inside = p.x >= 10 && p.x < 40 && p.y >= 20 && p.y < 25;
        EXPECT_EQ(inside ? Gradient(p.x, p.y) : 0, GetPixel(renderer.dc.get(), p.x, p.y))
            << p.x << "," << p.y;
    }
}

TEST_F(BitmapFileTest, ThePreviewShowsTheStretchedPictureOrTheFittedOneOnBands) {
    ASSERT_TRUE(velktest::WriteBytes(path, Bmp(256, 128, [](int, int) { return 0x123456u; })));
    WallpaperPreview preview;
    preview.Load(GetModuleHandleA(nullptr), path.c_str(), 128, 96, 0x02090909);
    for (int fill : {1, 0}) {
        preview.Compose(0x02AABBCC, 100, uint8_t(fill));
        // Fitted, the picture is 128 x 64, 16 band rows above and below it.
        for (int row : {0, 15, 16, 79, 80, 95})
            EXPECT_EQ(fill || (row >= 16 && row < 80) ? 0x123456u : 0xAABBCCu,
                      preview.display[row * 128 + 64] & 0xFFFFFF)
                << "fill " << fill << ", row " << row;
    }
}

}  // namespace

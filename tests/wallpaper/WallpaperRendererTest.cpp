// The renderer on real files and real DIB sections: plain and picture
// builds, the cache file beside the program, bad files, the back buffer,
// the background copy and the rectangle restore.
#include <gtest/gtest.h>

#include "BmpFiles.h"
#include "TestSupport.h"
#include "base/UniqueHandle.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

using namespace wallpapertest;
using velktest::TempFolder;

constexpr PackedColor kColor = 0x02336699;
constexpr int kWidth = 256, kHeight = 192;

uint32_t Pattern(int x, int y) {
    return uint32_t(x % 256) << 16 | uint32_t(y % 256) << 8 | uint32_t((x ^ y) & 0xFF);
}

// "$p\_QXWP_.bmp" for this test program.
std::string CachePath() {
    return velktest::ProgramFolderFile("_QXWP_.bmp");
}

// The back buffer's pixel at (x, y) from the top, as 0x00RRGGBB.
uint32_t BackPixel(const BackBuffer& buffer, int x, int y) {
    GdiFlush();
    const SIZE size = buffer.GetSize();
    const LONG stride = (size.cx * 3 + 3) & ~3;
    const auto* p = static_cast<const BYTE*>(buffer.bits) + (size.cy - 1 - y) * stride + 3 * x;
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

class Renderer : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(CachePath().c_str()); }
    void TearDown() override { DeleteFileA(CachePath().c_str()); }

    std::string WritePicture(const std::vector<unsigned char>& bytes, const char* name = "picture.bmp") {
        const std::string path = folder.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    int Build(const char* path, uint8_t fill = 0, int32_t alpha = 100) {
        return renderer.Build(GetModuleHandleA(nullptr), path, kWidth, kHeight, fill, kColor, alpha);
    }
    void ExpectPlain(PackedColor color) {
        ASSERT_TRUE(renderer.pixels);
        for (int i = 0; i < kWidth * kHeight; ++i) ASSERT_EQ(color, renderer.pixels[i]) << i;
        const BITMAPINFOHEADER& h = renderer.info.bmiHeader;
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(kWidth, h.biWidth);
        EXPECT_EQ(kHeight, h.biHeight);
        EXPECT_EQ(1, h.biPlanes);
        EXPECT_EQ(32, h.biBitCount);
        EXPECT_EQ(DWORD(BI_RGB), h.biCompression);
        EXPECT_EQ(0u, h.biSizeImage);
        EXPECT_TRUE(renderer.dc);
        EXPECT_EQ(kWidth, renderer.GetSize().cx);
        EXPECT_EQ(kHeight, renderer.GetSize().cy);
    }

    TempFolder folder;
    WallpaperRenderer renderer;
};

TEST_F(Renderer, StartsEmptyWithTheDesktopColour) {
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    const PackedColor expected =
        0x02000000 | GetRValue(desktop) << 16 | GetGValue(desktop) << 8 | GetBValue(desktop);
    EXPECT_EQ(expected, renderer.DefaultColor());
    EXPECT_EQ(expected, renderer.fillColor);
    EXPECT_FALSE(renderer.pixels);
    EXPECT_FALSE(renderer.dc);
    EXPECT_EQ(nullptr, renderer.bits);
    EXPECT_EQ(MakePackedColor(0x33, 0x66, 0x99), kColor);
}

TEST_F(Renderer, BuildWithoutAPathIsThePlainColourAndWritesNoCache) {
    EXPECT_EQ(1, Build(nullptr, 1, 40));
    ExpectPlain(kColor);
    EXPECT_EQ(kColor, renderer.fillColor);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(CachePath().c_str()));
}

TEST_F(Renderer, PanelSizedPictureIsTakenOverAndCachedUnchanged) {
    const std::string path = WritePicture(MakeBmp(kWidth, kHeight, Pattern));
    ASSERT_EQ(1, Build(path.c_str()));
    ASSERT_TRUE(renderer.pixels);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(Pattern(x, y), renderer.pixels[size_t(kHeight - 1 - y) * kWidth + x] & 0xFFFFFF)
                << x << "," << y;
    // The cache holds exactly the file's pixels.
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(CachePath()));
}

TEST_F(Renderer, AlphaMixesThePictureButTheCacheStaysUnmixed) {
    // Picture (200, 100, 50) everywhere; colour (0x33, 0x66, 0x99) = (51, 102, 153).
    const std::string path = WritePicture(MakeBmp(64, 48, [](int, int) { return 0xC86432u; }));
    struct Case {
        int32_t alpha;
        uint32_t expected;
    } cases[] = {
        {100, 0xFFC86432},
        {0, 0xFF336699},
        // (200*50 + 51*50) / 100 = 125; (100 + 102) / 2 = 101; (50 + 153) / 2 = 101.
        {50, 0xFF7D6565},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alpha);
        ASSERT_EQ(1, Build(path.c_str(), 1, c.alpha));
        for (int i = 0; i < kWidth * kHeight; ++i) ASSERT_EQ(c.expected, renderer.pixels[i]) << i;
        const std::vector<unsigned char> cache = ReadFileBytes(CachePath());
        ASSERT_EQ(147510u, cache.size());
        for (size_t i = 54; i < cache.size(); i += 3) {
            ASSERT_EQ(0x32, cache[i]);
            ASSERT_EQ(0x64, cache[i + 1]);
            ASSERT_EQ(0xC8, cache[i + 2]);
        }
    }
}

TEST_F(Renderer, FitPutsBandsOfTheColour) {
    const std::string path = WritePicture(MakeBmp(300, 200, [](int, int) { return 0x102030u; }));
    ASSERT_EQ(1, Build(path.c_str(), 0, 100));
    // 10 band rows at the bottom (memory rows 0 to 9), 11 at the top.
    for (int r = 0; r < kHeight; ++r) {
        const bool band = r < 10 || r > 180;
        ASSERT_EQ(band ? 0xFF336699u : 0xFF102030u, renderer.pixels[size_t(r) * kWidth + 7]) << r;
    }
}

TEST_F(Renderer, UnreadablePathsGiveThePlainColourAndLeaveTheCacheAlone) {
    const std::vector<unsigned char> oldCache = MakeBmp(kWidth, kHeight, Pattern);
    ASSERT_TRUE(WriteFileBytes(CachePath(), oldCache));
    const std::vector<unsigned char> good = MakeBmp(40, 30, Pattern);
    struct Case {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing file", folder.File("missing.bmp")},
        {"empty path", ""},
        {"a folder", folder.Path()},
        {"truncated",
         WritePicture(std::vector<unsigned char>(good.begin(), good.end() - 100), "truncated.bmp")},
        {"zero width", WritePicture(
                           [&] {
                               auto b = good;
                               Put32(b, kWidthOffset, 0);
                               return b;
                           }(),
                           "zero.bmp")},
        {"negative width", WritePicture(
                               [&] {
                                   auto b = good;
                                   Put32(b, kWidthOffset, uint32_t(-40));
                                   return b;
                               }(),
                               "negative.bmp")},
        {"60000 x 60000", WritePicture(
                              [&] {
                                  auto b = good;
                                  Put32(b, kWidthOffset, 60000);
                                  Put32(b, kHeightOffset, 60000);
                                  return b;
                              }(),
                              "absurd.bmp")},
        {"unknown compression", WritePicture(
                                    [&] {
                                        auto b = good;
                                        Put32(b, kCompressionOffset, 9);
                                        return b;
                                    }(),
                                    "compression.bmp")},
        {"not a BMP", WritePicture(std::vector<unsigned char>(500, 'x'), "text.bmp")},
        // A picture more than 512 times as wide as high fits into no rows.
        {"fits into nothing", WritePicture(MakeBmp(1100, 2, Pattern), "strip.bmp")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(1, Build(c.path.c_str(), 0, 30));
        ExpectPlain(kColor);
        EXPECT_EQ(oldCache, ReadFileBytes(CachePath()));
    }
}

TEST_F(Renderer, LockedCacheIsLeftAloneAndThePictureStillShows) {
    const std::vector<unsigned char> oldCache = MakeBmp(kWidth, kHeight, Pattern);
    ASSERT_TRUE(WriteFileBytes(CachePath(), oldCache));
    const std::string path = WritePicture(MakeBmp(32, 24, [](int, int) { return 0x445566u; }));
    {
        // Opened without sharing, as another program might hold it.
        UniqueFile lock(CreateFileA(CachePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(INVALID_HANDLE_VALUE, lock.get());
        EXPECT_EQ(1, Build(path.c_str(), 1, 100));
    }
    ASSERT_TRUE(renderer.pixels);
    EXPECT_EQ(0xFF445566u, renderer.pixels[0]);
    EXPECT_EQ(0xFF445566u, renderer.pixels[kWidth * kHeight - 1]);
    EXPECT_EQ(oldCache, ReadFileBytes(CachePath()));
}

TEST_F(Renderer, UnexpandablePathFailsAndKeepsTheBackBuffer) {
    ASSERT_EQ(1, Build(nullptr));
    HDC before = renderer.dc.get();
    EXPECT_EQ(0, renderer.Build(nullptr, "$q\\picture.bmp", kWidth, kHeight, 1, 0x02010203, 100));
    EXPECT_FALSE(renderer.pixels);
    EXPECT_EQ(0x02010203u, renderer.fillColor);
    EXPECT_EQ(before, renderer.dc.get());
    // Painting then falls back to the plain fill colour.
    renderer.PaintBackground();
    EXPECT_EQ(0x010203u, BackPixel(renderer, 0, 0));
    EXPECT_EQ(0x010203u, BackPixel(renderer, 255, 191));
}

TEST_F(Renderer, PaintBackgroundCopiesThePictureOneToOne) {
    const std::string path = WritePicture(MakeBmp(kWidth, kHeight, Pattern));
    ASSERT_EQ(1, Build(path.c_str()));
    renderer.Fill(0);
    renderer.PaintBackground();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) ASSERT_EQ(Pattern(x, y), BackPixel(renderer, x, y)) << x << "," << y;
}

TEST_F(Renderer, RestoreRectPutsBackExactlyThePicturesRectangle) {
    const std::string path = WritePicture(MakeBmp(kWidth, kHeight, Pattern));
    ASSERT_EQ(1, Build(path.c_str()));
    renderer.Fill(0x02FFFFFF);
    const RECT rect = {10, 20, 10 + 30, 20 + 40};
    renderer.RestoreRect(renderer.dc.get(), rect.left, rect.top, 30, 40);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const POINT point = {x, y};
            const uint32_t expected = PtInRect(&rect, point) ? Pattern(x, y) : 0xFFFFFFu;
            ASSERT_EQ(expected, BackPixel(renderer, x, y)) << x << "," << y;
        }
    }
}

TEST_F(Renderer, RestoreRectWithoutAPictureUsesTheDesktopColour) {
    renderer.Create(kWidth, kHeight);
    renderer.Fill(0);
    renderer.RestoreRect(renderer.dc.get(), 5, 6, 7, 8);
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    const uint32_t expected =
        uint32_t(GetRValue(desktop)) << 16 | GetGValue(desktop) << 8 | GetBValue(desktop);
    EXPECT_EQ(expected, BackPixel(renderer, 5, 6));
    EXPECT_EQ(expected, BackPixel(renderer, 11, 13));
    EXPECT_EQ(0u, BackPixel(renderer, 12, 13));
    EXPECT_EQ(0u, BackPixel(renderer, 4, 6));
}

TEST(BackBufferTest, CreateFillCopyAndRelease) {
    BackBuffer buffer;
    EXPECT_FALSE(buffer.dc);
    buffer.CopyTo(nullptr);  // nothing to copy yet

    buffer.Create(5, 3);
    EXPECT_EQ(5, buffer.GetSize().cx);
    EXPECT_EQ(3, buffer.GetSize().cy);
    EXPECT_EQ(40u, buffer.header.biSize);
    EXPECT_EQ(24, buffer.header.biBitCount);
    ASSERT_TRUE(buffer.bits);
    EXPECT_EQ(buffer.bitmap.get(), GetCurrentObject(buffer.dc.get(), OBJ_BITMAP));
    buffer.Fill(0x02ABCDEF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(0xABCDEFu, BackPixel(buffer, x, y));

    // CopyTo lands the whole buffer at the target's top-left corner.
    BackBuffer target;
    target.Create(8, 8);
    target.Fill(0);
    buffer.CopyTo(target.dc.get());
    EXPECT_EQ(0xABCDEFu, BackPixel(target, 4, 2));
    EXPECT_EQ(0u, BackPixel(target, 5, 2));
    EXPECT_EQ(0u, BackPixel(target, 4, 3));

    // A new Create deletes the old section; Release deletes the new one.
    HBITMAP first = buffer.bitmap.get();
    buffer.Create(256, 192);
    EXPECT_EQ(0u, GetObjectType(first));
    HBITMAP second = buffer.bitmap.get();
    HDC dc = buffer.dc.get();
    buffer.Release();
    EXPECT_EQ(0u, GetObjectType(second));
    EXPECT_EQ(0u, GetObjectType(dc));
    EXPECT_FALSE(buffer.dc);
    EXPECT_EQ(nullptr, buffer.bits);
    EXPECT_EQ(nullptr, buffer.previous);
    EXPECT_EQ(256, buffer.GetSize().cx) << "the header keeps its values";
    buffer.Release();
    buffer.Fill(0);  // no buffer: nothing happens
}

}  // namespace

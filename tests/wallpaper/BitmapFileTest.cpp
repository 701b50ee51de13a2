// Loading BMP files of every common kind into 32-bit bottom-up pixels, the
// cache file's bytes, and the files that must be refused.
#include <gtest/gtest.h>

#include "BmpFiles.h"
#include "TestSupport.h"
#include "wallpaper/BitmapFile.h"

namespace {

using namespace wallpapertest;
using velktest::TempFolder;

// A picture where every pixel differs from its neighbours: (x, y) from the top.
uint32_t Pattern(int x, int y) {
    return uint32_t(x * 37 % 256) << 16 | uint32_t(y * 11 % 256) << 8 | uint32_t((x + y) % 256);
}
uint32_t Gray(int x, int y) {
    return uint32_t((x * 7 + y * 3) % 256) * 0x010101u;
}

class BitmapFileTest : public ::testing::Test {
protected:
    PixelImage LoadFile(const std::vector<unsigned char>& bytes, BITMAPINFOHEADER* header) {
        const std::string path = folder.File("picture.bmp");
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return file.Load(GetModuleHandleA(nullptr), path.c_str(), header);
    }
    // Loaded pixels run bottom-up: picture row y is memory row height - 1 - y.
    void ExpectPicture(const uint32_t* pixels, int width, int height, uint32_t (*pixel)(int, int)) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(pixel(x, y), pixels[size_t(height - 1 - y) * width + x] & 0x00FFFFFF)
                    << x << "," << y;
    }

    TempFolder folder;
    BitmapFile file;
};

TEST_F(BitmapFileTest, LoadsEveryDepthIntoBottomUp32BitPixels) {
    struct Case {
        const char* name;
        int width, height;
        BmpOptions options;
        uint32_t (*pixel)(int, int);
    } cases[] = {
        {"24-bit with row padding", 5, 3, {24, false}, Pattern},
        {"24-bit top-down", 7, 4, {24, true}, Pattern},
        {"32-bit", 6, 5, {32, false}, Pattern},
        {"8-bit palette", 9, 6, {8, false}, Gray},
        {"8-bit palette top-down", 9, 6, {8, true}, Gray},
        {"8-bit run-length", 9, 6, {8, false, true}, Gray},
        {"32-bit top-down", 3, 2, {32, true}, Pattern},
        {"panel size", 256, 192, {24, false}, Pattern},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BITMAPINFOHEADER header = {};
        PixelImage pixels =
            LoadFile(MakeBmp(
                         c.width, c.height, [&](int x, int y) { return c.pixel(x, y); }, c.options),
                     &header);
        ASSERT_TRUE(pixels);
        EXPECT_EQ(40u, header.biSize);
        EXPECT_EQ(c.width, header.biWidth);
        EXPECT_EQ(c.height, header.biHeight);
        EXPECT_EQ(1, header.biPlanes);
        EXPECT_EQ(32, header.biBitCount);
        EXPECT_EQ(DWORD(BI_RGB), header.biCompression);
        EXPECT_EQ(0u, header.biSizeImage);
        EXPECT_EQ(0u, header.biClrUsed);
        ExpectPicture(pixels.get(), c.width, c.height, c.pixel);
    }
}

TEST_F(BitmapFileTest, NoPathOrNoFileGivesNothing) {
    BITMAPINFOHEADER header = {};
    EXPECT_FALSE(file.Load(nullptr, nullptr, &header));
    EXPECT_FALSE(file.Load(nullptr, folder.File("missing.bmp").c_str(), &header));
    EXPECT_FALSE(file.Load(nullptr, "", &header));
    EXPECT_FALSE(file.Load(nullptr, folder.Path().c_str(), &header));
}

// Damaged files are refused before the loader sees them: no crash, no read
// past the end, no allocation the header asks for.
TEST_F(BitmapFileTest, RefusesDamagedFiles) {
    const std::vector<unsigned char> good = MakeBmp(16, 8, Pattern);
    struct Case {
        const char* name;
        std::function<void(std::vector<unsigned char>&)> damage;
    } cases[] = {
        {"truncated rows", [](auto& b) { b.resize(b.size() - 20); }},
        {"headers only", [](auto& b) { b.resize(54); }},
        {"cut inside the header", [](auto& b) { b.resize(30); }},
        {"empty", [](auto& b) { b.clear(); }},
        {"zero width", [](auto& b) { Put32(b, kWidthOffset, 0); }},
        {"zero height", [](auto& b) { Put32(b, kHeightOffset, 0); }},
        {"negative width", [](auto& b) { Put32(b, kWidthOffset, uint32_t(-16)); }},
        {"most negative height", [](auto& b) { Put32(b, kHeightOffset, 0x80000000u); }},
        {"60000 x 60000",
         [](auto& b) {
             Put32(b, kWidthOffset, 60000);
             Put32(b, kHeightOffset, 60000);
         }},
        {"70000 wide",
         [](auto& b) {
             Put32(b, kWidthOffset, 70000);
             Put32(b, kHeightOffset, 1);
         }},
        {"unknown compression", [](auto& b) { Put32(b, kCompressionOffset, 7); }},
        {"JPEG inside", [](auto& b) { Put32(b, kCompressionOffset, BI_JPEG); }},
        {"RLE8 on 24 bits", [](auto& b) { Put32(b, kCompressionOffset, BI_RLE8); }},
        {"top-down RLE8",
         [](auto& b) {
             b[kBitCountOffset] = 8;
             Put32(b, kCompressionOffset, BI_RLE8);
             Put32(b, kHeightOffset, uint32_t(-8));
         }},
        {"bit count 0", [](auto& b) { b[kBitCountOffset] = 0; }},
        {"bit count 7", [](auto& b) { b[kBitCountOffset] = 7; }},
        {"a colour table of 2^31 entries", [](auto& b) { Put32(b, 46, 0x80000000u); }},
        {"unknown header size", [](auto& b) { Put32(b, 14, 41); }},
        {"pixels inside the header", [](auto& b) { Put32(b, 10, 20); }},
        {"not a BMP",
         [](auto& b) {
             b.assign({'G', 'I', 'F', '8', '9', 'a'});
             b.resize(200, 0x41);
         }},
        {"text",
         [](auto& b) {
             const char text[] = "BM is not enough to make a bitmap file\r\n";
             b.assign(text, text + sizeof text);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> bytes = good;
        c.damage(bytes);
        BITMAPINFOHEADER header = {};
        EXPECT_FALSE(LoadFile(bytes, &header));
        EXPECT_EQ(BitmapLayout::Refused, CheckBitmapFile(folder.File("picture.bmp").c_str()));
    }
    BITMAPINFOHEADER header = {};
    EXPECT_TRUE(LoadFile(good, &header)) << "the undamaged file loads";
}

// The header tells how much run-length data there is: a file with less is
// not handed to the loader, which would read on past its end.
TEST_F(BitmapFileTest, ARunLengthFileCutShortIsRefused) {
    std::vector<unsigned char> bytes = MakeBmp(16, 8, Gray, {8, false, true});
    BITMAPINFOHEADER header = {};
    ASSERT_TRUE(LoadFile(bytes, &header));
    bytes.resize(bytes.size() - 9);
    EXPECT_FALSE(LoadFile(bytes, &header));
}

TEST_F(BitmapFileTest, CacheFileIsThe24BitPictureByteForByte) {
    std::vector<uint32_t> pixels(256 * 192);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = 256;
    info.bmiHeader.biHeight = 192;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const std::string path = folder.File("_QXWP_.bmp");
    ASSERT_TRUE(file.SaveCache(path.c_str(), info, pixels.data()));

    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    ASSERT_EQ(147510u, bytes.size());
    struct Field {
        size_t offset, size;
        uint32_t value;
    } fields[] = {{0, 2, 0x4D42}, {2, 4, 147510}, {6, 2, 0},  {8, 2, 0},   {10, 4, 54}, {14, 4, 40},
                  {18, 4, 256},   {22, 4, 192},   {26, 2, 1}, {28, 2, 24}, {30, 4, 0},  {34, 4, 0},
                  {38, 4, 0},     {42, 4, 0},     {46, 4, 0}, {50, 4, 0}};
    for (const Field& f : fields)
        EXPECT_EQ(f.value, f.size == 2 ? Get16(bytes, f.offset) : Get32(bytes, f.offset))
            << "offset " << f.offset;
    for (size_t i = 0; i < pixels.size(); ++i) {
        ASSERT_EQ(pixels[i] & 0xFF, bytes[54 + 3 * i]) << i;
        ASSERT_EQ((pixels[i] >> 8) & 0xFF, bytes[54 + 3 * i + 1]) << i;
        ASSERT_EQ((pixels[i] >> 16) & 0xFF, bytes[54 + 3 * i + 2]) << i;
    }

    // The cache reads back as the same picture.
    BITMAPINFOHEADER header = {};
    PixelImage back = file.Load(nullptr, path.c_str(), &header);
    ASSERT_TRUE(back);
    for (size_t i = 0; i < pixels.size(); ++i) ASSERT_EQ(pixels[i] & 0xFFFFFF, back[i] & 0xFFFFFF) << i;
}

TEST_F(BitmapFileTest, OtherHeaderFieldsAreWrittenAsHeldAndRowsAreNotPadded) {
    const uint32_t pixels[] = {0x010203, 0x040506, 0x070809};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biXPelsPerMeter = 2835;
    const std::string path = folder.File("small.bmp");
    ASSERT_TRUE(file.SaveCache(path.c_str(), info, pixels));
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    ASSERT_EQ(54u + 9u, bytes.size());
    EXPECT_EQ(63u, Get32(bytes, 2));
    EXPECT_EQ(2835u, Get32(bytes, 38));
    EXPECT_EQ(24u, Get16(bytes, 28));
    const std::vector<unsigned char> expected = {3, 2, 1, 6, 5, 4, 9, 8, 7};
    EXPECT_EQ(expected, std::vector<unsigned char>(bytes.begin() + 54, bytes.end()));
}

TEST_F(BitmapFileTest, CacheThatCannotBeCreatedIsRefused) {
    const uint32_t pixel = 0;
    BITMAPINFO info = {};
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    EXPECT_FALSE(file.SaveCache(folder.File("no such folder\\_QXWP_.bmp").c_str(), info, &pixel));
    EXPECT_FALSE(file.SaveCache(folder.File("nothing.bmp").c_str(), info, nullptr));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.File("nothing.bmp").c_str()));
}

}  // namespace

// The wallpaper dialog's preview on real BMP files: fitted and stretched
// pictures, the fitted size, bands that take the current colour and the
// plain colour without a picture.
#include <gtest/gtest.h>

#include "BmpFiles.h"
#include "TestSupport.h"
#include "wallpaper/WallpaperPreview.h"

namespace {

using namespace wallpapertest;
using velktest::TempFolder;

constexpr int kWidth = 128, kHeight = 96;
constexpr uint32_t kRgb = 0x00FFFFFF;
constexpr PackedColor kLoadColor = 0x02102030;
constexpr PackedColor kColor = 0x02336699;
constexpr uint32_t kPictureRgb = 0x00C08040;

// A pixel of display, x from the left and y from the top.
uint32_t Shown(const WallpaperPreview& preview, int x, int y) {
    return preview.display[size_t(kHeight - 1 - y) * kWidth + x] & kRgb;
}

class Preview : public ::testing::Test {
protected:
    std::string Picture(int width, int height, uint32_t rgb = kPictureRgb) {
        const std::string path = folder.File(std::to_string(width) + "x" + std::to_string(height) + ".bmp");
        EXPECT_TRUE(WriteFileBytes(path, MakeBmp(width, height, [rgb](int, int) { return rgb; })));
        return path;
    }
    void Load(const char* path) {
        preview.Load(GetModuleHandleA(nullptr), path, kWidth, kHeight, kLoadColor);
    }

    TempFolder folder;
    WallpaperPreview preview;
};

// Bands run above and below a wide picture, left and right of a tall one;
// the fitted size rounds as the scaler does.
TEST_F(Preview, FitsPicturesOnBandsOfTheCurrentColour) {
    struct Case {
        int width, height;
        int fitWidth, fitHeight;
    };
    const Case cases[] = {
        {128, 96, 128, 96}, {256, 96, 128, 48}, {48, 96, 48, 96}, {300, 7, 128, 3}, {64, 48, 128, 96},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const std::string path = Picture(c.width, c.height);
        Load(path.c_str());
        EXPECT_STREQ(path.c_str(), preview.path);
        EXPECT_EQ(c.fitWidth, preview.fitWidth);
        EXPECT_EQ(c.fitHeight, preview.fitHeight);

        preview.Compose(kColor, 100, 0);
        const int left = (kWidth - c.fitWidth) / 2;
        // The picture's first row from the top: an odd spare row goes to the top.
        const int top = kHeight - (kHeight - c.fitHeight) / 2 - c.fitHeight;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const bool inside = x >= left && x < left + c.fitWidth && y >= top && y < top + c.fitHeight;
                ASSERT_EQ(inside ? kPictureRgb : (kColor & kRgb), Shown(preview, x, y)) << x << "," << y;
            }
        preview.Compose(kColor, 100, 1);
        EXPECT_EQ(kPictureRgb, Shown(preview, 0, 0));
        EXPECT_EQ(kPictureRgb, Shown(preview, kWidth - 1, kHeight - 1));
    }
}

TEST_F(Preview, SameSizedPictureIsTakenPixelForPixel) {
    const std::string path = folder.File("pattern.bmp");
    ASSERT_TRUE(WriteFileBytes(
        path, MakeBmp(kWidth, kHeight, [](int x, int y) { return uint32_t(x << 16 | y << 8 | (x ^ y)); })));
    Load(path.c_str());
    for (const PixelImage* image : {&preview.fitted, &preview.stretched})
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(uint32_t(x << 16 | y << 8 | (x ^ y)),
                          (*image)[size_t(kHeight - 1 - y) * kWidth + x] & kRgb);
}

TEST_F(Preview, WithoutAReadablePictureShowsThePlainColour) {
    const std::string broken = folder.File("broken.bmp");
    ASSERT_TRUE(WriteFileBytes(broken, {'B', 'M', 0, 0}));
    const std::string missing = folder.File("missing.bmp");
    for (const char* path :
         {static_cast<const char*>(nullptr), broken.c_str(), missing.c_str(), "$q\\x.bmp"}) {
        SCOPED_TRACE(path ? path : "null");
        Load(path);
        EXPECT_EQ(0, preview.fitWidth);
        EXPECT_EQ(0, preview.fitHeight);
        EXPECT_STREQ("", preview.path);
        EXPECT_EQ(kWidth, preview.info.bmiHeader.biWidth);
        EXPECT_EQ(32, preview.info.bmiHeader.biBitCount);
        EXPECT_EQ(kLoadColor & kRgb, Shown(preview, 5, 5));
        for (uint8_t fill : {0, 1}) {
            preview.Compose(kColor, 40, fill);
            for (int i = 0; i < kWidth * kHeight; ++i) ASSERT_EQ(kColor, preview.display[i]) << i;
        }
    }
}

}  // namespace

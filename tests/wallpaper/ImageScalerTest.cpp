// The scaler and the blender: worked examples by hand, and random pictures
// of awkward sizes against a reference that integrates areas in doubles.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "wallpaper/ImageScaler.h"
#include "wallpaper/PixelBlender.h"

namespace {

constexpr PackedColor kBand = 0x02336699;
constexpr uint32_t kBandPixel = 0xFF336699;

uint32_t Pixel(uint32_t red, uint32_t green, uint32_t blue, uint32_t x = 0) {
    return x << 24 | red << 16 | green << 8 | blue;
}
uint32_t Blue(uint32_t p) {
    return p & 0xFF;
}

std::vector<uint32_t> RandomPicture(int width, int height, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> picture(size_t(width) * height);
    for (uint32_t& p : picture) p = random();
    return picture;
}

// The exact area average of the source under target pixel (c, r), computed
// in source coordinates with doubles.
double ReferenceChannel(const std::vector<uint32_t>& source, int sw, int sh, int tw, int th, int c, int r,
                        int shift) {
    const double x0 = double(c) * sw / tw, x1 = double(c + 1) * sw / tw;
    const double y0 = double(r) * sh / th, y1 = double(r + 1) * sh / th;
    double sum = 0;
    for (int i = int(std::floor(y0)); i < int(std::ceil(y1)) && i < sh; ++i) {
        const double dy = std::min(y1, i + 1.0) - std::max(y0, double(i));
        for (int j = int(std::floor(x0)); j < int(std::ceil(x1)) && j < sw; ++j) {
            const double dx = std::min(x1, j + 1.0) - std::max(x0, double(j));
            sum += dx * dy * ((source[size_t(i) * sw + j] >> shift) & 0xFF);
        }
    }
    return sum / ((x1 - x0) * (y1 - y0));
}

// The scaled pixel must be the reference rounded down, X 0xFF.
void ExpectAreaAverage(const std::vector<uint32_t>& source, int sw, int sh, const uint32_t* target,
                       int stride, int tw, int th, int c, int r) {
    const uint32_t p = target[size_t(r) * stride + c];
    EXPECT_EQ(0xFFu, p >> 24);
    for (int shift : {0, 8, 16}) {
        const double exact = ReferenceChannel(source, sw, sh, tw, th, c, r, shift);
        const double got = (p >> shift) & 0xFF;
        EXPECT_LE(got, exact + 1e-6) << "pixel " << c << "," << r << " shift " << shift;
        EXPECT_GT(got, exact - 1 + 1e-6) << "pixel " << c << "," << r << " shift " << shift;
    }
}

class Scaler : public ::testing::Test {
protected:
    ImageScaler scaler;
};

TEST_F(Scaler, GcdAndLcm) {
    struct Case {
        int32_t a, b, gcd, lcm;
    } cases[] = {{0, 5, 0, 0},
                 {5, 0, 0, 0},
                 {7, 7, 7, 7},
                 {12, 18, 6, 36},
                 {18, 12, 6, 36},
                 {640, 256, 128, 1280},
                 {6001, 256, 1, 1536256},
                 {4001, 171, 1, 684171},
                 {300, 256, 4, 19200}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.gcd, scaler.Gcd(c.a, c.b)) << c.a << "," << c.b;
        EXPECT_EQ(c.lcm, scaler.Lcm(c.a, c.b)) << c.a << "," << c.b;
    }
}

TEST_F(Scaler, SameSizeIsAByteForByteCopy) {
    std::vector<uint32_t> source = RandomPicture(256, 192, 1);
    for (uint8_t fill : {0, 1}) {
        PixelImage copy = scaler.Scale(source.data(), 256, 192, 256, 192, fill, kBand);
        ASSERT_TRUE(copy);
        EXPECT_TRUE(std::equal(source.begin(), source.end(), copy.get()));
    }
}

TEST_F(Scaler, TwoByTwoToOneIsTheAverageRoundedDown) {
    const uint32_t source[] = {Pixel(10, 0, 255, 7), Pixel(11, 1, 254, 7), Pixel(12, 2, 253, 7),
                               Pixel(14, 4, 0, 7)};
    PixelImage one = scaler.Scale(source, 2, 2, 1, 1, 1, kBand);
    ASSERT_TRUE(one);
    // red 47 / 4, green 7 / 4, blue 762 / 4.
    EXPECT_EQ(Pixel(11, 1, 190, 0xFF), one[0]);
}

TEST_F(Scaler, OnePixelFillsTheWholeTarget) {
    const uint32_t source[] = {Pixel(1, 2, 3, 0x44)};
    PixelImage big = scaler.Scale(source, 1, 1, 256, 192, 1, kBand);
    ASSERT_TRUE(big);
    for (int i = 0; i < 256 * 192; ++i) ASSERT_EQ(Pixel(1, 2, 3, 0xFF), big[i]) << i;
}

// 640 x 480 has the panel's ratio: a stretch with 5 x 5 grid cells over
// 2 x 2 source pixels; column 0 takes columns 0, 1, 2 with weights 2, 2, 1,
// column 1 takes 2, 3, 4 with 1, 2, 2.
TEST_F(Scaler, SameRatioFitIsAStretchWithOverlapWeights) {
    std::vector<uint32_t> source(640 * 480);
    for (int i = 0; i < 480; ++i)
        for (int j = 0; j < 640; ++j) source[size_t(i) * 640 + j] = Pixel(0, i % 256, j % 256);
    PixelImage fitted = scaler.Scale(source.data(), 640, 480, 256, 192, 0, kBand);
    ASSERT_TRUE(fitted);
    // Blue (the column): (0*2 + 1*2 + 2*1) * 5 / 25 = 0; (2*1 + 3*2 + 4*2) * 5 / 25 = 3.
    EXPECT_EQ(Pixel(0, 0, 0, 0xFF), fitted[0]);
    EXPECT_EQ(Pixel(0, 0, 3, 0xFF), fitted[1]);
    // Row 1, column 1: green like blue, 3.
    EXPECT_EQ(Pixel(0, 3, 3, 0xFF), fitted[256 + 1]);
    // Column 2 (grid 10 to 15) takes 5, 6, 7 with 2, 2, 1: 29 * 5 / 25 = 5.
    EXPECT_EQ(5u, Blue(fitted[2]));
    PixelImage stretched = scaler.Scale(source.data(), 640, 480, 256, 192, 1, kBand);
    ASSERT_TRUE(stretched);
    EXPECT_TRUE(std::equal(fitted.get(), fitted.get() + 256 * 192, stretched.get()));
}

struct FitCase {
    int sw, sh;
    int pictureWidth, pictureHeight;  // inside 256 x 192
    int left, bottom;                 // band columns on the left, band rows below
};

class Fit : public Scaler, public ::testing::WithParamInterface<FitCase> {};

TEST_P(Fit, PlacesThePictureOnBands) {
    const FitCase& c = GetParam();
    std::vector<uint32_t> source = RandomPicture(c.sw, c.sh, c.sw * 31 + c.sh);
    for (uint32_t& p : source) p &= 0x00FFFFFF;
    PixelImage fitted = scaler.Scale(source.data(), c.sw, c.sh, 256, 192, 0, kBand);
    ASSERT_TRUE(fitted);
    for (int r = 0; r < 192; ++r) {
        for (int col = 0; col < 256; ++col) {
            const bool inside = col >= c.left && col < c.left + c.pictureWidth && r >= c.bottom &&
                                r < c.bottom + c.pictureHeight;
            const uint32_t p = fitted[size_t(r) * 256 + col];
            if (!inside) {
                ASSERT_EQ(kBandPixel, p) << col << "," << r;
            } else if ((r * 256 + col) % 7 == 0) {
                // The picture part is the resample at the fitted size.
                ExpectAreaAverage(source, c.sw, c.sh, fitted.get() + size_t(c.bottom) * 256 + c.left, 256,
                                  c.pictureWidth, c.pictureHeight, col - c.left, r - c.bottom);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Panel, Fit,
    ::testing::Values(FitCase{1024, 512, 256, 128, 0, 32},  // 32 band rows below and above
                      FitCase{300, 200, 256, 171, 0, 10},   // 10 below, 11 above
                      FitCase{480, 640, 144, 192, 56, 0},   // 56 band columns each side
                      FitCase{100, 100, 192, 192, 32, 0},   // square: 32 each side
                      FitCase{3, 5, 115, 192, 70, 0},       // 141 spare: the odd one right
                      FitCase{257, 191, 256, 190, 0, 1},    // 190.26 rows: 1 below, 1 above
                      FitCase{191, 257, 143, 192, 56, 0},   // 142.69 columns: 56 left, 57 right
                      FitCase{512, 3, 256, 2, 0, 95},       // 1.5 rows round up to 2
                      FitCase{1, 384, 1, 192, 127, 0}));    // 0.5 columns round up to 1

TEST_F(Scaler, FourByFourBlocksOfAWideFit) {
    std::vector<uint32_t> source(1024 * 512);
    for (int i = 0; i < 512; ++i)
        for (int j = 0; j < 1024; ++j) source[size_t(i) * 1024 + j] = Pixel(0, i % 4 == 0 ? 100 : 0, j % 4);
    PixelImage fitted = scaler.Scale(source.data(), 1024, 512, 256, 192, 0, kBand);
    ASSERT_TRUE(fitted);
    // Blue: (0 + 1 + 2 + 3) * 4 / 16 = 1; green: 100 * 4 / 16 = 25.
    for (int r = 32; r < 160; ++r)
        for (int col = 0; col < 256; ++col) ASSERT_EQ(Pixel(0, 25, 1, 0xFF), fitted[size_t(r) * 256 + col]);
}

TEST_F(Scaler, StretchIgnoresTheRatio) {
    const std::vector<uint32_t> source = RandomPicture(300, 200, 7);
    PixelImage stretched = scaler.Scale(source.data(), 300, 200, 256, 192, 1, kBand);
    ASSERT_TRUE(stretched);
    for (int r = 0; r < 192; r += 13)
        for (int c = 0; c < 256; c += 11)
            ExpectAreaAverage(source, 300, 200, stretched.get(), 256, 256, 192, c, r);
    for (int i = 0; i < 256 * 192; ++i) ASSERT_EQ(0xFFu, stretched[i] >> 24);
}

TEST_F(Scaler, AwkwardSizesMatchTheReferenceEverywhere) {
    struct Size {
        int sw, sh, tw, th;
    } sizes[] = {
        {257, 191, 256, 192}, {191, 257, 128, 96}, {7, 3, 256, 192}, {509, 13, 128, 96}, {2, 1, 3, 2}};
    for (const Size& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.sw << "x" << s.sh << " to " << s.tw << "x" << s.th);
        const std::vector<uint32_t> source = RandomPicture(s.sw, s.sh, s.sw ^ s.sh);
        PixelImage scaled = scaler.Scale(source.data(), s.sw, s.sh, s.tw, s.th, 1, kBand);
        ASSERT_TRUE(scaled);
        for (int r = 0; r < s.th; ++r)
            for (int c = 0; c < s.tw; ++c)
                ExpectAreaAverage(source, s.sw, s.sh, scaled.get(), s.tw, s.tw, s.th, c, r);
    }
}

// 6001 x 4001 shares no factor with 256 x 192: one target pixel covers
// 6001 x 4001 grid units, and a white picture's sums reach 255 x 24 million,
// past 32 bits.
TEST_F(Scaler, LargeOddSizesSumInSixtyFourBits) {
    std::vector<uint32_t> white(size_t(6001) * 4001, 0x00FFFFFF);
    PixelImage stretched = scaler.Scale(white.data(), 6001, 4001, 256, 192, 1, kBand);
    ASSERT_TRUE(stretched);
    for (int i = 0; i < 256 * 192; ++i) ASSERT_EQ(0xFFFFFFFFu, stretched[i]) << i;

    const std::vector<uint32_t> source = RandomPicture(6001, 4001, 6001);
    PixelImage fitted = scaler.Scale(source.data(), 6001, 4001, 256, 192, 0, kBand);
    ASSERT_TRUE(fitted);
    // Wider than the panel: 256 x 171 (170.68 rounded), 10 band rows below.
    for (int col = 0; col < 256; ++col) {
        EXPECT_EQ(kBandPixel, fitted[9 * 256 + col]);
        EXPECT_EQ(kBandPixel, fitted[181 * 256 + col]);
    }
    const uint32_t* picture = fitted.get() + 10 * 256;
    for (int r = 0; r < 171; r += 17)
        for (int c = 0; c < 256; c += 23) ExpectAreaAverage(source, 6001, 4001, picture, 256, 256, 171, c, r);
}

TEST_F(Scaler, NothingToScaleGivesNoPicture) {
    const uint32_t source[4] = {};
    EXPECT_FALSE(scaler.Scale(nullptr, 2, 2, 256, 192, 1, kBand));
    EXPECT_FALSE(scaler.Scale(source, 0, 2, 256, 192, 1, kBand));
    EXPECT_FALSE(scaler.Scale(source, 2, 0, 256, 192, 1, kBand));
    EXPECT_FALSE(scaler.Scale(source, 2, 2, 0, 192, 1, kBand));
    // Sizes are 16-bit: 65536 is 0.
    EXPECT_FALSE(scaler.Scale(source, 65536, 2, 256, 192, 1, kBand));
    // More than 512 times as wide as high fits into 0 rows; 384 times as high, 0 columns.
    std::vector<uint32_t> strip(1030, 0);
    EXPECT_FALSE(scaler.Scale(strip.data(), 1030, 1, 256, 192, 0, kBand));
    EXPECT_FALSE(scaler.Scale(strip.data(), 1, 1030, 256, 192, 0, kBand));
    // Stretched, the same strip is a picture.
    EXPECT_TRUE(scaler.Scale(strip.data(), 1030, 1, 256, 192, 1, kBand));
}

TEST_F(Scaler, SizesAreTakenModulo65536) {
    const uint32_t source[] = {Pixel(0, 0, 10), Pixel(0, 0, 20), Pixel(0, 0, 31), Pixel(0, 0, 40)};
    PixelImage one = scaler.Scale(source, 65536 + 2, 2, 1, 65536 + 1, 1, kBand);
    ASSERT_TRUE(one);
    EXPECT_EQ(Pixel(0, 0, 25, 0xFF), one[0]);
}

TEST(Blender, MixesByPercent) {
    PixelBlender blender;
    const uint32_t picture = Pixel(200, 0, 255, 0x12);
    const PackedColor color = 0x02650A01;  // red 101, green 10, blue 1
    struct Case {
        int32_t alpha;
        uint32_t expected;
    } cases[] = {
        {100, picture},
        {150, picture},
        {0, 0xFF650A01},
        {-5, 0xFF650A01},
        // (200*50 + 101*50) / 100 = 150; (0 + 10*50) / 100 = 5; (255*50 + 1*50) / 100 = 128.
        {50, Pixel(150, 5, 128, 0xFF)},
        // (200*1 + 101*99) / 100 = 101 (101.99); (10*99) / 100 = 9; (255 + 99) / 100 = 3.
        {1, Pixel(101, 9, 3, 0xFF)},
        {99, Pixel(199, 0, 252, 0xFF)},
    };
    for (const Case& c : cases) {
        uint32_t pixels[3] = {picture, picture, picture};
        blender.Blend(pixels, color, 2, c.alpha);
        EXPECT_EQ(c.expected, pixels[0]) << "alpha " << c.alpha;
        EXPECT_EQ(c.expected, pixels[1]) << "alpha " << c.alpha;
        EXPECT_EQ(picture, pixels[2]) << "alpha " << c.alpha << ": past count";
    }
}

TEST(Blender, BandPixelsStayTheColourAndCountZeroTouchesNothing) {
    PixelBlender blender;
    for (int32_t alpha = 1; alpha < 100; ++alpha) {
        uint32_t band = kBandPixel;
        blender.Blend(&band, kBand, 1, alpha);
        ASSERT_EQ(kBandPixel, band) << alpha;
    }
    uint32_t untouched = 0x12345678;
    blender.Blend(&untouched, kBand, 0, 0);
    blender.Blend(&untouched, kBand, 0, 50);
    EXPECT_EQ(0x12345678u, untouched);
}

}  // namespace

// Writes BMP files for the wallpaper tests: any depth the loader meets, and
// damaged ones.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wallpapertest {

// The colour of the picture at (x, y), y counted from the top, as 0x00RRGGBB.
using PixelSource = std::function<uint32_t(int x, int y)>;

struct BmpOptions {
    int bitCount = 24;  // 8 (a palette of gray levels), 24 or 32
    bool topDown = false;
    bool runLength = false;  // 8-bit only: BI_RLE8, one run per pixel
};

// The bytes of a BMP file of the picture.
std::vector<unsigned char> MakeBmp(int width, int height, const PixelSource& pixel, BmpOptions options = {});
bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadFileBytes(const std::string& path);

// Offsets of fields in a BMP file.
constexpr size_t kWidthOffset = 18;
constexpr size_t kHeightOffset = 22;
constexpr size_t kBitCountOffset = 28;
constexpr size_t kCompressionOffset = 30;

void Put32(std::vector<unsigned char>& bytes, size_t offset, uint32_t value);
uint32_t Get32(const std::vector<unsigned char>& bytes, size_t offset);
uint16_t Get16(const std::vector<unsigned char>& bytes, size_t offset);

}  // namespace wallpapertest

// Writes BMP files for the wallpaper tests.
#include "BmpFiles.h"

#include <fstream>
#include <iterator>

namespace wallpapertest {

void Put32(std::vector<unsigned char>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t Get32(const std::vector<unsigned char>& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes[offset + i];
    return value;
}

uint16_t Get16(const std::vector<unsigned char>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

namespace {
// An 8-bit run-length picture, bottom row first: a run of one per pixel, an
// end of line after each row and an end of picture.
std::vector<unsigned char> MakeRle8(int width, int height, const PixelSource& pixel) {
    std::vector<unsigned char> bytes(14 + 40 + 4 * 256);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            bytes.push_back(1);
            bytes.push_back(static_cast<unsigned char>(pixel(x, y)));
        }
        bytes.insert(bytes.end(), {0, 0});
    }
    bytes.insert(bytes.end(), {0, 1});
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, 14 + 40 + 4 * 256);
    Put32(bytes, 14, 40);
    Put32(bytes, kWidthOffset, width);
    Put32(bytes, kHeightOffset, height);
    bytes[26] = 1;
    bytes[kBitCountOffset] = 8;
    Put32(bytes, kCompressionOffset, BI_RLE8);
    Put32(bytes, 34, static_cast<uint32_t>(bytes.size() - (14 + 40 + 4 * 256)));
    for (int i = 0; i < 256; ++i) Put32(bytes, 54 + 4 * i, i * 0x010101u);
    return bytes;
}
}  // namespace

std::vector<unsigned char> MakeBmp(int width, int height, const PixelSource& pixel, BmpOptions options) {
    if (options.runLength) return MakeRle8(width, height, pixel);
    const int paletteEntries = options.bitCount == 8 ? 256 : 0;
    const size_t stride = (size_t(width) * options.bitCount + 31) / 32 * 4;
    const size_t offset = 14 + 40 + 4 * paletteEntries;
    std::vector<unsigned char> bytes(offset + stride * height);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, static_cast<uint32_t>(offset));
    Put32(bytes, 14, 40);
    Put32(bytes, kWidthOffset, width);
    Put32(bytes, kHeightOffset, options.topDown ? -height : height);
    bytes[26] = 1;
    bytes[kBitCountOffset] = static_cast<unsigned char>(options.bitCount);
    // A gray ramp: index i is (i, i, i).
    for (int i = 0; i < paletteEntries; ++i) Put32(bytes, 54 + 4 * i, i * 0x010101u);
    for (int y = 0; y < height; ++y) {
        // Bottom-up files store the picture's last row first.
        const int fileRow = options.topDown ? y : height - 1 - y;
        unsigned char* row = bytes.data() + offset + stride * fileRow;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixel(x, y);
            switch (options.bitCount) {
            case 8:
                row[x] = static_cast<unsigned char>(c);
                break;
            case 24:
                row[3 * x] = static_cast<unsigned char>(c);
                row[3 * x + 1] = static_cast<unsigned char>(c >> 8);
                row[3 * x + 2] = static_cast<unsigned char>(c >> 16);
                break;
            default:
                row[4 * x] = static_cast<unsigned char>(c);
                row[4 * x + 1] = static_cast<unsigned char>(c >> 8);
                row[4 * x + 2] = static_cast<unsigned char>(c >> 16);
                break;
            }
        }
    }
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace wallpapertest

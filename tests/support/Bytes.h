// Files built byte by byte, independently of the product's own writers: the data files and BMP pictures the
// tests hand to VELK, and the bytes they expect back, written out by hand.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace velktest {

const std::string kSo = "\x83\x5C", kHyo = "\x95\x5C";  // ソ and 表: a backslash for the second byte

// The parts of a data file, appended in order.
struct DataFile {
    // The 16-byte header: "QX", version 1, the body at 16, then these.
    DataFile& Header(uint8_t flags, uint8_t historyCount, uint8_t setCount, uint8_t slotsPerSet = 18,
                     uint8_t alpha = 100, uint8_t red = 1, uint8_t green = 2, uint8_t blue = 3) {
        const unsigned char header[16] = {'Q',   'X', 1,     0,    16,           0,        flags,       0,
                                          alpha, red, green, blue, historyCount, setCount, slotsPerSet, 0};
        bytes.append(reinterpret_cast<const char*>(header), sizeof header);
        return *this;
    }
    DataFile& Text(const std::string& text) {
        bytes += text;
        bytes += '\0';
        return *this;
    }
    DataFile& Slot(const std::string& name, const std::string& target, const std::string& folder) {
        return Text(name).Text(target).Text(folder);
    }
    DataFile& Empty(int slots) {
        bytes.append(3 * size_t(slots), '\0');
        return *this;
    }
    std::string bytes;
};

// The desktop colour's bytes, as VELK stores them without a data file.
inline DataFile DefaultHeader(uint8_t flags, uint8_t historyCount, uint8_t setCount) {
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    return DataFile().Header(flags, historyCount, setCount, 18, 100, GetRValue(desktop), GetGValue(desktop),
                             GetBValue(desktop));
}

// Differing bytes, readable in a failure message.
inline std::string Hex(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char escaped[5] = {char(c)};
        if (c < 0x20 || c >= 0x7F || c == '\\') snprintf(escaped, sizeof escaped, "\\x%02X", c);
        out += escaped;
    }
    return out;
}

// A BMP file of the picture: `pixel` gives 0xRRGGBB at (x, y), y from the top. 24 or 32 bits, rows bottom-up
// unless `topDown`.
inline std::string Bmp(int width, int height, const std::function<uint32_t(int x, int y)>& pixel,
                       int bitCount = 24, bool topDown = false) {
    const size_t stride = (size_t(width) * bitCount + 31) / 32 * 4;
    std::string bytes(54 + stride * height, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = char(v >> (8 * i));
    };
    bytes.replace(0, 2, "BM");
    put32(2, uint32_t(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(topDown ? -height : height));
    bytes[26] = 1;
    bytes[28] = char(bitCount);
    for (int y = 0; y < height; ++y) {
        char* row = &bytes[54 + stride * size_t(topDown ? y : height - 1 - y)];
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) row[x * bitCount / 8 + c] = char(pixel(x, y) >> (8 * c));
    }
    return bytes;
}

}  // namespace velktest

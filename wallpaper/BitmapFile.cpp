// Reads a BMP file into 32-bit bottom-up pixels and writes the 24-bit
// wallpaper cache file.
#include "wallpaper/BitmapFile.h"

#include <io.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/UniqueHandle.h"

namespace {
constexpr WORD kBitmapMagic = 0x4D42;  // "BM"
constexpr DWORD kCoreHeaderSize = 12;
constexpr DWORD kInfoHeaderSize = 40;
constexpr DWORD kLargestHeaderSize = 124;  // BITMAPV5HEADER
constexpr int kExists = 0;
constexpr int kReadable = 4;
constexpr uint32_t kLargestSide = 65535;  // sizes are 16-bit
constexpr DWORD kLargestPalette = 256;
// 256 colours, or three masks and an alpha mask.
constexpr size_t kLargestColorTable = 4 * kLargestPalette + 16;

template <typename T>
T Read(const unsigned char* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool KnownHeaderSize(DWORD size) {
    for (DWORD known : {12u, 40u, 52u, 56u, 64u, 108u, 124u})
        if (size == known) return true;
    return false;
}

bool KnownFormat(WORD bitCount, DWORD compression) {
    switch (compression) {
    case BI_RGB:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
               bitCount == 32;
    case BI_RLE8:
        return bitCount == 8;
    case BI_RLE4:
        return bitCount == 4;
    case BI_BITFIELDS:
        return bitCount == 16 || bitCount == 32;
    }
    return false;
}
// Reads `size` bytes at `offset` of the file; false unless all of them came.
bool ReadAt(HANDLE file, uint64_t offset, void* bytes, DWORD size) {
    LARGE_INTEGER position = {};
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) &&
           ReadFile(file, bytes, size, &got, nullptr) && got == size;
}

// LoadImageA (Wine's, at least) loads a top-down file as an all-black bitmap,
// so such a file becomes a DIB section of its own header and rows. Only what
// the header describes is read, each part from its own offset: the header
// with the colour table or masks after it, and the rows straight into the
// section. Whatever else the file holds is never touched.
HBITMAP LoadTopDown(const char* path) {
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.get(), &size)) return nullptr;
    const uint64_t fileSize = static_cast<uint64_t>(size.QuadPart);
    constexpr DWORD kFileHeader = sizeof(BITMAPFILEHEADER);
    unsigned char fileHeader[kFileHeader] = {};
    if (!ReadAt(file.get(), 0, fileHeader, kFileHeader)) return nullptr;
    const uint64_t offset = Read<DWORD>(fileHeader + 10);
    // The header and what may follow it up to the rows, with zeros after
    // the end of the file, as CreateDIBSection reads them in one piece.
    alignas(BITMAPINFOHEADER) unsigned char info[kLargestHeaderSize + kLargestColorTable] = {};
    const uint64_t infoEnd = std::min<uint64_t>({offset, fileSize, kFileHeader + sizeof info});
    if (infoEnd <= kFileHeader || !ReadAt(file.get(), kFileHeader, info, DWORD(infoEnd - kFileHeader)))
        return nullptr;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info);
    // The file may have changed since it was checked.
    if (header->biSize < kInfoHeaderSize || header->biHeight >= 0 || header->biWidth <= 0) return nullptr;
    const uint64_t height = uint64_t(-int64_t(header->biHeight));
    const uint64_t stride = (uint64_t(header->biWidth) * header->biBitCount + 31) / 32 * 4;
    if (uint64_t(header->biWidth) * height > BitmapFile::kMaxPixels || offset + stride * height > fileSize)
        return nullptr;
    void* bits = nullptr;
    UniqueBitmap section(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS,
                                          &bits, nullptr, 0));
    if (!section || !bits || !ReadAt(file.get(), offset, bits, DWORD(stride * height))) return nullptr;
    return section.release();
}
}  // namespace

BitmapLayout CheckBitmapFile(const char* path) {
    constexpr BitmapLayout kRefused = BitmapLayout::Refused;
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return kRefused;
    LARGE_INTEGER fileSize = {};
    if (!GetFileSizeEx(file.get(), &fileSize)) return kRefused;

    unsigned char bytes[sizeof(BITMAPFILEHEADER) + kLargestHeaderSize] = {};
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes, sizeof bytes, &got, nullptr)) return kRefused;
    return CheckBitmapBytes(bytes, got, uint64_t(fileSize.QuadPart));
}

BitmapLayout CheckBitmapBytes(const unsigned char* bytes, size_t got, uint64_t fileSize) {
    constexpr BitmapLayout kRefused = BitmapLayout::Refused;
    constexpr DWORD kFileHeader = sizeof(BITMAPFILEHEADER);
    if (got < kFileHeader + kCoreHeaderSize || Read<WORD>(bytes) != kBitmapMagic) return kRefused;
    const unsigned char* info = bytes + kFileHeader;
    const DWORD headerSize = Read<DWORD>(info);
    if (!KnownHeaderSize(headerSize) || got < kFileHeader + headerSize) return kRefused;

    int64_t width = 0, height = 0;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
    if (headerSize == kCoreHeaderSize) {
        width = Read<WORD>(info + 4);
        height = Read<WORD>(info + 6);
        bitCount = Read<WORD>(info + 10);
    } else {
        width = Read<LONG>(info + 4);
        height = Read<LONG>(info + 8);
        bitCount = Read<WORD>(info + 14);
        compression = Read<DWORD>(info + 16);
        // A colour table beyond 256 entries would be read from far past it.
        if (Read<DWORD>(info + 32) > kLargestPalette) return kRefused;
    }
    // A negative height is a top-down picture; a negative width is nothing.
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height == 0 || width > kLargestSide || height > kLargestSide) return kRefused;
    if (uint64_t(width) * uint64_t(height) > BitmapFile::kMaxPixels) return kRefused;
    if (!KnownFormat(bitCount, compression)) return kRefused;

    // The pixel rows must all be there: a short file is not read past its end.
    const uint64_t offset = Read<DWORD>(bytes + 10);
    if (offset < kFileHeader + headerSize) return kRefused;
    const uint64_t available = fileSize;
    const BitmapLayout layout = topDown ? BitmapLayout::TopDown : BitmapLayout::BottomUp;
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
        return available >= offset + stride * uint64_t(height) ? layout : kRefused;
    }
    // Run-length pictures are bottom-up only, and their data must all be
    // there: the header's size of it, within the file.
    const uint64_t dataSize = Read<DWORD>(info + 20);
    return !topDown && dataSize > 0 && available >= offset + dataSize ? layout : kRefused;
}

PixelImage BitmapFile::Load(HINSTANCE instance, const char* path, BITMAPINFOHEADER* header) const {
    if (!path || _access(path, kExists) != 0 || _access(path, kReadable) != 0) return nullptr;
    const BitmapLayout layout = CheckBitmapFile(path);
    if (layout == BitmapLayout::Refused) return nullptr;

    UniqueBitmap loaded(layout == BitmapLayout::TopDown
                            ? LoadTopDown(path)
                            : static_cast<HBITMAP>(LoadImageA(instance, path, IMAGE_BITMAP, 0, 0,
                                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!loaded) return nullptr;
    BITMAP object = {};
    if (!GetObjectA(loaded.get(), sizeof object, &object)) return nullptr;
    const int width = object.bmWidth, height = object.bmHeight < 0 ? -object.bmHeight : object.bmHeight;
    if (width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) > kMaxPixels) return nullptr;

    const BITMAPINFOHEADER made = DescribePixels(width, height);
    *header = made;

    // GetDIBits converts any depth, with the file's colour table, into
    // bottom-up 32-bit pixels in one step: the same pixels as a blit into a
    // 32-bit DIB section, without the section, the two memory DCs and a copy.
    const size_t count = size_t(width) * size_t(height);
    PixelImage pixels = AllocatePixels(count);
    if (!pixels) return nullptr;
    WindowDC screen(nullptr);
    BITMAPINFO request = {};
    request.bmiHeader = made;
    if (GetDIBits(screen.get(), loaded.get(), 0, height, pixels.get(), &request, DIB_RGB_COLORS) != height)
        return nullptr;
    return pixels;
}

BITMAPINFOHEADER DescribePixels(int width, int height) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

bool BitmapFile::SaveCache(const char* path, BITMAPINFO info, const uint32_t* pixels) const {
    const LONG width = info.bmiHeader.biWidth, height = info.bmiHeader.biHeight;
    // Nothing to write: leave any older file as it is.
    if (!path || !pixels || width <= 0 || height <= 0) return false;
    UniqueFile file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;

    const size_t count = size_t(width) * size_t(height);
    std::vector<unsigned char> bytes(3 * count);
    for (size_t i = 0; i < count; ++i) {
        bytes[3 * i] = static_cast<unsigned char>(pixels[i]);
        bytes[3 * i + 1] = static_cast<unsigned char>(pixels[i] >> 8);
        bytes[3 * i + 2] = static_cast<unsigned char>(pixels[i] >> 16);
    }
    BITMAPINFOHEADER header = info.bmiHeader;
    header.biBitCount = 24;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = kBitmapMagic;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + bytes.size());

    DWORD written = 0;
    return WriteFile(file.get(), &fileHeader, sizeof fileHeader, &written, nullptr) &&
           WriteFile(file.get(), &header, sizeof header, &written, nullptr) &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

SIZE BitmapFileSize(const char* path) {
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    unsigned char bytes[kHeaders] = {};
    if (!file || !ReadAt(file.get(), 0, bytes, kHeaders) || bytes[0] != 'B' || bytes[1] != 'M' ||
        Read<DWORD>(bytes + sizeof(BITMAPFILEHEADER)) < sizeof(BITMAPINFOHEADER))
        return SIZE{0, 0};
    const LONG height = Read<LONG>(bytes + sizeof(BITMAPFILEHEADER) + 8);
    return SIZE{Read<LONG>(bytes + sizeof(BITMAPFILEHEADER) + 4), height < 0 ? -height : height};
}

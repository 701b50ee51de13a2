// Reads a BMP file into 32-bit bottom-up pixels and writes the 24-bit
// wallpaper cache file.
#pragma once

#include <windows.h>

#include "wallpaper/ImageScaler.h"

class BitmapFile {
public:
    // Largest picture taken: 2^26 pixels (8192 x 8192), so that a header that
    // claims an absurd size never leads to a huge allocation.
    static constexpr uint64_t kMaxPixels = uint64_t(1) << 26;

    BitmapFile() = default;
    virtual ~BitmapFile() = default;

    // The file's pixels as width x height 32-bit pixels, bottom row first, with
    // the header describing them; null when the file is missing, unreadable
    // or not a bitmap that can be taken.
    PixelImage Load(HINSTANCE instance, const char* path, BITMAPINFOHEADER* header) const;
    // Writes pixels as a 24-bit BMP file, rows back to back; false when the
    // file cannot be created (or written).
    bool SaveCache(const char* path, BITMAPINFO info, const uint32_t* pixels) const;
};

// The header of width x height 32-bit pixels, bottom row first: the layout
// of every picture the wallpaper code keeps.
BITMAPINFOHEADER DescribePixels(int width, int height);

// What a BMP file's header promises. A file is refused unless it has a known
// header and compression, a size within kMaxPixels and (when uncompressed)
// all the rows the header promises, so that the loader is never handed a
// file it would read past the end of or allocate absurdly for.
enum class BitmapLayout { Refused, BottomUp, TopDown };
BitmapLayout CheckBitmapFile(const char* path);
// The same check of a file's first `got` bytes (the file header and the
// largest header there is, or fewer when the file is shorter) and its size.
BitmapLayout CheckBitmapBytes(const unsigned char* bytes, size_t got, uint64_t fileSize);
// The picture size a BMP file with an info header (as the cache file has)
// declares, from its header alone; {0, 0} when it has none.
SIZE BitmapFileSize(const char* path);

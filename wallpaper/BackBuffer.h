// The panel's off-screen 24-bit picture, selected into its own memory DC.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/UniqueHandle.h"
#include "wallpaper/PackedColor.h"

class BackBuffer {
public:
    BackBuffer();
    virtual ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Replaces the buffer by a new width x height one (contents black).
    void Create(uint16_t width, uint16_t height);
    void Release();
    SIZE GetSize() const;
    void Fill(PackedColor color);
    // Copies the whole buffer to the device context's top-left corner.
    void CopyTo(HDC target) const;

    void* bits = nullptr;
    UniqueBitmap bitmap;
    BITMAPINFOHEADER header = {};
    UniqueMemoryDC dc;
    HGDIOBJ previous = nullptr;
};

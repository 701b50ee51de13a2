// The panel's off-screen 24-bit picture, selected into its own memory DC.
#include "wallpaper/BackBuffer.h"

BackBuffer::BackBuffer() {
    Release();
}

BackBuffer::~BackBuffer() {
    Release();
}

void BackBuffer::Create(uint16_t width, uint16_t height) {
    Release();
    header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    dc.reset(CreateCompatibleDC(nullptr));
    if (!dc) return;
    bitmap.reset(CreateDIBSection(dc.get(), reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                  &bits, nullptr, 0));
    if (bitmap) previous = SelectObject(dc.get(), bitmap.get());
}

void BackBuffer::Release() {
    // The DIB section goes back out of the DC before either is deleted.
    if (dc && previous) SelectObject(dc.get(), previous);
    dc.reset();
    bitmap.reset();
    previous = nullptr;
    bits = nullptr;
}

SIZE BackBuffer::GetSize() const {
    return SIZE{header.biWidth, header.biHeight};
}

void BackBuffer::Fill(PackedColor color) {
    if (!bits) return;
    // GDI may still be drawing into the section.
    GdiFlush();
    const BYTE blue = static_cast<BYTE>(color), green = static_cast<BYTE>(color >> 8),
               red = static_cast<BYTE>(color >> 16);
    const LONG stride = (header.biWidth * 3 + 3) & ~3;
    auto* row = static_cast<BYTE*>(bits);
    for (LONG y = 0; y < header.biHeight; ++y, row += stride) {
        for (LONG x = 0; x < header.biWidth; ++x) {
            row[3 * x] = blue;
            row[3 * x + 1] = green;
            row[3 * x + 2] = red;
        }
    }
}

void BackBuffer::CopyTo(HDC target) const {
    if (dc) BitBlt(target, 0, 0, header.biWidth, header.biHeight, dc.get(), 0, 0, SRCCOPY);
}

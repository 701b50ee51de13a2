// Screenshots as PNG files, written by GDI+.
#include <windows.h>
// GDI+ needs the property ids of objidl.h before it.
#include <objidl.h>

#include <gdiplus.h>

#include "Support.h"

namespace velktest {

bool WritePng(const std::string& path, int width, int height, const unsigned char* bgra) {
    // The PNG encoder's class id, as GetImageEncoders lists it.
    const CLSID png = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    Gdiplus::Status saved;
    {
        Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppRGB, const_cast<BYTE*>(bgra));
        saved = bitmap.Save(Wide(path.c_str()).c_str(), &png, nullptr);
    }
    Gdiplus::GdiplusShutdown(token);
    return saved == Gdiplus::Ok;
}

}  // namespace velktest

// The hosted App with helpers to give it sets and to read its back buffer's
// pixels.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "HostedApp.h"
#include "wallpaper/WallpaperRenderer.h"

namespace velktest {

class HostedPanel : public HostedAppTest {
protected:
    static std::string ProgramPath() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        return path;
    }
    // Sets up to n sets in all (the first exists).
    void AddSets(int n) {
        static const char* const names[] = {"Second", "Third"};
        for (int i = app->launchSets->count; i < n; ++i)
            ASSERT_TRUE(app->launchSets->AddSet(names[i - 1], kSlots));
    }

    // A back buffer pixel as 0xRRGGBB, and the wallpaper's own pixel there.
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const COLORREF c = GetPixel(app->wallpaper->dc.get(), x, y);
        return RGB(GetBValue(c), GetGValue(c), GetRValue(c));
    }
    uint32_t Background(int x, int y) const {
        const int h = app->wallpaper->info.bmiHeader.biHeight;
        const int w = app->wallpaper->info.bmiHeader.biWidth;
        return app->wallpaper->pixels.get()[(h - 1 - y) * w + x] & 0xFFFFFF;
    }
    // Pixels of the rectangle that differ from the plain background.
    int Marked(int x, int y, int w, int h) const {
        int count = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) count += Pixel(i, j) != Background(i, j);
        return count;
    }
};

}  // namespace velktest

// The hosted App's panel background: the plain desktop colour built at
// start-up without a data file, the stored wallpaper from the cache file,
// and WM_PAINT copying the back buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostedApp.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "base/UniqueHandle.h"
#include "launchdata/Settings.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

class HostedPanel : public velktest::HostedAppTest {
protected:
    void SetUp() override {
        StartApp();
        velktest::PumpMessages();
    }
    // Repaints the panel without erasing and reads its client pixel.
    COLORREF PaintedPixel(int x, int y) {
        InvalidateRect(app->panel, nullptr, FALSE);
        UpdateWindow(app->panel);
        WindowDC dc(app->panel);
        return GetPixel(dc.get(), x, y);
    }
};

TEST_F(HostedPanel, StartsWithThePlainDesktopColourInItsBackBuffer) {
    WallpaperRenderer& wallpaper = *app->wallpaper;
    const PackedColor desktop = wallpaper.DefaultColor();
    EXPECT_EQ(desktop, wallpaper.fillColor);
    ASSERT_TRUE(wallpaper.pixels);
    EXPECT_EQ(kPanelWidth, wallpaper.info.bmiHeader.biWidth);
    EXPECT_EQ(kPanelHeight, wallpaper.info.bmiHeader.biHeight);
    for (int i = 0; i < kPanelWidth * kPanelHeight; ++i) ASSERT_EQ(desktop, wallpaper.pixels[i]) << i;
    ASSERT_TRUE(wallpaper.dc);
    EXPECT_EQ(kPanelWidth, wallpaper.GetSize().cx);
    EXPECT_EQ(kPanelHeight, wallpaper.GetSize().cy);
    const COLORREF expected = GetSysColor(COLOR_BACKGROUND);
    EXPECT_EQ(expected, GetPixel(wallpaper.dc.get(), 0, 0));
    EXPECT_EQ(expected, GetPixel(wallpaper.dc.get(), 255, 191));
    EXPECT_EQ(expected, PaintedPixel(128, 96));
}

TEST_F(HostedPanel, PaintCopiesTheBackBufferToTheWindow) {
    app->BuildPlainBackground(MakePackedColor(0x33, 0x66, 0x99));
    app->wallpaper->PaintBackground();
    // A mark drawn into the back buffer reaches the window only through WM_PAINT.
    UniqueBrush mark(CreateSolidBrush(RGB(200, 10, 20)));
    const RECT markRect = {100, 50, 110, 60};
    FillRect(app->wallpaper->dc.get(), &markRect, mark.get());

    struct Probe {
        int x, y;
        COLORREF expected;
    } probes[] = {{0, 0, RGB(0x33, 0x66, 0x99)},
                  {255, 191, RGB(0x33, 0x66, 0x99)},
                  {99, 50, RGB(0x33, 0x66, 0x99)},
                  {100, 50, RGB(200, 10, 20)},
                  {109, 59, RGB(200, 10, 20)}};
    for (const Probe& p : probes) EXPECT_EQ(p.expected, PaintedPixel(p.x, p.y)) << p.x << "," << p.y;
    velktest::SaveScreenshot(app->panel, "wallpaper_panel_paint");
}

// "$p\_QXWP_.bmp" for this test program.
std::string CachePath() {
    return velktest::ProgramFolderFile("_QXWP_.bmp");
}

// A 256 x 192 cache picture: (x, y, 0) with y from the bottom row.
void WriteCache(const std::string& path) {
    std::vector<uint32_t> pixels(kPanelWidth * kPanelHeight);
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            pixels[size_t(y) * kPanelWidth + x] = uint32_t(x) << 16 | uint32_t(y) << 8;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPanelWidth, kPanelHeight, 1, 32};
    ASSERT_TRUE(BitmapFile().SaveCache(path.c_str(), info, pixels.data()));
}

TEST_F(HostedPanel, StoredWallpaperComesFromTheCacheMixedWithTheStoredColour) {
    const std::string cache = CachePath();
    WriteCache(cache);
    app->settings->flags |= Settings::kWallpaperOn;
    app->settings->red = 100;
    app->settings->green = 0;
    app->settings->blue = 200;
    app->settings->alpha = 25;
    app->BuildStoredBackground();
    app->wallpaper->PaintBackground();
    DeleteFileA(cache.c_str());

    struct Probe {
        int x, y;  // y from the top of the panel
    } probes[] = {{0, 0}, {255, 191}, {40, 100}, {200, 30}};
    for (const Probe& p : probes) {
        const int red = (p.x * 25 + 100 * 75) / 100;
        const int green = ((191 - p.y) * 25) / 100;
        const int blue = (200 * 75) / 100;
        EXPECT_EQ(RGB(red, green, blue), PaintedPixel(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST_F(HostedPanel, StoredWallpaperWithoutItsCacheIsThePlainStoredColour) {
    DeleteFileA(CachePath().c_str());
    app->settings->flags |= Settings::kWallpaperOn;
    app->settings->red = 10;
    app->settings->green = 20;
    app->settings->blue = 30;
    app->settings->alpha = 5;
    app->BuildStoredBackground();
    app->wallpaper->PaintBackground();
    EXPECT_EQ(0x020A141Eu, app->wallpaper->pixels[0]);
    EXPECT_EQ(RGB(10, 20, 30), PaintedPixel(128, 96));

    // With the wallpaper off a cache is not looked at.
    WriteCache(CachePath());
    app->settings->flags &= ~Settings::kWallpaperOn;
    app->BuildStoredBackground();
    DeleteFileA(CachePath().c_str());
    EXPECT_EQ(0x020A141Eu, app->wallpaper->pixels[0]);
}

}  // namespace

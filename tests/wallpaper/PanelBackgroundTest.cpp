// The hosted App's panel background: the plain desktop colour built at
// start-up without a data file, and WM_PAINT copying the back buffer.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/App.h"
#include "app/UniqueHandle.h"
#include "app/WindowProcs.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

using velktest::PumpMessages;

class HostedPanel : public ::testing::Test {
protected:
    void SetUp() override {
        theApp = app = new App();
        app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
        ASSERT_TRUE(IsWindow(app->panel));
        PumpMessages();
    }
    void TearDown() override {
        if (IsWindow(app->panel)) DestroyWindow(app->panel);
        app->Finish(kAppTitle);
        delete app;
        theApp = nullptr;
        PumpMessages();
    }
    // Repaints the panel without erasing and reads its client pixel.
    COLORREF PaintedPixel(int x, int y) {
        InvalidateRect(app->panel, nullptr, FALSE);
        UpdateWindow(app->panel);
        WindowDC dc(app->panel);
        return GetPixel(dc.get(), x, y);
    }

    App* app = nullptr;
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

}  // namespace

#include "Bytes.h"
#include "HostedApp.h"
#include "launchdata/IconLoader.h"
#include "launchdata/Settings.h"
#include "panel/PanelPainter.h"
#include "panel/PinButton.h"
#include "wallpaper/WallpaperRenderer.h"

using namespace velktest;

// What the panel measures in device pixels at each scale, worked out by hand from its 96-DPI layout.
struct Scale {
    int dpi, width, height;      // the drawing area
    RECT tabs, buttons;          // the three tabs' box and the two buttons' box, inclusive
    POINT cell7;                 // cell 7's top left
    int cell, edge, nameBottom;  // a cell and its icon; a tab's edge: two logical pixels; the name's last row
};
const Scale kScales[] = {
    {144, 384, 288, {303, 18, 368, 41}, {15, 15, 79, 44}, {75, 135}, 48, 3, 281},
    {192, 512, 384, {404, 24, 491, 55}, {20, 20, 105, 59}, {100, 180}, 64, 4, 375},
};

class Scaled : public HostedApp {
protected:
    void SetUp() override {
        HostedApp::SetUp();
        char dpi[8] = {};
        GetEnvironmentVariableA("VELK_TEST_DPI", dpi, sizeof dpi);
        scale = atoi(dpi) == 144 ? &kScales[0] : atoi(dpi) == 192 ? &kScales[1] : nullptr;
        ASSERT_TRUE(scale) << "VELK_TEST_DPI " << dpi;
        ASSERT_EQ(scale->dpi, app->painter->Scale().Dpi());
    }
    // The logical pixel (x, y)'s first device pixel, or its last.
    POINT At(POINT p, bool last = false) const {
        auto d = [&](int v) { return (v * scale->dpi + 48 + (last ? scale->dpi : 0)) / 96 - last; };
        return POINT{d(p.x), d(p.y)};
    }
    // Items for this program, which has a shell icon, in cells 0, 7 and 13.
    void ItemsWithIcons() {
        MakeSets({"", "B", "C"});
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        for (uint16_t cell : {0, 7, 13})
            app->launchSets->CreateItem(0, cell, "Self", self, nullptr, ItemPlacement::Replace);
        app->iconLoader->Ask(app->launchSets->PendingIconTargets());
        WaitForIcons();
    }
    void WaitForIcons() {
        ASSERT_TRUE(WaitFor([&] {
            SendMessageA(app->panel, WM_TIMER, kIconTimer, 0);
            return app->launchSets->PendingIconTargets().empty();
        }));
    }
    static int Width(HICON icon) {
        ICONINFO info = {};
        BITMAP image = {};
        if (GetIconInfo(icon, &info)) GetObject(info.hbmMask, sizeof image, &image);
        DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
        return image.bmWidth;
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(app->wallpaper->dc.get(), x, y); }
    COLORREF Picture(int x, int y) const {
        const uint32_t p = app->wallpaper->pixels[size_t(scale->height - 1 - y) * scale->width + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    // The box of the pixels within r that hold the colour, or that differ from the picture.
    RECT Box(RECT r, COLORREF colour = CLR_INVALID) const {
        RECT box = {r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                if (colour == CLR_INVALID ? Pixel(x, y) != Picture(x, y) : Pixel(x, y) == colour)
                    box = {std::min(box.left, LONG(x)), std::min(box.top, LONG(y)),
                           std::max(box.right, LONG(x)), std::max(box.bottom, LONG(y))};
        return box;
    }
    static std::vector<LONG> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
    const Scale* scale = nullptr;
};

TEST_F(Scaled, ThePanelIsDrawnForTheDisplayScale) {
    // The picture: noise whose size is a whole multiple of every scale's area, the cache made at 96 DPI grey.
    WriteBytes(ProgramFile("source.bmp"),
               Bmp(1536, 1152, [](int x, int y) { return uint32_t((y * 1536u + x) * 2654435761u >> 8); }));
    WriteBytes(ProgramFile("_QXWP_.bmp"), Bmp(256, 192, [](int, int) { return 0x808080u; }));
    ItemsWithIcons();
    app->settings->flags |= Settings::kWallpaperOn | Settings::kWallpaperFill;
    app->settings->alpha = 100;
    lstrcpyA(app->settings->wallpaperPath, ProgramFile("source.bmp").c_str());
    app->BuildStoredBackground();
    app->FullRepaint();
    SaveScreenshot(app->panel, "panel-" + std::to_string(scale->dpi) + "dpi");

    RECT client = {}, strip = {};
    GetClientRect(app->panel, &client);
    GetWindowRect(app->nameEdit, &strip);
    MapWindowPoints(nullptr, app->panel, reinterpret_cast<POINT*>(&strip), 2);
    EXPECT_EQ(scale->width, client.right);
    EXPECT_EQ(scale->height, strip.top) << "the strip lies below the drawing area";
    EXPECT_EQ(scale->height, app->wallpaper->GetSize().cy);
    const std::string cache = ReadBytes(ProgramFile("_QXWP_.bmp"));
    EXPECT_EQ(scale->width, *reinterpret_cast<const int32_t*>(&cache[18])) << "the cache made again";

    const int w = scale->width, h = scale->height;
    EXPECT_EQ(Corners(scale->tabs), Corners(Box({w / 2, 0, w - 1, scale->buttons.bottom + 10})));
    EXPECT_EQ(Corners(scale->buttons), Corners(Box({0, 0, w / 2, scale->buttons.bottom + 10})));
    const int tabLeft = scale->tabs.left, tabMiddle = (scale->tabs.top + scale->tabs.bottom) / 2;
    EXPECT_EQ(tabLeft + scale->edge - 1, Box({tabLeft, tabMiddle, tabLeft + 8, tabMiddle}).right);
    const RECT name = Box({w / 2, h - scale->cell, w - 1, h - 1}, RGB(255, 255, 255));
    EXPECT_LE(name.bottom, scale->nameBottom);
    EXPECT_GT(name.bottom, scale->nameBottom - scale->cell / 4);
    EXPECT_GE(name.bottom - name.top, scale->cell / 4) << "a font sized for the scale";

    for (uint16_t cell : {0, 7, 13}) EXPECT_EQ(scale->cell, Width(Icon(cell)));
}

TEST_F(Scaled, ScaledPointsHitWhatTheirLogicalPointsHitAt96) {
    MakeSets({"A - - - - - - B", "C", "D"});
    // Points of the 96-DPI layout, each on either side of an edge, and what lies there.
    const std::pair<POINT, uint16_t> points[] = {
        {{210, 20}, 0x0100}, {{216, 20}, 0x1101},  {{215, 20}, 0x1101},  {{202, 20}, 0x1100},
        {{203, 20}, 0x0100}, {{194, 20}, 0x1100},  {{193, 20}, 0x0000},  {{250, 20}, 0x1103},
        {{20, 20}, 0x0300},  {{40, 20}, 0x0400},   {{30, 20}, 0x0000},   {{9, 44}, 0x0200},
        {{8, 44}, 0x1200},   {{49, 100}, 0x1207},  {{50, 100}, 0x0207},  {{100, 36}, 0x0000},
        {{100, 37}, 0x2202}, {{100, 174}, 0x220E}, {{100, 175}, 0x0000}, {{250, 150}, 0x1212},
    };
    for (const auto& [p, code] : points)
        for (bool last : {false, true}) {
            const POINT d = At(p, last);
            EXPECT_EQ(code, app->PanelHitTest(d.x, d.y)) << p.x << "," << p.y << (last ? " last" : " first");
        }
    EXPECT_EQ(0x0500, app->PanelHitTest(At({100, 0}).x, scale->height));

    for (int tab : {1, 0}) {
        CursorAt(At(Tab(tab)));
        Command(IDM_PRIMARY_CLICK);
        ASSERT_EQ(tab, app->currentSet);
    }

    ModalAnswer menu([](HWND) { EndMenu(); }, "#32768");
    CursorAt(At(Cell(7), true));
    Command(IDM_SECONDARY_CLICK);
    EXPECT_EQ(MakeCellRef(0, 7), app->menuItem);

    Drag(At(Cell(0)), At(Cell(3), true));
    EXPECT_EQ("Set0[- - - A - - - B] Set1[C] Set2[D] @0", State());
}

TEST_F(Scaled, ThePanelTakesTheScaleOfTheMonitorItMovesTo) {
    const Scale& other = kScales[scale->dpi == 144 ? 1 : 0];
    ItemsWithIcons();
    RECT suggested = {100, 50, 100 + other.width, 50 + other.height};
    SendMessageA(app->panel, WM_DPICHANGED, MAKEWPARAM(other.dpi, other.dpi), LPARAM(&suggested));
    WaitForIcons();
    RECT client = {}, outer = {};
    GetClientRect(app->panel, &client);
    GetWindowRect(app->panel, &outer);
    EXPECT_EQ(other.width, client.right);
    EXPECT_EQ(other.height, app->wallpaper->GetSize().cy);
    EXPECT_EQ(100, outer.left);
    EXPECT_EQ(other.cell, Width(Icon(13))) << "made for the size";
    EXPECT_EQ(other.cell, Width(app->pinButton->iconOn));
    EXPECT_EQ(0x0207, app->PanelHitTest(other.cell7.x, other.cell7.y));

    // Back, with the picture gone: its cache is shown at this scale and stays as it was made.
    const std::string cache = Bmp(other.width, other.height, [](int, int) { return 0x808080u; });
    WriteBytes(ProgramFile("_QXWP_.bmp"), cache);
    app->settings->flags |= Settings::kWallpaperOn;
    lstrcpyA(app->settings->wallpaperPath, ProgramFile("gone.bmp").c_str());
    SendMessageA(app->panel, WM_DPICHANGED, MAKEWPARAM(scale->dpi, scale->dpi), 0);
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), Pixel(scale->width / 2, scale->height - 3));
    EXPECT_TRUE(ReadBytes(ProgramFile("_QXWP_.bmp")) == cache);
}

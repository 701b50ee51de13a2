#include <gtest/gtest.h>

#include <algorithm>

#include "Support.h"
#include "base/UniqueHandle.h"
#include "launchdata/LaunchSetList.h"
#include "panel/ItemGrid.h"
#include "panel/NewSetButton.h"
#include "panel/PanelLayout.h"
#include "panel/PanelPainter.h"
#include "panel/PinButton.h"
#include "panel/TabStrip.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

// Three sets, the first with items in cells 0, 7 and 13, over a picture (red the row, green the column).
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto icon = [](int id) { return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)); };
        sets.Resize(3);
        sets.iconSource.SetDefaultIcon(icon(IDI_DEFAULT_ITEM));
        for (const char* name : {"Alpha", "Beta", "Gamma"}) sets.AddSet(name, 18);
        for (uint16_t cell : {0, 7, 13})
            sets.CreateItem(0, cell, ("C" + std::to_string(cell)).c_str(), "x", "", ItemPlacement::Replace);
        LayOutItemGrid(grid, &wallpaper);
        LayOutTabStrip(tabs, &wallpaper);
        const HICON in = icon(IDI_PIN_IN), out = icon(IDI_PIN_OUT), plus = icon(IDI_NEW_SET);
        pin.Configure(kPinButtonX, kPinButtonY, kButtonIconSize, kButtonIconSize, in, out);
        newSet.Configure(kNewSetButtonX, kNewSetButtonY, kButtonIconSize, kButtonIconSize, plus, plus);
        wallpaper.Build(GetModuleHandleA(nullptr), nullptr, 256, 192, 1, 0x02000000, 100);
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x) wallpaper.pixels[(191 - y) * 256 + x] = y << 16 | x << 8 | 99;
    }
    void Full() { painter.Repaint(0, false, 256, 1, 1, 1, -1, -1); }
    void Tick(int x, int y) { painter.Repaint(0, false, 256, 0, 0, 1, x, y); }
    COLORREF Pixel(int x, int y) const { return GetPixel(wallpaper.dc.get(), x, y); }
    std::string Snapshot() { return GdiFlush(), std::string(static_cast<char*>(wallpaper.bits), 147456); }
    // The box of the pixels within r that hold the colour (or, by default, that differ from the picture).
    RECT Box(RECT r, COLORREF colour = CLR_INVALID) const {
        RECT box = {r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                if (colour == CLR_INVALID ? Pixel(x, y) != RGB(y, x, 99) : Pixel(x, y) == colour)
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
        return box;
    }
    // Points w(hite), b(lack) or .; then each tab's edge r(aised), s(unken) or f(lat) by its grey corners.
    std::string Look(std::initializer_list<POINT> points) const {
        std::string out;
        for (const POINT& p : points)
            out += Pixel(p.x, p.y) == 0xFFFFFF ? 'w' : Pixel(p.x, p.y) == 0 ? 'b' : '.';
        for (int left : {202, 217, 232}) {
            const int lighter = GetRValue(Pixel(left, 12)) - GetRValue(Pixel(left + 13, 27));
            out += lighter == 0 ? 'f' : lighter > 0 ? 'r' : 's';
        }
        return out;
    }

    LaunchSetList sets;
    TabStrip tabs;
    ItemGrid grid;
    PinButton pin;
    NewSetButton newSet;
    WallpaperRenderer wallpaper;
    PanelPainter painter{sets, tabs, grid, pin, newSet, wallpaper};
};

TEST_F(PanelTest, HitCodes) {
    const std::tuple<int, int, uint16_t> cases[] = {
        {210, 20, 0x0100}, {216, 20, 0x1101}, {215, 20, 0x1101},  {202, 20, 0x1100},  // tabs, borders, gaps
        {196, 20, 0x1100}, {190, 20, 0},      {250, 20, 0x1103},  {210, 5, 0},        // slack
        {20, 20, 0x0300},  {29, 29, 0x0300},  {30, 20, 0},        {40, 20, 0x0400},   // buttons
        {52, 29, 0x0400},  {100, 36, 0},      {9, 44, 0x0200},    {8, 44, 0x1200},    // cells
        {40, 37, 0x0200},  {41, 100, 0x1207}, {60, 100, 0x0207},  {100, 60, 0x2202},  //
        {50, 174, 0x020D}, {9, 174, 0x220C},  {250, 150, 0x1212}, {9, 175, 0}};       // the third row
    for (const auto& [x, y, code] : cases) EXPECT_EQ(code, painter.HitTest(x, y, 0, false)) << x << "," << y;
}

TEST_F(PanelTest, RepaintsShowWhatIsUnderTheCursorLeavingNoTraceAndTheSetName) {
    Full();
    const std::string clean = Snapshot();
    const RECT cell7 = Box({38, 78, 93, 133});
    // The shown set's tab sunken, the others raised, the one under the cursor flat.
    Tick(224, 20);
    EXPECT_EQ("sfr", Look({}));
    // The gap between tabs 0 and 1: arrowheads above and below it, white tips.
    Tick(216, 20);
    EXPECT_EQ("wbwbsrr", Look({{216, 10}, {216, 7}, {216, 29}, {216, 32}}));
    // The gap before cell 7: the bar x 44-47, y 83-128, its black lines a pixel shorter.
    Tick(45, 100);
    EXPECT_EQ("wwbbsrr", Look({{45, 100}, {44, 83}, {44, 84}, {47, 127}}));
    // The icon under the cursor grows on every side, within 44 x 44.
    Tick(60, 100);
    const auto [left, top, right, bottom] = Box({38, 78, 93, 133});
    EXPECT_TRUE(left < cell7.left && top < cell7.top && right > cell7.right && bottom > cell7.bottom);
    EXPECT_TRUE(left >= 44 && top >= 84 && right <= 87 && bottom <= 127);
    Tick(100, 100);
    EXPECT_TRUE(clean == Snapshot());
    Tick(-1, -1);
    EXPECT_TRUE(clean == Snapshot());

    // The set name: white with a shadow in its face, ending in dots when long.
    const RECT below = {0, 168, 255, 191};
    sets.SetSetName(0, "Tools");
    Full();
    const RECT text = Box(below, 0xFFFFFF), shadow = Box(below, 0);
    EXPECT_TRUE(text.left > 180 && text.right >= 240 && text.right + 2 == shadow.right &&
                text.bottom + 2 == shadow.bottom);
    sets.SetSetName(0, std::string(60, 'W').c_str());
    Full();
    const RECT cut = Box(below, 0xFFFFFF);
    EXPECT_LT(cut.left, 20);
    // Its last columns hold only dots, on the baseline.
    EXPECT_GE(Box({cut.right - 8, below.top, cut.right, below.bottom}, 0xFFFFFF).top, cut.bottom - 3);

    // The face asked for, whichever font the system then gives.
    UniqueFont font(CreateSetNameFont());
    LOGFONTA asked = {};
    GetObjectA(font.get(), sizeof asked, &asked);
    EXPECT_EQ(velktest::Sjis("ＭＳ Ｐゴシック"), asked.lfFaceName);
}

TEST_F(PanelTest, StatusTexts) {
    // The hit code, the set shown, the status text (none: the line keeps what it shows).
    const std::tuple<uint16_t, uint16_t, std::string> cases[] = {
        {0x0102, 0, "< Gamma >"}, {0x1101, 0, ""},          {0x0207, 0, "C7"},
        {0x1207, 0, "< Alpha >"}, {0x0000, 0, "< Alpha >"}, {0x0000, 1, "< Beta >"}};
    for (const auto& [code, shown, expected] : cases) {
        char text[260] = {};
        EXPECT_EQ(!expected.empty(), painter.StatusText(code, shown, GetModuleHandleA(nullptr), text, 260));
        EXPECT_EQ(expected, text) << code << " " << shown;
    }
}

}  // namespace

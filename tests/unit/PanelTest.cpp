// The panel as the App lays it out, without a window: hit codes of its
// points, its picture in the back buffer's pixels, and the status texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Bytes.h"
#include "Support.h"
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

constexpr COLORREF kWhite = 0xFFFFFF, kBlack = 0, kBackground = RGB(0x40, 0x80, 0xC0);

HICON ProgramIcon(int id) {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

class PanelTest : public ::testing::Test {
protected:
    // Three sets; the first has items in cells 0, 7 and 13.
    void SetUp() override {
        sets.Resize(3);
        sets.iconSource.SetDefaultIcon(ProgramIcon(IDI_DEFAULT_ITEM));
        for (const char* name : {"Alpha", "Beta", "Gamma"}) sets.AddSet(name, 18);
        for (uint16_t cell : {0, 7, 13})
            sets.CreateItem(0, cell, ("Cell " + std::to_string(cell)).c_str(), "C:\\none.exe", nullptr,
                            ItemPlacement::Replace);
        LayOutItemGrid(grid, &wallpaper);
        LayOutTabStrip(tabs, &wallpaper);
        pin.Configure(kPinButtonX, kPinButtonY, kButtonIconSize, kButtonIconSize, ProgramIcon(IDI_PIN_IN),
                      ProgramIcon(IDI_PIN_OUT));
        newSet.Configure(kNewSetButtonX, kNewSetButtonY, kButtonIconSize, kButtonIconSize,
                         ProgramIcon(IDI_NEW_SET), ProgramIcon(IDI_NEW_SET));
        wallpaper.Build(GetModuleHandleA(nullptr), nullptr, 256, 192, 1, 0x024080C0, 100);
    }
    void Full(uint16_t current = 0) { painter.Repaint(current, false, 256, 1, 1, 1, -1, -1); }
    void Tick(int x, int y, uint16_t current = 0) { painter.Repaint(current, false, 256, 0, 0, 1, x, y); }
    COLORREF Pixel(int x, int y) const { return GetPixel(wallpaper.dc.get(), x, y); }
    std::vector<BYTE> Snapshot() const {
        GdiFlush();
        return std::vector<BYTE>(static_cast<BYTE*>(wallpaper.bits),
                                 static_cast<BYTE*>(wallpaper.bits) + 256 * 192 * 3);
    }
    // w for white, b for black, . for any other colour, point by point.
    std::string Colours(std::initializer_list<POINT> points) const {
        std::string out;
        for (const POINT& p : points)
            out += Pixel(p.x, p.y) == kWhite ? 'w' : Pixel(p.x, p.y) == kBlack ? 'b' : '.';
        return out;
    }
    // The box of the pixels within r that match.
    RECT Box(RECT r, const std::function<bool(COLORREF)>& match) const {
        RECT box = {r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                if (match(Pixel(x, y)))
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
        return box;
    }
    // Each tab's edge by its corners: raised (light top-left), sunken (dark
    // top-left) or flat (one colour all round).
    std::string TabLooks() const {
        std::string looks;
        for (int left : {202, 217, 232}) {
            const COLORREF a = Pixel(left, 12), b = Pixel(left + 13, 27);
            const int topLeft = GetRValue(a) + GetGValue(a) + GetBValue(a),
                      bottomRight = GetRValue(b) + GetGValue(b) + GetBValue(b);
            looks += topLeft == bottomRight ? 'f' : topLeft > bottomRight ? 'r' : 's';
        }
        return looks;
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
    struct Case {
        int x, y;
        uint16_t code;
    };
    const Case cases[] = {
        {210, 20, 0x0100}, {216, 20, 0x1101}, {215, 20, 0x1101},  {202, 20, 0x1100},  // tabs, borders, gaps
        {196, 20, 0x1100}, {190, 20, 0},      {250, 20, 0x1103},  {210, 5, 0},        // slack
        {20, 20, 0x0300},  {29, 29, 0x0300},  {30, 20, 0},        {40, 20, 0x0400},   // buttons
        {52, 29, 0x0400},  {100, 36, 0},      {9, 44, 0x0200},    {8, 44, 0x1200},    // cells
        {40, 37, 0x0200},  {41, 100, 0x1207}, {60, 100, 0x0207},  {100, 60, 0x2202},  //
        {50, 174, 0x020D}, {9, 174, 0x220C},  {250, 150, 0x1212}, {9, 175, 0},        // the third row
    };
    for (const Case& c : cases) EXPECT_EQ(c.code, painter.HitTest(c.x, c.y, 0, false)) << c.x << "," << c.y;
}

TEST_F(PanelTest, TheShownSetsTabIsSunkenOthersRaisedTheHoveredFlat) {
    Full(1);
    EXPECT_EQ("rsr", TabLooks());
    Tick(209, 20, 1);
    EXPECT_EQ("fsr", TabLooks());
    Tick(224, 20, 1);
    EXPECT_EQ("rsr", TabLooks());
}

TEST_F(PanelTest, TheIconUnderTheCursorGrowsTo44AndBack) {
    Full();
    const RECT around = {38, 78, 93, 133};
    auto drawn = [](COLORREF c) { return c != kBackground; };
    const RECT normal = Box(around, drawn);
    ASSERT_LT(normal.left, normal.right);
    const std::vector<BYTE> before = Snapshot();
    Tick(60, 100);
    const RECT grown = Box(around, drawn);
    // Larger on every side, within the 44 x 44 square around cell 7.
    EXPECT_TRUE(grown.left < normal.left && grown.top < normal.top && grown.right > normal.right &&
                grown.bottom > normal.bottom);
    EXPECT_TRUE(grown.left >= 44 && grown.top >= 84 && grown.right <= 87 && grown.bottom <= 127);
    // Over an empty cell nothing grows.
    Tick(100, 100);
    EXPECT_EQ(before, Snapshot());
}

TEST_F(PanelTest, MarksShowInGapsAndLeaveNoTraceOnAPicture) {
    velktest::TempFolder folder;
    const std::string picture = folder.File("wall.bmp");
    ASSERT_TRUE(velktest::WriteBytes(
        picture, velktest::Bmp(256, 192, [](int x, int y) { return uint32_t(y << 16 | x << 8 | (x ^ y)); })));
    ASSERT_EQ(1, wallpaper.Build(GetModuleHandleA(nullptr), picture.c_str(), 256, 192, 1, 0x02000000, 100));
    DeleteFileA(velktest::BuildFile("_QXWP_.bmp").c_str());
    Full();
    const std::vector<BYTE> clean = Snapshot();
    // The gap between tabs 0 and 1: arrowheads above and below it, white tips.
    Tick(216, 20);
    EXPECT_EQ("wbwb", Colours({{216, 10}, {216, 7}, {216, 29}, {216, 32}}));
    // The gap before cell 7: the bar x 44-47, y 83-128, its lines a pixel short;
    // before cell 6 the outer line runs the whole height.
    Tick(45, 100);
    EXPECT_EQ("wwbb", Colours({{45, 100}, {44, 83}, {44, 84}, {47, 127}}));
    Tick(4, 100);
    EXPECT_EQ("bw", Colours({{3, 83}, {5, 83}}));
    Tick(60, 100);
    Tick(-1, -1);
    EXPECT_EQ(clean, Snapshot());
}

TEST_F(PanelTest, TheSetNameIsWhiteWithAShadowInItsFaceAndEndsInDotsWhenLong) {
    const RECT below = {0, 168, 255, 191};
    auto white = [](COLORREF c) { return c == kWhite; };
    sets.SetSetName(0, "Tools");
    Full();
    const RECT text = Box(below, white), shadow = Box(below, [](COLORREF c) { return c == kBlack; });
    EXPECT_TRUE(text.left > 180 && text.right >= 240);
    EXPECT_EQ(text.right + 2, shadow.right);
    EXPECT_EQ(text.bottom + 2, shadow.bottom);
    sets.SetSetName(0, std::string(60, 'W').c_str());
    Full();
    const RECT longText = Box(below, white);
    EXPECT_LT(longText.left, 20);
    // Its last columns hold only dots, on the baseline.
    EXPECT_GE(Box({longText.right - 8, below.top, longText.right, below.bottom}, white).top,
              longText.bottom - 3);

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ font = SelectObject(dc, CreateSetNameFont());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof face, face);
    DeleteObject(SelectObject(dc, font));
    DeleteDC(dc);
    EXPECT_STREQ("\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e", face);  // ＭＳ Ｐゴシック
}

// The text in the ANSI code page, 932 here.
std::string Ansi(const wchar_t* text) {
    char bytes[260] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

TEST_F(PanelTest, StatusTexts) {
    struct Case {
        uint16_t code;
        std::string text;  // empty: the line keeps what it shows
    };
    const Case cases[] = {{0x0102, "< Gamma >"},
                          {0x1101, ""},
                          {0x0207, "Cell 7"},
                          {0x1207, "< Alpha >"},
                          {0x2202, "< Alpha >"},
                          {0x0300, Ansi(L"ピンを抜くと自動で隠れます")},
                          {0x0400, Ansi(L"新規ランチセット作成")},
                          {0x0000, "< Alpha >"},
                          {0x0500, "< Alpha >"}};
    for (const Case& c : cases) {
        char text[260] = {};
        EXPECT_EQ(!c.text.empty(),
                  painter.StatusText(c.code, 0, GetModuleHandleA(nullptr), text, sizeof text))
            << std::hex << c.code;
        EXPECT_EQ(c.text, text) << std::hex << c.code;
    }
}

}  // namespace

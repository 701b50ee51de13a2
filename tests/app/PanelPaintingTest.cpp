// The panel's picture on the back buffer's real pixels: tab edges in their
// three looks, the insertion markers and their erasing, the magnified icon,
// the buttons, the set name with its shadow, and the status line's texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "HostedPanel.h"
#include "app/NameEditor.h"
#include "panel/EdgeStyle.h"
#include "panel/NewSetButton.h"
#include "panel/PanelPainter.h"
#include "panel/PinButton.h"
#include "resources/resource.h"

namespace {

using velktest::HostedPanel;

// A mid colour, so that both the white text and its black shadow show.
constexpr PackedColor kBackground = MakePackedColor(0x40, 0x80, 0xC0);

int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class PanelPainting : public HostedPanel {
protected:
    void SetUp() override {
        HostedPanel::SetUp();
        app->BuildPlainBackground(kBackground);
    }
    void Full() { app->RepaintPanel(1, 1, 1, -1, -1); }
    void Tick(int x, int y) { app->RepaintPanel(0, 0, 1, x, y); }

    // The look of an edge: raised (light top-left), sunken (dark top-left)
    // or flat (one colour all round).
    enum Look { kRaised, kSunken, kFlat };
    Look EdgeLook(RECT r) const {
        const int topLeft = Brightness(Pixel(r.left, r.top));
        const int bottomRight = Brightness(Pixel(r.right - 1, r.bottom - 1));
        if (topLeft == bottomRight) return kFlat;
        return topLeft > bottomRight ? kRaised : kSunken;
    }
    static RECT Tab(int n, int i) {
        const int left = 256 - 10 - (n * 14 + (n - 1)) + i * 15;
        return RECT{left, 12, left + 14, 28};
    }
    std::vector<COLORREF> Snapshot() const {
        std::vector<COLORREF> all;
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x) all.push_back(Pixel(x, y));
        return all;
    }
    // The rectangle of pixels that differ from the background inside r.
    RECT Changed(RECT r) const {
        RECT box = {r.right, r.bottom, r.left - 1, r.top - 1};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Pixel(x, y) != Background(x, y)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box;
    }
};

TEST_F(PanelPainting, TabsAreRaisedTheCurrentSunkenAndTheHoveredFlat) {
    AddSets(3);
    app->currentSet = 1;
    Full();
    EXPECT_EQ(kRaised, EdgeLook(Tab(3, 0)));
    EXPECT_EQ(kSunken, EdgeLook(Tab(3, 1)));
    EXPECT_EQ(kRaised, EdgeLook(Tab(3, 2)));
    // Only the edge is drawn: the inside shows the background.
    EXPECT_EQ(Background(209, 20), Pixel(209, 20));

    Tick(209, 20);
    EXPECT_EQ(kFlat, EdgeLook(Tab(3, 0)));
    Tick(224, 20);
    EXPECT_EQ(kRaised, EdgeLook(Tab(3, 0)));
    EXPECT_EQ(kSunken, EdgeLook(Tab(3, 1)));
    // The tab's border pixel is not inside it.
    Tick(202, 20);
    EXPECT_EQ(kRaised, EdgeLook(Tab(3, 0)));
}

TEST_F(PanelPainting, TabMarkerArrowheadsShowAtAGapAndGoWhenTheCursorMovesOn) {
    AddSets(3);
    Full();
    struct Case {
        int x;    // cursor in the strip's band, y 20
        int tip;  // the column the arrowheads point at
    };
    // Between tabs 0 and 1; before the first tab (middle of the group gap); after the last.
    for (const Case& c : {Case{216, 216}, Case{215, 216}, Case{198, 199}, Case{250, 246}}) {
        Tick(c.x, 20);
        EXPECT_EQ(kWhite, Pixel(c.tip, 10)) << c.x;  // white tip above, pointing down
        EXPECT_EQ(kBlack, Pixel(c.tip, 7)) << c.x;
        EXPECT_EQ(kWhite, Pixel(c.tip, 29)) << c.x;  // and below, pointing up
        EXPECT_EQ(kBlack, Pixel(c.tip, 32)) << c.x;
        Tick(100, 100);
        EXPECT_EQ(0, Marked(c.tip - 2, 6, 5, 5)) << c.x;
        EXPECT_EQ(0, Marked(c.tip - 2, 29, 5, 5)) << c.x;
    }
    // On a tab there is no marker.
    Tick(209, 20);
    EXPECT_EQ(0, Marked(195, 6, 60, 5));
}

TEST_F(PanelPainting, GridBarShowsInAGapWithFullHeightOuterLinesAndIsErased) {
    Full();
    // The gap before cell 6 (row 1, column 0): bar x 3-6, y 83-128.
    Tick(4, 100);
    EXPECT_EQ(kBlack, Pixel(3, 83));
    EXPECT_EQ(kBlack, Pixel(3, 128));
    EXPECT_EQ(kWhite, Pixel(6, 83));
    EXPECT_EQ(kBlack, Pixel(6, 84));
    EXPECT_EQ(kWhite, Pixel(6, 128));
    EXPECT_EQ(kWhite, Pixel(4, 100));
    EXPECT_EQ(kWhite, Pixel(5, 100));
    // The gap before cell 7: bar x 44-47, both lines one pixel short at each end.
    Tick(45, 100);
    EXPECT_EQ(0, Marked(3, 83, 4, 46));
    EXPECT_EQ(kWhite, Pixel(44, 83));
    EXPECT_EQ(kBlack, Pixel(44, 84));
    EXPECT_EQ(kBlack, Pixel(47, 127));
    EXPECT_EQ(kWhite, Pixel(47, 128));
    // After the last cell of row 2: the right line runs the full height.
    Tick(250, 150);
    EXPECT_EQ(0, Marked(44, 83, 4, 46));
    EXPECT_EQ(kBlack, Pixel(252, 129));
    EXPECT_EQ(kBlack, Pixel(252, 174));
    EXPECT_EQ(kWhite, Pixel(249, 129));
    EXPECT_EQ(kBlack, Pixel(249, 130));
    Tick(100, 10);
    EXPECT_EQ(0, Marked(249, 129, 4, 46));
}

TEST_F(PanelPainting, IconUnderTheCursorGrowsTo44AndGoesBackTo32) {
    AddItem(0, 7, "Seven", ProgramPath());
    Full();
    const RECT around = {50 - 8, 90 - 8, 82 + 8, 122 + 8};
    const RECT normal = Changed(around);
    ASSERT_LE(normal.left, normal.right) << "the icon draws something";
    const std::vector<COLORREF> before = Snapshot();

    Tick(60, 100);
    const RECT magnified = Changed(around);
    // Scaled by 44/32 about the cell's centre, within the 44 x 44 square.
    EXPECT_LT(magnified.left, normal.left);
    EXPECT_LT(magnified.top, normal.top);
    EXPECT_GT(magnified.right, normal.right);
    EXPECT_GT(magnified.bottom, normal.bottom);
    EXPECT_GE(magnified.left, 44);
    EXPECT_GE(magnified.top, 84);
    EXPECT_LE(magnified.right, 87);
    EXPECT_LE(magnified.bottom, 127);

    // Over an empty cell nothing grows and the icon is back at 32 x 32.
    Tick(100, 100);
    EXPECT_EQ(before, Snapshot());
}

TEST_F(PanelPainting, ButtonsShowPinStateHoverAndTheOpenSetDialog) {
    const RECT pin = {10, 10, 30, 30};
    const RECT newSet = {33, 10, 53, 30};
    Full();
    EXPECT_EQ(kSunken, EdgeLook(pin));  // pinned without a data file
    EXPECT_EQ(kRaised, EdgeLook(newSet));
    Tick(20, 20);
    EXPECT_EQ(kSunken, EdgeLook(pin));  // on stays sunken under the cursor
    app->pinButton->SetState(0);
    Tick(20, 20);
    EXPECT_EQ(kFlat, EdgeLook(pin));
    Tick(40, 20);
    EXPECT_EQ(kRaised, EdgeLook(pin));
    EXPECT_EQ(kFlat, EdgeLook(newSet));

    OpenDialogs(false, false, false, true);
    Tick(40, 20);
    EXPECT_EQ(kSunken, EdgeLook(newSet));
    EXPECT_EQ(1, app->newSetButton->state);
    OpenDialogs(false, false, false, false);
    Tick(-1, -1);
    EXPECT_EQ(kRaised, EdgeLook(newSet));
}

// The white text's and the black shadow's extents in the name's corner.
struct NameExtent {
    RECT white = {256, 192, -1, -1};
    RECT black = {256, 192, -1, -1};
};

TEST_F(PanelPainting, SetNameStandsBottomRightInWhiteWithShadowAndEllipsis) {
    auto measure = [&](const char* name) {
        app->launchSets->SetSetName(0, name);
        Full();
        NameExtent e;
        for (int y = 160; y < 192; ++y)
            for (int x = 0; x < 256; ++x) {
                RECT* box = Pixel(x, y) == kWhite ? &e.white : Pixel(x, y) == kBlack ? &e.black : nullptr;
                if (!box) continue;
                box->left = std::min<LONG>(box->left, x);
                box->top = std::min<LONG>(box->top, y);
                box->right = std::max<LONG>(box->right, x);
                box->bottom = std::max<LONG>(box->bottom, y);
            }
        return e;
    };
    const NameExtent shortName = measure("Tools");
    ASSERT_GE(shortName.white.right, 0) << "white text drawn";
    EXPECT_GT(shortName.white.left, 180);
    EXPECT_LE(shortName.white.right, 253);
    EXPECT_GE(shortName.white.right, 240);
    EXPECT_LE(shortName.white.bottom, 187);
    EXPECT_GE(shortName.white.bottom, 180);
    // The shadow lies two pixels right and down.
    EXPECT_EQ(shortName.white.right + 2, shortName.black.right);
    EXPECT_EQ(shortName.white.bottom + 2, shortName.black.bottom);

    const NameExtent longName = measure("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_LT(longName.white.left, 20);
    EXPECT_LE(longName.white.right, 253);
    // The end is an ellipsis: the last columns hold only low dots.
    int dotTop = 192;
    for (int y = 160; y < 192; ++y)
        for (int x = longName.white.right - 8; x <= longName.white.right; ++x)
            if (Pixel(x, y) == kWhite) dotTop = std::min(dotTop, y);
    EXPECT_GE(dotTop, longName.white.bottom - 3);
}

// The face is asked for by its real name, so the system does not put a
// stand-in of its own choice in its place.
TEST(SetNameFont, ResolvesToTheFaceItAsksFor) {
    UniqueFont font(CreateSetNameFont());
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    ScopedSelect select(dc.get(), font.get());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc.get(), sizeof face, face);
    EXPECT_STREQ("\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e", face);  // ＭＳ Ｐゴシック
}

// The real tick, with its idle saving: a cursor that moves from a magnified
// icon into the gap beside it and rests there keeps the insertion bar whole.
TEST_F(PanelPainting, TheBarBesideAMagnifiedIconStaysWhileTheCursorRests) {
    AddItem(0, 0, "Zero", ProgramPath());
    Full();
    auto tickAt = [&](int x, int y) {
        POINT p = {x, y};
        ClientToScreen(app->panel, &p);
        ASSERT_TRUE(velktest::MoveCursorTo(p.x, p.y));
        SendMessageA(app->panel, WM_TIMER, kRepaintTimer, 0);
    };
    tickAt(25, 60);
    // The gap before cell 1: the bar is x 44-47, white at 45 and 46.
    for (int tick = 0; tick < 3; ++tick) {
        tickAt(45, 60);
        for (int y : {50, 60, 70, 80}) {
            EXPECT_EQ(kWhite, Pixel(45, y)) << "tick " << tick << ", y " << y;
            EXPECT_EQ(kWhite, Pixel(46, y)) << "tick " << tick << ", y " << y;
        }
    }
}

TEST_F(PanelPainting, RepeatedTicksAndMovesLeaveNoTrace) {
    AddSets(3);
    AddItem(0, 0, "Zero", ProgramPath());
    AddItem(0, 7, "Seven", ProgramPath());
    Full();
    const std::vector<COLORREF> clean = Snapshot();
    const POINT path[] = {{216, 20}, {9, 50},  {60, 100}, {4, 100},  {198, 20}, {60, 100}, {250, 100},
                          {20, 20},  {40, 20}, {209, 20}, {45, 100}, {60, 100}, {60, 100}, {100, 185}};
    for (int round = 0; round < 3; ++round)
        for (POINT p : path) Tick(p.x, p.y);
    Tick(-1, -1);
    const std::vector<COLORREF> after = Snapshot();
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(clean[i], after[i]) << "at " << i % 256 << "," << i / 256;
}

TEST_F(PanelPainting, EveryRepaintReachesTheWindow) {
    Full();
    HDC screen = GetDC(app->panel);
    const COLORREF shown = GetPixel(screen, 100, 100);
    ReleaseDC(app->panel, screen);
    EXPECT_EQ(RGB(0x40, 0x80, 0xC0), shown);
}

class StatusText : public PanelPainting {
protected:
    std::string Shown() const {
        char text[300] = {};
        GetWindowTextA(app->nameEdit, text, sizeof text);
        return text;
    }
    // A real timer tick with the cursor at the client point.
    void TickAt(int x, int y) {
        POINT p = {x, y};
        ClientToScreen(app->panel, &p);
        ASSERT_TRUE(velktest::MoveCursorTo(p.x, p.y));
        SendMessageA(app->panel, WM_TIMER, 1, 0);
    }
    std::string Resource(int id) const {
        char text[260] = {};
        LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
        return text;
    }
};

TEST_F(StatusText, FollowsWhatLiesUnderTheCursor) {
    AddSets(3);
    AddItem(0, 7, "Seven", ProgramPath());
    struct Case {
        POINT at;
        std::string text;
    };
    const Case cases[] = {
        {{224, 20}, "< Second >"},
        {{60, 100}, "Seven"},
        {{100, 100}, "< NewLaunchSet >"},  // empty cell
        {{209, 20}, "< NewLaunchSet >"},   // tab 0
        {{238, 20}, "< Third >"},
        {{45, 100}, "< NewLaunchSet >"},  // gap in the grid
        {{20, 20}, Resource(IDS_PIN_HINT)},
        {{216, 20}, Resource(IDS_PIN_HINT)},  // a gap between tabs changes nothing
        {{40, 20}, Resource(IDS_CREATE_SET)},
        {{100, 36}, "< NewLaunchSet >"},  // nothing
    };
    for (const Case& c : cases) {
        TickAt(c.at.x, c.at.y);
        EXPECT_EQ(c.text, Shown()) << c.at.x << "," << c.at.y;
    }
}

TEST_F(StatusText, LeavesTheTextAloneWhileTheUserTypes) {
    SendMessageA(app->nameEdit, EM_SETREADONLY, FALSE, 0);
    SetWindowTextA(app->nameEdit, "notepad");
    TickAt(20, 20);
    EXPECT_EQ("notepad", Shown());
    app->SetEditing(false);
    EXPECT_TRUE(GetWindowLongA(app->nameEdit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(app->panel, GetFocus());
    TickAt(21, 20);
    EXPECT_EQ(Resource(IDS_PIN_HINT), Shown());
}

}  // namespace

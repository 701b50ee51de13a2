// The tab strip's configuration rules, tab geometry and both hit tests, at
// every pixel of the strip's band with the panel's start-up values.
#include <gtest/gtest.h>

#include <vector>

#include "panel/TabStrip.h"

namespace {

constexpr int kClientWidth = 256;
constexpr int kBandY = 20;  // a row inside every tab

int32_t On(int i) {
    return i | OnFlag;
}
int32_t Gap(int i) {
    return i;
}

// Expected TabHit over a run of x at one y, worked out by hand: with the
// start-up values the strip's right end is x 245, tabs are 14 wide and 1
// apart, groups of four are 4 apart, the slack is 8 to the left and 10 to
// the right.
struct XRun {
    int fromX;
    int toX;
    int32_t expected;
};

struct StripCase {
    int n;
    std::vector<XRun> runs;
};

const std::vector<StripCase> kStartupStrips = {
    {1,
     {{-3, -1, NoHit},
      {0, 223, NoHit},
      {224, 232, Gap(0)},  // slack, then tab 0's left border at 232
      {233, 244, On(0)},
      {245, 255, Gap(1)},  // tab 0's right border, then the slack after the strip
      {256, 260, NoHit}}},
    {2,
     {{-1, -1, NoHit},
      {0, 208, NoHit},
      {209, 217, Gap(0)},
      {218, 229, On(0)},
      {230, 232, Gap(1)},  // right border, gap pixel, left border
      {233, 244, On(1)},
      {245, 255, Gap(2)},
      {256, 260, NoHit}}},
    {3,
     {{-1, -1, NoHit},
      {0, 193, NoHit},
      {194, 202, Gap(0)},
      {203, 214, On(0)},
      {215, 217, Gap(1)},
      {218, 229, On(1)},
      {230, 232, Gap(2)},
      {233, 244, On(2)},
      {245, 255, Gap(3)},
      {256, 260, NoHit}}},
    // Five tabs cross a group boundary: tabs 169, 184, 199, 214, then 232.
    {5,
     {{0, 160, NoHit},
      {161, 169, Gap(0)},
      {170, 181, On(0)},
      {182, 184, Gap(1)},
      {185, 196, On(1)},
      {197, 199, Gap(2)},
      {200, 211, On(2)},
      {212, 214, Gap(3)},
      {215, 226, On(3)},
      {227, 232, Gap(4)},  // right border, the 4-pixel group gap, left border
      {233, 244, On(4)},
      {245, 255, Gap(5)},
      {256, 256, NoHit}}},
};

class StartupStrip : public ::testing::Test {
protected:
    StartupStrip() { strip.Configure(14, 16, 1, 4, 4, 10, 12, 8, 12, 10, 9, nullptr); }
    TabStrip strip;
};

TEST_F(StartupStrip, TabHitAtEveryPixelAcrossTheBand) {
    for (const StripCase& c : kStartupStrips) {
        for (const XRun& run : c.runs) {
            for (int x = run.fromX; x <= run.toX; ++x) {
                EXPECT_EQ(run.expected, strip.TabHit(c.n, kClientWidth, x, kBandY))
                    << "n " << c.n << ", x " << x;
            }
        }
    }
}

TEST_F(StartupStrip, TabAtIsTheTabWithoutItsBorder) {
    // Inside the tabs' own rows TabAt finds exactly the tabs TabHit is on.
    for (const StripCase& c : kStartupStrips) {
        for (const XRun& run : c.runs) {
            int expected = IsOnHit(run.expected) ? HitIndex(run.expected) : -1;
            for (int x = run.fromX; x <= run.toX; ++x) {
                for (int y : {13, 20, 26}) {
                    EXPECT_EQ(expected, strip.TabAt(c.n, kClientWidth, x, y))
                        << "n " << c.n << ", x " << x << ", y " << y;
                }
                // The top and bottom border rows belong to no tab.
                EXPECT_EQ(-1, strip.TabAt(c.n, kClientWidth, x, 12)) << "x " << x;
                EXPECT_EQ(-1, strip.TabAt(c.n, kClientWidth, x, 27)) << "x " << x;
            }
        }
    }
}

TEST_F(StartupStrip, TheBandIsYZeroTo36WhateverTheTabHeight) {
    struct {
        int y;
        int32_t onTab;     // at x 210, inside tab 0's columns
        int32_t rightEnd;  // at x 250, in the slack after the strip
    } const cases[] = {
        {-1, NoHit, NoHit},  {0, On(0), Gap(3)},  {5, On(0), Gap(3)},  {11, On(0), Gap(3)},
        {12, On(0), Gap(3)}, {27, On(0), Gap(3)}, {28, On(0), Gap(3)}, {36, On(0), Gap(3)},
        {37, NoHit, NoHit},  {100, NoHit, NoHit},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.onTab, strip.TabHit(3, kClientWidth, 210, c.y)) << "y " << c.y;
        EXPECT_EQ(c.rightEnd, strip.TabHit(3, kClientWidth, 250, c.y)) << "y " << c.y;
    }
}

TEST_F(StartupStrip, EdgePointsOfThePanel) {
    struct {
        int x, y;
        int32_t tabHit;
        int tabAt;
    } const cases[] = {
        {210, 20, On(0), 0},    // on tab 0
        {216, 20, Gap(1), -1},  // the gap pixel between tabs 0 and 1
        {215, 20, Gap(1), -1},  // tab 0's right border
        {202, 20, Gap(0), -1},  // tab 0's left border
        {196, 20, Gap(0), -1},  // within the left slack
        {190, 20, NoHit, -1},   // beyond it
        {250, 20, Gap(3), -1},  // after the last tab, within the right slack
        {210, 5, On(0), -1},    // above the tab but in the band: on it, yet no interior
        {100, 36, NoHit, -1},   // in the band, left of the strip and its slack
        {20, 20, NoHit, -1},    // the pin
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.tabHit, strip.TabHit(3, kClientWidth, c.x, c.y)) << c.x << ", " << c.y;
        EXPECT_EQ(c.tabAt, strip.TabAt(3, kClientWidth, c.x, c.y)) << c.x << ", " << c.y;
    }
}

TEST_F(StartupStrip, WithoutSetsEverythingNearTheRightEndIsGapZero) {
    // No tabs: the strip is one tab gap wide to the right of its end.
    EXPECT_EQ(NoHit, strip.TabHit(0, kClientWidth, 238, kBandY));
    for (int x = 239; x <= 255; ++x) EXPECT_EQ(Gap(0), strip.TabHit(0, kClientWidth, x, kBandY)) << x;
    EXPECT_EQ(NoHit, strip.TabHit(0, kClientWidth, 256, kBandY));
    EXPECT_EQ(-1, strip.TabAt(0, kClientWidth, 240, kBandY));
}

TEST_F(StartupStrip, TabGeometryServesThePainting) {
    EXPECT_EQ(44, strip.StripWidth(3));
    EXPECT_EQ(202, strip.StripLeft(3, kClientWidth));
    struct {
        int n, i, left;
    } const cases[] = {
        {1, 0, 232}, {2, 0, 217}, {2, 1, 232}, {3, 0, 202}, {3, 1, 217},
        {3, 2, 232}, {3, 3, 247}, {5, 3, 214}, {5, 4, 232}, {5, 5, 247},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.left, strip.TabLeft(c.n, kClientWidth, c.i)) << c.n << " tabs, tab " << c.i;
    }
    RECT r = strip.TabRect(3, kClientWidth, 1);
    EXPECT_EQ(217, r.left);
    EXPECT_EQ(12, r.top);
    EXPECT_EQ(231, r.right);
    EXPECT_EQ(28, r.bottom);
    // A wider client area moves the strip with its right end.
    EXPECT_EQ(302, strip.TabLeft(3, 356, 0));
    EXPECT_EQ(On(0), strip.TabHit(3, 356, 310, kBandY));
}

TEST(TabStrip, ConfigureClampsTheTabWidthAndGroupSize) {
    struct {
        uint16_t width, groupSize;
        uint16_t expectedWidth, expectedGroupSize;
    } const cases[] = {
        {0, 0, 4, 0xFFFF}, {3, 1, 4, 1}, {4, 4, 4, 4}, {5, 0xFFFF, 5, 0xFFFF}, {14, 4, 14, 4},
    };
    for (const auto& c : cases) {
        TabStrip strip;
        strip.Configure(c.width, 16, 1, c.groupSize, 4, 10, 12, 8, 12, 10, 9, nullptr);
        EXPECT_EQ(c.expectedWidth, strip.tabWidth) << c.width;
        EXPECT_EQ(c.expectedGroupSize, strip.groupSize) << c.groupSize;
        EXPECT_EQ(16, strip.tabHeight);
        EXPECT_EQ(1, strip.tabGap);
        EXPECT_EQ(4, strip.groupGap);
        EXPECT_EQ(10, strip.rightInset);
        EXPECT_EQ(12, strip.top);
        EXPECT_EQ(8, strip.slackLeft);
        EXPECT_EQ(12, strip.slackTop);
        EXPECT_EQ(10, strip.slackRight);
        EXPECT_EQ(9, strip.slackBottom);
        EXPECT_EQ(NoHit, strip.lastTabHit);
    }
}

TEST(TabStrip, NarrowTabsInOneGroup) {
    // Width 2 becomes 4 and group size 0 means no group gaps: five tabs at
    // 222, 227, 232, 237, 242, each with a two-pixel interior.
    TabStrip strip;
    strip.Configure(2, 16, 1, 0, 4, 10, 12, 8, 12, 10, 9, nullptr);
    struct {
        int x;
        int32_t expected;
    } const cases[] = {
        {213, NoHit},  {214, Gap(0)}, {222, Gap(0)}, {223, On(0)},  {224, On(0)},  {225, Gap(1)},
        {226, Gap(1)}, {227, Gap(1)}, {228, On(1)},  {238, On(3)},  {239, On(3)},  {242, Gap(4)},
        {243, On(4)},  {244, On(4)},  {245, Gap(5)}, {246, Gap(5)}, {255, Gap(5)}, {256, NoHit},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, strip.TabHit(5, kClientWidth, c.x, kBandY)) << c.x;
    EXPECT_EQ(4, strip.TabAt(5, kClientWidth, 244, kBandY));
    EXPECT_EQ(-1, strip.TabAt(5, kClientWidth, 245, kBandY));
}

TEST(TabStrip, ZeroSlackMeansNoLimit) {
    TabStrip strip;
    strip.Configure(14, 16, 1, 4, 4, 10, 12, 0, 0, 0, 0, nullptr);
    struct {
        int x, y;
        int32_t expected;
    } const cases[] = {
        {0, 0, Gap(0)},    {0, 20, Gap(0)},    {201, 5000, Gap(0)}, {210, 0, On(0)},  {210, 5000, On(0)},
        {255, 20, Gap(3)}, {5000, 20, Gap(3)}, {-1, 20, NoHit},     {210, -1, NoHit},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, strip.TabHit(3, kClientWidth, c.x, c.y)) << c.x << ", " << c.y;
}

TEST(TabStrip, AnUnconfiguredStripHitsNothing) {
    TabStrip strip;
    for (int x : {0, 240, 250, 255}) {
        for (int y : {0, 2, 20}) EXPECT_EQ(NoHit, strip.TabHit(3, kClientWidth, x, y)) << x << ", " << y;
    }
    // Its geometry still answers, as one group of 4-pixel tabs.
    EXPECT_EQ(248, strip.TabLeft(3, kClientWidth, 1));
}

}  // namespace

// The hit code's bit layout and the tests on the components' 32-bit results.
#include <gtest/gtest.h>

#include "panel/HitCode.h"

namespace {

TEST(HitCode, KindPlacementAndIndexLandInTheirBits) {
    struct {
        HitKind kind;
        HitPlacement placement;
        int index;
        uint16_t code;
    } const cases[] = {
        {kHitNothing, kPlacedOn, 0, 0x0000},  {kHitTab, kPlacedOn, 2, 0x0102},
        {kHitTab, kPlacedInGap, 3, 0x1103},   {kHitCell, kPlacedOn, 17, 0x0211},
        {kHitCell, kPlacedInGap, 18, 0x1212}, {kHitCell, kPlacedEmpty, 7, 0x2207},
        {kHitPin, kPlacedOn, 0, 0x0300},      {kHitNewSet, kPlacedOn, 0, 0x0400},
        {kHitNameEdit, kPlacedOn, 0, 0x0500}, {kHitCell, kPlacedInGap, 0x1FF, 0x12FF},
    };
    for (const auto& c : cases) {
        uint16_t code = MakeHitCode(c.kind, c.placement, c.index);
        EXPECT_EQ(c.code, code) << std::hex << c.code;
        EXPECT_EQ(c.kind, HitCodeKind(code)) << std::hex << c.code;
        EXPECT_EQ(c.placement, HitCodePlacement(code)) << std::hex << c.code;
        EXPECT_EQ(c.index & 0xFF, HitCodeIndex(code)) << std::hex << c.code;
    }
    EXPECT_EQ(0x0300, kHitCodePin);
    EXPECT_EQ(0x0400, kHitCodeNewSet);
    EXPECT_EQ(0x0500, kHitCodeNameEdit);
}

TEST(HitCode, NoHitIsNeitherAGapNorOnAnything) {
    EXPECT_EQ(static_cast<int32_t>(0x80000000u), NoHit);
    EXPECT_EQ(0x10000, OnFlag);
    struct {
        int32_t result;
        bool gap, on;
        int index;
    } const cases[] = {
        {NoHit, false, false, 0},       {0, true, false, 0}, {3, true, false, 3}, {OnFlag, false, true, 0},
        {OnFlag | 17, false, true, 17},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.gap, IsGapHit(c.result)) << std::hex << c.result;
        EXPECT_EQ(c.on, IsOnHit(c.result)) << std::hex << c.result;
        EXPECT_EQ(c.index, HitIndex(c.result)) << std::hex << c.result;
    }
}

}  // namespace

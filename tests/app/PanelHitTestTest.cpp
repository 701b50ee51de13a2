// The panel's hit code at every boundary pixel of the tabs, the grid, the
// buttons and the name editor, for one, two and three sets.
#include <gtest/gtest.h>

#include "HostedPanel.h"

namespace {

using velktest::HostedPanel;

struct HitCase {
    int sets;
    int x, y;
    uint16_t code;
};

// Set 0 holds items in cells 0 and 7 only.
const HitCase kCases[] = {
    // Three sets: tabs at x 202-215, 217-230, 232-245, y 12-27; band y 0-36.
    {3, 210, 20, 0x0100},
    {3, 203, 20, 0x0100},
    {3, 214, 20, 0x0100},
    {3, 202, 20, 0x1100},
    {3, 215, 20, 0x1101},
    {3, 216, 20, 0x1101},
    {3, 217, 20, 0x1101},
    {3, 218, 20, 0x0101},
    {3, 231, 20, 0x1102},
    {3, 233, 20, 0x0102},
    {3, 244, 20, 0x0102},
    {3, 245, 20, 0x1103},
    {3, 246, 20, 0x1103},
    {3, 250, 20, 0x1103},
    {3, 255, 20, 0x1103},
    {3, 256, 20, 0x0000},
    {3, 196, 20, 0x1100},
    {3, 194, 20, 0x1100},
    {3, 193, 20, 0x0000},
    {3, 190, 20, 0x0000},
    // Above and below a tab's interior: the band is the strip's, the tab needs its interior.
    {3, 210, 5, 0x0000},
    {3, 210, 12, 0x0000},
    {3, 210, 13, 0x0100},
    {3, 210, 26, 0x0100},
    {3, 210, 27, 0x0000},
    {3, 216, 0, 0x1101},
    {3, 216, 36, 0x1101},
    {3, 216, 37, 0x2205},
    {3, 100, 36, 0x0000},
    // One set: the tab at x 232-245.
    {1, 233, 20, 0x0100},
    {1, 232, 20, 0x1100},
    {1, 224, 20, 0x1100},
    {1, 223, 20, 0x0000},
    {1, 246, 20, 0x1101},
    {1, 210, 20, 0x0000},
    // Two sets: tabs at x 217-230 and 232-245.
    {2, 218, 20, 0x0100},
    {2, 231, 20, 0x1101},
    {2, 240, 20, 0x0101},
    {2, 250, 20, 0x1102},
    {2, 209, 20, 0x1100},
    {2, 208, 20, 0x0000},
    // The grid: cells at x 9 + 41c to 40 + 41c; rows are 46-pixel bands from y 37.
    {3, 9, 44, 0x0200},
    {3, 8, 44, 0x1200},
    {3, 0, 37, 0x1200},
    {3, 40, 37, 0x0200},
    {3, 41, 37, 0x1201},
    {3, 49, 37, 0x1201},
    {3, 50, 37, 0x2201},
    {3, 41, 100, 0x1207},
    {3, 60, 100, 0x0207},
    {3, 60, 82, 0x2201},
    {3, 60, 83, 0x0207},
    {3, 60, 128, 0x0207},
    {3, 60, 129, 0x220D},
    {3, 245, 37, 0x2205},
    {3, 246, 37, 0x1206},
    {3, 256, 100, 0x120C},
    {3, 257, 100, 0x0000},
    {3, 250, 150, 0x1212},
    {3, 100, 174, 0x220E},
    {3, 100, 175, 0x0000},
    // Negative coordinates fall outside everything.
    {3, -1, 50, 0x0000},
    {3, 5, -1, 0x0000},
    // The buttons: pin at x 10-29, new set at x 33-52, y 10-29.
    {3, 20, 20, 0x0300},
    {3, 10, 10, 0x0300},
    {3, 29, 29, 0x0300},
    {3, 9, 10, 0x0000},
    {3, 10, 30, 0x0000},
    {3, 30, 20, 0x0000},
    {3, 32, 20, 0x0000},
    {3, 33, 20, 0x0400},
    {3, 40, 20, 0x0400},
    {3, 52, 29, 0x0400},
    {3, 53, 20, 0x0000},
    {3, 15, 9, 0x0000},
    {3, 40, 9, 0x0000},
    {3, 40, 30, 0x0000},
    // The name editor's strip below the drawing area.
    {3, 100, 195, 0x0500},
    {1, 5, 193, 0x0500},
    {3, 100, 191, 0x0000},
};

class PanelHitTest : public HostedPanel {};

TEST_F(PanelHitTest, EveryKindAndPlacementAtTheBoundaries) {
    AddItem(0, 0, "Zero", ProgramPath());
    AddItem(0, 7, "Seven", ProgramPath());
    for (int sets = 1; sets <= 3; ++sets) {
        AddSets(sets);
        for (const HitCase& c : kCases) {
            if (c.sets != sets) continue;
            EXPECT_EQ(c.code, app->PanelHitTest(c.x, c.y)) << sets << " sets at " << c.x << "," << c.y;
        }
    }
}

TEST_F(PanelHitTest, OccupiedOrEmptyFollowsTheCurrentSet) {
    AddSets(2);
    AddItem(0, 0, "Zero", ProgramPath());
    AddItem(1, 7, "Seven", ProgramPath());
    EXPECT_EQ(0x0200, app->PanelHitTest(9, 44));
    EXPECT_EQ(0x2207, app->PanelHitTest(60, 100));
    app->currentSet = 1;
    EXPECT_EQ(0x2200, app->PanelHitTest(9, 44));
    EXPECT_EQ(0x0207, app->PanelHitTest(60, 100));
}

}  // namespace

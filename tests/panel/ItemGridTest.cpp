// The item grid's configuration rules, cell geometry and hit tests, at every
// boundary pixel of the columns and row bands with the panel's start-up values.
#include <windows.h>
#include <gtest/gtest.h>

#include "panel/ItemGrid.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

constexpr int kPanelWidth = 256;
constexpr int kPanelHeight = 192;

int32_t On(int i) {
    return i | OnFlag;
}
int32_t Gap(int i) {
    return i;
}

class StartupGrid : public ::testing::Test {
protected:
    StartupGrid() { grid.Configure(6, 3, 9, 14, 44, 9, 32, 32, nullptr); }
    ItemGrid grid;
};

// Worked out by hand: cells are 32 wide at a pitch of 41 from x 9, so x 41c
// to 41c + 8 is the gap before column c, 41c + 9 to 41c + 40 is cell c, and
// 246 and beyond is the gap after the last column.
struct ColumnRun {
    int fromX;
    int toX;
    int column;
    bool onCell;
};

const ColumnRun kColumns[] = {
    {0, 8, 0, false},     {9, 40, 0, true},    {41, 49, 1, false},   {50, 81, 1, true},
    {82, 90, 2, false},   {91, 122, 2, true},  {123, 131, 3, false}, {132, 163, 3, true},
    {164, 172, 4, false}, {173, 204, 4, true}, {205, 213, 5, false}, {214, 245, 5, true},
    {246, 300, 6, false},
};

// Rows are 46-pixel bands from y 37 that own the row gaps; above and below
// the grid the first and the last row answer.
struct RowRun {
    int fromY;
    int toY;
    int row;
};

const RowRun kRows[] = {{0, 36, 0}, {37, 82, 0}, {83, 128, 1}, {129, 174, 2}, {175, 300, 2}};

TEST_F(StartupGrid, GridLocateAtEveryColumnPixelOfEveryRowBand) {
    for (const RowRun& rows : kRows) {
        for (int y : {rows.fromY, rows.toY}) {
            for (const ColumnRun& run : kColumns) {
                for (int x = run.fromX; x <= run.toX; ++x) {
                    int index = rows.row * 6 + run.column;
                    ItemGrid::GridLocation at = grid.GridLocate(x, y);
                    EXPECT_EQ(run.onCell ? On(index) : Gap(index), at.code) << x << ", " << y;
                    EXPECT_EQ(run.column, at.column) << x << ", " << y;
                    EXPECT_EQ(rows.row, at.row) << x << ", " << y;
                }
            }
        }
    }
}

TEST_F(StartupGrid, GridLocateRefusesNegativeCoordinates) {
    for (auto [x, y] : {std::pair{-1, 50}, {50, -1}, {-1, -1}, {-100, 100}}) {
        ItemGrid::GridLocation at = grid.GridLocate(x, y);
        EXPECT_EQ(NoHit, at.code) << x << ", " << y;
        EXPECT_EQ(0, at.column);
        EXPECT_EQ(0, at.row);
    }
}

TEST_F(StartupGrid, GridContainsIsXZeroTo256AndY37To174) {
    struct {
        int x, y, w, h;
        bool expected;
    } const cases[] = {
        {0, 37, kPanelWidth, kPanelHeight, true},
        {256, 37, kPanelWidth, kPanelHeight, true},
        {0, 174, kPanelWidth, kPanelHeight, true},
        {256, 174, kPanelWidth, kPanelHeight, true},
        {128, 100, kPanelWidth, kPanelHeight, true},
        {-1, 100, kPanelWidth, kPanelHeight, false},
        {257, 100, kPanelWidth, kPanelHeight, false},
        {128, 36, kPanelWidth, kPanelHeight, false},
        {128, 175, kPanelWidth, kPanelHeight, false},
        {128, 100, -1, kPanelHeight, false},
        {128, 100, kPanelWidth, -1, false},
        {0, 100, 0, 0, true},  // h is not a bound
        {1, 100, 0, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, grid.GridContains(c.x, c.y, c.w, c.h))
            << c.x << ", " << c.y << " in " << c.w << " x " << c.h;
    }
}

TEST_F(StartupGrid, GridHitAtTheZonesEdgesAndThePanelsPoints) {
    struct {
        int x, y;
        int32_t expected;
    } const cases[] = {
        {9, 44, On(0)},                                          // cell 0
        {8, 44, Gap(0)},                                         // the gap before cell 0
        {41, 100, Gap(7)},                                       // the gap before cell 7, row 1 column 1
        {60, 100, On(7)},                                        // cell 7
        {250, 150, Gap(18)},                                     // the gap after cell 17
        {100, 36, NoHit},                                        // just above the zone
        {100, 37, On(2)},                                        // the zone's first row, in cell 2's columns
        {100, 174, On(14)},                                      // the zone's last row
        {100, 175, NoHit},                                       // just below it
        {0, 100, Gap(6)},                                        // row 1's first gap
        {245, 100, On(11)},                                      // row 1's last cell
        {246, 100, Gap(12)},                                     // the gap after row 1
        {256, 100, Gap(12)},                                     // the zone's right edge, inclusive
        {257, 100, NoHit},   {-1, 100, NoHit}, {20, 20, NoHit},  // the pin
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, grid.GridHit(c.x, c.y, kPanelWidth, kPanelHeight)) << c.x << ", " << c.y;
    }
    // The panel passes its coordinates masked to 16 bits, so negative ones
    // become large and fall outside.
    EXPECT_EQ(NoHit, grid.GridHit(-1 & 0xFFFF, 100, kPanelWidth, kPanelHeight));
    EXPECT_EQ(NoHit, grid.GridHit(100, -1 & 0xFFFF, kPanelWidth, kPanelHeight));
}

TEST_F(StartupGrid, EveryPixelOfACellLocatesThatCell) {
    struct {
        int i, x, y;
    } const positions[] = {{0, 9, 44}, {1, 50, 44}, {5, 214, 44}, {6, 9, 90}, {7, 50, 90}, {17, 214, 136}};
    for (const auto& p : positions) {
        POINT at = grid.CellPosition(p.i);
        EXPECT_EQ(p.x, at.x) << "cell " << p.i;
        EXPECT_EQ(p.y, at.y) << "cell " << p.i;
    }
    for (int i = 0; i < 18; ++i) {
        RECT r = grid.CellRect(i);
        ASSERT_EQ(32, r.right - r.left);
        ASSERT_EQ(32, r.bottom - r.top);
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                ASSERT_EQ(On(i), grid.GridHit(x, y, kPanelWidth, kPanelHeight))
                    << "cell " << i << " at " << x << ", " << y;
            }
        }
        // The column just left of the cell is the gap before it.
        EXPECT_EQ(Gap(i), grid.GridHit(r.left - 1, r.top, kPanelWidth, kPanelHeight)) << "cell " << i;
    }
}

TEST(ItemGrid, ConfigureLowersAnOddRowGapAndResetsTheMarks) {
    struct {
        uint16_t rowGap, expected;
    } const cases[] = {{14, 14}, {15, 14}, {13, 12}, {1, 0}, {0, 0}};
    for (const auto& c : cases) {
        ItemGrid grid;
        grid.gridMarker = ItemGrid::GridLocation{7, 1, 1};
        grid.hoverIndex = 3;
        grid.hoverIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
        WallpaperRenderer background;
        grid.Configure(6, 3, 9, c.rowGap, 44, 9, 32, 32, &background);
        EXPECT_EQ(c.expected, grid.rowGap) << c.rowGap;
        EXPECT_EQ(6, grid.columns);
        EXPECT_EQ(3, grid.rows);
        EXPECT_EQ(9, grid.columnGap);
        EXPECT_EQ(44, grid.top);
        EXPECT_EQ(9, grid.left);
        EXPECT_EQ(32, grid.cellWidth);
        EXPECT_EQ(32, grid.cellHeight);
        EXPECT_EQ(&background, grid.background);
        EXPECT_EQ(NoHit, grid.gridMarker.code);
        EXPECT_EQ(0, grid.gridMarker.column);
        EXPECT_EQ(0, grid.gridMarker.row);
        EXPECT_EQ(0xFFFF, grid.hoverIndex);
        EXPECT_EQ(nullptr, grid.hoverIcon);
    }
}

TEST(ItemGrid, AZeroSizeLeavesTheDefaultGrid) {
    struct {
        uint16_t columns, rows;
        int32_t cellWidth, cellHeight;
    } const cases[] = {{0, 3, 32, 32}, {6, 0, 32, 32}, {6, 3, 0, 32}, {6, 3, 32, 0}};
    for (const auto& c : cases) {
        ItemGrid grid;
        grid.Configure(6, 3, 9, 14, 44, 9, 32, 32, nullptr);
        grid.hoverIndex = 5;
        WallpaperRenderer background;
        grid.Configure(c.columns, c.rows, 9, 14, 44, 9, c.cellWidth, c.cellHeight, &background);
        EXPECT_EQ(1, grid.columns);
        EXPECT_EQ(1, grid.rows);
        EXPECT_EQ(0, grid.top);
        EXPECT_EQ(0, grid.left);
        EXPECT_EQ(8, grid.columnGap);
        EXPECT_EQ(8, grid.rowGap);
        EXPECT_EQ(32, grid.cellWidth);
        EXPECT_EQ(32, grid.cellHeight);
        EXPECT_EQ(&background, grid.background);
        EXPECT_EQ(0xFFFF, grid.hoverIndex);
    }
}

TEST(ItemGrid, TheDefaultGridIsOneCellAtTheOrigin) {
    // One 32 x 32 cell at (0, 0) with gaps of 8: the cell owns x 0 to 31
    // (its gap lies left of the panel), the gap after it begins at x 32.
    ItemGrid grid;
    grid.Configure(0, 3, 9, 14, 44, 9, 32, 32, nullptr);
    struct {
        int x, y;
        int32_t located;
        int column;
    } const cases[] = {
        {0, 0, On(0), 0},   {31, 0, On(0), 0},  {32, 0, Gap(1), 1},
        {39, 0, Gap(1), 1}, {40, 0, Gap(1), 1}, {0, 500, On(0), 0},
    };
    for (const auto& c : cases) {
        ItemGrid::GridLocation at = grid.GridLocate(c.x, c.y);
        EXPECT_EQ(c.located, at.code) << c.x << ", " << c.y;
        EXPECT_EQ(c.column, at.column) << c.x << ", " << c.y;
        EXPECT_EQ(0, at.row) << c.x << ", " << c.y;
    }
    POINT cell = grid.CellPosition(0);
    EXPECT_EQ(0, cell.x);
    EXPECT_EQ(0, cell.y);
    // The zone stays three row bands high: y -4 to 115.
    EXPECT_TRUE(grid.GridContains(0, -4, kPanelWidth, kPanelHeight));
    EXPECT_FALSE(grid.GridContains(0, -5, kPanelWidth, kPanelHeight));
    EXPECT_TRUE(grid.GridContains(0, 115, kPanelWidth, kPanelHeight));
    EXPECT_FALSE(grid.GridContains(0, 116, kPanelWidth, kPanelHeight));
}

TEST(ItemGrid, CellsThatCancelTheirGapHitNothing) {
    // A cell width of minus the gap would make the column pitch 0; the grid
    // then hits nothing instead of dividing by zero.
    ItemGrid grid;
    grid.Configure(6, 3, 9, 14, 44, 9, -9, 32, nullptr);
    EXPECT_EQ(NoHit, grid.GridLocate(50, 50).code);
    grid.Configure(6, 3, 9, 14, 44, 9, 32, -14, nullptr);
    EXPECT_EQ(NoHit, grid.GridLocate(50, 50).code);
    EXPECT_EQ(NoHit, grid.GridHit(50, 50, kPanelWidth, kPanelHeight));
}

}  // namespace

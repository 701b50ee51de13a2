// Where everything lies on the panel's 256 x 192 drawing area: the one home
// of its geometry. The App lays its components out with these, and so does
// anything else that needs the panel as the user sees it.
#pragma once

class ItemGrid;
class TabStrip;
class WallpaperRenderer;

constexpr int kPanelWidth = 256;
constexpr int kPanelHeight = 192;

// The two toggle buttons at the top left: their corners and the size of
// their icons (the button is 4 pixels larger, for its edge).
constexpr int kPinButtonX = 10;
constexpr int kPinButtonY = 10;
constexpr int kNewSetButtonX = 33;
constexpr int kNewSetButtonY = 10;
constexpr int kButtonIconSize = 16;

// 6 x 3 cells of 32 x 32 from (9, 44), 9 apart in a row and 14 between rows.
void LayOutItemGrid(ItemGrid& grid, WallpaperRenderer* background);
// Tabs of 14 x 16 at y 12, one pixel apart, in groups of four 4 apart,
// ending 10 pixels from the right edge; points up to 8 left of the strip,
// 12 above and 9 below it, and 10 right of its end still belong to it.
void LayOutTabStrip(TabStrip& tabs, WallpaperRenderer* background);

// The panel's layout.
#include "panel/PanelLayout.h"

#include "panel/ItemGrid.h"
#include "panel/TabStrip.h"

void LayOutItemGrid(ItemGrid& grid, WallpaperRenderer* background) {
    grid.Configure(6, 3, 9, 14, 44, 9, 32, 32, background);
}

void LayOutTabStrip(TabStrip& tabs, WallpaperRenderer* background) {
    tabs.Configure(14, 16, 1, 4, 4, 10, 12, 8, 12, 10, 9, background);
}

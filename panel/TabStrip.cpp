// Layout of the launch set tabs.
#include "panel/TabStrip.h"

void TabStrip::Configure(uint16_t newTabWidth, uint16_t newTabHeight, uint16_t newTabGap,
                         uint16_t newGroupSize, uint16_t newGroupGap, uint16_t newRightInset,
                         uint16_t newTop, int32_t newSlackLeft, int32_t newSlackTop,
                         int32_t newSlackRight, int32_t newSlackBottom,
                         WallpaperRenderer* newBackground) {
    tabWidth = newTabWidth < 4 ? 4 : newTabWidth;
    tabHeight = newTabHeight;
    tabGap = newTabGap;
    groupSize = newGroupSize == 0 ? 0xFFFF : newGroupSize;
    groupGap = newGroupGap;
    rightInset = newRightInset;
    top = newTop;
    slackLeft = newSlackLeft;
    slackTop = newSlackTop;
    slackRight = newSlackRight;
    slackBottom = newSlackBottom;
    background = newBackground;
}

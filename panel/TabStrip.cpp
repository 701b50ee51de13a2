// Layout and hit test of the launch set tabs.
#include "panel/TabStrip.h"

namespace {
constexpr uint16_t kMinTabWidth = 4;
constexpr uint16_t kOneGroup = 0xFFFF;
}  // namespace

void TabStrip::Configure(uint16_t newTabWidth, uint16_t newTabHeight, uint16_t newTabGap,
                         uint16_t newGroupSize, uint16_t newGroupGap, uint16_t newRightInset, uint16_t newTop,
                         int32_t newSlackLeft, int32_t newSlackTop, int32_t newSlackRight,
                         int32_t newSlackBottom, WallpaperRenderer* newBackground) {
    tabWidth = newTabWidth < kMinTabWidth ? kMinTabWidth : newTabWidth;
    tabHeight = newTabHeight;
    tabGap = newTabGap;
    groupSize = newGroupSize == 0 ? kOneGroup : newGroupSize;
    groupGap = newGroupGap;
    rightInset = newRightInset;
    top = newTop;
    slackLeft = newSlackLeft;
    slackTop = newSlackTop;
    slackRight = newSlackRight;
    slackBottom = newSlackBottom;
    background = newBackground;
}

int64_t TabStrip::GroupsBefore(int i) const {
    return groupSize == 0 ? 0 : i / groupSize;
}

int TabStrip::StripWidth(int n) const {
    // A group gap replaces the tab gap between the last tab of a group and
    // the first of the next.
    return static_cast<int>(int64_t{n} * tabWidth + int64_t{n - 1} * tabGap +
                            GroupsBefore(n - 1) * (groupGap - tabGap));
}

int TabStrip::StripLeft(int n, int clientWidth) const {
    return clientWidth - rightInset - StripWidth(n);
}

int TabStrip::TabLeft(int n, int clientWidth, int i) const {
    return static_cast<int>(StripLeft(n, clientWidth) + int64_t{i} * (tabWidth + tabGap) +
                            GroupsBefore(i) * (groupGap - tabGap));
}

RECT TabStrip::TabRect(int n, int clientWidth, int i) const {
    int left = TabLeft(n, clientWidth, i);
    return RECT{left, top, left + tabWidth, top + tabHeight};
}

bool TabStrip::InTabInterior(int n, int clientWidth, int i, int x, int y) const {
    int left = TabLeft(n, clientWidth, i);
    return x >= left + 1 && x <= left + tabWidth - 2 && y >= top + 1 && y <= top + tabHeight - 2;
}

int32_t TabStrip::TabHit(int n, int clientWidth, int x, int y) const {
    if (groupSize == 0 || x < 0 || y < 0) return NoHit;
    if (slackTop != 0 && int64_t{y} < int64_t{top} - slackTop) return NoHit;
    if (slackBottom != 0 && int64_t{y} >= int64_t{top} + tabHeight + slackBottom) return NoHit;

    int64_t m = int64_t{x} - StripLeft(n, clientWidth);
    if (m < 0) return (slackLeft != 0 && m < -int64_t{slackLeft}) ? NoHit : 0;

    int64_t stripRight = int64_t{clientWidth} - rightInset;
    if (x >= stripRight) return (slackRight != 0 && x >= stripRight + slackRight) ? NoHit : n;

    const int64_t pitch = tabWidth + tabGap;
    const int64_t groupPitch = groupSize * pitch - tabGap + groupGap;
    int64_t g = m / groupPitch;
    int64_t r = m % groupPitch;
    // The first tab i of the group whose right border pixel (at i * pitch +
    // tabWidth - 1) lies right of r; the border and gap pixels left of a tab
    // are the gap before it.
    int64_t past = r - (tabWidth - 2);
    int64_t i = past <= 0 ? 0 : (past + pitch - 1) / pitch;
    if (i >= groupSize) return static_cast<int32_t>(g * groupSize + groupSize);
    int32_t index = static_cast<int32_t>(g * groupSize + i);
    return r >= i * pitch + 1 ? index | OnFlag : index;
}

int TabStrip::TabAt(int n, int clientWidth, int x, int y) const {
    for (int i = 0; i < n; ++i) {
        if (InTabInterior(n, clientWidth, i, x, y)) return i;
    }
    return -1;
}

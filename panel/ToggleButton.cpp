// Geometry and state of the panel's two toggle buttons.
#include "panel/ToggleButton.h"

namespace {
HICON CopyOrNull(HICON icon) {
    return icon ? CopyIcon(icon) : nullptr;
}
}  // namespace

void ToggleButton::Configure(int newX, int newY, int newWidth, int newHeight, HICON newIconOn,
                             HICON newIconOff) {
    if (newX < 0 || newY < 0 || newWidth < 0 || newHeight < 0) return;
    iconOn.reset(CopyOrNull(newIconOn));
    iconOff.reset(CopyOrNull(newIconOff));
    x = newX;
    y = newY;
    width = newWidth + 4;
    height = newHeight + 4;
    state = 0;
}

void ToggleButton::SetState(int s) {
    if (s == 0 || s == 1) state = s;
}

bool ToggleButton::Contains(int px, int py) const {
    return px >= x && px < x + width && py >= y && py < y + height;
}

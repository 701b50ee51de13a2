// The panel's hit test: what lies under a client point, as a 16-bit hit code.
#include "app/App.h"
#include "launchdata/LaunchSetList.h"
#include "panel/HitCode.h"
#include "panel/ItemGrid.h"
#include "panel/NewSetButton.h"
#include "panel/PinButton.h"
#include "panel/TabStrip.h"

uint16_t App::PanelHitTest(int x, int y) const {
    if (nameEdit && ChildWindowFromPoint(panel, POINT{x, y}) == nameEdit) return kHitCodeNameEdit;

    const int n = launchSets->count;
    const int32_t t = tabStrip->TabHit(n, kPanelWidth, x, y);
    if (IsGapHit(t)) return MakeHitCode(kHitTab, kPlacedInGap, HitIndex(t));
    if (IsOnHit(t)) {
        // TabHit looks at the strip's band only; a tab needs its interior.
        const int i = tabStrip->TabAt(n, kPanelWidth, x, y);
        if (i >= 0) return MakeHitCode(kHitTab, kPlacedOn, i);
    }

    // Negative coordinates become large and fall outside the grid.
    const int32_t g = itemGrid->GridHit(x & 0xFFFF, y & 0xFFFF, kPanelWidth, kPanelHeight);
    if (IsGapHit(g)) return MakeHitCode(kHitCell, kPlacedInGap, HitIndex(g));
    if (IsOnHit(g)) {
        const bool occupied =
            launchSets->GetItemInfo(currentSet, static_cast<uint16_t>(HitIndex(g))).icon != nullptr;
        return MakeHitCode(kHitCell, occupied ? kPlacedOn : kPlacedEmpty, HitIndex(g));
    }

    if (pinButton->Contains(x, y)) return kHitCodePin;
    if (newSetButton->Contains(x, y)) return kHitCodeNewSet;
    return kHitCodeNothing;
}

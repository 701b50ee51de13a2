// The panel's picture: the repaint into the back buffer, its copy to the
// window, the magnified icon under the cursor and the status line's text.
#include <cstdio>

#include "app/App.h"
#include "app/NameEditor.h"
#include "app/UniqueHandle.h"
#include "launchdata/LaunchSetList.h"
#include "panel/EdgeStyle.h"
#include "panel/HitCode.h"
#include "panel/ItemGrid.h"
#include "panel/NewSetButton.h"
#include "panel/PinButton.h"
#include "panel/TabStrip.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
constexpr int kCellCount = 18;
constexpr int kStatusBufferSize = 260;
// The set name: bold, 14 high, in a proportional Japanese Gothic face
// ("ＭＳ Ｐゴシック" in code page 932: a half-width space between "ＭＳ" and
// "Ｐゴシック", as the face is named), with a black shadow 2 pixels right
// and down of the white text.
constexpr char kNameFace[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr int kNameHeight = 14;
constexpr int kNameWeight = FW_BOLD;
constexpr RECT kShadowRect = {0, 0, 256, 190};
constexpr RECT kNameRect = {0, 0, 254, 188};
constexpr UINT kNameFormat = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS;
// The width of a button's edge, inside its rectangle.
constexpr int kEdgeWidth = 2;
// Maps fonts to the device's aspect ratio only (SetMapperFlags).
constexpr DWORD kFitAspect = 1;

bool Switch(int value) {
    return (value & 0xFF) != 0;
}
const char* OrEmpty(const char* text) {
    return text ? text : "";
}
}  // namespace

void App::RepaintPanel(int rebuild, int icons, int hover, int x, int y) {
    lastTickValid = false;
    if (Switch(rebuild)) {
        wallpaper->PaintBackground();
        // The new background holds no magnified icon to put back.
        itemGrid->hoverIcon = nullptr;
    }
    const HDC dc = wallpaper->dc.get();
    if (!dc) return;
    RECT client = {};
    GetClientRect(panel, &client);
    const int clientWidth = client.right;
    const int n = launchSets->count;

    for (int i = 0; i < n; ++i) tabStrip->DrawTab(dc, n, i, kEdgeNormal, x, y, clientWidth);
    tabStrip->DrawTab(dc, n, currentSet, kEdgePressed, x, y, clientWidth);
    tabStrip->UpdateTabMarker(dc, n, clientWidth, x, y);

    if (itemGrid->GridContains(x, y, kPanelWidth, kPanelHeight))
        itemGrid->UpdateGridMarker(dc, x, y);
    else
        itemGrid->EraseGridMarker(dc);
    if (Switch(icons)) {
        for (int i = 0; i < kCellCount; ++i)
            itemGrid->DrawCellIcon(dc, i, launchSets->GetItemInfo(currentSet, static_cast<uint16_t>(i)).icon);
    }
    if (Switch(hover)) UpdateHover(dc, x, y);
    // The magnified icon put back to its normal size reaches into the gaps
    // beside its cell: the bar goes on last, so a cursor that rests in a gap
    // keeps it whole.
    itemGrid->DrawGridBar(dc);

    DrawButton(dc, *pinButton, x, y);
    newSetButton->SetState(setDialog ? 1 : 0);
    DrawButton(dc, *newSetButton, x, y);
    // Smoothed text drawn again over itself grows bolder at every repaint,
    // so the name goes only onto a fresh background; nothing else draws
    // where it stands.
    if (Switch(rebuild)) DrawSetName(dc);

    // A hidden panel gets the picture from WM_PAINT when it shows.
    if (!IsWindowVisible(panel)) return;
    WindowDC target(panel);
    PresentPanel(target.get());
}

void App::DrawButton(HDC dc, const ToggleButton& button, int x, int y) {
    // The icon sits one pixel further in while pressed or hot: without a
    // clean inside, the other position's glyph would stay beside it.
    wallpaper->RestoreRect(dc, button.x + kEdgeWidth, button.y + kEdgeWidth, button.width - 2 * kEdgeWidth,
                           button.height - 2 * kEdgeWidth);
    button.Draw(dc, x, y);
}

HFONT CreateSetNameFont() {
    return CreateFontA(kNameHeight, 0, 0, 0, kNameWeight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       kNameFace);
}

void App::DrawSetName(HDC dc) {
    const char* name = OrEmpty(launchSets->GetSetName(currentSet));
    UniqueFont font(CreateSetNameFont());
    ScopedSelect select(dc, font.get());
    SetMapperFlags(dc, kFitAspect);
    SetBkMode(dc, TRANSPARENT);
    RECT shadow = kShadowRect;
    SetTextColor(dc, kBlack);
    DrawTextA(dc, name, -1, &shadow, kNameFormat);
    RECT text = kNameRect;
    SetTextColor(dc, kWhite);
    DrawTextA(dc, name, -1, &text, kNameFormat);
}

void App::PresentPanel(HDC target) {
    wallpaper->CopyTo(target);
}

void App::UpdateHover(HDC dc, int x, int y) {
    if (itemGrid->GridContains(x, y, kPanelWidth, kPanelHeight)) {
        const int32_t g = itemGrid->GridHit(x, y, kPanelWidth, kPanelHeight);
        if (IsOnHit(g)) {
            const auto cell = static_cast<uint16_t>(HitIndex(g));
            itemGrid->ShowHover(dc, cell, launchSets->GetItemInfo(currentSet, cell).icon);
            return;
        }
    }
    itemGrid->ClearHover(dc);
}

void App::UpdateStatusText(uint16_t code, int suppress) {
    // While the user types, the strip is a command line and keeps its text.
    if (!(GetWindowLongA(nameEdit, GWL_STYLE) & ES_READONLY)) return;
    if (suppress) return;

    char text[kStatusBufferSize] = {};
    const char* setName = OrEmpty(launchSets->GetSetName(currentSet));
    const int index = HitCodeIndex(code);
    const int placement = HitCodePlacement(code);
    switch (HitCodeKind(code)) {
    case kHitTab:
        if (placement != kPlacedOn) return;
        snprintf(text, sizeof text, "< %s >", OrEmpty(launchSets->GetSetName(static_cast<uint16_t>(index))));
        break;
    case kHitCell:
        if (placement == kPlacedOn) {
            const char* name = launchSets->GetItemInfo(currentSet, static_cast<uint16_t>(index)).name;
            if (!name) return;
            lstrcpynA(text, name, sizeof text);
        } else if (placement == kPlacedInGap || placement == kPlacedEmpty) {
            snprintf(text, sizeof text, "< %s >", setName);
        } else {
            return;
        }
        break;
    case kHitPin:
        LoadStringA(instance, IDS_PIN_HINT, text, sizeof text);
        break;
    case kHitNewSet:
        LoadStringA(instance, IDS_CREATE_SET, text, sizeof text);
        break;
    default:
        snprintf(text, sizeof text, "< %s >", setName);
        break;
    }
    nameEditor->SetText(text);
}

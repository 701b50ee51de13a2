// The panel's hit test, its picture in the back buffer, the magnified icon
// under the cursor and the status line's text.
#include "panel/PanelPainter.h"

#include <cstdio>

#include "base/UniqueHandle.h"
#include "launchdata/LaunchSetList.h"
#include "panel/EdgeStyle.h"
#include "panel/HitCode.h"
#include "panel/ItemGrid.h"
#include "panel/PanelLayout.h"
#include "panel/TabStrip.h"
#include "panel/ToggleButton.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
// The set name: bold, 14 high, in a proportional Japanese Gothic face
// ("ＭＳ Ｐゴシック" in code page 932: a half-width space between "ＭＳ" and
// "Ｐゴシック", as the face is named), with a black shadow 2 pixels right
// and down of the white text.
constexpr char kNameFace[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr int kNameHeight = 14;
constexpr int kNameWeight = FW_BOLD;
constexpr RECT kShadowRect = {0, 0, kPanelWidth, kPanelHeight - 2};
constexpr RECT kNameRect = {0, 0, kPanelWidth - 2, kPanelHeight - 4};
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

HFONT CreateSetNameFont(const PanelScale& scale) {
    return CreateFontA(scale.ToDevice(kNameHeight), 0, 0, 0, kNameWeight, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, kNameFace);
}

PanelPainter::PanelPainter(const LaunchSetList& sets, TabStrip& tabs, ItemGrid& grid, ToggleButton& pin,
                           ToggleButton& newSet, WallpaperRenderer& wallpaper)
    : sets_(sets), tabs_(tabs), grid_(grid), pin_(pin), newSet_(newSet), wallpaper_(wallpaper) {}

void PanelPainter::SetScale(PanelScale scale) {
    scale_ = scale;
    tabs_.scale = scale;
    grid_.scale = scale;
    pin_.scale = scale;
    newSet_.scale = scale;
}

uint16_t PanelPainter::HitTest(int x, int y, uint16_t currentSet, bool onNameEditor) const {
    if (onNameEditor) return kHitCodeNameEdit;

    const int n = sets_.count;
    const int32_t t = tabs_.TabHit(n, kPanelWidth, x, y);
    if (IsGapHit(t)) return MakeHitCode(kHitTab, kPlacedInGap, HitIndex(t));
    if (IsOnHit(t)) {
        // TabHit looks at the strip's band only; a tab needs its interior.
        const int i = tabs_.TabAt(n, kPanelWidth, x, y);
        if (i >= 0) return MakeHitCode(kHitTab, kPlacedOn, i);
    }

    // Negative coordinates become large and fall outside the grid.
    const int32_t g = grid_.GridHit(x & 0xFFFF, y & 0xFFFF, kPanelWidth, kPanelHeight);
    if (IsGapHit(g)) return MakeHitCode(kHitCell, kPlacedInGap, HitIndex(g));
    if (IsOnHit(g)) {
        const bool occupied =
            sets_.GetItemInfo(currentSet, static_cast<uint16_t>(HitIndex(g))).icon != nullptr;
        return MakeHitCode(kHitCell, occupied ? kPlacedOn : kPlacedEmpty, HitIndex(g));
    }

    if (pin_.Contains(x, y)) return kHitCodePin;
    if (newSet_.Contains(x, y)) return kHitCodeNewSet;
    return kHitCodeNothing;
}

void PanelPainter::Repaint(uint16_t currentSet, bool setDialogOpen, int clientWidth, int rebuild, int icons,
                           int hover, int x, int y) {
    if (Switch(rebuild)) {
        wallpaper_.PaintBackground();
        // The new background holds no magnified icon to put back.
        grid_.hoverIcon = nullptr;
    }
    const HDC dc = wallpaper_.dc.get();
    if (!dc) return;
    const int n = sets_.count;

    for (int i = 0; i < n; ++i) tabs_.DrawTab(dc, n, i, kEdgeNormal, x, y, clientWidth);
    tabs_.DrawTab(dc, n, currentSet, kEdgePressed, x, y, clientWidth);
    tabs_.UpdateTabMarker(dc, n, clientWidth, x, y);

    if (grid_.GridContains(x, y, kPanelWidth, kPanelHeight))
        grid_.UpdateGridMarker(dc, x, y);
    else
        grid_.EraseGridMarker(dc);
    if (Switch(icons)) {
        for (unsigned i = 0; i < kSlotsPerSet; ++i)
            grid_.DrawCellIcon(dc, i, sets_.GetItemInfo(currentSet, static_cast<uint16_t>(i)).icon);
    }
    if (Switch(hover)) UpdateHover(dc, currentSet, x, y);
    // The magnified icon put back to its normal size reaches into the gaps
    // beside its cell: the bar goes on last, so a cursor that rests in a gap
    // keeps it whole.
    grid_.DrawGridBar(dc);

    DrawButton(dc, pin_, x, y);
    newSet_.SetState(setDialogOpen ? 1 : 0);
    DrawButton(dc, newSet_, x, y);
    // Smoothed text drawn again over itself grows bolder at every repaint,
    // so the name goes only onto a fresh background; nothing else draws
    // where it stands.
    if (Switch(rebuild)) DrawSetName(dc, currentSet);
}

void PanelPainter::RepaintCell(uint16_t currentSet, int cell) {
    const HDC dc = wallpaper_.dc.get();
    if (!dc) return;
    const HICON icon = sets_.GetItemInfo(currentSet, static_cast<uint16_t>(cell)).icon;
    if (grid_.hoverIcon && grid_.hoverIndex == cell) {
        // The magnified icon was the one just replaced.
        grid_.hoverIcon = nullptr;
        grid_.ShowHover(dc, cell, icon);
        return;
    }
    const RECT r = scale_.ToDevice(grid_.CellRect(cell));
    wallpaper_.RestoreRect(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    grid_.DrawCellIcon(dc, cell, icon);
}

void PanelPainter::DrawButton(HDC dc, const ToggleButton& button, int x, int y) {
    // The icon sits one pixel further in while pressed or hot: without a
    // clean inside, the other position's glyph would stay beside it.
    const RECT inside = scale_.ToDevice(button.x + kEdgeWidth, button.y + kEdgeWidth,
                                        button.width - 2 * kEdgeWidth, button.height - 2 * kEdgeWidth);
    wallpaper_.RestoreRect(dc, inside.left, inside.top, inside.right - inside.left,
                           inside.bottom - inside.top);
    button.Draw(dc, x, y);
}

void PanelPainter::DrawSetName(HDC dc, uint16_t currentSet) {
    const char* name = OrEmpty(sets_.GetSetName(currentSet));
    UniqueFont font(CreateSetNameFont(scale_));
    ScopedSelect select(dc, font.get());
    SetMapperFlags(dc, kFitAspect);
    SetBkMode(dc, TRANSPARENT);
    RECT shadow = scale_.ToDevice(kShadowRect);
    SetTextColor(dc, kBlack);
    DrawTextA(dc, name, -1, &shadow, kNameFormat);
    RECT text = scale_.ToDevice(kNameRect);
    SetTextColor(dc, kWhite);
    DrawTextA(dc, name, -1, &text, kNameFormat);
}

void PanelPainter::UpdateHover(HDC dc, uint16_t currentSet, int x, int y) {
    if (grid_.GridContains(x, y, kPanelWidth, kPanelHeight)) {
        const int32_t g = grid_.GridHit(x, y, kPanelWidth, kPanelHeight);
        if (IsOnHit(g)) {
            const auto cell = static_cast<uint16_t>(HitIndex(g));
            grid_.ShowHover(dc, cell, sets_.GetItemInfo(currentSet, cell).icon);
            return;
        }
    }
    grid_.ClearHover(dc);
}

bool PanelPainter::StatusText(uint16_t code, uint16_t currentSet, HINSTANCE instance, char* text,
                              int size) const {
    const char* setName = OrEmpty(sets_.GetSetName(currentSet));
    const int index = HitCodeIndex(code);
    const int placement = HitCodePlacement(code);
    switch (HitCodeKind(code)) {
    case kHitTab:
        if (placement != kPlacedOn) return false;
        snprintf(text, size, "< %s >", OrEmpty(sets_.GetSetName(static_cast<uint16_t>(index))));
        return true;
    case kHitCell:
        if (placement == kPlacedOn) {
            const char* name = sets_.GetItemInfo(currentSet, static_cast<uint16_t>(index)).name;
            if (!name) return false;
            lstrcpynA(text, name, size);
            return true;
        }
        if (placement != kPlacedInGap && placement != kPlacedEmpty) return false;
        snprintf(text, size, "< %s >", setName);
        return true;
    case kHitPin:
        LoadStringA(instance, IDS_PIN_HINT, text, size);
        return true;
    case kHitNewSet:
        LoadStringA(instance, IDS_CREATE_SET, text, size);
        return true;
    }
    snprintf(text, size, "< %s >", setName);
    return true;
}

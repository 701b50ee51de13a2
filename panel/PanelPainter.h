// The panel's picture and its hit test, over the layout components, the
// launch sets and the wallpaper's back buffer: what lies under a client
// point, the repaint of the back buffer, and the status line's text.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/PanelScale.h"

class ItemGrid;
class LaunchSetList;
class TabStrip;
class ToggleButton;
class WallpaperRenderer;

// The bold face the current set's name is drawn in, at the scale's size.
HFONT CreateSetNameFont(const PanelScale& scale = PanelScale());

class PanelPainter {
public:
    PanelPainter(const LaunchSetList& sets, TabStrip& tabs, ItemGrid& grid, ToggleButton& pin,
                 ToggleButton& newSet, WallpaperRenderer& wallpaper);
    PanelPainter(const PanelPainter&) = delete;
    PanelPainter& operator=(const PanelPainter&) = delete;

    // The scale the panel is drawn at, given to every component.
    void SetScale(PanelScale scale);
    const PanelScale& Scale() const { return scale_; }

    // Every point and width below is logical (PanelScale); the drawing goes
    // to the device pixels of the scale.

    // The hit code (panel/HitCode.h) of a client point while `currentSet`
    // is shown; `onNameEditor` when the name editor lies under the point.
    uint16_t HitTest(int x, int y, uint16_t currentSet, bool onNameEditor) const;

    // Brings the back buffer up to date; the caller copies it to the window.
    // Only the low byte of each switch counts; (x, y) is the cursor in
    // client coordinates, (-1, -1) for none. The tabs are laid out in a
    // client area `clientWidth` wide.
    void Repaint(uint16_t currentSet, bool setDialogOpen, int clientWidth, int rebuild, int icons, int hover,
                 int x, int y);

    // Draws cell `cell` of the shown set again (after its icon changed),
    // magnified when the cursor is on it; the caller copies it to the window.
    void RepaintCell(uint16_t currentSet, int cell);

    // The status line's text for the hit code into `text` (size bytes);
    // false when the line keeps what it shows.
    bool StatusText(uint16_t code, uint16_t currentSet, HINSTANCE instance, char* text, int size) const;

private:
    void UpdateHover(HDC dc, uint16_t currentSet, int x, int y);
    void DrawButton(HDC dc, const ToggleButton& button, int x, int y);
    void DrawSetName(HDC dc, uint16_t currentSet);

    const LaunchSetList& sets_;
    TabStrip& tabs_;
    ItemGrid& grid_;
    ToggleButton& pin_;
    ToggleButton& newSet_;
    WallpaperRenderer& wallpaper_;
    PanelScale scale_;
};

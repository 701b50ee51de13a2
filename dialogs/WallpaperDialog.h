// The wallpaper dialog (template 133): the panel's background picture, its
// colour, how much of the picture shows (ALPHA) and whether it is stretched
// (FILL), with a preview at half the panel's size. APPLY and OK rebuild the
// panel's background and keep the choice in the settings.
#pragma once

#include <cstdint>

#include "dialogs/ModelessDialog.h"

class Settings;
class WallpaperPreview;
class WallpaperRenderer;

class WallpaperDialog : public ModelessDialog {
public:
    WallpaperDialog(DialogHost& host, DLGPROC procedure, WallpaperRenderer& wallpaper,
                    WallpaperPreview& preview, Settings& settings);
    // Opens the dialog, or closes it when it is open.
    void Toggle();

private:
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog() override;
    void OnPaint();
    void OnScroll();
    void OnDropFiles(HDROP drop);
    void OnCommand(int id) override;
    void OnApply(bool close);
    void OnChooseColor();
    // A typed value: clamped, written back when it was out of range, and
    // handed to the slider. The preview waits for the next slider move.
    void OnValueTyped(int id);
    // Reads the sliders and FILL, loads `path` into the preview when given,
    // composes it when `refresh` is set, then draws the preview and the
    // colour swatch.
    void Redraw(HDC dc, const char* path, bool refresh);
    void RedrawNow();
    // A chosen or dropped file: loaded, shown, and its name put in the file
    // name box.
    void TakeFile(const char* path);
    void ShowWords(int stringId);

    WallpaperRenderer& wallpaper_;
    WallpaperPreview& preview_;
    Settings& settings_;
};

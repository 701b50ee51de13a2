// The wallpaper dialog: the panel's background picture, its colour, how much
// of the picture shows (ALPHA) and whether it is stretched (FILL), with a
// preview at half the panel's size. APPLY and OK rebuild the panel's
// background and keep the choice in the Settings.
#include <windows.h>
// commctrl.h and commdlg.h need windows.h first.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "app/App.h"
#include "app/FileChooser.h"
#include "app/UniqueHandle.h"
#include "launchdata/Settings.h"
#include "launchdata/TextCut.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperPreview.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
constexpr int kColorMax = 255;
constexpr int kAlphaMax = 100;
constexpr WPARAM kValueDigits = 3;
constexpr int kFileNameWordsBuffer = 20;
constexpr UINT kQueryFileCount = 0xFFFFFFFF;
constexpr char kBitmapFilter[] = "BMP(*.bmp)\0*.bmp\0";
constexpr char kBitmapExtension[] = ".bmp";

// Each slider with the edit that shows its value and the value's bound.
struct Channel {
    int slider;
    int edit;
    int maximum;
};
constexpr Channel kChannels[] = {
    {IDC_WALLPAPER_RED, IDC_WALLPAPER_RED_VALUE, kColorMax},
    {IDC_WALLPAPER_GREEN, IDC_WALLPAPER_GREEN_VALUE, kColorMax},
    {IDC_WALLPAPER_BLUE, IDC_WALLPAPER_BLUE_VALUE, kColorMax},
    {IDC_WALLPAPER_ALPHA, IDC_WALLPAPER_ALPHA_VALUE, kAlphaMax},
};

int Position(HWND dialog, int slider) {
    return static_cast<int>(SendDlgItemMessageA(dialog, slider, TBM_GETPOS, 0, 0));
}
void SetPosition(HWND dialog, int slider, int value) {
    SendDlgItemMessageA(dialog, slider, TBM_SETPOS, TRUE, value);
}
bool FillChecked(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_WALLPAPER_FILL) == BST_CHECKED;
}
PackedColor SliderColor(HWND dialog) {
    return MakePackedColor(uint8_t(Position(dialog, IDC_WALLPAPER_RED)),
                           uint8_t(Position(dialog, IDC_WALLPAPER_GREEN)),
                           uint8_t(Position(dialog, IDC_WALLPAPER_BLUE)));
}

void ShowWords(HWND dialog, HINSTANCE instance, int stringId) {
    char words[kFileNameWordsBuffer] = {};
    LoadStringA(instance, stringId, words, sizeof words);
    SetDlgItemTextA(dialog, IDC_WALLPAPER_FILE_NAME, words);
}

// The text from the last '.' on, stepping by characters: a '.' is never the
// second byte of a double-byte character, but a backslash can be.
const char* LastDot(const char* text) {
    const char* dot = nullptr;
    for (const char* p = text; *p; p = CharNextA(p))
        if (*p == '.') dot = p;
    return dot;
}

void SizePreviewFrame(HWND dialog) {
    HWND frame = GetDlgItem(dialog, IDC_WALLPAPER_PREVIEW);
    RECT outer = {0, 0, WallpaperPreview::kWidth + 2 * GetSystemMetrics(SM_CXEDGE),
                  WallpaperPreview::kHeight + 2 * GetSystemMetrics(SM_CYEDGE)};
    AdjustWindowRectEx(&outer, GetWindowLongA(frame, GWL_STYLE), FALSE, GetWindowLongA(frame, GWL_EXSTYLE));
    SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}
}  // namespace

INT_PTR App::WallpaperProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    WallpaperPreview& preview = *wallpaperPreview;
    switch (message) {
    case WM_INITDIALOG: {
        wallpaperDialog = dialog;
        ShowWindow(dialog, SW_SHOW);
        SizePreviewFrame(dialog);
        // The path is known only for a picture chosen since the start.
        const bool inUse = (settings->flags & Settings::kWallpaperOn) && settings->wallpaperPath[0];
        if (inUse) {
            const char* slash = FindLastBackslash(settings->wallpaperPath);
            if (slash) SetDlgItemTextA(dialog, IDC_WALLPAPER_FILE_NAME, slash + 1);
        } else {
            ShowWords(dialog, instance, IDS_FILE_NOT);
        }
        for (const Channel& channel : kChannels) {
            SendDlgItemMessageA(dialog, channel.edit, EM_LIMITTEXT, kValueDigits, 0);
            SendDlgItemMessageA(dialog, channel.slider, TBM_SETRANGEMIN, TRUE, 0);
            SendDlgItemMessageA(dialog, channel.slider, TBM_SETRANGEMAX, TRUE, channel.maximum);
        }
        SetPosition(dialog, IDC_WALLPAPER_RED, settings->red);
        SetPosition(dialog, IDC_WALLPAPER_GREEN, settings->green);
        SetPosition(dialog, IDC_WALLPAPER_BLUE, settings->blue);
        SetPosition(dialog, IDC_WALLPAPER_ALPHA, settings->alpha);
        CheckDlgButton(dialog, IDC_WALLPAPER_FILL, BST_UNCHECKED);
        const PackedColor desktop = wallpaper->DefaultColor();
        preview.Load(instance, inUse ? settings->wallpaperPath : nullptr, WallpaperPreview::kWidth,
                     WallpaperPreview::kHeight, desktop);
        preview.Compose(desktop, kAlphaMax, 1);
        // Fills the edits and draws the preview in the sliders' colour.
        SendMessageA(dialog, WM_HSCROLL, 0, 0);
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint = {};
        HDC dc = BeginPaint(dialog, &paint);
        preview.Redraw(dialog, instance, dc, nullptr, 0);
        EndPaint(dialog, &paint);
        return TRUE;
    }
    case WM_HSCROLL: {
        for (const Channel& channel : kChannels)
            SetDlgItemInt(dialog, channel.edit, Position(dialog, channel.slider), FALSE);
        WindowDC dc(dialog);
        preview.Redraw(dialog, instance, dc.get(), nullptr, 1);
        return TRUE;
    }
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        char name[MAX_PATH] = {};
        const bool one = DragQueryFileA(drop, kQueryFileCount, nullptr, 0) == 1;
        if (one) DragQueryFileA(drop, 0, name, sizeof name);
        DragFinish(drop);
        const char* dot = LastDot(name);
        if (one && dot && lstrcmpiA(dot, kBitmapExtension) == 0) preview.TakeFile(dialog, instance, name);
        return 0;
    }
    case WM_COMMAND:
        OnWallpaperCommand(dialog, LOWORD(wParam));
        return 0;
    }
    return 0;
}

void App::OnWallpaperCommand(HWND dialog, int id) {
    WallpaperPreview& preview = *wallpaperPreview;
    switch (id) {
    case IDOK:
    case IDC_WALLPAPER_APPLY: {
        const int alpha = Position(dialog, IDC_WALLPAPER_ALPHA);
        const uint8_t fill = FillChecked(dialog);
        const PackedColor color = SliderColor(dialog);
        // An empty path (after CLEAR) builds the plain colour at full strength.
        if (!wallpaper->Build(instance, preview.path, kPanelWidth, kPanelHeight, fill, color, alpha))
            wallpaper->Build(instance, nullptr, kPanelWidth, kPanelHeight, 1, color, alpha);
        FullRepaint();
        lstrcpynA(settings->wallpaperPath, preview.path, sizeof settings->wallpaperPath);
        settings->flags &= ~(Settings::kWallpaperOn | Settings::kWallpaperFill);
        if (preview.path[0] && alpha != 0) settings->flags |= Settings::kWallpaperOn;
        if (fill) settings->flags |= Settings::kWallpaperFill;
        settings->red = uint8_t(Position(dialog, IDC_WALLPAPER_RED));
        settings->green = uint8_t(Position(dialog, IDC_WALLPAPER_GREEN));
        settings->blue = uint8_t(Position(dialog, IDC_WALLPAPER_BLUE));
        settings->alpha = uint8_t(alpha);
        if (id == IDOK) CloseModeless(wallpaperDialog);
        break;
    }
    case IDCANCEL:
        CloseModeless(wallpaperDialog);
        break;
    case IDC_WALLPAPER_OPEN: {
        char path[MAX_PATH] = {};
        if (ChooseExistingFile(dialog, kBitmapFilter, "BMP", path, sizeof path))
            preview.TakeFile(dialog, instance, path);
        break;
    }
    case IDC_WALLPAPER_CLEAR:
        preview.Load(instance, nullptr, WallpaperPreview::kWidth, WallpaperPreview::kHeight, 0);
        preview.Compose(0, kAlphaMax, 1);
        SendMessageA(dialog, WM_HSCROLL, 0, 0);
        ShowWords(dialog, instance, IDS_FILE_NOT);
        break;
    case IDC_WALLPAPER_BG_COLOR: {
        // None of the custom colours is kept from one call to the next.
        COLORREF custom[16] = {};
        CHOOSECOLORA choose = {};
        choose.lStructSize = sizeof choose;
        choose.hwndOwner = dialog;
        choose.rgbResult = RGB(Position(dialog, IDC_WALLPAPER_RED), Position(dialog, IDC_WALLPAPER_GREEN),
                               Position(dialog, IDC_WALLPAPER_BLUE));
        choose.lpCustColors = custom;
        choose.Flags = CC_RGBINIT | CC_FULLOPEN;
        if (ChooseColorA(&choose)) {
            SetPosition(dialog, IDC_WALLPAPER_RED, GetRValue(choose.rgbResult));
            SetPosition(dialog, IDC_WALLPAPER_GREEN, GetGValue(choose.rgbResult));
            SetPosition(dialog, IDC_WALLPAPER_BLUE, GetBValue(choose.rgbResult));
            SendMessageA(dialog, WM_HSCROLL, 0, 0);
        }
        WindowDC dc(dialog);
        preview.Redraw(dialog, instance, dc.get(), nullptr, 1);
        break;
    }
    case IDC_WALLPAPER_FILL: {
        WindowDC dc(dialog);
        preview.Redraw(dialog, instance, dc.get(), nullptr, 1);
        break;
    }
    default:
        // A typed value: clamped, written back when it was out of range, and
        // handed to the slider. The preview waits for the next slider move.
        for (const Channel& channel : kChannels) {
            if (channel.edit != id) continue;
            UINT value = GetDlgItemInt(dialog, id, nullptr, FALSE);
            if (value > UINT(channel.maximum)) {
                value = channel.maximum;
                SetDlgItemInt(dialog, id, value, FALSE);
            }
            SetPosition(dialog, channel.slider, int(value));
        }
        break;
    }
}

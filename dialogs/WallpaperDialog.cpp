// The wallpaper dialog.
#include "dialogs/WallpaperDialog.h"

// commctrl.h and commdlg.h need windows.h first.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "base/DroppedFile.h"
#include "base/FileChooser.h"
#include "base/TextCut.h"
#include "base/UniqueHandle.h"
#include "dialogs/DialogHost.h"
#include "dialogs/PathRefusal.h"
#include "launchdata/Settings.h"
#include "panel/PanelLayout.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperPreview.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
constexpr int kColorMax = 255;
constexpr int kAlphaMax = 100;
constexpr WPARAM kValueDigits = 3;
// Strings 4 and 5 are loaded into a buffer of this size.
constexpr int kFileNameWordsBuffer = 20;
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

// The text from the last '.' on, stepping by characters: a '.' is never the
// second byte of a double-byte character, but a backslash can be.
const char* LastDot(const char* text) {
    const char* dot = nullptr;
    for (const char* p = text; *p; p = CharNextA(p))
        if (*p == '.') dot = p;
    return dot;
}

// The top-left corner of a control's window in the dialog's client area.
POINT ControlCorner(HWND dialog, int id, RECT* window) {
    GetWindowRect(GetDlgItem(dialog, id), window);
    POINT corner = {window->left, window->top};
    ScreenToClient(dialog, &corner);
    return corner;
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

WallpaperDialog::WallpaperDialog(DialogHost& host, DLGPROC procedure, WallpaperRenderer& wallpaper,
                                 WallpaperPreview& preview, Settings& settings)
    : ModelessDialog(host, IDD_WALLPAPER, procedure),
      wallpaper_(wallpaper),
      preview_(preview),
      settings_(settings) {}

void WallpaperDialog::Toggle() {
    if (IsOpen()) {
        Close();
        return;
    }
    // The sliders are trackbars, a class that exists only once the common
    // controls have been registered in the process.
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    Create();
}

bool WallpaperDialog::Dispatch(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return true;
    case WM_HSCROLL:
        OnScroll();
        return true;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return true;
    }
    return false;
}

void WallpaperDialog::OnInitDialog() {
    SizePreviewFrame(window_);
    // The path is known only for a picture chosen since the start.
    const bool inUse = (settings_.flags & Settings::kWallpaperOn) && settings_.wallpaperPath[0];
    if (inUse) {
        const char* slash = FindLastBackslash(settings_.wallpaperPath);
        if (slash) SetDlgItemTextA(window_, IDC_WALLPAPER_FILE_NAME, slash + 1);
    } else {
        ShowWords(IDS_FILE_NOT);
    }
    for (const Channel& channel : kChannels) {
        SendDlgItemMessageA(window_, channel.edit, EM_LIMITTEXT, kValueDigits, 0);
        SendDlgItemMessageA(window_, channel.slider, TBM_SETRANGEMIN, TRUE, 0);
        SendDlgItemMessageA(window_, channel.slider, TBM_SETRANGEMAX, TRUE, channel.maximum);
    }
    SetPosition(window_, IDC_WALLPAPER_RED, settings_.red);
    SetPosition(window_, IDC_WALLPAPER_GREEN, settings_.green);
    SetPosition(window_, IDC_WALLPAPER_BLUE, settings_.blue);
    SetPosition(window_, IDC_WALLPAPER_ALPHA, settings_.alpha);
    CheckDlgButton(window_, IDC_WALLPAPER_FILL, BST_UNCHECKED);
    const PackedColor desktop = wallpaper_.DefaultColor();
    preview_.Load(host_.Instance(), inUse ? settings_.wallpaperPath : nullptr, WallpaperPreview::kWidth,
                  WallpaperPreview::kHeight, desktop);
    preview_.Compose(desktop, kAlphaMax, 1);
    // Fills the edits and draws the preview in the sliders' colour.
    SendMessageA(window_, WM_HSCROLL, 0, 0);
}

void WallpaperDialog::OnPaint() {
    PaintDC dc(window_);
    Redraw(dc.get(), nullptr, false);
}

void WallpaperDialog::OnScroll() {
    for (const Channel& channel : kChannels)
        SetDlgItemInt(window_, channel.edit, Position(window_, channel.slider), FALSE);
    RedrawNow();
}

void WallpaperDialog::OnDropFiles(HDROP drop) {
    const std::vector<ShellPath> files = TakeDroppedFiles(drop);
    if (files.size() != 1 || TellIfRefused(window_, host_.Instance(), files[0])) return;
    const char* dot = LastDot(files[0].path);
    if (dot && lstrcmpiA(dot, kBitmapExtension) == 0) TakeFile(files[0].path);
}

void WallpaperDialog::OnCommand(int id) {
    switch (id) {
    case IDOK:
        OnApply(true);
        break;
    case IDC_WALLPAPER_APPLY:
        OnApply(false);
        break;
    case IDCANCEL:
        Close();
        break;
    case IDC_WALLPAPER_OPEN: {
        ShellPath file;
        if (ChooseExistingFile(window_, kBitmapFilter, "BMP", file) &&
            !TellIfRefused(window_, host_.Instance(), file))
            TakeFile(file.path);
        break;
    }
    case IDC_WALLPAPER_CLEAR:
        preview_.Load(host_.Instance(), nullptr, WallpaperPreview::kWidth, WallpaperPreview::kHeight, 0);
        preview_.Compose(0, kAlphaMax, 1);
        SendMessageA(window_, WM_HSCROLL, 0, 0);
        ShowWords(IDS_FILE_NOT);
        break;
    case IDC_WALLPAPER_BG_COLOR:
        OnChooseColor();
        break;
    case IDC_WALLPAPER_FILL:
        RedrawNow();
        break;
    default:
        OnValueTyped(id);
        break;
    }
}

void WallpaperDialog::OnApply(bool close) {
    const int alpha = Position(window_, IDC_WALLPAPER_ALPHA);
    const uint8_t fill = FillChecked(window_);
    const PackedColor color = SliderColor(window_);
    // An empty path (after CLEAR) builds the plain colour at full strength.
    // The panel's back buffer has the size the panel is drawn at.
    const SIZE size = wallpaper_.GetSize();
    const auto width = static_cast<uint16_t>(size.cx), height = static_cast<uint16_t>(size.cy);
    if (!wallpaper_.Build(host_.Instance(), preview_.path, width, height, fill, color, alpha))
        wallpaper_.Build(host_.Instance(), nullptr, width, height, 1, color, alpha);
    lstrcpynA(settings_.wallpaperPath, preview_.path, sizeof settings_.wallpaperPath);
    settings_.flags &= ~(Settings::kWallpaperOn | Settings::kWallpaperFill);
    if (preview_.path[0] && alpha != 0) settings_.flags |= Settings::kWallpaperOn;
    if (fill) settings_.flags |= Settings::kWallpaperFill;
    settings_.red = uint8_t(Position(window_, IDC_WALLPAPER_RED));
    settings_.green = uint8_t(Position(window_, IDC_WALLPAPER_GREEN));
    settings_.blue = uint8_t(Position(window_, IDC_WALLPAPER_BLUE));
    settings_.alpha = uint8_t(alpha);
    host_.PanelChanged();
    if (close) Close();
}

void WallpaperDialog::OnChooseColor() {
    // None of the custom colours is kept from one call to the next.
    COLORREF custom[16] = {};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = window_;
    choose.rgbResult = RGB(Position(window_, IDC_WALLPAPER_RED), Position(window_, IDC_WALLPAPER_GREEN),
                           Position(window_, IDC_WALLPAPER_BLUE));
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorA(&choose)) {
        SetPosition(window_, IDC_WALLPAPER_RED, GetRValue(choose.rgbResult));
        SetPosition(window_, IDC_WALLPAPER_GREEN, GetGValue(choose.rgbResult));
        SetPosition(window_, IDC_WALLPAPER_BLUE, GetBValue(choose.rgbResult));
        SendMessageA(window_, WM_HSCROLL, 0, 0);
    }
    RedrawNow();
}

void WallpaperDialog::OnValueTyped(int id) {
    for (const Channel& channel : kChannels) {
        if (channel.edit != id) continue;
        UINT value = GetDlgItemInt(window_, id, nullptr, FALSE);
        if (value > UINT(channel.maximum)) {
            value = channel.maximum;
            SetDlgItemInt(window_, id, value, FALSE);
        }
        SetPosition(window_, channel.slider, int(value));
    }
}

void WallpaperDialog::Redraw(HDC dc, const char* path, bool refresh) {
    const int red = Position(window_, IDC_WALLPAPER_RED);
    const int green = Position(window_, IDC_WALLPAPER_GREEN);
    const int blue = Position(window_, IDC_WALLPAPER_BLUE);
    const int alpha = Position(window_, IDC_WALLPAPER_ALPHA);
    const PackedColor color = MakePackedColor(uint8_t(red), uint8_t(green), uint8_t(blue));

    RECT frame = {};
    const POINT corner = ControlCorner(window_, IDC_WALLPAPER_PREVIEW, &frame);
    if (path)
        preview_.Load(host_.Instance(), path, WallpaperPreview::kWidth, WallpaperPreview::kHeight, color);
    if (refresh) preview_.Compose(color, alpha, FillChecked(window_));
    preview_.Present(dc, corner.x, corner.y, frame);

    // The swatch fills the inside of its sunken frame.
    RECT swatch = {};
    const POINT swatchCorner = ControlCorner(window_, IDC_WALLPAPER_SWATCH, &swatch);
    const int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    LOGBRUSH solid = {};
    solid.lbStyle = BS_SOLID;
    solid.lbColor = PALETTERGB(red & 0xFF, green & 0xFF, blue & 0xFF);
    UniqueBrush brush(CreateBrushIndirect(&solid));
    ScopedSelect select(dc, brush.get());
    PatBlt(dc, swatchCorner.x + edgeX, swatchCorner.y + edgeY, (swatch.right - swatch.left) - 2 * edgeX,
           (swatch.bottom - swatch.top) - 2 * edgeY, PATCOPY);
}

void WallpaperDialog::RedrawNow() {
    WindowDC dc(window_);
    Redraw(dc.get(), nullptr, true);
}

void WallpaperDialog::TakeFile(const char* path) {
    {
        WindowDC dc(window_);
        Redraw(dc.get(), path, true);
    }
    // A file that could not be read left no path, so no backslash.
    const char* slash = FindLastBackslash(preview_.path);
    if (slash)
        SetDlgItemTextA(window_, IDC_WALLPAPER_FILE_NAME, slash + 1);
    else
        ShowWords(IDS_UNKNOWN_DATA);
}

void WallpaperDialog::ShowWords(int stringId) {
    char words[kFileNameWordsBuffer] = {};
    LoadStringA(host_.Instance(), stringId, words, sizeof words);
    SetDlgItemTextA(window_, IDC_WALLPAPER_FILE_NAME, words);
}

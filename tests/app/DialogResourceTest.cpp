// The seven dialogs against their tables: what the dialog manager builds from
// each template (classes, ids, texts, styles, pixel rectangles, the Japanese
// font), plus a screenshot of each dialog with texts like the ones it shows
// at run time.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogScreenshot.h"
#include "TestSupport.h"
#include "base/UniqueHandle.h"
#include "resources/resource.h"

namespace {

constexpr int kPointSize = 9;
constexpr const char* kFace = "ＭＳ Ｐゴシック";
constexpr DWORD kDialogStyle =
    DS_SETFONT | DS_MODALFRAME | DS_CENTERMOUSE | WS_POPUP | WS_CAPTION | WS_SYSMENU;
// Extended styles a dialog has only where its table asks for them.
constexpr DWORD kUnwantedExStyles = WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES | WS_EX_TOPMOST;

constexpr const char* kButton = "Button";
constexpr const char* kEdit = "Edit";
constexpr const char* kStatic = "Static";
constexpr const char* kTrackbar = "msctls_trackbar32";

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefault = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kTextEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kNameBox = ES_READONLY | ES_AUTOHSCROLL;  // borderless, no tab stop
constexpr DWORD kSlider = TBS_HORZ | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
constexpr DWORD kValueEdit = ES_RIGHT | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kSunkenFrame = SS_GRAYFRAME | SS_SUNKEN;
constexpr DWORD kRunTimeText = SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP;

// One control as its dialog's table gives it. The style leaves out
// WS_CHILD | WS_VISIBLE, which every control has. Icon statics whose table
// gives no size are 0 x 0 and take their icon's size.
struct ControlSpec {
    int id;
    const char* className;
    const char* text;  // UTF-8
    DWORD style;
    int x, y, cx, cy;
    int iconOrdinal = 0;  // the icon a static loads by itself, instead of a text
};

struct DialogSpec {
    const char* name;
    int id;
    const char* title;  // UTF-8; empty where the caption is set at run time
    DWORD style;
    DWORD exStyle;
    int cx, cy;
    std::vector<ControlSpec> controls;
};

const std::vector<DialogSpec>& Dialogs() {
    static const std::vector<DialogSpec> dialogs = {
        {"hotkey",
         132,
         "表示・非表示に使用するキー",
         kDialogStyle,
         WS_EX_TOOLWINDOW,
         103,
         73,
         {
             {-1, kButton, "組み合わせを選んで下さい", BS_GROUPBOX, 3, 5, 97, 65},
             {1000, kButton, "マウスの中ボタン", kCheckBox | WS_GROUP, 12, 18, 65, 10},
             {1001, kButton, "CTRL", kCheckBox, 12, 30, 33, 10},
             {1002, kButton, "ALT", kCheckBox, 12, 42, 28, 10},
             {1003, kButton, "SHIFT", kCheckBox, 12, 54, 34, 10},
             {1, kButton, "OK", kDefault, 60, 33, 33, 14},
             {2, kButton, "CANCEL", kPush, 60, 50, 33, 14},
         }},
        {"wallpaper",
         133,
         "WALLPAPER",
         kDialogStyle,
         WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES,
         175,
         171,
         {
             {1, kButton, "OK", kDefault, 46, 152, 36, 14},
             {2, kButton, "CANCEL", kPush, 90, 152, 36, 14},
             {3, kButton, "APPLY", kPush, 134, 152, 36, 14},
             {4, kButton, "OPEN", kPush | WS_GROUP, 90, 9, 36, 14},
             {5, kButton, "CLEAR", kPush, 134, 9, 36, 14},
             {1010, kTrackbar, "Slider2", kSlider, 34, 79, 108, 15},
             {1012, kTrackbar, "Slider2", kSlider, 34, 96, 108, 15},
             {1011, kTrackbar, "Slider2", kSlider, 34, 113, 108, 15},
             {1013, kTrackbar, "Slider2", kSlider, 34, 130, 108, 15},
             {1014, kEdit, "", kValueEdit, 147, 81, 17, 12},
             {1015, kEdit, "", kValueEdit, 147, 98, 17, 12},
             {1016, kEdit, "", kValueEdit, 147, 115, 17, 12},
             {1017, kEdit, "", kValueEdit, 147, 132, 17, 12},
             {-1, kStatic, "RED", kLabel | SS_CENTERIMAGE, 5, 79, 27, 15},
             {-1, kStatic, "GREEN", kLabel | SS_CENTERIMAGE, 5, 96, 27, 15},
             {-1, kStatic, "BLUE", kLabel | SS_CENTERIMAGE, 5, 113, 27, 15},
             {-1, kStatic, "ALPHA", kLabel | SS_CENTERIMAGE, 5, 130, 27, 15},
             {1008, kStatic, "", kSunkenFrame, 5, 5, 77, 69},
             {1025, kEdit, "", ES_READONLY | ES_AUTOHSCROLL, 90, 28, 80, 14},
             {1009, kStatic, "", kSunkenFrame, 144, 60, 20, 14},
             {6, kButton, "BG COLOR", kPush, 101, 60, 41, 14},
             {1026, kButton, "FILL", kCheckBox, 90, 47, 29, 8},
         }},
        {"item",
         134,
         "LAUNCH ITEM",
         kDialogStyle,
         WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES,
         178,
         125,
         {
             {1034, kButton, "", BS_GROUPBOX, 3, 5, 172, 94},
             {1031, kStatic, "", SS_ICON, 14, 19, 20, 20},
             {1014, kEdit, "", kTextEdit | WS_GROUP, 39, 22, 113, 14},
             {4, kButton, "...", kPush, 155, 22, 15, 14},
             {-1, kStatic, "リンク先", kLabel, 8, 45, 54, 8},
             {1015, kEdit, "", kTextEdit, 10, 54, 160, 14},
             {-1, kStatic, "作業フォルダ", kLabel, 8, 70, 54, 8},
             {1016, kEdit, "", kTextEdit, 10, 79, 160, 14},
             {1, kButton, "OK", kDefault, 93, 106, 36, 14},
             {2, kButton, "CANCEL", kPush, 134, 106, 36, 14},
         }},
        {"set",
         142,
         "LAUNCH SET",
         kDialogStyle,
         WS_EX_TOOLWINDOW,
         127,
         57,
         {
             {1035, kButton, "", BS_GROUPBOX, 2, 3, 122, 49},
             {1014, kEdit, "", kTextEdit | WS_GROUP, 7, 15, 113, 14},
             {1, kButton, "OK", kDefault, 48, 34, 33, 14},
             {2, kButton, "CANCEL", kPush, 87, 34, 33, 14},
         }},
        {"confirm_overwrite",
         148,
         "",
         kDialogStyle,
         0,
         151,
         99,
         {
             {1038, kButton, "", BS_GROUPBOX, 2, 4, 146, 92},
             {1039, kStatic, "", SS_ICON, 8, 24, 0, 0},
             {1043, kEdit, "", kNameBox, 31, 28, 115, 12},
             {1040, kStatic, "", SS_ICON, 8, 53, 0, 0},
             {1042, kEdit, "", kNameBox, 31, 57, 115, 12},
             {1, kButton, "OK", kDefault, 39, 75, 33, 14},
             {2, kButton, "CANCEL", kPush, 78, 75, 33, 14},
         }},
        {"confirm_delete",
         150,
         "",
         kDialogStyle,
         0,
         151,
         73,
         {
             {1038, kButton, "", BS_GROUPBOX, 2, 5, 146, 64},
             {1039, kStatic, "", SS_ICON, 8, 21, 0, 0},
             {1043, kEdit, "", kNameBox, 31, 25, 115, 12},
             {1, kButton, "OK", kDefault, 39, 50, 33, 14},
             {2, kButton, "CANCEL", kPush, 78, 50, 33, 14},
         }},
        {"about",
         161,
         "",
         kDialogStyle,
         0,
         175,
         111,
         {
             {-1, kButton, "", BS_GROUPBOX, 4, 0, 167, 84},
             {-1, kStatic, "", SS_ICON, 11, 11, 0, 0, 102},
             {1045, kStatic, "", kRunTimeText, 32, 17, 112, 8},
             {1046, kStatic, "", kRunTimeText, 8, 37, 159, 8},
             {1047, kStatic, "", kRunTimeText, 8, 52, 159, 8},
             {1048, kStatic, "", kRunTimeText, 8, 67, 159, 8},
             {1, kButton, "OK", kDefault, 72, 90, 33, 14},
         }},
    };
    return dialogs;
}

std::wstring Wide(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    text.resize(length - 1);
    return text;
}

// The text as the program's ANSI entry points read and write it (code page 932).
std::string Ansi(const char* utf8) {
    const std::wstring wide = Wide(utf8);
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(length, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), length, nullptr, nullptr);
    text.resize(length - 1);
    return text;
}

std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;

UniqueWindow CreateFromResource(int id) {
    return UniqueWindow(
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, PlainDialogProc, 0));
}

// The pixel rectangle the dialog manager gives a control: each of x, y, cx
// and cy converted on its own, as MapDialogRect converts each field.
RECT ExpectedPixels(HWND dialog, int x, int y, int cx, int cy) {
    RECT units = {x, y, cx, cy};
    MapDialogRect(dialog, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

RECT RectInDialog(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    SIZE size = {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

// Bits that controls move at run time: an edit draws WS_BORDER as its own
// client edge, and the dialog manager hands BS_DEFPUSHBUTTON to whichever
// push button has the focus.
DWORD StyleKeptAtRunTime(const ControlSpec& control) {
    DWORD style = control.style | WS_CHILD | WS_VISIBLE;
    if (lstrcmpiA(control.className, kEdit) == 0) style &= ~WS_BORDER;
    if (lstrcmpiA(control.className, kButton) == 0 && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        style &= ~BS_DEFPUSHBUTTON;
    }
    return style;
}

// Trackbars, frames and icon statics draw no text and keep no font.
bool ShowsText(const ControlSpec& control) {
    if (lstrcmpiA(control.className, kTrackbar) == 0) return false;
    if (lstrcmpiA(control.className, kStatic) != 0) return true;
    const DWORD type = control.style & SS_TYPEMASK;
    return type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

std::string DialogName(const testing::TestParamInfo<DialogSpec>& info) {
    return std::to_string(info.param.id) + "_" + info.param.name;
}

// Names the dialog in failure messages instead of dumping its bytes.
void PrintTo(const DialogSpec& spec, std::ostream* out) {
    *out << spec.id << " " << spec.name;
}

class DialogResource : public testing::TestWithParam<DialogSpec> {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_P(DialogResource, DialogManagerBuildsTheTable) {
    const DialogSpec& spec = GetParam();
    UniqueWindow dialog = CreateFromResource(spec.id);
    ASSERT_TRUE(dialog);
    HWND window = dialog.get();

    EXPECT_EQ(Ansi(spec.title), WindowText(window));
    const DWORD style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(spec.style & ~DS_SETFONT, style & spec.style & ~DS_SETFONT);
    EXPECT_FALSE(style & WS_VISIBLE);  // the dialogs show themselves
    const DWORD exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_EQ(spec.exStyle, exStyle & kUnwantedExStyles);

    RECT client = {};
    GetClientRect(window, &client);
    const RECT size = ExpectedPixels(window, 0, 0, spec.cx, spec.cy);
    EXPECT_EQ(size.right, client.right);
    EXPECT_EQ(size.bottom, client.bottom);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA logFont = {};
    ASSERT_TRUE(font && GetObjectA(font, sizeof logFont, &logFont));
    EXPECT_EQ(Ansi(kFace), logFont.lfFaceName);
    WindowDC screen(nullptr);
    EXPECT_EQ(-MulDiv(kPointSize, GetDeviceCaps(screen.get(), LOGPIXELSY), 72), logFont.lfHeight);
    EXPECT_FALSE(logFont.lfItalic);
    {
        // The font as realised draws the Japanese texts.
        ScopedSelect select(screen.get(), font);
        EXPECT_EQ(SHIFTJIS_CHARSET, GetTextCharset(screen.get()));
    }
    EXPECT_EQ(nullptr, GetMenu(window));
    EXPECT_EQ("#32770", ClassName(window));

    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    ASSERT_EQ(spec.controls.size(), children.size());

    for (const ControlSpec& control : spec.controls) {
        SCOPED_TRACE("control " + std::to_string(control.id) + " at " + std::to_string(control.x) + ", " +
                     std::to_string(control.y));
        // The control with the row's id whose top left is where the row puts it.
        RECT expected = ExpectedPixels(window, control.x, control.y, control.cx, control.cy);
        HWND child = nullptr;
        for (HWND candidate : children) {
            const RECT at = RectInDialog(window, candidate);
            if (static_cast<short>(GetDlgCtrlID(candidate)) == control.id && at.left == expected.left &&
                at.top == expected.top)
                child = candidate;
        }
        ASSERT_NE(nullptr, child);
        EXPECT_EQ(0, lstrcmpiA(control.className, ClassName(child).c_str())) << ClassName(child);
        if (!control.iconOrdinal) {
            EXPECT_EQ(Ansi(control.text), WindowText(child));
        }
        const DWORD kept = StyleKeptAtRunTime(control);
        EXPECT_EQ(kept, GetWindowLongA(child, GWL_STYLE) & kept);
        if (ShowsText(control)) {
            EXPECT_EQ(font, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
        }

        if (control.iconOrdinal) {
            // An icon static takes its icon's size when it loads it.
            HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            ASSERT_NE(nullptr, icon);
            const SIZE iconSize = IconSize(icon);
            EXPECT_EQ(GetSystemMetrics(SM_CXICON), iconSize.cx);
            expected.right = expected.left + iconSize.cx;
            expected.bottom = expected.top + iconSize.cy;
        }
        const RECT actual = RectInDialog(window, child);
        EXPECT_EQ(expected.right, actual.right);
        EXPECT_EQ(expected.bottom, actual.bottom);
    }
}

// Texts and icons like those the dialogs show at run time, for the picture.
struct SampleText {
    int dialog;
    int control;
    const char* text;
};

const SampleText kSamples[] = {
    {133, 1014, "255"},
    {133, 1015, "128"},
    {133, 1016, "64"},
    {133, 1017, "100"},
    {133, 1025, "File Not"},
    {134, 1034, "登録済みアイテムの設定を変更します ( 0 - 5 )"},
    {134, 1014, "メモ帳"},
    {134, 1015, "C:\\Windows\\notepad.exe"},
    {134, 1016, "$p"},
    {142, 1035, "新規ランチセットを作成します"},
    {142, 1014, "NewLaunchSet"},
    {148, 1038, "ランチセットを上書きします"},
    {148, 1043, "[ NewLaunchSet ]"},
    {148, 1042, "[ ソフトウェア表示 ]"},
    {150, 1038, "ランチアイテムを削除します"},
    {150, 1043, "メモ帳"},
    {161, 1045, "VELK ver. 0.01"},
    {161, 1046, "Copyright (C) 2026 the VELK project"},
    {161, 1047, "連絡先: VELK プロジェクト"},
    {161, 1048, "Wendrix.dll ver. 0.04a"},
};

void FillSamples(HWND dialog, int id) {
    if (id >= 148) SetWindowTextA(dialog, "VELK ver. 0.01");
    for (const SampleText& sample : kSamples) {
        if (sample.dialog == id) SetDlgItemTextA(dialog, sample.control, Ansi(sample.text).c_str());
    }
    const int positions[][2] = {{1010, 255}, {1012, 128}, {1011, 64}, {1013, 100}};
    for (const auto& [control, position] : positions) {
        HWND slider = GetDlgItem(dialog, control);
        if (!slider) continue;
        SendMessageA(slider, TBM_SETRANGEMAX, TRUE, control == 1013 ? 100 : 255);
        SendMessageA(slider, TBM_SETPOS, TRUE, position);
    }
    HICON set = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_LAUNCH_SET));
    for (int control : {1031, 1039, 1040}) {
        if (HWND icon = GetDlgItem(dialog, control)) SendMessageA(icon, STM_SETICON, WPARAM(set), 0);
    }
}

TEST_P(DialogResource, ShowsOnScreenForTheScreenshot) {
    const DialogSpec& spec = GetParam();
    UniqueWindow dialog = CreateFromResource(spec.id);
    ASSERT_TRUE(dialog);
    FillSamples(dialog.get(), spec.id);
    ShowWindow(dialog.get(), SW_SHOW);

    // Centred on the cursor and clamped to the screen, so all of it shows.
    RECT outer = {};
    GetWindowRect(dialog.get(), &outer);
    EXPECT_GE(outer.left, 0);
    EXPECT_GE(outer.top, 0);
    EXPECT_LE(outer.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(outer.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(velktest::SaveDialogScreenshot(dialog.get(), "dialog_" + DialogName({spec, 0})));
}

INSTANTIATE_TEST_SUITE_P(All, DialogResource, testing::ValuesIn(Dialogs()), DialogName);

}  // namespace

// The wallpaper dialog in the hosted App, driven with real messages: sliders
// and edits in step, files dropped and chosen, FILL, CLEAR, APPLY, OK and
// CANCEL, read back from the preview, the panel's renderer and the Settings.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BmpFiles.h"
#include "HostedApp.h"
#include "launchdata/Settings.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperPreview.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {

using namespace wallpapertest;
using velktest::Checked;
using velktest::Click;
using velktest::DialogText;
using velktest::DropFiles;
using velktest::HostedAppTest;
using velktest::ModalLoopAnswer;
using velktest::TempFolder;

constexpr uint32_t kRgb = 0x00FFFFFF;
constexpr uint32_t kPictureRgb = 0x00C08040;

uint32_t Mixed(uint32_t picture, uint32_t color, uint32_t alpha) {
    uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t p = (picture >> shift) & 0xFF, c = (color >> shift) & 0xFF;
        result |= ((p * alpha + c * (100 - alpha)) / 100) << shift;
    }
    return result;
}

class WallpaperDialog : public HostedAppTest {
protected:
    void SetUp() override {
        HostedAppTest::SetUp();
        app->settings->red = 10;
        app->settings->green = 20;
        app->settings->blue = 30;
        app->settings->alpha = 70;
        wide = folder.File("wide.bmp");
        ASSERT_TRUE(WriteFileBytes(wide, MakeBmp(512, 192, [](int, int) { return kPictureRgb; })));
    }
    HWND Open() {
        Command(IDM_WALLPAPER_DIALOG);
        return app->wallpaperDialog->Window();
    }
    int Position(int slider) {
        return int(SendDlgItemMessageA(app->wallpaperDialog->Window(), slider, TBM_GETPOS, 0, 0));
    }
    // A slider moved by the user: the trackbar tells its dialog.
    void Slide(int slider, int value) {
        HWND dialog = app->wallpaperDialog->Window();
        SendDlgItemMessageA(dialog, slider, TBM_SETPOS, TRUE, value);
        SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, value),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, slider)));
    }
    // The preview's pixel, x from the left and y from the top.
    uint32_t Shown(int x, int y) { return app->wallpaperPreview->display[size_t(95 - y) * 128 + x] & kRgb; }
    uint32_t Panel(int x, int y) { return app->wallpaper->pixels[size_t(191 - y) * 256 + x] & kRgb; }
    bool AllPanel(uint32_t rgb) {
        for (int i = 0; i < 256 * 192; ++i)
            if ((app->wallpaper->pixels[i] & kRgb) != rgb) return false;
        return true;
    }

    TempFolder folder;
    std::string wide;
};

TEST_F(WallpaperDialog, OpensWithTheStoredColourAndNoFile) {
    HWND dialog = Open();
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ("File Not", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    const struct {
        int slider, edit, value, maximum;
    } channels[] = {{IDC_WALLPAPER_RED, IDC_WALLPAPER_RED_VALUE, 10, 255},
                    {IDC_WALLPAPER_GREEN, IDC_WALLPAPER_GREEN_VALUE, 20, 255},
                    {IDC_WALLPAPER_BLUE, IDC_WALLPAPER_BLUE_VALUE, 30, 255},
                    {IDC_WALLPAPER_ALPHA, IDC_WALLPAPER_ALPHA_VALUE, 70, 100}};
    for (const auto& c : channels) {
        SCOPED_TRACE(c.slider);
        EXPECT_EQ(c.value, Position(c.slider));
        EXPECT_EQ(c.maximum, SendDlgItemMessageA(dialog, c.slider, TBM_GETRANGEMAX, 0, 0));
        EXPECT_EQ(std::to_string(c.value), DialogText(dialog, c.edit));
        EXPECT_EQ(3, SendDlgItemMessageA(dialog, c.edit, EM_GETLIMITTEXT, 0, 0));
    }
    EXPECT_FALSE(Checked(dialog, IDC_WALLPAPER_FILL));
    EXPECT_EQ(0x0A141Eu, Shown(0, 0));
    EXPECT_EQ(0x0A141Eu, Shown(127, 95));
    // The preview frame holds the 128 x 96 picture inside its sunken edge.
    RECT frame = {};
    GetClientRect(GetDlgItem(dialog, IDC_WALLPAPER_PREVIEW), &frame);
    EXPECT_EQ(128 + 2 * GetSystemMetrics(SM_CXEDGE), frame.right);
    EXPECT_EQ(96 + 2 * GetSystemMetrics(SM_CYEDGE), frame.bottom);
}

TEST_F(WallpaperDialog, TypedValuesAreClampedAndMoveTheirSlider) {
    HWND dialog = Open();
    const uint32_t before = Shown(0, 0);
    const struct {
        int edit, slider;
        const char* typed;
        const char* shown;
        int position;
    } cases[] = {
        {IDC_WALLPAPER_RED_VALUE, IDC_WALLPAPER_RED, "300", "255", 255},
        {IDC_WALLPAPER_GREEN_VALUE, IDC_WALLPAPER_GREEN, "128", "128", 128},
        {IDC_WALLPAPER_BLUE_VALUE, IDC_WALLPAPER_BLUE, "", "", 0},
        {IDC_WALLPAPER_ALPHA_VALUE, IDC_WALLPAPER_ALPHA, "101", "100", 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetDlgItemTextA(dialog, c.edit, c.typed);
        EXPECT_EQ(c.shown, DialogText(dialog, c.edit));
        EXPECT_EQ(c.position, Position(c.slider));
    }
    // The preview waits for a slider move.
    EXPECT_EQ(before, Shown(0, 0));
    Slide(IDC_WALLPAPER_ALPHA, 100);
    EXPECT_EQ(0xFF8000u, Shown(0, 0));
}

TEST_F(WallpaperDialog, DroppedBitmapsInAnyCaseAndNothingElse) {
    HWND dialog = Open();
    const std::string upper = folder.File("UPPER.BMP");
    CopyFileA(wide.c_str(), upper.c_str(), FALSE);
    const std::string text = folder.File("notes.bmp.txt");
    CopyFileA(wide.c_str(), text.c_str(), FALSE);

    DropFiles(dialog, {wide, upper});
    DropFiles(dialog, {text});
    EXPECT_EQ("File Not", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_EQ(0, app->wallpaperPreview->fitWidth);

    DropFiles(dialog, {upper});
    EXPECT_EQ("UPPER.BMP", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_STREQ(upper.c_str(), app->wallpaperPreview->path);
    EXPECT_EQ(Mixed(kPictureRgb, 0x0A141E, 70), Shown(64, 48));
    EXPECT_EQ(0x0A141Eu, Shown(64, 0));

    const std::string broken = folder.File("broken.bmp");
    ASSERT_TRUE(WriteFileBytes(broken, {'B', 'M'}));
    DropFiles(dialog, {broken});
    EXPECT_EQ("Unknown Data", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_EQ(0x0A141Eu, Shown(64, 48));
}

TEST_F(WallpaperDialog, FillSwitchesBetweenStretchedAndBandsInTheSliderColour) {
    HWND dialog = Open();
    DropFiles(dialog, {wide});
    Slide(IDC_WALLPAPER_ALPHA, 100);
    Slide(IDC_WALLPAPER_RED, 200);
    EXPECT_EQ(0xC8141Eu, Shown(64, 0));
    EXPECT_EQ(kPictureRgb, Shown(64, 48));
    Click(dialog, IDC_WALLPAPER_FILL);
    EXPECT_EQ(kPictureRgb, Shown(64, 0));
    Click(dialog, IDC_WALLPAPER_APPLY);
    EXPECT_TRUE(app->settings->flags & Settings::kWallpaperFill);
    EXPECT_TRUE(AllPanel(kPictureRgb));

    Click(dialog, IDC_WALLPAPER_FILL);
    EXPECT_EQ(0xC8141Eu, Shown(64, 0));
    Slide(IDC_WALLPAPER_ALPHA, 50);
    Click(dialog, IDOK);
    EXPECT_EQ(nullptr, app->wallpaperDialog->Window());
    EXPECT_FALSE(app->settings->flags & Settings::kWallpaperFill);
    // 512 x 192 fits the panel 256 x 96: bands of 48 rows in the colour.
    EXPECT_EQ(0xC8141Eu, Panel(128, 0));
    EXPECT_EQ(0xC8141Eu, Panel(128, 191));
    EXPECT_EQ(Mixed(kPictureRgb, 0xC8141E, 50), Panel(128, 96));
}

TEST_F(WallpaperDialog, ApplyAndOkWriteTheSettingsAsTheTableSays) {
    struct Case {
        const char* what;
        bool picture;
        int alpha;
        bool on;
    };
    const Case cases[] = {
        {"picture", true, 60, true},
        {"alpha 0", true, 0, false},
        {"no picture", false, 60, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND dialog = Open();
        if (c.picture) DropFiles(dialog, {wide});
        Slide(IDC_WALLPAPER_ALPHA, c.alpha);
        Slide(IDC_WALLPAPER_BLUE, 40);
        Click(dialog, IDOK);
        EXPECT_EQ(c.on, (app->settings->flags & Settings::kWallpaperOn) != 0);
        // The path is kept even when the picture no longer shows.
        EXPECT_STREQ(c.picture ? wide.c_str() : "", app->settings->wallpaperPath);
        EXPECT_EQ(c.alpha, app->settings->alpha);
        EXPECT_EQ(10, app->settings->red);
        EXPECT_EQ(40, app->settings->blue);
        EXPECT_EQ(c.picture ? Mixed(kPictureRgb, 0x0A1428, c.alpha) : 0x0A1428u, Panel(128, 96));
        // Forget the picture for the next case.
        app->settings->flags &= ~Settings::kWallpaperOn;
    }
}

TEST_F(WallpaperDialog, ReopeningShowsTheFileInUse) {
    HWND dialog = Open();
    DropFiles(dialog, {wide});
    Click(dialog, IDOK);
    dialog = Open();
    EXPECT_EQ("wide.bmp", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_EQ(Mixed(kPictureRgb, 0x0A141E, 70), Shown(64, 48));
}

TEST_F(WallpaperDialog, ClearThenApplyIsThePlainColourAtFullStrength) {
    HWND dialog = Open();
    DropFiles(dialog, {wide});
    Click(dialog, IDC_WALLPAPER_APPLY);
    EXPECT_TRUE(app->settings->flags & Settings::kWallpaperOn);
    Click(dialog, IDC_WALLPAPER_CLEAR);
    EXPECT_EQ("File Not", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_EQ(0x0A141Eu, Shown(64, 48));
    Click(dialog, IDC_WALLPAPER_APPLY);
    EXPECT_TRUE(AllPanel(0x0A141E));
    EXPECT_FALSE(app->settings->flags & Settings::kWallpaperOn);
    EXPECT_STREQ("", app->settings->wallpaperPath);
    EXPECT_EQ(70, app->settings->alpha);
}

TEST_F(WallpaperDialog, CancelChangesNeitherThePanelNorTheSettings) {
    const uint32_t panelBefore = Panel(128, 96);
    const uint8_t flagsBefore = app->settings->flags;
    HWND dialog = Open();
    DropFiles(dialog, {wide});
    Slide(IDC_WALLPAPER_RED, 255);
    Click(dialog, IDC_WALLPAPER_FILL);
    Click(dialog, IDCANCEL);
    EXPECT_EQ(nullptr, app->wallpaperDialog->Window());
    EXPECT_EQ(panelBefore, Panel(128, 96));
    EXPECT_EQ(flagsBefore, app->settings->flags);
    EXPECT_EQ(10, app->settings->red);
    EXPECT_STREQ("", app->settings->wallpaperPath);
    // The chosen file is forgotten at the next opening.
    dialog = Open();
    EXPECT_EQ("File Not", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_EQ(0, app->wallpaperPreview->fitWidth);
}

// The common dialogs, used as a person would: a path typed into the file
// chooser, a colour typed into the colour chooser.
TEST_F(WallpaperDialog, OpenAndBgColorGoThroughTheCommonDialogs) {
    HWND dialog = Open();
    EXPECT_TRUE(velktest::ChooseFileThrough(dialog, IDC_WALLPAPER_OPEN, wide));
    EXPECT_EQ("wide.bmp", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_STREQ(wide.c_str(), app->wallpaperPreview->path);
    {
        ModalLoopAnswer colors(
            [](HWND box) {
                // The colour chooser's red, green and blue boxes.
                SetDlgItemInt(box, 706, 1, FALSE);
                SetDlgItemInt(box, 707, 2, FALSE);
                SetDlgItemInt(box, 708, 3, FALSE);
                Click(box, IDOK);
            },
            "#32770", dialog);
        Click(dialog, IDC_WALLPAPER_BG_COLOR);
        EXPECT_TRUE(colors.Answered());
    }
    EXPECT_EQ(1, Position(IDC_WALLPAPER_RED));
    EXPECT_EQ(2, Position(IDC_WALLPAPER_GREEN));
    EXPECT_EQ(3, Position(IDC_WALLPAPER_BLUE));
    EXPECT_EQ("1", DialogText(dialog, IDC_WALLPAPER_RED_VALUE));
    EXPECT_EQ(0x010203u, Shown(64, 0));
}

TEST_F(WallpaperDialog, ScreenshotWithAPictureInThePreview) {
    const std::string sunset = folder.File("sunset.bmp");
    ASSERT_TRUE(WriteFileBytes(sunset, MakeBmp(320, 200, [](int x, int y) {
                                   const uint32_t sky = y < 120 ? 255 - y : 40;
                                   return uint32_t(sky) << 16 | uint32_t((x * 200 / 320) & 0xFF) << 8 |
                                          uint32_t(y < 120 ? 60 : 140);
                               })));
    HWND dialog = Open();
    DropFiles(dialog, {sunset});
    Slide(IDC_WALLPAPER_ALPHA, 85);
    Slide(IDC_WALLPAPER_BLUE, 120);
    EXPECT_EQ("sunset.bmp", DialogText(dialog, IDC_WALLPAPER_FILE_NAME));
    EXPECT_TRUE(velktest::SaveDialogScreenshot(dialog, "dialog_wallpaper_in_use"));
}

}  // namespace

// The confirmation dialogs and the About box as the user sees them: texts,
// icons, which button acts, and the delete commands that ask first.
#include "HostedApp.h"
#include "ModalLoopAnswer.h"
#include "dialogs/ConfirmDialog.h"
#include "hooklib/Wendrix.h"
#include "resources/resource.h"

namespace {
using velktest::Click;
using velktest::DialogText;
using velktest::ModalLoopAnswer;
using velktest::WindowText;

enum Answer { kOk, kCancel, kCloseBox };

void Give(HWND dialog, Answer answer) {
    if (answer == kOk) Click(dialog, IDOK);
    if (answer == kCancel) Click(dialog, IDCANCEL);
    // The close box and ESC arrive as WM_CLOSE, which the dialog manager
    // turns into IDCANCEL.
    if (answer == kCloseBox) SendMessageA(dialog, WM_CLOSE, 0, 0);
}

HICON IconOf(HWND dialog, int id) {
    return reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, id, STM_GETICON, 0, 0));
}

class ConfirmDialog : public velktest::HostedAppTest {
protected:
    void SetUp() override {
        HostedAppTest::SetUp();
        MakeSets({{"alpha", "beta"}, {"gamma"}});
    }
    HICON ItemIcon(uint16_t set, uint16_t cell) { return app->launchSets->GetItemInfo(set, cell).icon; }
    HICON SetIcon() { return LoadIconA(app->instance, MAKEINTRESOURCEA(IDI_LAUNCH_SET)); }
};

TEST_F(ConfirmDialog, ShowsWhatWillBeLostAndOnlyOkConfirms) {
    struct Case {
        int32_t kind, first, second;
        int question;
        bool twoRows;
        const char *upper, *lower;
        HICON upperIcon, lowerIcon;
        const char* screenshot;
    };
    const Case cases[] = {
        {1, 0x00000, 0x10000, IDS_CONFIRM_OVERWRITE_ITEM, true, "alpha", "gamma", ItemIcon(0, 0),
         ItemIcon(1, 0), "confirm_overwrite_item"},
        {2, 0x00000, 0x10000, IDS_CONFIRM_OVERWRITE_SET, true, "[ Set0 ]", "[ Set1 ]", SetIcon(), SetIcon(),
         "confirm_overwrite_set"},
        {3, 0x00001, 0, IDS_CONFIRM_DELETE_ITEM, false, "beta", nullptr, ItemIcon(0, 1), nullptr,
         "confirm_delete_item"},
        {4, 0x10000, 0, IDS_CONFIRM_DELETE_SET, false, "[ Set1 ]", nullptr, SetIcon(), nullptr,
         "confirm_delete_set"},
    };
    for (const Case& c : cases) {
        for (Answer answer : {kOk, kCancel, kCloseBox}) {
            SCOPED_TRACE("kind " + std::to_string(c.kind) + " answer " + std::to_string(answer));
            bool seen = false;
            ModalLoopAnswer reply([&](HWND dialog) {
                seen = true;
                EXPECT_EQ("VELK ver. 0.01", WindowText(dialog));
                EXPECT_EQ(velktest::ResourceText(c.question), DialogText(dialog, IDC_CONFIRM_QUESTION));
                EXPECT_EQ(c.upper, DialogText(dialog, IDC_CONFIRM_FIRST_NAME));
                EXPECT_EQ(c.upperIcon, IconOf(dialog, IDC_CONFIRM_FIRST_ICON));
                EXPECT_NE(nullptr, c.upperIcon);
                EXPECT_EQ(c.twoRows, GetDlgItem(dialog, IDC_CONFIRM_SECOND_NAME) != nullptr);
                if (c.twoRows) {
                    EXPECT_EQ(c.lower, DialogText(dialog, IDC_CONFIRM_SECOND_NAME));
                    EXPECT_EQ(c.lowerIcon, IconOf(dialog, IDC_CONFIRM_SECOND_ICON));
                }
                if (answer == kOk) {
                    EXPECT_TRUE(velktest::SaveDialogScreenshot(dialog, c.screenshot));
                }
                Give(dialog, answer);
            });
            EXPECT_EQ(answer == kOk,
                      app->confirmDialog->Ask(static_cast<::ConfirmDialog::Kind>(c.kind), c.first, c.second));
            EXPECT_TRUE(seen);
        }
    }
}

TEST_F(ConfirmDialog, AnUnknownKindEndsAsCancelWithoutShowing) {
    ModalLoopAnswer reply([](HWND dialog) { Click(dialog, IDOK); });
    EXPECT_FALSE(app->confirmDialog->Ask(::ConfirmDialog::kNone, 0, 0));
    velktest::PumpMessages();
    EXPECT_FALSE(reply.Answered());
}

TEST_F(ConfirmDialog, DeleteItemRemovesTheMenuItemOnlyAfterOk) {
    for (Answer answer : {kCancel, kOk}) {
        app->menuItem = 0x00001;
        ModalLoopAnswer reply([&](HWND dialog) { Give(dialog, answer); });
        SendMessageA(app->panel, WM_COMMAND, IDM_DELETE_ITEM, 0);
        EXPECT_TRUE(reply.Answered());
        EXPECT_EQ(answer == kOk ? "" : "beta", ItemName(0, 1));
        EXPECT_EQ("alpha", ItemName(0, 0));
    }
}

TEST_F(ConfirmDialog, DeleteSetAsksThenRemovesItAndShowsTheSetBefore) {
    struct Case {
        int sets;
        uint16_t shown, deleted;
        Answer answer;
        std::vector<std::string> remaining;
        uint16_t shownAfter;
    };
    const Case cases[] = {
        {3, 1, 2, kOk, {"Set0", "Set1"}, 0},
        {3, 2, 0, kOk, {"Set1", "Set2"}, 1},
        {2, 0, 1, kOk, {"Set0"}, 0},
        {3, 1, 1, kCancel, {"Set0", "Set1", "Set2"}, 1},
    };
    for (const Case& c : cases) {
        MakeSets(std::vector<std::vector<std::string>>(c.sets, {"x"}));
        app->currentSet = c.shown;
        app->menuSet = c.deleted;
        ModalLoopAnswer reply([&](HWND dialog) { Give(dialog, c.answer); });
        SendMessageA(app->panel, WM_COMMAND, IDM_DELETE_SET, 0);
        EXPECT_TRUE(reply.Answered());
        std::vector<std::string> names;
        for (uint16_t i = 0; i < app->launchSets->count; ++i) names.push_back(app->launchSets->GetSetName(i));
        EXPECT_EQ(c.remaining, names) << "deleting " << c.deleted;
        EXPECT_EQ(c.shownAfter, app->currentSet) << "deleting " << c.deleted;
    }
}

TEST_F(ConfirmDialog, TheLastSetIsNeverDeleted) {
    MakeSets({{"only"}});
    app->menuSet = 0;
    ModalLoopAnswer reply([](HWND dialog) { Click(dialog, IDOK); });
    SendMessageA(app->panel, WM_COMMAND, IDM_DELETE_SET, 0);
    velktest::PumpMessages();
    EXPECT_FALSE(reply.Answered());
    EXPECT_EQ(1, app->launchSets->count);
}

TEST_F(ConfirmDialog, AboutBoxShowsTheVersionTheHookLibraryReports) {
    ModalLoopAnswer reply([&](HWND dialog) {
        EXPECT_EQ("VELK ver. 0.01", WindowText(dialog));
        EXPECT_EQ("VELK ver. 0.01", DialogText(dialog, IDC_ABOUT_TITLE));
        EXPECT_NE(std::string::npos, DialogText(dialog, IDC_ABOUT_COPYRIGHT).find("Copyright"));
        EXPECT_FALSE(DialogText(dialog, IDC_ABOUT_CONTACT).empty());
        EXPECT_EQ(std::string("Wendrix.dll ver. ") + GetDllVersionStr(),
                  DialogText(dialog, IDC_ABOUT_HOOK_VERSION));
        EXPECT_EQ("Wendrix.dll ver. 0.04a", DialogText(dialog, IDC_ABOUT_HOOK_VERSION));
        EXPECT_TRUE(velktest::SaveDialogScreenshot(dialog, "about_box"));
        Click(dialog, IDOK);
    });
    SendMessageA(app->panel, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_TRUE(reply.Answered());
}

}  // namespace

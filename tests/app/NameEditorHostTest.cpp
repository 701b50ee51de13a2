// The name editor in the real panel: the status line becoming a command
// line, history browsing, the pending text, Enter and ESC.
#include <windows.h>

#include <imm.h>

#include <fstream>

#include "HostedApp.h"
#include "ModalLoopAnswer.h"
#include "app/NameEditor.h"
#include "launchdata/CommandHistory.h"
#include "panel/PinButton.h"
#include "resources/resource.h"

namespace {
using velktest::WaitFor;
using velktest::WindowText;

class NameEditorHost : public velktest::HostedAppTest {
protected:
    bool ReadOnly() { return GetWindowLongA(app->nameEdit, GWL_STYLE) & ES_READONLY; }
    void Command(int id) { SendMessageA(app->panel, WM_COMMAND, id, 0); }
    void Key(WPARAM key) { SendMessageA(app->nameEdit, WM_KEYDOWN, key, 1); }
    std::string Text() { return WindowText(app->nameEdit); }
};

TEST_F(NameEditorHost, UpAndDownBrowseTheHistoryWithinItsLimits) {
    struct Step {
        WPARAM key;
        int pos;
        const char* text;
    };
    struct Case {
        std::vector<const char*> entries;  // oldest first
        std::vector<Step> steps;
    };
    const Case cases[] = {
        // An empty history leaves the typed text and the position alone.
        {{}, {{VK_UP, 0, "typed"}, {VK_DOWN, 0, "typed"}}},
        // Up stops at the oldest; Down to 0 keeps the last text shown.
        {{"older", "newest"},
         {{VK_UP, 1, "newest"},
          {VK_UP, 2, "older"},
          {VK_UP, 2, "older"},
          {VK_UP, 2, "older"},
          {VK_DOWN, 1, "newest"},
          {VK_DOWN, 0, "newest"},
          {VK_DOWN, 0, "newest"}}},
    };
    for (const Case& c : cases) {
        app->history->Init(16);
        for (const char* entry : c.entries) app->history->Add(entry);
        app->historyPos = 0;
        Command(IDM_ENTER);
        ASSERT_FALSE(ReadOnly());
        SetWindowTextA(app->nameEdit, "typed");
        for (const Step& step : c.steps) {
            Key(step.key);
            EXPECT_EQ(step.pos, app->historyPos) << c.entries.size() << " entries, key " << step.key;
            EXPECT_EQ(step.text, Text()) << c.entries.size() << " entries, key " << step.key;
        }
        Command(IDM_ESCAPE);
    }
}

TEST_F(NameEditorHost, AClickOnTheStatusLineBeginsEditingWithThePendingText) {
    for (UINT click : {WM_LBUTTONDOWN, WM_RBUTTONUP}) {
        lstrcpyA(app->history->pending, "left over");
        app->nameEditor->SetText("status text");
        ASSERT_TRUE(ReadOnly());
        EXPECT_EQ(0, SendMessageA(app->nameEdit, click, 0, MAKELPARAM(5, 5)));
        EXPECT_FALSE(ReadOnly()) << click;
        EXPECT_EQ("left over", Text()) << click;
        EXPECT_EQ(app->nameEdit, GetFocus()) << click;
        // A second click goes to the control itself: still editing, same text.
        SendMessageA(app->nameEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(app->nameEdit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_FALSE(ReadOnly()) << click;
        EXPECT_EQ("left over", Text()) << click;
        SendMessageA(app->panel, WM_ACTIVATE, WA_INACTIVE, 0);
    }
}

TEST_F(NameEditorHost, TextLeftWithoutEnterComesBackAndEnterStartsIt) {
    // A batch file that leaves a mark beside itself; the typed path reaches
    // it through an environment variable, so expansion is part of the run.
    std::ofstream(files.File("run.bat")) << "echo done> \"%~dp0marker.txt\"\r\n";
    SetEnvironmentVariableA("VELKTEST_DIR", files.Path().c_str());
    const char typed[] = "%VELKTEST_DIR%\\run.bat";
    app->pinButton->SetState(0);

    Command(IDM_ENTER);
    SetWindowTextA(app->nameEdit, typed);
    // Deactivation ends editing; the status line then writes over the text.
    SendMessageA(app->panel, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(ReadOnly());
    EXPECT_EQ(app->panel, GetFocus());
    EXPECT_STREQ(typed, app->history->Pending());
    app->nameEditor->SetText("status text");

    Command(IDM_ENTER);
    EXPECT_FALSE(ReadOnly());
    EXPECT_EQ(typed, Text());
    EXPECT_EQ(0, app->history->entryCount);

    Command(IDM_ENTER);
    EXPECT_TRUE(WaitFor(
        [&] { return GetFileAttributesA(files.File("marker.txt").c_str()) != INVALID_FILE_ATTRIBUTES; },
        20000));
    EXPECT_EQ(1, app->history->entryCount);
    EXPECT_STREQ(typed, app->history->Get(1));
    EXPECT_STREQ("", app->history->Pending());
    EXPECT_EQ("", Text());
    EXPECT_TRUE(ReadOnly());
    EXPECT_EQ(0, app->historyPos);
    // Not pinned: the panel went away after starting it.
    EXPECT_FALSE(IsWindowVisible(app->panel));
}

TEST_F(NameEditorHost, EnterOnAnEmptyEditorStartsNothingAndKeepsTheHistory) {
    app->history->Add("earlier");
    Command(IDM_ENTER);
    ASSERT_FALSE(ReadOnly());
    Command(IDM_ENTER);
    EXPECT_TRUE(ReadOnly());
    EXPECT_EQ(1, app->history->entryCount);
    EXPECT_STREQ("earlier", app->history->Get(1));
    // Pinned: the panel stays.
    EXPECT_TRUE(IsWindowVisible(app->panel));
}

TEST_F(NameEditorHost, EscapeAbandonsTheTypedTextThenHidesThePanel) {
    Command(IDM_ENTER);
    SetWindowTextA(app->nameEdit, "abandoned");
    app->historyPos = 2;
    Command(IDM_ESCAPE);
    EXPECT_TRUE(ReadOnly());
    EXPECT_EQ("", Text());
    EXPECT_STREQ("", app->history->Pending());
    EXPECT_EQ(0, app->historyPos);
    EXPECT_EQ(app->panel, GetFocus());
    EXPECT_TRUE(IsWindowVisible(app->panel));

    // With the focus on the panel ESC hides it.
    Command(IDM_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(app->panel));
}

TEST_F(NameEditorHost, APressOnTheEditorFirstGivesThePanelTheFocus) {
    SetFocus(app->nameEdit);
    SendMessageA(app->panel, WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(5, 200));
    EXPECT_EQ(app->panel, GetFocus());
    SetFocus(app->nameEdit);
    SendMessageA(app->panel, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, IDC_NAME_EDIT), 0);
    EXPECT_EQ(app->nameEdit, GetFocus());
}

TEST_F(NameEditorHost, TheEditorKeepsItsInputMethodWhileThePanelHasNone) {
    HIMC editor = ImmGetContext(app->nameEdit);
    HIMC panel = ImmGetContext(app->panel);
    EXPECT_NE(nullptr, editor);
    EXPECT_EQ(nullptr, panel);
    if (editor) ImmReleaseContext(app->nameEdit, editor);
    if (panel) ImmReleaseContext(app->panel, panel);
}

}  // namespace

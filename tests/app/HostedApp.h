// The real App with its panel, started afresh for each test, and the words the tests use about it.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <sstream>
#include <vector>

#include "Support.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/WallpaperDialog.h"
#include "hooklib/SharedHookState.h"
#include "hooklib/Wendrix.h"
#include "launchdata/LaunchSetList.h"
#include "panel/PanelLayout.h"
#include "resources/Version.h"
#include "resources/resource.h"

namespace velktest {

// The shell's HDROP: a DROPFILES, then the names, double-NUL ended; UTF-16 for names outside the code page.
template <typename Text = std::string>
void DropFiles(HWND window, const std::vector<Text>& paths, POINT at = {}) {
    Text names;
    for (const Text& path : paths) names += path + typename Text::value_type(0);
    const size_t bytes = names.size() * sizeof names[0];
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes + sizeof names[0]);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = DROPFILES{sizeof(DROPFILES), at, FALSE, sizeof names[0] == 2};
    memcpy(drop + 1, names.data(), bytes);
    GlobalUnlock(memory);
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);  // its DragFinish frees it
}

// Answers the next dialog or message box with the button (0: its close box, which the dialog manager makes
// IDCANCEL) and keeps what it said, if anything: a message, or a confirmation's names (upper > lower).
struct Reply {
    explicit Reply(int button, const char* screenshot = nullptr)
        : answer_([this, button, screenshot](HWND dialog) {
              for (int id : {0xFFFF, 1043})
                  if (GetDlgItem(dialog, id)) said = DialogText(dialog, id);
              if (GetDlgItem(dialog, 1042)) said += " > " + DialogText(dialog, 1042);
              if (screenshot) SaveScreenshot(dialog, screenshot);
              SendMessageA(dialog, button ? WM_COMMAND : WM_CLOSE, button, 0);
          }) {}
    std::string said;
    ModalAnswer answer_;
};

class HostedApp : public ::testing::Test {
protected:
    void SetUp() override { StartWith(""); }
    void TearDown() override { EndApp(); }
    void StartWith(const std::string& data) {
        if (app) EndApp();
        RemoveAppFiles();
        if (!data.empty()) WriteBytes(ProgramFile("QXDATA.dat"), data);
        theApp = app = new App();
        app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
        ASSERT_TRUE(IsWindowVisible(app->panel));
    }
    void EndApp() {
        DDEntry(0);                 // no gesture is left for the hook library to finish
        DestroyWindow(app->panel);  // the open dialogs go with their owner
        app->Finish(kAppTitle);
        delete app;
        theApp = app = nullptr;
        SetHookKey(kInitialHookState.hookKey);
        PauseHideHook(kInitialHookState.hideEnabled ? kHideOn : kHideOff);
        PumpMessages();
        RemoveAppFiles();
    }
    static void RemoveAppFiles() {
        for (const char* name : {"QXDATA.dat", "QXDATA.dat.bak", "_QXWP_.bmp"})
            DeleteFileA(ProgramFile(name).c_str());
    }
    void Command(int id) { SendMessageA(app->panel, WM_COMMAND, id, 0); }
    void CursorAt(POINT client) { ASSERT_TRUE(MoveMouseTo(OnScreen(app->panel, client))); }
    void Tick() { SendMessageA(app->panel, WM_TIMER, kRepaintTimer, 0); }
    HICON Icon(int cell) const { return app->launchSets->GetItemInfo(0, uint16_t(cell)).icon; }  // in set 0
    HWND OpenItemDialog(POINT at) {
        app->menuPoint = at;
        Command(IDM_ITEM_DIALOG);
        return app->itemDialog->Window();
    }
    // A drag: the panel records the press from the cursor, the hook library reports the release.
    void Drag(POINT press, POINT release) {
        CursorAt(press);
        SendMessageA(app->panel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        CursorAt(release);
        Command(IDM_PRIMARY_DRAG);
    }

    // Makes the sets Set0, Set1, ... with their items by cell, "-" an empty cell, "full" a set with no room.
    void MakeSets(const std::vector<std::string>& sets, uint16_t shown = 0) {
        app->launchSets->Resize(3);
        for (size_t s = 0; s < sets.size(); ++s) {
            app->launchSets->AddSet(("Set" + std::to_string(s)).c_str(), 18);
            std::istringstream names(sets[s] == "full" ? "a b c d e f g h i j k l m n o p q r" : sets[s]);
            std::string name;
            for (uint16_t cell = 0; names >> name; ++cell)
                if (name != "-")
                    app->launchSets->CreateItem(uint16_t(s), cell, name.c_str(),
                                                ("C:\\velk\\" + name + ".txt").c_str(), nullptr,
                                                ItemPlacement::Replace);
        }
        app->currentSet = shown;
        app->FullRepaint();
    }
    // "Set0[A B - D] Set1[full] @0": the sets with their items by cell, and the shown set; "?" for no name.
    std::string State() const {
        const LaunchSetList& sets = *app->launchSets;
        auto text = [](const char* name, const char* none) { return std::string(name ? name : none); };
        std::string state;
        for (uint16_t s = 0; s < sets.count; ++s) {
            std::string items;
            for (uint16_t cell = 0; cell < 18; ++cell)
                items += text(sets.GetItemInfo(s, cell).name, "-") + " ";
            items.erase(items.find_last_not_of(" -") + 1);
            state += text(sets.GetSetName(s), "?") + "[" + (sets.IsSetFull(s) ? "full" : items) + "] ";
        }
        return state + "@" + std::to_string(app->currentSet);
    }
    // Cell i's centre, tab i's (of three), and the gap before cell i (gap 18: right of the bottom row).
    static POINT Cell(int i) { return POINT{25 + 41 * (i % 6), 60 + 46 * (i / 6)}; }
    static POINT Tab(int i) { return POINT{209 + 15 * i, 20}; }
    static POINT Gap(int i) { return i == 18 ? POINT{250, 150} : POINT{4 + 41 * (i % 6), 60 + 46 * (i / 6)}; }

    App* app = nullptr;
};

}  // namespace velktest

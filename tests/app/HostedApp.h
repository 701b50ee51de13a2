// The real App with its panel inside the test program, started afresh for
// each test without a data file, and the few words the tests use about it:
// its sets as one line of text, the cursor over a panel point, files dropped
// from the shell, and the answer to the next dialog or message box.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "Support.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/WallpaperDialog.h"
#include "hooklib/Wendrix.h"
#include "launchdata/LaunchSetList.h"
#include "panel/PanelLayout.h"
#include "resources/Version.h"
#include "resources/resource.h"

namespace velktest {

// The source is UTF-8; the program speaks code page 932.
inline std::string Sjis(const char* utf8) {
    wchar_t wide[512] = {};
    char text[1024] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
    WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

// The HDROP the shell sends: one DROPFILES, then the names, double-NUL ended.
inline void DropFiles(HWND window, const std::vector<std::string>& paths, POINT at = {}) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths) size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    char* names = reinterpret_cast<char*>(drop + 1);
    for (const std::string& path : paths) names = lstrcpyA(names, path.c_str()) + path.size() + 1;
    GlobalUnlock(memory);
    // The receiver finishes the drop, which frees the memory.
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// Answers the next dialog or message box with the button (0: its close box)
// and keeps what it said: a confirmation's names, upper > lower, or a
// message box's text. Empty while nothing asked.
class Reply {
public:
    explicit Reply(int button, const char* screenshot = nullptr)
        : answer_([this, button, screenshot](HWND dialog) {
              said = GetDlgItem(dialog, 1043) ? DialogText(dialog, 1043) : DialogText(dialog, 0xFFFF);
              if (GetDlgItem(dialog, 1042)) said += " > " + DialogText(dialog, 1042);
              if (screenshot) SaveScreenshot(dialog, screenshot);
              if (button)
                  PressButton(dialog, button);
              else
                  SendMessageA(dialog, WM_CLOSE, 0, 0);
          }) {}
    std::string said;

private:
    ModalAnswer answer_;
};

class HostedApp : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveAppFiles();
        theApp = app = new App();
        app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
        ASSERT_TRUE(IsWindowVisible(app->panel));
    }
    void TearDown() override {
        // No gesture is left for the hook library to finish.
        DDEntry(0);
        for (ModelessDialog* dialog :
             std::initializer_list<ModelessDialog*>{app->hotKeyDialog.get(), app->wallpaperDialog.get(),
                                                    app->itemDialog.get(), app->setDialog.get()})
            if (dialog->IsOpen()) dialog->Close();
        DestroyWindow(app->panel);
        app->Finish(kAppTitle);
        delete app;
        theApp = app = nullptr;
        PumpMessages();
        RemoveAppFiles();
    }
    // The data file and the wallpaper cache, beside the program.
    static void RemoveAppFiles() {
        for (const char* name : {"QXDATA.dat", "_QXWP_.bmp"}) {
            char path[MAX_PATH] = {};
            GetModuleFileNameA(nullptr, path, sizeof path);
            lstrcpyA(strrchr(path, '\\') + 1, name);
            DeleteFileA(path);
        }
    }
    void Command(int id) { SendMessageA(app->panel, WM_COMMAND, id, 0); }
    void CursorAt(POINT client) { ASSERT_TRUE(MoveMouseTo(OnScreen(app->panel, client))); }

    // Replaces the sets by Set0, Set1, ... with their items by cell, "-" for
    // an empty cell, or "full" for a set without an empty cell.
    void MakeSets(const std::vector<std::string>& sets, uint16_t shown = 0) {
        app->launchSets->Resize(3);
        for (size_t s = 0; s < sets.size(); ++s) {
            app->launchSets->AddSet(("Set" + std::to_string(s)).c_str(), 18);
            std::string names = sets[s] == "full" ? "a b c d e f g h i j k l m n o p q r" : sets[s];
            for (uint16_t cell = 0; !names.empty(); ++cell) {
                const std::string name = names.substr(0, names.find(' '));
                names.erase(0, name.size() + 1);
                if (name != "-") AddItem(uint16_t(s), cell, name);
            }
        }
        app->currentSet = shown;
        app->FullRepaint();
    }
    void AddItem(uint16_t set, uint16_t cell, const std::string& name) {
        ASSERT_TRUE(app->launchSets->CreateItem(set, cell, name.c_str(),
                                                ("C:\\velk\\" + name + ".txt").c_str(), nullptr,
                                                ItemPlacement::Replace));
    }
    // "Set0[A B - D] Set1[full] @0": each set with its items by cell, and
    // the shown set.
    std::string State() const {
        std::string state;
        for (uint16_t s = 0; s < app->launchSets->count; ++s) {
            std::string items;
            for (uint16_t cell = 0; cell < 18; ++cell) {
                const char* name = app->launchSets->GetItemInfo(s, cell).name;
                items += std::string(cell ? " " : "") + (name ? name : "-");
            }
            while (items.size() > 1 && items.compare(items.size() - 2, 2, " -") == 0)
                items.resize(items.size() - 2);
            if (app->launchSets->IsSetFull(s)) items = "full";
            state += app->launchSets->GetSetName(s) + ("[" + (items == "-" ? "" : items) + "] ");
        }
        return state + "@" + std::to_string(app->currentSet);
    }
    std::string Edited() const { return WindowText(app->nameEdit); }

    App* app = nullptr;
};

// The centre of cell i, of tab i of three, and the gap before cell i.
constexpr POINT Cell(int i) {
    return POINT{25 + 41 * (i % 6), 60 + 46 * (i / 6)};
}
constexpr POINT Tab(int i) {
    return POINT{209 + 15 * i, 20};
}
constexpr POINT Gap(int i) {
    return POINT{4 + 41 * (i % 6), 60 + 46 * (i / 6)};
}

}  // namespace velktest

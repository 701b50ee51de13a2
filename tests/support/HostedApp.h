// The real App hosted in a test program, with helpers that drive its dialogs
// the way the system does: commands, button clicks, typed text and file drops.
#pragma once

#include <windows.h>
// The headers below need windows.h first.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "DialogScreenshot.h"
#include "ModalLoopAnswer.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/LaunchItemDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/WallpaperDialog.h"
#include "launchdata/LaunchSetList.h"
#include "panel/ItemGrid.h"
#include "panel/PanelLayout.h"
#include "panel/TabStrip.h"
#include "resources/Version.h"

namespace velktest {

inline std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string DialogText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

// What a user's click on a button does: the button itself tells its dialog.
inline void Click(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

inline bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

inline bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// A WM_DROPFILES as the shell sends it: the receiver finishes the drop and so
// frees the memory.
inline void DropFiles(HWND window, const std::vector<std::string>& files) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& file : files) size += file.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* names = reinterpret_cast<char*>(drop + 1);
    for (const std::string& file : files) {
        memcpy(names, file.c_str(), file.size() + 1);
        names += file.size() + 1;
    }
    GlobalUnlock(memory);
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// Types a path into the file chooser's name box: a combo box (cmb13) or, in
// older layouts, an edit (edt1).
inline void TypeFileName(HWND chooser, const std::string& path) {
    constexpr int kFileNameCombo = 0x47C, kFileNameEdit = 0x480;
    HWND box = GetDlgItem(chooser, kFileNameCombo);
    if (!box) box = GetDlgItem(chooser, kFileNameEdit);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

// Clicks the dialog's button that opens the file chooser and answers the
// chooser with the path and OK, as a person would; true when it was answered.
inline bool ChooseFileThrough(HWND dialog, int button, const std::string& path) {
    ModalLoopAnswer typing(
        [&path](HWND chooser) {
            TypeFileName(chooser, path);
            SendDlgItemMessageA(chooser, IDOK, BM_CLICK, 0, 0);
        },
        "#32770", dialog);
    SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0);
    return typing.Answered();
}

// Removes what the App keeps beside the test program: its data file and the
// wallpaper cache.
inline void RemoveAppFiles() {
    DeleteFileA(ProgramFolderFile("QXDATA.dat").c_str());
    DeleteFileA(ProgramFolderFile("_QXWP_.bmp").c_str());
}

// The real App started from the test program's folder without its files, and
// torn down (with its modeless dialogs) after each test.
class HostedAppTest : public ::testing::Test {
protected:
    void SetUp() override { StartApp(); }
    void TearDown() override { StopApp(); }
    void StartApp() {
        RemoveAppFiles();
        theApp = app = new App();
        app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
        ASSERT_TRUE(IsWindow(app->panel));
    }
    void StopApp() {
        if (!app) return;
        for (ModelessDialog* dialog :
             std::initializer_list<ModelessDialog*>{app->hotKeyDialog.get(), app->wallpaperDialog.get(),
                                                    app->itemDialog.get(), app->setDialog.get()})
            if (dialog->IsOpen()) dialog->Close();
        if (IsWindow(app->panel)) DestroyWindow(app->panel);
        app->Finish(kAppTitle);
        delete app;
        app = nullptr;
        theApp = nullptr;
        PumpMessages();
        RemoveAppFiles();
    }
    void Command(int id) { SendMessageA(app->panel, WM_COMMAND, id, 0); }

    // Opens or closes each modeless dialog as asked, as its command would.
    void OpenDialogs(bool hotKey, bool wallpaper, bool item, bool set) {
        if (app->hotKeyDialog->IsOpen() != hotKey) app->hotKeyDialog->Toggle();
        if (app->wallpaperDialog->IsOpen() != wallpaper) app->wallpaperDialog->Toggle();
        if (app->itemDialog->IsOpen() != item) app->itemDialog->Toggle(ItemTarget{});
        if (app->setDialog->IsOpen() != set) app->setDialog->ToggleRename(0);
    }

    // Gives set `set` an item in `cell`; an empty folder leaves it unset.
    void AddItem(uint16_t set, uint16_t cell, const char* name, const std::string& target,
                 const std::string& folder = "") {
        ASSERT_TRUE(app->launchSets->CreateItem(set, cell, name, target.c_str(),
                                                folder.empty() ? nullptr : folder.c_str(),
                                                ItemPlacement::Replace));
    }

    // Makes the list hold one set per entry, "Set0", "Set1"..., each with the
    // items listed for it by cell ("" leaves the cell empty). Items point at
    // real files of `files`.
    void MakeSets(const std::vector<std::vector<std::string>>& itemsBySet) {
        LaunchSetList& sets = *app->launchSets;
        sets.Resize(3);
        for (size_t s = 0; s < itemsBySet.size(); ++s) {
            ASSERT_TRUE(sets.AddSet(("Set" + std::to_string(s)).c_str(), kSlots));
            for (size_t cell = 0; cell < itemsBySet[s].size(); ++cell)
                if (!itemsBySet[s][cell].empty())
                    AddFileItem(uint16_t(s), uint16_t(cell), itemsBySet[s][cell]);
        }
    }
    // Fills every empty cell of the set.
    void FillSet(uint16_t set) {
        for (uint16_t cell = 0; cell < kSlots; ++cell)
            if (!app->launchSets->GetItemInfo(set, cell).icon)
                AddFileItem(set, cell, "fill" + std::to_string(set) + "_" + std::to_string(cell));
        ASSERT_TRUE(app->launchSets->IsSetFull(set));
    }
    // An item named `name` for a new empty file of `files`.
    void AddFileItem(uint16_t set, uint16_t cell, const std::string& name) {
        const std::string target = files.File(name + ".txt");
        CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        AddItem(set, cell, name.c_str(), target, files.Path());
    }
    std::string ItemName(uint16_t set, uint16_t cell) const {
        const LaunchItemInfo info = app->launchSets->GetItemInfo(set, cell);
        return info.name ? info.name : "";
    }
    // The centre of a cell or tab in client coordinates.
    POINT CellCentre(int cell) const { return Centre(app->itemGrid->CellRect(cell)); }
    POINT TabCentre(int tab) const {
        return Centre(app->tabStrip->TabRect(app->launchSets->count, kPanelWidth, tab));
    }
    // The middle of the column gap left of the cell.
    POINT GapBefore(int cell) const {
        const RECT r = app->itemGrid->CellRect(cell);
        return POINT{r.left - app->itemGrid->columnGap / 2, (r.top + r.bottom) / 2};
    }
    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    static constexpr unsigned kSlots = 18;
    App* app = nullptr;
    TempFolder files;
};

}  // namespace velktest

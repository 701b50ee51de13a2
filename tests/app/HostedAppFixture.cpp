// The hosted App for the editor, menu, dialog and drop tests.
#include "HostedAppFixture.h"

#include "launchdata/CommandHistory.h"
#include "panel/ItemGrid.h"
#include "panel/TabStrip.h"

namespace velktest {
namespace {
constexpr unsigned kSlots = 18;

std::string DataFilePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    *strrchr(path, '\\') = '\0';
    return std::string(path) + "\\QXDATA.dat";
}

ModalAnswer* current = nullptr;

struct Search {
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<Search*>(search);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, s->windowClass) == 0) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

void HostedAppTest::SetUp() {
    DeleteFileA(DataFilePath().c_str());
    theApp = app = new App();
    app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
    ASSERT_TRUE(IsWindow(app->panel));
}

void HostedAppTest::TearDown() {
    if (IsWindow(app->panel)) DestroyWindow(app->panel);
    app->Finish(kAppTitle);
    delete app;
    theApp = nullptr;
    PumpMessages();
    DeleteFileA(DataFilePath().c_str());
}

void HostedAppTest::MakeSets(const std::vector<std::vector<std::string>>& itemsBySet) {
    LaunchSetList& sets = *app->launchSets;
    sets.Resize(3);
    for (size_t s = 0; s < itemsBySet.size(); ++s) {
        const std::string setName = "Set" + std::to_string(s);
        ASSERT_TRUE(sets.AddSet(setName.c_str(), kSlots));
        for (size_t cell = 0; cell < itemsBySet[s].size(); ++cell) {
            const std::string& name = itemsBySet[s][cell];
            if (name.empty()) continue;
            const std::string target = files.File(name + ".txt");
            CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            ASSERT_TRUE(sets.CreateItem(static_cast<uint16_t>(s), static_cast<uint16_t>(cell), name.c_str(),
                                        target.c_str(), files.Path().c_str(), ItemPlacement::Replace));
        }
    }
}

void HostedAppTest::FillSet(uint16_t set) {
    for (uint16_t cell = 0; cell < kSlots; ++cell) {
        if (app->launchSets->GetItemInfo(set, cell).icon) continue;
        const std::string name = "fill" + std::to_string(set) + "_" + std::to_string(cell);
        const std::string target = files.File(name + ".txt");
        CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(app->launchSets->CreateItem(set, cell, name.c_str(), target.c_str(), files.Path().c_str(),
                                                ItemPlacement::Replace));
    }
    ASSERT_TRUE(app->launchSets->IsSetFull(set));
}

std::string HostedAppTest::ItemName(uint16_t set, uint16_t cell) const {
    const LaunchItemInfo info = app->launchSets->GetItemInfo(set, cell);
    return info.name ? info.name : "";
}

POINT HostedAppTest::CellCentre(int cell) const {
    const RECT r = app->itemGrid->CellRect(cell);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT HostedAppTest::TabCentre(int tab) const {
    const RECT r = app->tabStrip->TabRect(app->launchSets->count, kPanelWidth, tab);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

ModalAnswer::ModalAnswer(std::function<void(HWND)> answer, const char* windowClass)
    : windowClass_(windowClass), answer_(std::move(answer)) {
    current = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

ModalAnswer::~ModalAnswer() {
    if (timer_) KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK ModalAnswer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current || current->answered_) return;
    Search search = {current->windowClass_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
    HWND dialog = search.found;
    if (!dialog) return;
    current->answered_ = true;
    KillTimer(nullptr, current->timer_);
    current->timer_ = 0;
    current->answer_(dialog);
}

std::string DialogItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

std::string WindowText(HWND window) {
    char text[300] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Click(HWND dialog, int buttonId) {
    SendMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

}  // namespace velktest

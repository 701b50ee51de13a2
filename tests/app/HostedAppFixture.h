// The App hosted in the test process with its real panel, items made from
// real files, and a helper that answers the next modal dialog of this thread.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DialogScreenshot.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "launchdata/LaunchSetList.h"

namespace velktest {

class HostedAppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the list hold `names` as sets; each set gets the items listed
    // for it, by cell ("" leaves the cell empty). Items point at real files
    // of `files`.
    void MakeSets(const std::vector<std::vector<std::string>>& itemsBySet);
    void FillSet(uint16_t set);
    std::string ItemName(uint16_t set, uint16_t cell) const;
    // The centre of a cell or tab in client coordinates.
    POINT CellCentre(int cell) const;
    POINT TabCentre(int tab) const;

    App* app = nullptr;
    TempFolder files;
};

// Waits, inside whatever modal loop runs, for a dialog or message box (or,
// with class "#32768", a menu) of this thread to show and hands it to
// `answer`, once.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(HWND)> answer, const char* windowClass = "#32770");
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;
    bool Answered() const { return answered_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    const char* windowClass_;
    std::function<void(HWND)> answer_;
};

std::string DialogItemText(HWND dialog, int id);
std::string WindowText(HWND window);
// Clicks a dialog button the way the user's click would end the dialog.
void Click(HWND dialog, int buttonId);

}  // namespace velktest

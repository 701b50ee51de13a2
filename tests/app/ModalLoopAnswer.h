// The hosted App with a helper that answers the next modal dialog or menu of
// this thread from inside its modal loop.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "HostedApp.h"

namespace velktest {

// Waits, inside whatever modal loop runs, for a dialog or message box (or,
// with class "#32768", a menu) of this thread to show and hands it to
// `answer`, once.
class ModalLoopAnswer {
public:
    explicit ModalLoopAnswer(std::function<void(HWND)> answer, const char* windowClass = "#32770");
    ~ModalLoopAnswer();
    ModalLoopAnswer(const ModalLoopAnswer&) = delete;
    ModalLoopAnswer& operator=(const ModalLoopAnswer&) = delete;
    bool Answered() const { return answered_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    const char* windowClass_;
    std::function<void(HWND)> answer_;
};

}  // namespace velktest

// Answers the next modal dialog or menu of this thread from inside its modal
// loop, as the user would.
#pragma once

#include <windows.h>

#include <functional>

namespace velktest {

// Waits, inside whatever modal loop runs, for a dialog or message box (or,
// with class "#32768", a menu) of this thread to show, owned by `owner` when
// one is given, and hands it to `answer`, once.
class ModalLoopAnswer {
public:
    explicit ModalLoopAnswer(std::function<void(HWND)> answer, const char* windowClass = "#32770",
                             HWND owner = nullptr);
    ~ModalLoopAnswer();
    ModalLoopAnswer(const ModalLoopAnswer&) = delete;
    ModalLoopAnswer& operator=(const ModalLoopAnswer&) = delete;
    bool Answered() const { return answered_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    const char* windowClass_;
    HWND owner_;
    std::function<void(HWND)> answer_;
};

}  // namespace velktest

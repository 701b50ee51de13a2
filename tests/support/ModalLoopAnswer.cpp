// Answers the next modal dialog or menu of this thread from inside its loop.
#include "ModalLoopAnswer.h"

namespace velktest {
namespace {
ModalLoopAnswer* current = nullptr;

struct Search {
    const char* windowClass;
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<Search*>(search);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, s->windowClass) == 0 &&
        (!s->owner || GetWindow(window, GW_OWNER) == s->owner)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

ModalLoopAnswer::ModalLoopAnswer(std::function<void(HWND)> answer, const char* windowClass, HWND owner)
    : windowClass_(windowClass), owner_(owner), answer_(std::move(answer)) {
    current = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

ModalLoopAnswer::~ModalLoopAnswer() {
    if (timer_) KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK ModalLoopAnswer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current || current->answered_) return;
    Search search = {current->windowClass_, current->owner_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
    HWND dialog = search.found;
    if (!dialog) return;
    current->answered_ = true;
    KillTimer(nullptr, current->timer_);
    current->timer_ = 0;
    current->answer_(dialog);
}

}  // namespace velktest

// The scripted desktop's answers and its call records.
#include "ScriptedDesktop.h"

#include <algorithm>

namespace velktest {

ScriptedDesktop* ScriptedDesktop::current_ = nullptr;

ScriptedDesktop::ScriptedDesktop() : previous_(current_) {
    ops_ = PlatformOps{GetAsyncKeyStateScripted,
                       GetSystemMetricsScripted,
                       GetCursorPosScripted,
                       PostMessageScripted,
                       GetParentScripted,
                       IsWindowVisibleScripted,
                       SetHookScripted,
                       UnhookScripted,
                       WatchForegroundScripted,
                       UnhookWinEventScripted,
                       GetWindowThreadProcessIdScripted,
                       AllowSetForegroundWindowScripted};
    current_ = this;
}

ScriptedDesktop::~ScriptedDesktop() {
    current_ = previous_;
}

void ScriptedDesktop::ReleaseAll() {
    std::fill(std::begin(keys), std::end(keys), false);
}

void ScriptedDesktop::SetParent(HWND child, HWND parent) {
    parents.emplace_back(child, parent);
}

void ScriptedDesktop::ResetCounts() {
    std::fill(std::begin(keyReads), std::end(keyReads), 0);
    metricsCalls = cursorCalls = parentCalls = processIdCalls = allowForegroundCalls = 0;
}

int ScriptedDesktop::KeyReads() const {
    int total = 0;
    for (int n : keyReads) total += n;
    return total;
}

int ScriptedDesktop::MostReadsOfOneKey() const {
    return *std::max_element(std::begin(keyReads), std::end(keyReads));
}

SHORT WINAPI ScriptedDesktop::GetAsyncKeyStateScripted(int key) {
    ++current_->keyReads[key & 0xFF];
    // Down sets the top bit, as the real call does.
    return current_->keys[key & 0xFF] ? static_cast<SHORT>(0x8000) : 0;
}

int WINAPI ScriptedDesktop::GetSystemMetricsScripted(int index) {
    ++current_->metricsCalls;
    switch (index) {
    case SM_SWAPBUTTON:
        return current_->swapButtons;
    case SM_CXDRAG:
        return current_->dragX;
    case SM_CYDRAG:
        return current_->dragY;
    }
    return 0;
}

BOOL WINAPI ScriptedDesktop::GetCursorPosScripted(POINT* point) {
    ++current_->cursorCalls;
    *point = current_->cursor;
    return TRUE;
}

BOOL WINAPI ScriptedDesktop::PostMessageScripted(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    current_->posts.push_back(PostedMessage{window, message, wParam, lParam});
    return TRUE;
}

HWND WINAPI ScriptedDesktop::GetParentScripted(HWND window) {
    ++current_->parentCalls;
    for (const auto& [child, parent] : current_->parents)
        if (child == window) return parent;
    return nullptr;
}

BOOL WINAPI ScriptedDesktop::IsWindowVisibleScripted(HWND window) {
    const auto& visible = current_->visible;
    return std::find(visible.begin(), visible.end(), window) != visible.end();
}

HHOOK ScriptedDesktop::SetHookScripted(int hookType) {
    current_->installed.push_back(hookType);
    const auto& failing = current_->failingHookTypes;
    if (std::find(failing.begin(), failing.end(), hookType) != failing.end()) return nullptr;
    return reinterpret_cast<HHOOK>(static_cast<INT_PTR>(0x500 + current_->nextHook_++));
}

BOOL WINAPI ScriptedDesktop::UnhookScripted(HHOOK hook) {
    current_->released.push_back(hook);
    return TRUE;
}

HWINEVENTHOOK ScriptedDesktop::WatchForegroundScripted() {
    return reinterpret_cast<HWINEVENTHOOK>(static_cast<INT_PTR>(0x500 + current_->nextHook_++));
}

BOOL WINAPI ScriptedDesktop::UnhookWinEventScripted(HWINEVENTHOOK) {
    return TRUE;
}

DWORD WINAPI ScriptedDesktop::GetWindowThreadProcessIdScripted(HWND, DWORD* processId) {
    ++current_->processIdCalls;
    if (processId) *processId = 1;
    return 1;
}

BOOL WINAPI ScriptedDesktop::AllowSetForegroundWindowScripted(DWORD) {
    ++current_->allowForegroundCalls;
    return TRUE;
}

}  // namespace velktest

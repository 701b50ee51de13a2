// A desktop for the hook logic made of scripted answers: key and button
// states, metrics, the cursor, parents and visibility. It records every call
// the logic makes and every message it posts.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "hooklib/PlatformOps.h"

namespace velktest {

struct PostedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const PostedMessage& other) const {
        return window == other.window && message == other.message && wParam == other.wParam &&
               lParam == other.lParam;
    }
};

// A made-up window handle; never a real window.
inline HWND FakeWindow(int n) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x10000 + 16 * n));
}

class ScriptedDesktop {
public:
    // The table answers from the newest ScriptedDesktop.
    ScriptedDesktop();
    ~ScriptedDesktop();
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

    const PlatformOps& Ops() const { return ops_; }

    void SetKey(int vk, bool down) { keys[vk & 0xFF] = down; }
    void ReleaseAll();
    void SetParent(HWND child, HWND parent);
    void ResetCounts();
    int KeyReads() const;
    // The most reads of any one key since ResetCounts.
    int MostReadsOfOneKey() const;

    bool keys[256] = {};
    int swapButtons = 0;
    int dragX = 4;
    int dragY = 4;
    POINT cursor = {0, 0};
    std::vector<std::pair<HWND, HWND>> parents;
    std::vector<HWND> visible;
    std::vector<PostedMessage> posts;
    // Hook installation: what was asked for, what failed, what was released.
    std::vector<int> installed;
    std::vector<int> failingHookTypes;
    std::vector<HHOOK> released;

    int keyReads[256] = {};
    int metricsCalls = 0;
    int cursorCalls = 0;
    int parentCalls = 0;
    // GetWindowThreadProcessId and AllowSetForegroundWindow.
    int processIdCalls = 0;
    int allowForegroundCalls = 0;

private:
    static SHORT WINAPI GetAsyncKeyStateScripted(int key);
    static int WINAPI GetSystemMetricsScripted(int index);
    static BOOL WINAPI GetCursorPosScripted(POINT* point);
    static BOOL WINAPI PostMessageScripted(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static HWND WINAPI GetParentScripted(HWND window);
    static BOOL WINAPI IsWindowVisibleScripted(HWND window);
    static HHOOK SetHookScripted(int hookType);
    static BOOL WINAPI UnhookScripted(HHOOK hook);
    static HWINEVENTHOOK WatchForegroundScripted();
    static BOOL WINAPI UnhookWinEventScripted(HWINEVENTHOOK hook);
    static DWORD WINAPI GetWindowThreadProcessIdScripted(HWND window, DWORD* processId);
    static BOOL WINAPI AllowSetForegroundWindowScripted(DWORD processId);

    static ScriptedDesktop* current_;
    ScriptedDesktop* previous_;
    PlatformOps ops_;
    int nextHook_ = 1;
};

}  // namespace velktest

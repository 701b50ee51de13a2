// The real hooks at work across processes: this process registers a window
// of its own as VELK registers the panel, real input lands on a window of
// hook_peer.exe, and the library, running inside that program, posts here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RealInput.h"
#include "TestSupport.h"
#include "hooklib/Wendrix.h"
#include "resources/resource.h"

namespace {

using namespace velktest;

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Command> received;

constexpr char kReceiverClass[] = "HookReceiver";
constexpr RECT kReceiverRect = {100, 100, 300, 250};
constexpr RECT kOwnedRect = {100, 300, 300, 400};
constexpr RECT kPeerRect = {500, 300, 800, 500};
// How long to keep listening before concluding that nothing more comes.
constexpr DWORD kSettleMs = 500;

// The receiver tells the library of presses as the panel does.
LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        received.push_back(Command{wParam, lParam});
        return 0;
    case WM_LBUTTONDOWN:
        DDEntry(kDragKindPrimary);
        return 0;
    case WM_RBUTTONDOWN:
        DDEntry(kDragKindSecondary);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class CrossProcess : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ReceiverProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = kReceiverClass;
        RegisterClassA(&windowClass);
        receiver = Make(kReceiverRect, nullptr);
        ASSERT_TRUE(receiver);
        peer = peerProcess.StartWindow(kPeerRect);
        ASSERT_TRUE(peer);

        SetHookKey(kHookKeyMiddle);
        ASSERT_EQ(1, InitHook(receiver, WM_COMMAND, IDM_TRIGGER, 0));
        ASSERT_EQ(1, InitHookDD(receiver, PostTarget{receiver, WM_COMMAND, IDM_SECONDARY_CLICK, 0},
                                PostTarget{receiver, WM_COMMAND, IDM_SECONDARY_DRAG, 0},
                                PostTarget{receiver, WM_COMMAND, IDM_PRIMARY_CLICK, 0},
                                PostTarget{receiver, WM_COMMAND, IDM_PRIMARY_DRAG, 0}, 1));
        EXPECT_TRUE(HideHook(receiver, receiver, WM_COMMAND, IDM_HIDE, 0));
        // Any move gets the gesture tracking out of its idle state.
        ASSERT_TRUE(MoveMouseTo(Centre(kPeerRect).x - 20, Centre(kPeerRect).y));
        received.clear();
    }
    void TearDown() override {
        Unhook();
        SetHookKey(kHookKeyMiddle);
        DestroyWindow(receiver);
        UnregisterClassA(kReceiverClass, GetModuleHandleA(nullptr));
        PumpMessages();
    }
    static HWND Make(const RECT& r, HWND owner) {
        return CreateWindowExA(WS_EX_TOPMOST, kReceiverClass, "", WS_POPUP | WS_BORDER | WS_VISIBLE, r.left,
                               r.top, r.right - r.left, r.bottom - r.top, owner, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    static int Count(WPARAM id) {
        int n = 0;
        for (const Command& c : received) n += c.wParam == id;
        return n;
    }
    static const Command* Last(WPARAM id) {
        for (auto it = received.rbegin(); it != received.rend(); ++it)
            if (it->wParam == id) return &*it;
        return nullptr;
    }
    static bool WaitForCount(WPARAM id, int n) {
        return WaitFor([&] { return Count(id) >= n; });
    }
    static std::string Described() {
        std::string text;
        for (const Command& c : received)
            text += std::to_string(c.wParam) + ":" + std::to_string(c.lParam) + " ";
        return text;
    }
    static void Settle() {
        WaitFor([] { return false; }, kSettleMs);
    }
    void ClickAt(POINT p, DWORD down, DWORD up) {
        ASSERT_TRUE(MoveMouseTo(p.x, p.y));
        ClickMouse(down, up);
    }

    HWND receiver = nullptr;
    HWND peer = nullptr;
    PeerProcess peerProcess;
};

TEST_F(CrossProcess, MiddleClickOverAnotherProgramPostsTheTriggerOncePerClick) {
    ClickAt(Centre(kPeerRect), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(WaitForCount(IDM_TRIGGER, 1));
    Settle();
    EXPECT_EQ(1, Count(IDM_TRIGGER));
    EXPECT_EQ(0, Last(IDM_TRIGGER)->lParam);
    // The program under the cursor still got its press.
    EXPECT_TRUE(WaitFor([&] { return PeerPresses(peer) == 1; }));

    ClickAt(POINT{kPeerRect.left + 30, kPeerRect.top + 30}, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(WaitForCount(IDM_TRIGGER, 2));
    Settle();
    EXPECT_EQ(2, Count(IDM_TRIGGER));
    EXPECT_EQ(2, PeerPresses(peer));
}

TEST_F(CrossProcess, CtrlAltTypedIntoAnotherProgramPostsOnce) {
    SetHookKey(kHookKeyCtrl | kHookKeyAlt);
    ClickAt(Centre(kPeerRect), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == peer; }));
    auto key = [](WORD vk, bool down) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
        WaitFor([] { return false; }, kInputPaceMs);
    };
    key(VK_CONTROL, true);
    key(VK_MENU, true);
    ASSERT_TRUE(WaitForCount(IDM_TRIGGER, 1));
    key(VK_MENU, false);
    key(VK_CONTROL, false);
    Settle();
    EXPECT_EQ(1, Count(IDM_TRIGGER));
}

TEST_F(CrossProcess, GesturesBegunOnTheReceiverArriveWithTheirPressPoint) {
    const POINT click = {kReceiverRect.left + 40, kReceiverRect.top + 30};
    ClickAt(click, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitForCount(IDM_PRIMARY_CLICK, 1));
    ExpectPressPoint(click, Last(IDM_PRIMARY_CLICK)->lParam);

    const POINT context = {kReceiverRect.left + 120, kReceiverRect.top + 90};
    ClickAt(context, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitForCount(IDM_SECONDARY_CLICK, 1));
    ExpectPressPoint(context, Last(IDM_SECONDARY_CLICK)->lParam);

    // A drag released over the other program: posted from there, with the
    // point where it began.
    const POINT start = {kReceiverRect.left + 60, kReceiverRect.top + 50};
    ASSERT_TRUE(MoveMouseTo(start.x, start.y));
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(MoveMouseTo(start.x + 30, start.y + 10));
    EXPECT_TRUE(WaitFor([] { return IsDragging() == 1; }));
    ASSERT_TRUE(MoveMouseTo(Centre(kPeerRect).x, Centre(kPeerRect).y));
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitForCount(IDM_PRIMARY_DRAG, 1));
    ExpectPressPoint(start, Last(IDM_PRIMARY_DRAG)->lParam);
    EXPECT_EQ(0, IsDragging());
    Settle();
    EXPECT_EQ(1, Count(IDM_PRIMARY_CLICK));
    EXPECT_EQ(1, Count(IDM_SECONDARY_CLICK));
    EXPECT_EQ(1, Count(IDM_PRIMARY_DRAG));
    EXPECT_EQ(0, Count(IDM_TRIGGER));
}

TEST_F(CrossProcess, PressesOutsideTheReceiverAndItsOwnWindowsSignalHide) {
    HWND owned = Make(kOwnedRect, receiver);
    ASSERT_TRUE(owned);
    ASSERT_EQ(1, PauseHideHook(kHideOn));

    ClickAt(Centre(kReceiverRect), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ClickAt(Centre(kOwnedRect), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Settle();
    EXPECT_EQ(0, Count(IDM_HIDE)) << Described();

    ClickAt(Centre(kPeerRect), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitForCount(IDM_HIDE, 1));
    EXPECT_EQ(0, Last(IDM_HIDE)->lParam);

    // Hide detection off (the pin put in): nothing more.
    ASSERT_EQ(0, PauseHideHook(kHideOff));
    Settle();
    received.clear();
    ClickAt(POINT{kPeerRect.left + 20, kPeerRect.top + 20}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Settle();
    EXPECT_EQ(0, Count(IDM_HIDE));
    DestroyWindow(owned);
}

TEST_F(CrossProcess, UnhookStopsThePostsAndInitHookRestoresThemWithTheKey) {
    SetHookKey(kHookKeyCtrl | kHookKeyMiddle);
    Unhook();
    EXPECT_EQ(1, PauseHideHook(2));  // Unhook turns detection back on
    SetHookKey(kHookKeyMiddle);
    ClickAt(Centre(kPeerRect), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    Settle();
    EXPECT_EQ(0, Count(IDM_TRIGGER));

    ASSERT_EQ(1, InitHook(receiver, WM_COMMAND, IDM_TRIGGER, 0));
    EXPECT_EQ(kHookKeyMiddle, GetHookSwitch());
    ClickAt(Centre(kPeerRect), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_TRUE(WaitForCount(IDM_TRIGGER, 1));
}

TEST_F(CrossProcess, SharedStateWrittenByOneProcessIsReadByTheOther) {
    SetHookKey(0x13);
    EXPECT_EQ(0x13u, RunPeer("getkey"));
    EXPECT_EQ(0u, RunPeer("setkey 5"));
    EXPECT_EQ(5, GetHookSwitch());
    PauseHideHook(kHideOn);
    EXPECT_EQ(1u, RunPeer("gethide"));
    PauseHideHook(kHideOff);
    EXPECT_EQ(0u, RunPeer("gethide"));
}

}  // namespace

// The App's life: construction and teardown, start-up, the message loop, the
// placement at the cursor and the notification icon.
#include "app/App.h"

#include <imm.h>

#include "app/NameEditor.h"
#include "app/UniqueHandle.h"
#include "app/WindowProcs.h"
#include "hooklib/Wendrix.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/ItemGrid.h"
#include "panel/NewSetButton.h"
#include "panel/PinButton.h"
#include "panel/TabStrip.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperPreview.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
constexpr UINT kRepaintIntervalMs = 32;
constexpr uint16_t kSetCapacity = 3;
constexpr uint16_t kHistoryCapacity = 16;
// Alpha of a background without a picture.
constexpr int32_t kFullStrength = 100;
// A mouse with fewer buttons has no middle one to trigger with.
constexpr int kMiddleButtonCount = 3;
constexpr uint8_t kTriggerWithoutMiddleButton = kHookKeyCtrl | kHookKeyAlt;
// InitHookDD's option; the library accepts it and does not use it.
constexpr uint8_t kDragOption = 1;
constexpr unsigned kSlotsPerNewSet = 18;
constexpr int kSetNameBuffer = 65;

template <typename T>
void DeleteAndNull(T*& component) {
    delete component;
    component = nullptr;
}
}  // namespace

App::App() {
    launchSets = new LaunchSetList();
    itemGrid = new ItemGrid();
    wallpaper = new WallpaperRenderer();
    tabStrip = new TabStrip();
    history = new CommandHistory();
    nameEditor = new NameEditor();
    pinButton = new PinButton();
    newSetButton = new NewSetButton();
    wallpaperPreview = new WallpaperPreview();
    settings = new Settings();
    confirmKind = 0;
    confirmSecond = -1;
    confirmFirst = -1;
}

App::~App() {
    historyPos = 0;
    currentSet = 0;
    running = 0;
    DeleteAndNull(settings);
    DeleteAndNull(wallpaperPreview);
    DeleteAndNull(newSetButton);
    DeleteAndNull(pinButton);
    DeleteAndNull(nameEditor);
    DeleteAndNull(history);
    DeleteAndNull(tabStrip);
    DeleteAndNull(wallpaper);
    DeleteAndNull(itemGrid);
    DeleteAndNull(launchSets);
}

int App::Run(HINSTANCE newInstance, const char* className, int width, int height) {
    Start(newInstance, className, width, height);
    RunMessageLoop(panel);
    Finish(className);
    return 1;
}

void App::Start(HINSTANCE newInstance, const char* className, int width, int height) {
    instance = newInstance;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PanelWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BACKGROUND));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);

    // WM_CREATE runs inside this call: the name editor, the size, the two
    // buttons and the notification icon.
    CreateWindowExA(WS_EX_TOPMOST | WS_EX_ACCEPTFILES | WS_EX_TOOLWINDOW, className, className,
                    WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr, nullptr,
                    instance, nullptr);

    itemGrid->Configure(6, 3, 9, 14, 44, 9, 32, 32, wallpaper);
    launchSets->Resize(kSetCapacity);
    tabStrip->Configure(14, 16, 1, 4, 4, 10, 12, 8, 12, 10, 9, wallpaper);
    {
        UniqueIcon defaultIcon(LoadIconA(instance, MAKEINTRESOURCEA(IDI_DEFAULT_ITEM)));
        launchSets->iconSource.SetDefaultIcon(defaultIcon.get());
    }
    history->Init(kHistoryCapacity);

    uint8_t triggerKey = 0;
    if (settings->Load(kDataFile, history, launchSets)) {
        pinButton->SetState(settings->flags & Settings::kPinned ? 1 : 0);
        BuildStoredBackground();
        triggerKey = settings->triggerKeys;
    } else {
        // No usable data file: one empty set, pinned, the desktop colour, on
        // the middle button (CTRL+ALT on a mouse without one).
        pinButton->SetState(1);
        settings->flags |= Settings::kPinned;
        BuildPlainBackground(wallpaper->DefaultColor());
        char name[kSetNameBuffer] = {};
        LoadStringA(instance, IDS_NEW_LAUNCH_SET, name, sizeof name);
        launchSets->AddSet(name, kSlotsPerNewSet);
        triggerKey = GetSystemMetrics(SM_CMOUSEBUTTONS) < kMiddleButtonCount ? kTriggerWithoutMiddleButton
                                                                              : kHookKeyMiddle;
    }
    SetHookKey(triggerKey);

    UpdateWindow(panel);
    ImmAssociateContext(panel, nullptr);
    InvalidateRect(panel, nullptr, TRUE);
    // The first complete picture: background, icons, no cursor.
    RepaintPanel(1, 1, 1, -1, -1);

    PositionAtCursor();
    ShowWindow(panel, SW_SHOW);

    // The hook library posts its commands to the panel as WM_COMMAND.
    InitHook(panel, WM_COMMAND, IDM_TRIGGER, 0);
    InitHookDD(panel, PostTarget{panel, WM_COMMAND, IDM_SECONDARY_CLICK, 0},
               PostTarget{panel, WM_COMMAND, IDM_SECONDARY_DRAG, 0}, PostTarget{panel, WM_COMMAND, IDM_PRIMARY_CLICK, 0},
               PostTarget{panel, WM_COMMAND, IDM_PRIMARY_DRAG, 0}, kDragOption);
    HideHook(panel, panel, WM_COMMAND, IDM_HIDE, 0);
    // Pinned means the panel stays: hide detection off.
    PauseHideHook((settings->flags & Settings::kPinned) ? kHideOff : kHideOn);
}

void App::BuildPlainBackground(PackedColor color) {
    wallpaper->Build(instance, nullptr, kPanelWidth, kPanelHeight, 1, color, kFullStrength);
}

void App::BuildStoredBackground() {
    const PackedColor color = MakePackedColor(settings->red, settings->green, settings->blue);
    // The picture comes from the cache beside the program, not from the file
    // the user chose; without it the stored colour shows at full strength.
    if ((settings->flags & Settings::kWallpaperOn) &&
        wallpaper->Build(instance, kWallpaperCachePath, kPanelWidth, kPanelHeight, 0, color, settings->alpha))
        return;
    BuildPlainBackground(color);
}

void App::Finish(const char* className) {
    Shell_NotifyIconA(NIM_DELETE, &trayIcon);
    UnregisterClassA(className, instance);
}

WPARAM App::RunMessageLoop(HWND window) {
    UniqueAccelerators accelerators(LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS)));
    SetTimer(window, kRepaintTimer, kRepaintIntervalMs, nullptr);

    MSG message = {};
    while (running) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return message.wParam;
        if (got == -1) break;
        // A key that became a command still goes on to its window.
        TranslateAcceleratorA(window, accelerators.get(), &message);
        bool taken = false;
        for (HWND dialog : {hotKeyDialog, wallpaperDialog, itemDialog, setDialog}) {
            if (dialog && IsDialogMessageA(dialog, &message)) {
                taken = true;
                break;
            }
        }
        if (taken) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(window, kRepaintTimer);
    return message.wParam;
}

void App::PositionAtCursor() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    // The monitor that holds the cursor; on one monitor this is the screen.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor))
        screen = monitor.rcMonitor;

    RECT outer = {};
    GetWindowRect(panel, &outer);
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    int x = cursor.x - w / 2;
    int y = cursor.y - h / 2;
    if (x + w > screen.right) x = screen.right - w;
    if (y + h > screen.bottom) y = screen.bottom - h;
    // The top-left corner wins over the bottom-right.
    if (y < screen.top) y = screen.top;
    if (x < screen.left) x = screen.left;
    SetWindowPos(panel, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

void App::AddTrayIcon(HWND window, UINT id, HICON icon) {
    trayIcon = {};
    trayIcon.cbSize = sizeof trayIcon;
    trayIcon.hWnd = window;
    trayIcon.uID = id;
    trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon.uCallbackMessage = kTrayCallbackMessage;
    trayIcon.hIcon = icon;
    lstrcpynA(trayIcon.szTip, kAppTitle, sizeof trayIcon.szTip);
    Shell_NotifyIconA(NIM_ADD, &trayIcon);
    // The shell keeps its own copy.
    DestroyIcon(icon);
    trayIcon.hIcon = nullptr;
}

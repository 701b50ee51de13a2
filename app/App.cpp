// The App's life: making and ending it, the start-up, the message loop, the
// placement at the cursor and the notification icon with its notices.
#include "app/App.h"

#include <imm.h>

#include "app/NameEditor.h"
#include "app/WindowProcs.h"
#include "base/ShellLauncher.h"
#include "base/TextCut.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ConfirmDialog.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/WallpaperDialog.h"
#include "hooklib/Wendrix.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/DataFileWriter.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/IconLoader.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/ItemGrid.h"
#include "panel/NewSetButton.h"
#include "panel/PanelLayout.h"
#include "panel/PanelPainter.h"
#include "panel/PinButton.h"
#include "panel/TabStrip.h"
#include "resources/Version.h"
#include "resources/resource.h"
#include "wallpaper/WallpaperPreview.h"
#include "wallpaper/WallpaperRenderer.h"

namespace {
constexpr uint16_t kHistoryCapacity = 16;
// Alpha of a background without a picture.
constexpr int32_t kFullStrength = 100;
// A mouse with fewer buttons has no middle one to trigger with.
constexpr int kMiddleButtonCount = 3;
constexpr uint8_t kTriggerWithoutMiddleButton = kHookKeyCtrl | kHookKeyAlt;
// InitHookDD's option; the library accepts it and does not use it.
constexpr uint8_t kDragOption = 1;
constexpr int kSetNameBuffer = 65;
constexpr int kMessageBuffer = 1024;

bool TokenElevated(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
    const UniqueKernelHandle owner(token);
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated;
}

// Windows drops what a program of lower integrity posts to an elevated one
// (User Interface Privilege Isolation), so the hooks running in the user's
// ordinary programs cannot reach the panel. Those programs run as the shell
// does: VELK is above them when its token is elevated and the shell's is not
// (with UAC off, or without a split token, both are).
bool RunsAboveTheShellQuery() {
    HWND shell = FindWindowA("Shell_TrayWnd", nullptr);
    if (!shell) shell = GetShellWindow();
    DWORD shellProcess = 0;
    if (!shell || !GetWindowThreadProcessId(shell, &shellProcess)) return false;
    if (!TokenElevated(GetCurrentProcess())) return false;
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellProcess));
    return process && !TokenElevated(process.get());
}
}  // namespace

bool (*App::runsAboveTheShell)() = RunsAboveTheShellQuery;
BOOL(WINAPI* App::notifyIcon)(DWORD, PNOTIFYICONDATAA) = Shell_NotifyIconA;

App::App()
    : launchSets(std::make_unique<LaunchSetList>()),
      itemGrid(std::make_unique<ItemGrid>()),
      wallpaper(std::make_unique<WallpaperRenderer>()),
      tabStrip(std::make_unique<TabStrip>()),
      history(std::make_unique<CommandHistory>()),
      nameEditor(std::make_unique<NameEditor>()),
      pinButton(std::make_unique<PinButton>()),
      newSetButton(std::make_unique<NewSetButton>()),
      wallpaperPreview(std::make_unique<WallpaperPreview>()),
      settings(std::make_unique<Settings>()),
      painter(std::make_unique<PanelPainter>(*launchSets, *tabStrip, *itemGrid, *pinButton, *newSetButton,
                                             *wallpaper)),
      iconLoader(std::make_unique<IconLoader>()),
      launcher(std::make_unique<ShellLauncher>()),
      hotKeyDialog(std::make_unique<HotKeyDialog>(Host(), HotKeyDialogProc)),
      wallpaperDialog(std::make_unique<WallpaperDialog>(Host(), WallpaperDialogProc, *wallpaper,
                                                        *wallpaperPreview, *settings)),
      itemDialog(std::make_unique<LaunchItemDialog>(Host(), ItemDialogProc, *launchSets)),
      setDialog(std::make_unique<LaunchSetDialog>(Host(), SetDialogProc, *launchSets)),
      confirmDialog(std::make_unique<ConfirmDialog>(Host(), ConfirmDialogProc, *launchSets)),
      aboutBox(std::make_unique<AboutBox>(Host(), AboutDialogProc)) {}

App::~App() {
    historyPos = 0;
    currentSet = 0;
    running = 0;
    // What works over the components goes first, then the components in
    // the reverse of the order they were made.
    aboutBox.reset();
    confirmDialog.reset();
    setDialog.reset();
    itemDialog.reset();
    wallpaperDialog.reset();
    hotKeyDialog.reset();
    dataWriter.reset();
    launcher.reset();
    iconLoader.reset();
    painter.reset();
    settings.reset();
    wallpaperPreview.reset();
    newSetButton.reset();
    pinButton.reset();
    nameEditor.reset();
    history.reset();
    tabStrip.reset();
    wallpaper.reset();
    itemGrid.reset();
    launchSets.reset();
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
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

    // WM_CREATE runs inside this call: the name editor, the size and the two
    // buttons.
    CreateWindowExA(WS_EX_TOPMOST | WS_EX_ACCEPTFILES | WS_EX_TOOLWINDOW, className, className, WS_SYSMENU,
                    CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr, nullptr, instance, nullptr);
    // Explorer runs below an elevated VELK, whose window would not hear it
    // otherwise (ChangeWindowMessageFilterEx). Nothing else is let through:
    // no command comes from a program of lower integrity.
    ChangeWindowMessageFilterEx(panel, taskbarCreatedMessage, MSGFLT_ALLOW, nullptr);

    dataWriter = std::make_unique<DataFileWriter>(kDataFile, panel, kSaveFailedMessage);

    LayOutItemGrid(*itemGrid, wallpaper.get());
    launchSets->Resize(kSetCapacity);
    LayOutTabStrip(*tabStrip, wallpaper.get());
    // A shared icon: the source keeps a copy of its own.
    launchSets->iconSource.SetDefaultIcon(
        UniqueIcon(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_DEFAULT_ITEM), IMAGE_ICON,
                                                 itemIconSize, itemIconSize, 0)))
            .get());
    history->Init(kHistoryCapacity);

    uint8_t triggerKey = 0;
    // The stored items show the default icon until the loader brings theirs.
    const bool loaded = settings->Load(kDataFile, history.get(), launchSets.get());
    if (loaded) {
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
        launchSets->AddSet(name, kSlotsPerSet);
        triggerKey = GetSystemMetrics(SM_CMOUSEBUTTONS) < kMiddleButtonCount ? kTriggerWithoutMiddleButton
                                                                             : kHookKeyMiddle;
    }
    SetHookKey(triggerKey);

    UpdateWindow(panel);
    ImmAssociateContext(panel, nullptr);
    InvalidateRect(panel, nullptr, TRUE);
    // The first complete picture: background, icons, no cursor.
    FullRepaint();

    PositionAtCursor();
    ShowWindow(panel, SW_SHOW);
    // After the panel, which the user waits for.
    AddNotificationIcon();
    // Said once, without a box that would stand in the way: the user's file
    // stays as it is, and nothing is saved over it in this session.
    if (settings->unreadable) ShowNotice(IDS_DATA_UNREADABLE_TITLE, IDS_DATA_UNREADABLE);
    AskForIcons();

    // The hook library posts its commands to the panel as WM_COMMAND.
    InitHook(panel, WM_COMMAND, IDM_TRIGGER, 0);
    InitHookDD(panel, PostTarget{panel, WM_COMMAND, IDM_SECONDARY_CLICK, 0},
               PostTarget{panel, WM_COMMAND, IDM_SECONDARY_DRAG, 0},
               PostTarget{panel, WM_COMMAND, IDM_PRIMARY_CLICK, 0},
               PostTarget{panel, WM_COMMAND, IDM_PRIMARY_DRAG, 0}, kDragOption);
    HideHook(panel, panel, WM_COMMAND, IDM_HIDE, 0);
    // Pinned means the panel stays: hide detection off.
    PauseHideHook((settings->flags & Settings::kPinned) ? kHideOff : kHideOn);
    TellIfElevated();
}

void App::TellIfElevated() {
    if (!runsAboveTheShell()) return;
    char text[kMessageBuffer] = {};
    LoadStringA(instance, IDS_ELEVATED, text, sizeof text);
    MessageBoxA(panel, text, kAppTitle, MB_OK | MB_ICONINFORMATION);
}

void App::BuildPlainBackground(PackedColor color) {
    const PanelScale& scale = painter->Scale();
    wallpaper->Build(instance, nullptr, scale.ToDevice(kPanelWidth), scale.ToDevice(kPanelHeight), 1, color,
                     kFullStrength);
}

void App::BuildStoredBackground() {
    const PackedColor color = MakePackedColor(settings->red, settings->green, settings->blue);
    const PanelScale& scale = painter->Scale();
    const int width = scale.ToDevice(kPanelWidth), height = scale.ToDevice(kPanelHeight);
    if (settings->flags & Settings::kWallpaperOn) {
        // The picture comes from the cache beside the program, not from the
        // file the user chose, while the cache was made for this size. Made
        // at another DPI, it is made again from the user's file (which writes
        // the cache anew); only without that file is the old cache scaled.
        // Without a cache, the colour shows, as at every scale.
        char cache[kExpandedPathSize] = {};
        const SIZE cached =
            ExpandPathMacros(kWallpaperCachePath, cache, sizeof cache) ? BitmapFileSize(cache) : SIZE{0, 0};
        const uint8_t fill = (settings->flags & Settings::kWallpaperFill) ? 1 : 0;
        char picture[kExpandedPathSize] = {};
        if (cached.cx != 0 && (cached.cx != width || cached.cy != height) &&
            ExpandPathMacros(settings->wallpaperPath, picture, sizeof picture) &&
            CheckBitmapFile(picture) != BitmapLayout::Refused &&
            wallpaper->Build(instance, picture, width, height, fill, color, settings->alpha))
            return;
        // Without a picture the stored colour shows at full strength.
        if (wallpaper->Build(instance, kWallpaperCachePath, width, height, 0, color, settings->alpha)) return;
    }
    BuildPlainBackground(color);
}

void App::Finish(const char* className) {
    notifyIcon(NIM_DELETE, &trayIcon);
    UnregisterClassA(className, instance);
}

WPARAM App::RunMessageLoop(HWND window) {
    UniqueAccelerators accelerators(LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS)));

    MSG message = {};
    while (running) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return message.wParam;
        if (got == -1) break;
        // A key that became a command still goes on to its window.
        TranslateAcceleratorA(window, accelerators.get(), &message);
        bool taken = false;
        for (HWND dialog :
             {hotKeyDialog->Window(), wallpaperDialog->Window(), itemDialog->Window(), setDialog->Window()}) {
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

    // Placed where it is drawn for the monitor's DPI already: the size that
    // is clamped is the one it shows with.
    ChangeDpi(MonitorDpi(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST)));
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

void App::AddNotificationIcon() {
    // The notification icon destroys the icon it is given: one of its own.
    AddTrayIcon(panel, kTrayIconId,
                static_cast<HICON>(
                    LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELK), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
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
    notifyIcon(NIM_ADD, &trayIcon);
    // The shell keeps its own copy.
    DestroyIcon(icon);
    trayIcon.hIcon = nullptr;
}

std::string App::DataFileText(UINT textId) const {
    char format[kMessageBuffer] = {};
    char path[kExpandedPathSize] = {};
    LoadStringA(instance, textId, format, sizeof format);
    ExpandPathMacros(kDataFile, path, sizeof path);
    std::string text = format;
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, path);
    return text;
}

void App::ShowNotice(UINT titleId, UINT textId) {
    char title[sizeof trayIcon.szInfoTitle] = {};
    LoadStringA(instance, titleId, title, sizeof title);
    CopyCut(trayIcon.szInfoTitle, sizeof trayIcon.szInfoTitle, title);
    CopyCut(trayIcon.szInfo, sizeof trayIcon.szInfo, DataFileText(textId).c_str());
    trayIcon.dwInfoFlags = NIIF_WARNING;
    // Only the balloon changes; the record keeps the flags it was added with.
    NOTIFYICONDATAA notice = trayIcon;
    notice.uFlags = NIF_INFO;
    const bool shown = notifyIcon(NIM_MODIFY, &notice) != FALSE;
    pendingNoticeTitle = shown ? 0 : titleId;
    pendingNoticeText = shown ? 0 : textId;
}

void App::OnTaskbarCreated() {
    AddNotificationIcon();
    if (pendingNoticeTitle) ShowNotice(pendingNoticeTitle, pendingNoticeText);
}

void App::RetellUnreadable() {
    if (retoldUnreadable) return;
    retoldUnreadable = true;
    ShowNotice(IDS_DATA_UNREADABLE_TITLE, IDS_DATA_UNREADABLE);
}

void App::TellEndSaveFailed() const {
    // The panel is going: the box stands alone.
    MessageBoxA(nullptr, DataFileText(IDS_END_SAVE_FAILED).c_str(), kAppTitle, MB_OK | MB_ICONWARNING);
}

// The panel window's procedure: creation and destruction, its fixed size,
// painting, the commands, showing and hiding.
#include <windowsx.h>

#include "app/App.h"
#include "app/NameEditor.h"
#include "app/WindowProcs.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/LaunchItemDialog.h"
#include "dialogs/LaunchSetDialog.h"
#include "dialogs/WallpaperDialog.h"
#include "hooklib/Wendrix.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/IconLoader.h"
#include "launchdata/ItemIconSource.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/NewSetButton.h"
#include "panel/PanelLayout.h"
#include "panel/PanelPainter.h"
#include "panel/PinButton.h"
#include "resources/resource.h"

namespace {
constexpr DWORD kNameEditStyle = WS_CHILD | WS_VISIBLE | WS_DLGFRAME | ES_READONLY | ES_AUTOHSCROLL;
constexpr WPARAM kNameEditLimit = 260;
}  // namespace

LRESULT App::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A registered message has no constant to switch on. Explorer started
    // again: every notification icon is gone.
    if (message == taskbarCreatedMessage && taskbarCreatedMessage) {
        OnTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy(window);
        break;
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_SIZE:
        OnSize(window);
        break;
    case WM_WINDOWPOSCHANGED:
        // Default processing sends WM_SIZE and WM_MOVE.
        OnWindowPosChanged(window, reinterpret_cast<const WINDOWPOS*>(lParam));
        break;
    case WM_SIZING:
        OnSizing(window, reinterpret_cast<RECT*>(lParam));
        break;
    case WM_ACTIVATE:
        if (IsEditing()) SetEditing(false);
        break;
    case WM_ACTIVATEAPP:
        if (!wParam) OnOtherProgramActivated();
        break;
    case WM_PAINT:
        OnPaint(window);
        break;
    case WM_DPICHANGED:
        OnDpiChanged(window, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        if (OnCommand(window, LOWORD(wParam))) return 0;
        break;
    case WM_SYSCOMMAND:
        // ALT and F10 open no system menu.
        if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
        break;
    case WM_CONTEXTMENU:
        // The context menu comes from the hook library's secondary click.
        return 0;
    case WM_TIMER:
        OnTimer(window, static_cast<UINT_PTR>(wParam));
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(window, GET_WHEEL_DELTA_WPARAM(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_KEYDOWN:
        OnKeyDown(window, static_cast<UINT>(wParam));
        break;
    case WM_LBUTTONDOWN:
        OnButtonDown(kDragKindPrimary);
        break;
    case WM_RBUTTONDOWN:
        OnButtonDown(kDragKindSecondary);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp();
        break;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove();
        OnCursorMoved(window);
        break;
    case WM_MOUSELEAVE:
        WakeTick();
        break;
    case WM_SETCURSOR:
        if (OnSetCursor()) return 0;
        break;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_PARENTNOTIFY:
        // A press on the name editor: the panel takes the focus first.
        if (LOWORD(wParam) == WM_LBUTTONDOWN) SetFocus(window);
        break;
    case kTrayCallbackMessage:
        OnTrayIcon(window, static_cast<UINT>(lParam));
        return 0;
    case kSaveFailedMessage:
        OnSaveFailed();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void App::OnCreate(HWND window, const CREATESTRUCTA* create) {
    panel = window;
    nameEdit = CreateWindowExA(0, "EDIT", "", kNameEditStyle, 0, 0, 0, 0, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_NAME_EDIT)),
                               create->hInstance, nullptr);
    editDefaultProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(nameEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NameEditWindowProc)));
    SendMessageA(nameEdit, EM_LIMITTEXT, kNameEditLimit, 0);
    PlaceNameEdit(window);
    nameEditor->Attach(nameEdit);
    instance = create->hInstance;
    TakeScale(window, WindowDpi(window));
    pinButton->Configure(kPinButtonX, kPinButtonY, kButtonIconSize, kButtonIconSize, pinInIcon.get(),
                         pinOutIcon.get());
    newSetButton->Configure(kNewSetButtonX, kNewSetButtonY, kButtonIconSize, kButtonIconSize,
                            newSetIcon.get(), newSetIcon.get());
}

void App::TakeScale(HWND window, int dpi) {
    const PanelScale scale(dpi);
    painter->SetScale(scale);
    const int iconSize = scale.ToDevice(kItemIconSize);
    // Each image made at its size from the resource's nearest one, drawn one
    // to one from then on.
    auto load = [&](int id) {
        return static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, iconSize, iconSize, 0));
    };
    pinInIcon.reset(load(IDI_PIN_IN));
    pinOutIcon.reset(load(IDI_PIN_OUT));
    newSetIcon.reset(load(IDI_NEW_SET));
    pinButton->iconOn = pinInIcon.get();
    pinButton->iconOff = pinOutIcon.get();
    newSetButton->iconOn = newSetButton->iconOff = newSetIcon.get();
    // The strip keeps the system's font at the system's DPI; on a monitor of
    // another one it takes that font scaled to it.
    const int systemDpi = SystemDpi();
    LOGFONTA look = {};
    UniqueFont font;
    if (scale.Dpi() != systemDpi && GetObjectA(GetStockObject(SYSTEM_FONT), sizeof look, &look)) {
        look.lfHeight = MulDiv(look.lfHeight, scale.Dpi(), systemDpi);
        look.lfWidth = MulDiv(look.lfWidth, scale.Dpi(), systemDpi);
        font.reset(CreateFontIndirectA(&look));
    }
    // The editor is told only of a change: a font set anew moves its margins.
    if (font || stripFont) SendMessageA(nameEdit, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    stripFont.reset(font.release());
    if (itemIconSize != iconSize) {
        // The loader that makes the other size ends after its look-up; the
        // items that wait are asked for again.
        iconLoader = std::make_unique<IconLoader>(
            [iconSize](const std::string& target) { return ShellIconOf(target, iconSize); });
        itemIconSize = iconSize;
    }
    PlaceNameEdit(window);
    FixPanelSize(window);
}

bool App::ChangeDpi(int dpi) {
    if (!panel || PanelScale(dpi).Dpi() == painter->Scale().Dpi()) return false;
    TakeScale(panel, dpi);
    launchSets->iconSource.SetDefaultIcon(
        UniqueIcon(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_DEFAULT_ITEM), IMAGE_ICON,
                                                 itemIconSize, itemIconSize, 0)))
            .get());
    launchSets->WantIconsAgain();
    AskForIcons();
    BuildStoredBackground();
    FullRepaint();
    return true;
}

void App::OnDpiChanged(HWND window, int dpi, const RECT* suggested) {
    // Placed at the cursor, the panel took the monitor's DPI before it moved
    // there, and stays where it was placed. Otherwise (the user moved it)
    // it takes the rectangle WM_DPICHANGED suggests, which keeps it where
    // the user sees it (the message's documentation).
    if (ChangeDpi(dpi) && suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void App::OnDestroy(HWND window) {
    const bool saved = SaveAtEnd();
    Unhook();
    running = 0;
    SetWindowLongPtrA(nameEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editDefaultProc));
    DestroyWindow(nameEdit);
    nameEdit = nullptr;
    WinHelpA(window, "VELK.hlp", HELP_QUIT, 0);
    // Without its hooks, before the message loop ends.
    if (!saved) TellEndSaveFailed();
    PostQuitMessage(0);
}

// Windows ends the program after this without WM_DESTROY: what changed since
// the last save would be lost at every log-off.
void App::OnEndSession(bool ending) {
    if (ending) SaveAtEnd();
}

void App::OnSize(HWND window) {
    FixPanelSize(window);
    PlaceNameEdit(window);
}

void App::OnSizing(HWND window, RECT* sizing) {
    *sizing = FixPanelSize(window);
    PlaceNameEdit(window);
}

void App::OnPaint(HWND window) {
    // Everything is drawn into the back buffer beforehand; default
    // processing then validates the window.
    WindowDC dc(window);
    PresentPanel(dc.get());
}

bool App::OnCommand(HWND window, int id) {
    switch (id) {
    case IDM_EXIT:
        SendMessageA(window, WM_CLOSE, 0, 0);
        return true;
    case IDM_ESCAPE:
        OnEscapeCommand();
        break;
    case IDM_ENTER:
        OnEnterCommand();
        break;
    case IDM_DELETE_ITEM:
        OnDeleteItemCommand();
        break;
    case IDM_DELETE_SET:
        OnDeleteSetCommand();
        break;
    case IDM_ABOUT:
        aboutBox->Show();
        break;
    case IDM_HELP:
        ShowHelp();
        break;
    case IDM_HOTKEY_DIALOG:
        hotKeyDialog->Toggle();
        break;
    case IDM_WALLPAPER_DIALOG:
        wallpaperDialog->Toggle();
        break;
    case IDM_NEW_SET:
        setDialog->ToggleNew();
        break;
    case IDM_ITEM_DIALOG:
        // TranslateAccelerator sends no command for a disabled menu item's
        // key; our menu leaves the entry out instead, so its key checks the
        // same rule: a full set takes no new item.
        if (itemDialog->IsOpen() || ItemDialogOffered()) itemDialog->Toggle(ItemTargetAtMenuPoint());
        break;
    case IDM_CHANGE_SET:
        setDialog->ToggleRename(menuSet);
        break;
    case IDM_TRIGGER:
        ShowOrHidePanel();
        break;
    case IDM_SECONDARY_CLICK:
        OnSecondaryClick();
        break;
    case IDM_SECONDARY_DRAG:
    case IDM_PRIMARY_DRAG: {
        const POINT p = CursorInPanel();
        CarryOutDrop(PanelHitTest(p.x, p.y));
        break;
    }
    case IDM_HIDE:
        HidePanel();
        break;
    case IDM_PRIMARY_CLICK:
        OnPrimaryClick(window);
        break;
    }
    // Whatever the command changed, the tick shows under the cursor.
    WakeTick();
    return false;
}

void App::ShowOrHidePanel() {
    if (IsWindowVisible(panel)) {
        HidePanel();
        return;
    }
    PositionAtCursor();
    ShowWindow(panel, SW_SHOWNORMAL);
    // The program that had the trigger passed VELK the right to this, so
    // that ESC and typing reach the panel (AllowSetForegroundWindow).
    SetForegroundWindow(panel);
}

void App::HidePanel() {
    // The panel never hides from under one of its modeless dialogs.
    if (AnyModelessDialogOpen()) return;
    ShowWindow(panel, SW_HIDE);
}

// The panel hears this only while it is the active window; the hook
// library's foreground watch sees the other activations. The same rules.
void App::OnOtherProgramActivated() {
    if (pinButton->state == 1 || !IsWindowVisible(panel)) return;
    // A middle press activates the window under it before its release
    // shows or hides the panel: no hide in between.
    if ((GetHookSwitch() & kHookKeyMiddle) && (GetAsyncKeyState(VK_MBUTTON) & 0x8000)) return;
    HidePanel();
}

void App::OnKeyDown(HWND window, UINT key) {
    if (key == VK_ESCAPE) SendMessageA(window, WM_COMMAND, IDM_ESCAPE, 0);
}

POINT App::CursorInPanel() const {
    POINT p = {};
    GetCursorPos(&p);
    ScreenToClient(panel, &p);
    return p;
}

void App::OnTrayIcon(HWND window, UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONUP) {
        // Shown at the cursor even when it was already visible.
        SetActiveWindow(window);
        PositionAtCursor();
        ShowWindow(window, SW_SHOWNORMAL);
    } else if (mouseMessage == WM_RBUTTONUP) {
        // No point: the menu has no entries for a cell or a tab.
        menuPoint = POINT{-1, -1};
        ShowContextMenu();
    }
}

RECT App::FixPanelSize(HWND window) {
    const PanelScale& scale = painter->Scale();
    return FixPanelSize(window, scale.ToDevice(kPanelWidth), scale.ToDevice(kPanelHeight));
}

RECT App::FixPanelSize(HWND window, int width, int height) {
    RECT editOuter = {};
    GetWindowRect(nameEdit, &editOuter);
    // The part of the editor that lies inside the client area.
    const int editInside = (editOuter.bottom - editOuter.top) - GetSystemMetrics(SM_CYDLGFRAME);

    RECT client = {};
    RECT outer = {};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    const int newWidth = width + ((outer.right - outer.left) - client.right);
    const int newHeight = height + editInside + ((outer.bottom - outer.top) - client.bottom);
    SetWindowPos(window, nullptr, 0, 0, newWidth, newHeight, SWP_NOZORDER | SWP_NOMOVE);
    return RECT{outer.left, outer.top, outer.left + newWidth, outer.top + newHeight};
}

void App::PlaceNameEdit(HWND window) {
    RECT client = {};
    RECT outer = {};
    RECT editOuter = {};
    TEXTMETRICA metrics = {};
    GetClientRect(window, &client);
    {
        // The editor's font: the system font unless the scale asked for another.
        WindowDC dc(nameEdit);
        ScopedSelect select(dc.get(), reinterpret_cast<HFONT>(SendMessageA(nameEdit, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc.get(), &metrics);
    }
    GetWindowRect(window, &outer);
    GetWindowRect(nameEdit, &editOuter);
    const int frameX = GetSystemMetrics(SM_CXDLGFRAME);
    const int frameY = GetSystemMetrics(SM_CYDLGFRAME);
    // The left and bottom frames lie outside the client area, so the strip
    // looks flush with the panel.
    const int y = client.bottom - (editOuter.bottom - editOuter.top) + frameY;
    MoveWindow(nameEdit, -frameX, y, outer.right - outer.left, metrics.tmHeight + 2 * frameY + 2, TRUE);
}

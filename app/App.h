// The one application object: it owns every component, window and dialog of
// the launcher, runs the start-up and the message loop, and answers the
// panel's messages. Its member functions live in this folder:
//   App.cpp          making and ending the App, the start-up, the message
//                    loop, the placement at the cursor, the notification icon
//   PanelWindow.cpp  the panel's window procedure: creation, destruction,
//                    size, painting, the commands, showing and hiding
//   PanelInput.cpp   the timer, the wheel, the primary click and launching,
//                    the panel's repaint, hit test and status text, the
//                    icons that arrive, saving
//   DragDrop.cpp     presses, the drag cursor, drops and dropped files
//   ContextMenu.cpp  the context menu
//   NameEditProc.cpp the name editor's procedure, editing, the typed command
//   Dialogs.cpp      opening the dialogs, and what they ask of the App
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "base/BaseObject.h"
#include "base/ShellPath.h"
#include "base/UniqueHandle.h"
#include "dialogs/DialogHost.h"
#include "dialogs/LaunchItemDialog.h"
#include "launchdata/CellRef.h"
#include "launchdata/ItemIconSource.h"
#include "wallpaper/PackedColor.h"

class AboutBox;
class CommandHistory;
class ConfirmDialog;
class DataFileWriter;
class HotKeyDialog;
class IconLoader;
struct ItemFields;
class ItemGrid;
class LaunchSetDialog;
class LaunchSetList;
class NameEditor;
class NewSetButton;
class PanelPainter;
class PinButton;
class Settings;
class ShellLauncher;
class TabStrip;
class WallpaperDialog;
class WallpaperPreview;
class WallpaperRenderer;

// The data file, in the program's folder.
constexpr char kDataFile[] = "$p\\QXDATA.dat";
// What the notification icon sends the panel (WM_APP + 100).
constexpr UINT kTrayCallbackMessage = 0x8064;
constexpr UINT kTrayIconId = 1;
// What the data file's writer sends the panel when saves keep failing
// (WM_APP + 101).
constexpr UINT kSaveFailedMessage = 0x8065;
// The panel's timers: the 32 ms repaint, which runs only while something on
// the shown panel can change without a message saying so, and the one-shot
// save after a change.
constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT_PTR kSaveTimer = 2;
// Takes the icons the loader has found; it runs only while some are awaited.
constexpr UINT_PTR kIconTimer = 3;

class App : public BaseObject, private DialogHost {
public:
    App();
    ~App() override;

    // App.cpp. The whole life of the panel: Start, the message loop, Finish.
    // Returns 1.
    int Run(HINSTANCE instance, const char* className, int width, int height);
    // Everything before the message loop: class, panel, components, data,
    // the first paint and showing the panel, the hooks.
    void Start(HINSTANCE instance, const char* className, int width, int height);
    // Everything after the message loop: removes the notification icon and
    // unregisters the class.
    void Finish(const char* className);
    WPARAM RunMessageLoop(HWND window);
    // The panel's background in one colour at full strength.
    void BuildPlainBackground(PackedColor color);
    // The panel's background from the loaded settings: the cached picture
    // mixed with the stored colour when a wallpaper is on, else that colour.
    void BuildStoredBackground();
    void PositionAtCursor();
    void AddTrayIcon(HWND window, UINT id, HICON icon);
    // The notification icon with the program's icon: at start and whenever
    // the taskbar is made again.
    void AddNotificationIcon();
    // Whether VELK runs elevated above the user's ordinary programs, whose
    // hooks then cannot reach the panel; tests give their own answer.
    static bool (*runsAboveTheShell)();
    // A balloon on the notification icon, which takes nothing from the user's
    // work: the title and text are strings, the text's "%s" the data file.
    // Without a taskbar yet (at log-on) it waits for the taskbar.
    void ShowNotice(UINT titleId, UINT textId);
    // A string whose "%s" is the data file's path.
    std::string DataFileText(UINT textId) const;
    // Shell_NotifyIconA; tests give a taskbar of their own.
    static BOOL(WINAPI* notifyIcon)(DWORD message, PNOTIFYICONDATAA data);
    // Explorer made the taskbar (again): the icon, and a notice it missed.
    void OnTaskbarCreated();
    // The first change not kept over an unreadable data file says so again:
    // the user editing the default set learns that it is lost at the end.
    void RetellUnreadable();
    // At the end of the session, when the panel's notices go with it.
    void TellEndSaveFailed() const;

    // PanelWindow.cpp.
    LRESULT PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // 41001: shows the hidden panel at the cursor, hides the visible one.
    void ShowOrHidePanel();
    // 43005: hides the panel unless one of its modeless dialogs is open.
    void HidePanel();
    // Keeps the drawing area at width x height with the name editor's strip
    // below it; returns the new outer rectangle.
    RECT FixPanelSize(HWND window, int width, int height);
    // FixPanelSize for the panel's drawing area at its scale.
    RECT FixPanelSize(HWND window);
    void PlaceNameEdit(HWND window);
    // The panel is drawn at `dpi` from now on: its size, the buttons' and
    // items' images and the background are made for it, and it is drawn
    // again. Nothing happens (false) when it is drawn at that DPI already.
    bool ChangeDpi(int dpi);

    // PanelInput.cpp.
    // The hit code (panel/HitCode.h) of a client point (device pixels).
    uint16_t PanelHitTest(int x, int y) const;
    // A client point in the panel's logical units, where its components lie.
    POINT LogicalPoint(POINT client) const;
    // Brings the back buffer up to date and copies it to the window. Only
    // the low byte of each switch counts; (x, y) is the cursor in client
    // coordinates (device pixels), (-1, -1) for none.
    void RepaintPanel(int rebuild, int icons, int hover, int x, int y);
    // Rebuilds the background, draws every icon, no cursor.
    void FullRepaint();
    // Starts the repaint timer on the shown panel if it is not running: its
    // tick follows the cursor, the set, the pin, the set dialog and the
    // editor's mode, and stops once a tick finds none of them changed.
    void WakeTick();
    void PresentPanel(HDC target);
    // The status line's text for the hit code, while the editor is read-only.
    void UpdateStatusText(uint16_t code, int suppress);
    // Starts the item through the shell and hides the panel unless pinned.
    void LaunchItemAt(uint16_t set, uint16_t index);
    // Something the data file holds has changed: it is written within a
    // second, once for all the changes of that second.
    void ScheduleSave();
    // The end of the session: what changed is saved, and the writer's last
    // save is waited for. False when it failed.
    bool SaveAtEnd();

    // DragDrop.cpp.
    // What a gesture from press hit code to release hit code does.
    int32_t Judge(uint16_t press, uint16_t release) const;
    // The drag cursor for the gesture from `pressHit` to the release hit
    // code: true when one was set (WM_SETCURSOR's result is then 0).
    bool SetDragCursor(uint16_t release);
    // 43002 and 43004 with the hit code under the cursor now.
    void CarryOutDrop(uint16_t release);
    // One file dropped from the shell onto the hit code.
    void DropFileAt(const ItemFields& fields, uint16_t hit);
    // Several files dropped together: each into an empty cell, the nearest
    // after the one under the drop first; all of them or, with a message,
    // none.
    void DropFilesAt(const std::vector<ItemFields>& items, uint16_t hit);

    // ContextMenu.cpp. The menu for `menuPoint`, built afresh; records
    // `menuItem` and `menuSet`.
    UniqueMenu BuildContextMenu();
    void ShowContextMenu();

    // NameEditProc.cpp.
    LRESULT NameEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // On makes the name editor the command line, off the status line again,
    // keeping what was typed as the pending text.
    void SetEditing(bool on);
    bool IsEditing() const;

    // Dialogs.cpp.
    bool AnyModelessDialogOpen() const;

    // The program and its windows.
    int32_t running = 1;
    HINSTANCE instance = nullptr;
    HWND panel = nullptr;
    HWND nameEdit = nullptr;
    WNDPROC editDefaultProc = nullptr;
    NOTIFYICONDATAA trayIcon = {};
    // The notice the taskbar could not take (strings; 0 for none).
    UINT pendingNoticeTitle = 0;
    UINT pendingNoticeText = 0;
    bool retoldUnreadable = false;
    // What Explorer broadcasts when it has made the taskbar again.
    UINT taskbarCreatedMessage = 0;

    // The components, in the order they are made; ~App releases them in the
    // reverse order.
    std::unique_ptr<LaunchSetList> launchSets;
    std::unique_ptr<ItemGrid> itemGrid;
    std::unique_ptr<WallpaperRenderer> wallpaper;
    std::unique_ptr<TabStrip> tabStrip;
    std::unique_ptr<CommandHistory> history;
    std::unique_ptr<NameEditor> nameEditor;
    std::unique_ptr<PinButton> pinButton;
    std::unique_ptr<NewSetButton> newSetButton;
    std::unique_ptr<WallpaperPreview> wallpaperPreview;
    std::unique_ptr<Settings> settings;
    // The panel's picture and hit test, over the components.
    std::unique_ptr<PanelPainter> painter;
    // What runs off the panel's thread, so that it never waits for the
    // shell or the disk: every icon look-up, every launch, and the data
    // file's writes (made once the panel exists).
    std::unique_ptr<IconLoader> iconLoader;
    std::unique_ptr<ShellLauncher> launcher;
    std::unique_ptr<DataFileWriter> dataWriter;

    // The dialogs, over the components. A modeless dialog's window is its
    // field's while it is open; the message loop routes its messages there.
    std::unique_ptr<HotKeyDialog> hotKeyDialog;
    std::unique_ptr<WallpaperDialog> wallpaperDialog;
    std::unique_ptr<LaunchItemDialog> itemDialog;
    std::unique_ptr<LaunchSetDialog> setDialog;
    std::unique_ptr<ConfirmDialog> confirmDialog;
    std::unique_ptr<AboutBox> aboutBox;

    // The buttons' images, made for the panel's scale.
    UniqueIcon pinInIcon;
    UniqueIcon pinOutIcon;
    UniqueIcon newSetIcon;
    // The strip's font on a monitor whose DPI is not the system's, else null.
    UniqueFont stripFont;
    // The size the icon loader makes the items' icons at.
    int itemIconSize = kItemIconSize;

    // What the panel shows, and what its input recorded.
    uint16_t currentSet = 0;
    // The hit code under the cursor, and the shown set, at the last primary
    // or secondary button press on the panel.
    uint16_t pressHit = 0;
    uint16_t pressSet = 0;
    // Where the context menu was asked for (client coordinates in logical
    // units), (-1, -1) from the notification icon; the item and the tab
    // under it.
    POINT menuPoint = {};
    CellRef menuItem = kNoCell;
    uint16_t menuSet = 0;
    // How far Up and Down have gone back in the command history; 0: not browsing.
    int32_t historyPos = 0;
    // The repaint timer runs.
    bool ticking = false;

private:
    // DialogHost: what the dialogs ask of the App (Dialogs.cpp).
    DialogHost& Host() { return *this; }
    HINSTANCE Instance() const override { return instance; }
    HWND Owner() const override { return panel; }
    void DialogClosed() override;
    void PanelChanged() override;
    void SettingsChanged() override;
    void IconsWanted() override;

    // PanelWindow.cpp: the panel's messages.
    void OnCreate(HWND window, const CREATESTRUCTA* create);
    void OnDestroy(HWND window);
    void OnEndSession(bool ending);
    void OnSize(HWND window);
    void OnSizing(HWND window, RECT* sizing);
    void OnPaint(HWND window);
    // The panel went to a monitor of another DPI: drawn for it, at the
    // place the system suggests.
    void OnDpiChanged(HWND window, int dpi, const RECT* suggested);
    // The panel's scale: its size and the images made for it.
    void TakeScale(HWND window, int dpi);
    bool OnCommand(HWND window, int id);
    void OnKeyDown(HWND window, UINT key);
    void OnTrayIcon(HWND window, UINT mouseMessage);
    // A window of another program became active.
    void OnOtherProgramActivated();
    // Says once, at start, that an elevated VELK hears only elevated programs.
    void TellIfElevated();
    // Shown by whatever path, or moved: the repaint tick wakes, at once when
    // shown; hidden: it stops, and nothing runs while nothing is shown.
    void OnWindowPosChanged(HWND window, const WINDOWPOS* position);
    // The cursor in the panel's client coordinates.
    POINT CursorInPanel() const;

    // PanelInput.cpp.
    void OnTimer(HWND window, UINT_PTR id);
    // Asks the loader for the icons of the items that wait for theirs and
    // for the item dialog's; the icon timer takes the answers.
    void AskForIcons();
    // The icons the loader has looked up so far, each repainted in its cell
    // and shown by the item dialog when it waits for it.
    void TakeArrivedIcons();
    void OnMouseWheel(HWND window, int delta, int screenX, int screenY);
    // WM_MOUSEMOVE of the panel or of the name editor (`window`): the tick
    // follows the cursor while it moves over either, and once more after the
    // WM_MOUSELEAVE asked for here.
    void OnCursorMoved(HWND window);
    void OnPrimaryClick(HWND window);
    // The save the timer asked for, handed to the writer; bytes the last
    // save wrote are not written again.
    void SaveChanges();
    // Saves have kept failing for a while: the user is told.
    void OnSaveFailed();

    // DragDrop.cpp.
    // WM_LBUTTONDOWN and WM_RBUTTONDOWN: the hook library tracks the gesture
    // and the panel holds the mouse until the button comes up.
    void OnButtonDown(int dragKind);
    void OnButtonUp();
    // The mouse went to another window during a press: the gesture ends.
    void OnCaptureChanged(HWND newCapture);
    // WM_MOUSEMOVE: while the panel holds the mouse no WM_SETCURSOR comes.
    void OnMouseMove();
    // WM_SETCURSOR while the hook library reports a drag: true when a drag
    // cursor was set.
    bool OnSetCursor();
    void OnDropFiles(HDROP drop);
    // After sets were removed or overwritten the shown index never names a
    // set that is no longer there.
    void KeepCurrentSetValid();

    // ContextMenu.cpp. 43001: the menu for the cursor's position.
    void OnSecondaryClick();
    // The cell under `menuPoint` when it holds an item of the shown set.
    CellRef ItemAtMenuPoint() const;
    // Whether the menu offers the item dialog at `menuPoint`; its key
    // (CTRL+I) opens the dialog only then.
    bool ItemDialogOffered() const;

    // NameEditProc.cpp. 40006, 40007 and the typed command.
    void OnEscapeCommand();
    void OnEnterCommand();
    void RunTypedCommand();

    // Dialogs.cpp. The commands that open dialogs or ask before deleting.
    // Where the item dialog puts its item: the cell, the gap or the set
    // under `menuPoint`.
    ItemTarget ItemTargetAtMenuPoint() const;
    void OnDeleteItemCommand();
    void OnDeleteSetCommand();
    void ShowHelp();

    // What the last timer repaint showed: a tick with the same inputs has
    // nothing new to draw. Any other repaint makes it stale.
    struct TickInputs {
        POINT cursor;
        uint16_t currentSet;
        int pinState;
        bool setDialogOpen;
        bool editorReadOnly;
        bool operator==(const TickInputs& o) const {
            return cursor.x == o.cursor.x && cursor.y == o.cursor.y && currentSet == o.currentSet &&
                   pinState == o.pinState && setDialogOpen == o.setDialogOpen &&
                   editorReadOnly == o.editorReadOnly;
        }
    };
    TickInputs lastTick = {};
    bool lastTickValid = false;
    // A save is scheduled and its timer runs.
    bool savePending = false;
    // The panel lets the mouse go itself: no gesture is cancelled for it.
    bool releasingCapture = false;
};

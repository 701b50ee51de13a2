// The one application object: owns every component and window handle of the
// launcher, runs the start-up, the message loop and the panel's messages.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "app/BaseObject.h"
#include "wallpaper/PackedColor.h"

class LaunchSetList;
class TabStrip;
class ItemGrid;
class WallpaperRenderer;
class CommandHistory;
class NameEditor;
class PinButton;
class NewSetButton;
class ToggleButton;
class Settings;
class WallpaperPreview;

constexpr char kAppTitle[] = "VELK ver. 0.01";
constexpr int kPanelWidth = 256;
constexpr int kPanelHeight = 192;
// The data file, in the program's folder.
constexpr char kDataFile[] = "$p\\QXDATA.dat";
// What the notification icon sends the panel (WM_APP + 100).
constexpr UINT kTrayCallbackMessage = 0x8064;
// The panel's timers: the 32 ms repaint, and the one-shot save after a change.
constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT_PTR kSaveTimer = 2;
// What a confirmation asks about (`confirmKind`).
constexpr int32_t kConfirmOverwriteItem = 1;
constexpr int32_t kConfirmOverwriteSet = 2;
constexpr int32_t kConfirmDeleteItem = 3;
constexpr int32_t kConfirmDeleteSet = 4;
// setDialogMode: what the launch set dialog does on OK.
constexpr int32_t kSetDialogNew = 0;
constexpr int32_t kSetDialogChange = 1;

// The bold face the current set's name is drawn in.
HFONT CreateSetNameFont();

class App : public BaseObject {
public:
    App();
    ~App() override;

    // The whole life of the panel: Start, the message loop, Finish. Returns 1.
    int Run(HINSTANCE instance, const char* className, int width, int height);
    // Everything before the message loop: class, panel, components, data,
    // the first paint and showing the panel.
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
    // 41001: shows the hidden panel at the cursor, hides the visible one.
    void ShowOrHidePanel();
    // 43005: hides the panel unless one of its modeless dialogs is open.
    void HidePanel();
    void AddTrayIcon(HWND window, UINT id, HICON icon);
    // Modeless dialogs are toggles: opens dialog `id` into the slot, or
    // closes the one the slot holds.
    void ToggleModeless(HWND& slot, int id);
    // Destroys the slot's dialog, forgets it and gives the panel the focus back.
    void CloseModeless(HWND& slot);
    // 40013 (mode 0, a new set) and 40016 (mode 1, rename `menuSet`).
    void ToggleSetDialog(int32_t mode);
    // Keeps the drawing area at width x height with the name editor's strip
    // below it; returns the new outer rectangle.
    RECT FixPanelSize(HWND window, int width, int height);
    void PlaceNameEdit(HWND window);

    // The hit code of a client point (panel/HitCode.h).
    uint16_t PanelHitTest(int x, int y) const;
    // Brings the back buffer up to date and copies it to the window. Only
    // the low byte of each switch counts; (x, y) is the cursor in client
    // coordinates, (-1, -1) for none.
    void RepaintPanel(int rebuild, int icons, int hover, int x, int y);
    void PresentPanel(HDC target);
    void UpdateHover(HDC dc, int x, int y);
    // The status line's text for the hit code, while the editor is read-only.
    void UpdateStatusText(uint16_t code, int suppress);
    // Starts the item through the shell and hides the panel unless pinned.
    void LaunchItemAt(uint16_t set, uint16_t index);

    LRESULT PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NameEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Ends a confirmation dialog or the About box and forgets what it asked about.
    void EndSmallDialog(HWND dialog, int result);

    // Name editor (NameEditProc.cpp): on makes it the command line, off the
    // status line again, keeping what was typed as the pending text.
    void SetEditing(bool on);
    bool IsEditing() const;
    // 40006 and 40007.
    void OnEscapeCommand();
    void OnEnterCommand();
    void RunTypedCommand();

    // Context menu (ContextMenu.cpp). The menu for `menuPoint`, built afresh;
    // records `menuItem` and `menuSet`.
    HMENU BuildContextMenu();
    void ShowContextMenu();
    // 43001: the menu for the cursor's position.
    void OnSecondaryClick();

    // Confirmations and the About box (ConfirmDialog.cpp, AboutBox.cpp).
    // Opens dialog 148 or 150 for the kind and subjects; true on OK.
    bool Confirm(int32_t kind, int32_t first, int32_t second);
    void OnDeleteItemCommand();
    void OnDeleteSetCommand();
    void ShowAbout();
    void ShowHelp();

    // Drag and drop (DragDrop.cpp), on hit codes of the panel.
    int32_t Judge(uint16_t press, uint16_t release) const;
    // WM_SETCURSOR while IsDragging(), with the hit code under the cursor:
    // true (the message's result is then 0) when a drag cursor was set.
    bool SetDragCursor(uint16_t release);
    // 43002 and 43004 with the hit code under the cursor now.
    void CarryOutDrop(uint16_t release);
    // WM_DROPFILES: the one dropped file and the drop point (client
    // coordinates); finishes the drop. False, adding nothing, for several files.
    static bool TakeDroppedFile(HDROP drop, char* path, UINT size, POINT* point);
    // One file dropped from the shell onto the hit code.
    void DropFileAt(const char* path, uint16_t hit);
    // WM_SETCURSOR while the hook library reports a drag: true when a drag
    // cursor was set.
    bool OnSetCursor();
    // WM_DROPFILES: one file from the shell becomes an item where it landed.
    void OnDropFiles(HDROP drop);
    // Everything after a change of the launch data: the full repaint and the save.
    void FullRepaint();
    // Something the data file holds has changed: it is written within a
    // second, once for all the changes of that second.
    void ScheduleSave();
    // The save the timer asked for; bytes the last save wrote are not
    // written again.
    void SaveChanges();
    // After sets were removed or overwritten the shown index never names a
    // set that is no longer there.
    void KeepCurrentSetValid();
    // The modeless dialogs' procedures, one source file each.
    INT_PTR HotKeyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR WallpaperProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR ItemProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR SetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // Fields, in the order the rest of the launcher knows them.
    int32_t running = 1;
    HINSTANCE instance = nullptr;
    HWND panel = nullptr;
    HWND nameEdit = nullptr;
    WNDPROC editDefaultProc = nullptr;
    HWND hotKeyDialog = nullptr;
    HWND wallpaperDialog = nullptr;
    HWND itemDialog = nullptr;
    HWND setDialog = nullptr;
    uint16_t pressHit = 0;
    uint16_t currentSet = 0;
    POINT menuPoint = {};
    int32_t itemDialogTarget = 0;
    int32_t menuItem = -1;
    uint16_t pressSet = 0;
    int32_t setDialogMode = 0;
    uint16_t menuSet = 0;
    int32_t historyPos = 0;
    LaunchSetList* launchSets = nullptr;
    TabStrip* tabStrip = nullptr;
    ItemGrid* itemGrid = nullptr;
    WallpaperRenderer* wallpaper = nullptr;
    CommandHistory* history = nullptr;
    NameEditor* nameEditor = nullptr;
    PinButton* pinButton = nullptr;
    NewSetButton* newSetButton = nullptr;
    Settings* settings = nullptr;
    WallpaperPreview* wallpaperPreview = nullptr;
    int32_t confirmKind = 0;
    int32_t confirmFirst = -1;
    int32_t confirmSecond = -1;
    NOTIFYICONDATAA trayIcon = {};

private:
    // The wallpaper dialog's buttons, boxes and value edits.
    void OnWallpaperCommand(HWND dialog, int id);
    // Panel messages (PanelWindow.cpp).
    bool OnCreate(HWND window, const CREATESTRUCTA* create);
    void OnDestroy(HWND window);
    void OnEndSession(HWND window, bool ending);
    void OnSize(HWND window);
    void OnSizing(HWND window, RECT* sizing);
    void OnPaint(HWND window);
    bool OnCommand(HWND window, int id);
    void OnButtonDown(int dragKind);
    void OnTrayIcon(HWND window, UINT mouseMessage);
    void OnTimer(HWND window, UINT_PTR id);
    void OnMouseWheel(HWND window, int delta, int screenX, int screenY);
    void OnKeyDown(HWND window, UINT key);
    void OnPrimaryClick(HWND window);
    // The cursor in the panel's client coordinates.
    POINT CursorInPanel() const;
    void DrawSetName(HDC dc);
    void DrawButton(HDC dc, const ToggleButton& button, int x, int y);

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
                   pinState == o.pinState && setDialogOpen == o.setDialogOpen && editorReadOnly == o.editorReadOnly;
        }
    };
    TickInputs lastTick = {};
    bool lastTickValid = false;
    // A save is scheduled and its timer runs.
    bool savePending = false;
};

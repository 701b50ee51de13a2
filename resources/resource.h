// Resource ids and command ids of VELK: the one place they are named.
#pragma once

// Icons and cursors.
#define IDI_VELK 102          // notification icon and About box
#define IDI_PIN_OUT 122       // pin pulled out: the panel hides by itself
#define IDI_PIN_IN 123        // pin pushed in: the panel stays
#define IDI_NEW_SET 141       // the new-set button
#define IDI_LAUNCH_SET 153    // a launch set, in the confirmation dialogs
#define IDI_DEFAULT_ITEM 160  // an item whose own icon cannot be had
#define IDC_DRAG_INTO_SET 136
#define IDC_DRAG_INSERT 137
#define IDC_DRAG_PUT 138
#define IDC_DRAG_NO 143

// Accelerators.
#define IDR_ACCELERATORS 116

// Dialogs.
#define IDD_HOTKEY 132
#define IDD_WALLPAPER 133
#define IDD_ITEM 134
#define IDD_SET 142
#define IDD_CONFIRM_OVERWRITE 148
#define IDD_CONFIRM_DELETE 150
#define IDD_ABOUT 161

// Strings.
#define IDS_HOTKEY_SETTINGS 1
#define IDS_EXIT 2
#define IDS_WALLPAPER_SETTINGS 3
#define IDS_FILE_NOT 4
#define IDS_UNKNOWN_DATA 5
#define IDS_ITEM_SETTINGS 6
#define IDS_ITEM_CREATE 7
#define IDS_ITEM_INSERT 8
#define IDS_ITEM_CREATE_AT 9
#define IDS_ITEM_CHANGE 10
#define IDS_BAD_WORKING_FOLDER 11
#define IDS_NEED_NAME 12
#define IDS_DELETE_ITEM 13
#define IDS_SET_CREATE_CAPTION 14
#define IDS_SET_CHANGE_CAPTION 15
#define IDS_NEW_LAUNCH_SET 16
#define IDS_CHANGE_SET 17
#define IDS_CREATE_SET 18
#define IDS_DELETE_SET 19
#define IDS_NO_ROOM 21
#define IDS_ITEM_SETTINGS_OPEN 22
#define IDS_SET_SETTINGS_OPEN 23
#define IDS_PIN_HINT 24
#define IDS_CONFIRM_DELETE_SET 26
#define IDS_CONFIRM_DELETE_ITEM 27
#define IDS_CONFIRM_OVERWRITE_SET 28
#define IDS_CONFIRM_OVERWRITE_ITEM 29
#define IDS_ALREADY_RUNNING 30
#define IDS_ABOUT 31
#define IDS_HELP 32

// Commands: WM_COMMAND ids from the menu, the accelerators, the hook library
// and the panel itself.
#define IDM_EXIT 40005
#define IDM_ESCAPE 40006
#define IDM_ENTER 40007
#define IDM_HOTKEY_DIALOG 40011
#define IDM_WALLPAPER_DIALOG 40012
#define IDM_NEW_SET 40013
#define IDM_ITEM_DIALOG 40014
#define IDM_DELETE_ITEM 40015
#define IDM_CHANGE_SET 40016
#define IDM_DELETE_SET 40017
#define IDM_ABOUT 40018
#define IDM_HELP 40019
#define IDM_TRIGGER 41001
#define IDM_SECONDARY_CLICK 43001
#define IDM_SECONDARY_DRAG 43002
#define IDM_PRIMARY_CLICK 43003
#define IDM_PRIMARY_DRAG 43004
#define IDM_HIDE 43005

// Controls.
#define IDC_NAME_EDIT 103

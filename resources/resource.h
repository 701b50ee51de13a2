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
#define IDS_ELEVATED 50         // VELK runs elevated: the trigger reaches only elevated programs
#define IDS_PATH_CHARACTERS 52  // a file whose name the code page cannot hold
#define IDS_PATH_TOO_LONG 53    // a file whose path does not fit a path buffer
#define IDS_DATA_UNREADABLE_TITLE 54
#define IDS_DATA_UNREADABLE 55
#define IDS_SAVE_FAILED_TITLE 56
#define IDS_SAVE_FAILED 57
#define IDS_ONE_FILE_AT_A_TIME 58  // several files dropped on the item dialog
#define IDS_END_SAVE_FAILED 59     // the save at the end of the session failed

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

// Dialog controls. Ids 1 and 2 are IDOK and IDCANCEL; the edits 1014 to 1016
// serve different roles in different dialogs, so they carry one name per role.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)  // labels and frames no code addresses
#endif

// Hot-key dialog (132): the boxes for the trigger's parts.
#define IDC_HOTKEY_MIDDLE 1000
#define IDC_HOTKEY_CTRL 1001
#define IDC_HOTKEY_ALT 1002
#define IDC_HOTKEY_SHIFT 1003

// Wallpaper dialog (133).
#define IDC_WALLPAPER_APPLY 3
#define IDC_WALLPAPER_OPEN 4
#define IDC_WALLPAPER_CLEAR 5
#define IDC_WALLPAPER_BG_COLOR 6
#define IDC_WALLPAPER_PREVIEW 1008  // frame of the 128 x 96 preview
#define IDC_WALLPAPER_SWATCH 1009   // frame of the colour swatch
#define IDC_WALLPAPER_RED 1010      // trackbars
#define IDC_WALLPAPER_BLUE 1011
#define IDC_WALLPAPER_GREEN 1012
#define IDC_WALLPAPER_ALPHA 1013
#define IDC_WALLPAPER_RED_VALUE 1014  // the trackbars' values as digits
#define IDC_WALLPAPER_GREEN_VALUE 1015
#define IDC_WALLPAPER_BLUE_VALUE 1016
#define IDC_WALLPAPER_ALPHA_VALUE 1017
#define IDC_WALLPAPER_FILE_NAME 1025
#define IDC_WALLPAPER_FILL 1026

// Launch item dialog (134).
#define IDC_ITEM_BROWSE 4
#define IDC_ITEM_NAME 1014
#define IDC_ITEM_TARGET 1015
#define IDC_ITEM_WORKING_FOLDER 1016
#define IDC_ITEM_ICON 1031
#define IDC_ITEM_CAPTION_LINE 1034  // group box whose text says what OK will do

// Launch set dialog (142).
#define IDC_SET_NAME 1014
#define IDC_SET_CAPTION_LINE 1035  // group box whose text says what OK will do

// Confirmation dialogs (148 two rows, 150 one row).
#define IDC_CONFIRM_QUESTION 1038  // group box whose text is the question
#define IDC_CONFIRM_FIRST_ICON 1039
#define IDC_CONFIRM_SECOND_ICON 1040
#define IDC_CONFIRM_SECOND_NAME 1042
#define IDC_CONFIRM_FIRST_NAME 1043

// About box (161).
#define IDC_ABOUT_TITLE 1045
#define IDC_ABOUT_COPYRIGHT 1046
#define IDC_ABOUT_CONTACT 1047
#define IDC_ABOUT_HOOK_VERSION 1048

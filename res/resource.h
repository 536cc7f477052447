// Resource ids of Tevanor, one block per dialog. Included by the .rc files and by the C++
// descriptions of the same templates, so both use one set of numbers.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Pictures shared by several dialogs.
#define IDI_MAIN 128            // the program's icon, 32x32 and 16x16
#define IDB_CANCEL_BUTTON 138   // "Cancela", 81x29
#define IDB_OK_BUTTON 142       // "OK", 81x29
#define IDB_NOTICE_PICTURE 161  // the block notice's picture, 200x100

// About box.
#define IDD_ABOUT 100

// Password prompt.
#define IDD_PASSWORD 143
#define IDC_PASSWORD_LABEL 1014
#define IDC_PASSWORD_EDIT 1015
#define IDC_CONFIRM_LABEL 1016
#define IDC_CONFIRM_EDIT 1018
#define IDC_PASSWORD_CANCEL 1019

// Welcome.
#define IDD_WELCOME 149

// Block notice.
#define IDD_BLOCK_NOTICE 160
#define IDC_NOTICE_TEXT 1040

// Control panel.
#define IDD_PANEL 102
#define IDM_ABOUTBOX 16    // system menu command of the about box
#define IDB_GUARD_OFF 133  // "Detecta" while the guardian is off, 79x58
#define IDB_GUARD_ON 134   // "Detecta" while the guardian is on
#define IDB_PASSWORDS_BUTTON 135
#define IDB_FILTER_BUTTON 136
#define IDB_HISTORY_BUTTON 137
#define IDB_SITES_BUTTON 157
#define IDB_EXIT_BUTTON 162
#define IDB_TRAY 168         // two 16x16 tray images: guardian on, guardian off
#define IDB_HELP_BUTTON 174  // 62x42
#define IDC_GUARD_SWITCH 1000
#define IDC_PANEL_PASSWORDS 1001
#define IDC_PANEL_FILTER 1002
#define IDC_PANEL_SITES 1003
#define IDC_GUARD_GROUP 1004
#define IDC_PASSWORDS_GROUP 1005
#define IDC_FILTER_GROUP 1006
#define IDC_SITES_GROUP 1007
#define IDC_FILTER_TEXT 1008
#define IDC_GUARD_TEXT 1009
#define IDC_SITES_TEXT 1010
#define IDC_PASSWORDS_TEXT 1011
#define IDC_PANEL_HISTORY 1012
#define IDC_HISTORY_GROUP 1013
#define IDC_EXIT_GROUP 1014
#define IDC_HELP_GROUP 1016
#define IDC_PANEL_EXIT 1024
#define IDC_HISTORY_TEXT 1030
#define IDC_EXIT_TEXT 1031
#define IDC_HELP_TEXT 1033
#define IDC_PANEL_HELP 1040
#define IDC_CTRL_S_TEXT 1049

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

// Web notice: the placeholder that the browser view replaces.
#define IDD_WEB_NOTICE 148
#define IDC_WEB_NOTICE_VIEW 1025

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
// Pictures of the parent's editing dialogs.
#define IDB_FILTER_ROWS 130        // filter rows: six 10x10 images in a 60x10 strip
#define IDB_ADD_WORD_BUTTON 139    // "Agregar", 81x29
#define IDB_DELETE_BUTTON 140      // "Borrar", 81x29
#define IDB_EMPTY_BUTTON 141       // "Vaciar", 81x29
#define IDB_SHOW_BUTTON 144        // "Examina", 81x29
#define IDB_SITE_ROWS 152          // site rows: allowed, prohibited; 10x10 each
#define IDB_ALLOW_BUTTON 154       // "Agrega" of the site entry
#define IDB_ADD_SITE_BUTTON 155    // "Agr. Sitio"
#define IDB_BLOCK_BUTTON 156       // "Bloquea"
#define IDB_ALLOWED_LIST_BUTTON 158     // "Lista permitidos"
#define IDB_PROHIBITED_LIST_BUTTON 159  // "Lista prohibidos"
#define IDB_MOVE_BUTTON 163        // "Pasar"
#define IDB_OPTIMISE_BUTTON 164    // "Optimización"

// Filter configuration.
#define IDD_FILTER_CONFIG 129
#define IDC_FILTER_CANCEL 1009
#define IDC_FILTER_ACCEPT 1010
#define IDC_FILTER_ADD 1011
#define IDC_FILTER_EMPTY 1012
#define IDC_FILTER_DELETE 1013
#define IDC_FILTER_LIST 1014
#define IDC_FILTER_LIBRARY_GROUP 1026
#define IDC_LEVEL_OFF 1027
#define IDC_LEVEL_MEDIUM 1028
#define IDC_LEVEL_TOTAL 1029
#define IDC_CHAT_GROUP 1030
#define IDC_JAVA_CHAT 1051
#define IDC_MIRC_CHAT 1053
#define IDC_MIRC_TEXT 1055

// Word entry.
#define IDD_WORD_ENTRY 131
#define IDC_WORD_EDIT 1015
#define IDC_WORD_CANCEL 1019

// History.
#define IDD_HISTORY 132
#define IDC_HISTORY_CLOSE 1009
#define IDC_HISTORY_SHOW 1010
#define IDC_HISTORY_CLEAR 1012
#define IDC_HISTORY_LIST 1013
#define IDC_HISTORY_PROHIBIT 1014
#define IDC_HISTORY_ALLOW 1016

// Site administration.
#define IDD_SITE_ADMIN 150
#define IDC_SITES_ALLOWED_GROUP 1004
#define IDC_SITES_PROHIBITED_GROUP 1005
#define IDC_SITES_CANCEL 1009
#define IDC_SITES_ACCEPT 1010
#define IDC_SITES_DELETE 1013
#define IDC_SITES_SHOW 1014
#define IDC_SITES_BUILTIN 1022
#define IDC_SITES_ALLOWED 1033
#define IDC_SITES_PROHIBITED 1034
#define IDC_SITES_ADD 1035
#define IDC_SITES_EMPTY_ALLOWED 1036
#define IDC_SITES_EMPTY_PROHIBITED 1037
#define IDC_SITES_OPTIMISE 1039
#define IDC_SITES_MOVE 1041

// Site entry.
#define IDD_SITE_ENTRY 151
#define IDC_SITE_EDIT 1015
#define IDC_SITE_ALLOW 1
#define IDC_SITE_BLOCK 1020  // not 2 (IDCANCEL), so that Esc never prohibits
#define IDC_SITE_CANCEL 1019

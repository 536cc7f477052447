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

/* Resource, menu and command identifiers: the one place they are written as numbers,
   shared by the resource script, the C++ code and the test scripts, so plain C. */
#ifndef QUILLANE_RESOURCE_IDS_H
#define QUILLANE_RESOURCE_IDS_H

#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109
/* The card window's class, the text of IDS_WINDOW_CLASS: the installer and the test
   scripts find running cards by it. */
#define QUILLANE_WINDOW_CLASS "QUILLANE"

#define IDI_QUILLANE 107
#define IDI_SMALL 108

#define IDR_MAIN_MENU 109
#define IDR_ACCELERATORS 109

/* Commands, carried in the low word of WM_COMMAND: the main menu and its shortcuts,
   the card's buttons (their control ids), and the notification icon's menu. */
#define CMD_ABOUT 104
#define CMD_EXIT 105
#define CMD_OPTIONS 10000
#define CMD_NEXT_VERSE 12002
#define CMD_GO_FORTH 12003
#define CMD_CONTEXT 12004
#define CMD_TRAY_SHOW 32769
#define CMD_TRAY_HIDE 32770
#define CMD_TRAY_EXIT 32771

#define IDD_ABOUT 103
#define IDD_OPTIONS 158
#define IDC_TRANSLATION_LIST 1003
#define IDC_AUTOSTART_CHECK 1004

#define IDB_NEXT_BUTTON 153
#define IDB_CONTEXT_BUTTON 154
#define IDB_GO_FORTH_BUTTON 155

#define IDR_HOLIDAYS 129
#define IDR_FIRST_PICTURE 131
#define IDR_LAST_PICTURE 138
#define IDR_FIRST_VERSES 140
#define IDR_LAST_VERSES 152

#endif

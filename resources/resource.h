// Resource symbols, grouped by kind.
#pragma once

// Strings
#define IDS_TITLE 103
#define IDS_WINDOW_CLASS 109
#define IDS_ERR_WRITE_FILE 111
#define IDS_ERR_CREATE_FILE 112
#define IDS_ERR_CREATE_DIR 113
#define IDS_ERR_LOAD_RESOURCE 114
#define IDS_ERR_CREATE_KEY 115
#define IDS_INSTALL_KEY 116
#define IDS_PATH_VALUE 117
#define IDS_UPDATED 118
#define IDS_INSERT_CD 119
#define IDS_WRONG_CD 120
#define IDS_INCOMPLETE 121
#define IDS_RUN_VALUE 122
#define IDS_PROFILE_FILE 2001
#define IDS_PROFILE_LUMARIS_PAL 2002
#define IDS_PROFILE_ORBEL_NTSC 2003
#define IDS_PROFILE_QUILLON_SECAM 2004

// Dialogs and their controls
#define IDD_ABOUT 103
#define IDC_ABOUT_ICON 2

// Icons
#define IDI_MAIN 107

// Menus, accelerators and custom data
#define IDR_MAIN 109
#define IDR_PROFILE 1001

// Menu commands
#define CMD_ABOUT 104
#define CMD_EXIT 105

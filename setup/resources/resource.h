// Resource ids of setup: dialog templates, their controls and the icon.
#pragma once

#define IDD_BACKGROUND 102
#define IDR_MAINFRAME 128
#define IDD_PROGRESS 130
#define IDD_DESTINATION 131
#define IDD_STARTMENU 132
#define IDD_INIT 133
#define IDD_AGREEMENT 135

#define IDC_PROGRESS 1002
#define IDC_CURRENT_FILE 1003
#define IDC_DEST_DIR 1005
#define IDC_FOLDER 1006
#define IDC_FOLDER_LIST 1007
#define IDC_PICTURE 1008
#define IDC_TEXT 1009
#define IDC_SCOPE 1011
#define IDC_DEST_GROUP 1012
#define IDC_SCOPE_LABEL 1013
#define IDC_CURRENT_GROUP 1014
#define IDC_PROGRESS_GROUP 1015
#define IDC_PLEASE_WAIT 1016
#define IDC_AGREEMENT_TEXT 1017
#define IDC_QUESTION 1020

// The dialog initialisation resource type, and the combo box message in
// its 16-bit numbering.
#define RT_DLGINIT 240
#define DLGINIT_CB_ADDSTRING 0x0403

// Control ids of the self-test dialog.
#pragma once
#define IDD_SELFTEST 100
#define IDC_NAME 101
#define IDC_LIST 102
#define IDC_COMBO 103
#define IDC_PROGRESS 104
#define IDC_EVENT 105
#define IDC_GREET 106
#define IDC_OFF 107

// Ids of the window layer tests' own dialog templates.
#pragma once
#define IDD_LAYER_TEST 900
#define IDD_LAYER_DAMAGED_INIT 901
#define IDC_LAYER_EDIT 911
#define IDC_LAYER_COMBO 912
#define IDC_LAYER_LIST 913
#define IDC_LAYER_EXTRA 914

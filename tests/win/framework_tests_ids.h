// Resource ids of the framework tests' own dialogs.
#pragma once
#define IDD_CENTRED     1
#define IDD_NESTED      2
#define IDD_PLACED      3
#define IDI_TEST        10
#define IDC_BUTTON      100
#define IDC_REFLECTED   101
#define IDC_PASSED_ON   102
#define IDC_CHECK_A     103
#define IDC_NUMBER      104
#define IDC_CHECK_B     105
#define IDC_THROW_OOM   106
#define IDC_THROW_OTHER 107
#define IDC_HOT        1015

// Resource ids of Backtracker: dialogs, icon, controls, strings.
#pragma once

#define IDR_MAINFRAME               128
#define IDD_BACKTRACKER_DIALOG      102
#define IDD_VERSION                 129
#define IDD_EXIT_QUERY              130

// Main dialog
#define IDC_REOPEN                  1000
#define IDC_DISABLE_ALREADY_OPEN    1002
#define IDC_CLOSE_AFTER_EXECUTE     1003
#define IDC_ONLY_MY_HISTORY         1004
#define IDC_VERSION                 1005
#define IDC_README                  1006
#define IDC_TARGET_HTTP             1010
#define IDC_COUNT                   1011
#define IDC_COUNT_SPIN              1012
#define IDC_HOT_ICON                1015

// Exit question
#define IDC_CLOSE_WITHOUT_SAVING    1001
#define IDC_NO_MORE_QUERY           1006
#define IDC_SAVE_AND_CLOSE          1007

// Version dialog
#define IDC_WEB_LINK                1013
#define IDC_MAIL_LINK               1014

// Strings
#define IDS_FATAL_OLE_INIT          200
#define IDS_SETTINGS_NOT_SAVED      201
#define IDS_BROWSER_CREATE_FAILED   202
#define IDS_NO_URL_FOUND            203

// Link opener
#define IDS_LINK_ERROR_PREFIX       300
#define IDS_LINK_ERROR_UNKNOWN      301
#define IDS_LINK_ERROR_0            310
#define IDS_LINK_ERROR_2            312
#define IDS_LINK_ERROR_3            313
#define IDS_LINK_ERROR_5            315
#define IDS_LINK_ERROR_8            318
#define IDS_LINK_ERROR_11           321
#define IDS_LINK_ERROR_26           336
#define IDS_LINK_ERROR_27           337
#define IDS_LINK_ERROR_28           338
#define IDS_LINK_ERROR_29           339
#define IDS_LINK_ERROR_30           340
#define IDS_LINK_ERROR_31           341
#define IDS_LINK_ERROR_32           342

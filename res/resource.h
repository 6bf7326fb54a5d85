// Resource ids of Backtracker: dialogs, icon, controls, strings.
#pragma once

#define IDR_MAINFRAME                        128
#define IDD_BACKTRACKER_DIALOG               102
#define IDD_VERSION                          129
#define IDD_EXIT_QUERY                       130
#define IDD_SOURCES                          131
#define IDD_PAGE_LIST                        132

// Main dialog
#define IDC_REOPEN                           1000
#define IDC_DISABLE_ALREADY_OPEN             1002
#define IDC_CLOSE_AFTER_EXECUTE              1003
#define IDC_ONLY_MY_HISTORY                  1004
#define IDC_VERSION                          1005
#define IDC_README                           1006
#define IDC_TARGET_HTTP                      1010
#define IDC_COUNT                            1011
#define IDC_COUNT_SPIN                       1012
#define IDC_HOT_ICON                         1015

// Exit question
#define IDC_CLOSE_WITHOUT_SAVING             1001
#define IDC_NO_MORE_QUERY                    1006
#define IDC_SAVE_AND_CLOSE                   1007

// Sources dialog, and its item in the main dialog's system menu (below 0xF000, a multiple of 16)
#define IDM_SOURCES                          0x0010
#define IDC_SOURCE_LIST                      1024
#define IDC_SOURCE_TABS                      1025

// List of recent pages, and its item in the main dialog's system menu
#define IDM_LIST                             0x0020
#define IDM_WINDOWS                          0x0030
#define IDC_LIST_FILTER                      1030
#define IDC_LIST_STATUS                      1031
#define IDC_LIST_PAGES                       1032
#define IDC_LIST_CHECK_ALL                   1033
#define IDC_LIST_CHECK_NONE                  1034
#define IDC_LIST_COPY                        1035
#define IDC_LIST_UNREAD                      1036
#define IDC_LIST_VIEW_PAGES                  1037
#define IDC_LIST_VIEW_WINDOWS                1038
#define IDC_LIST_SAVE                        1039
#define IDC_LIST_PERIOD                      1043
// ... and the commands of its context menu
#define IDM_LIST_OPEN                        1040
#define IDM_LIST_COPY_ADDRESS                1041
#define IDM_LIST_COPY_TITLE                  1042

// Version dialog
#define IDC_WEB_LINK                         1013
#define IDC_MAIL_LINK                        1014

// Strings
#define IDS_FATAL_OLE_INIT                   200
#define IDS_SETTINGS_NOT_SAVED               201
#define IDS_BROWSER_CREATE_FAILED            202
#define IDS_NO_URL_FOUND                     203
#define IDS_README_NOT_FOUND                 204
#define IDS_README_NOT_OPENED                205
#define IDS_MENU_SOURCES                     206
#define IDS_SOURCE_PROFILES                  207
#define IDS_MENU_LIST                        209
#define IDS_LIST_COLUMN_TITLE                210
#define IDS_LIST_COLUMN_ADDRESS              211
#define IDS_LIST_COLUMN_SOURCE               212
#define IDS_LIST_COLUMN_TIME                 213
#define IDS_LIST_COLUMN_OPEN                 214
#define IDS_LIST_LOADING                     215
#define IDS_LIST_LOADING_PROFILES            216
#define IDS_LIST_CHECKED                     217
#define IDS_LIST_OPEN_MARK                   218
#define IDS_LIST_URL_CACHE                   219
#define IDS_LIST_COPY_FAILED                 220
#define IDS_SOURCE_URL_CACHE                 221
#define IDS_SOURCE_NO_PROGRAM                222
#define IDS_SOURCE_NONE_CHOSEN               223
#define IDS_UNREAD_MISSING                   224
#define IDS_UNREAD_EMPTY                     225
#define IDS_UNREAD_LOCKED                    226
#define IDS_UNREAD_DAMAGED                   227
#define IDS_UNREAD_UNKNOWN_SCHEMA            228
#define IDS_UNREAD_TOO_SLOW                  229
#define IDS_USAGE                            230
#define IDS_BAD_SWITCH                       231
#define IDS_SETTINGS_UNREADABLE              232
#define IDS_README_FILE                      233
#define IDS_UNREAD_SEPARATOR                 234
#define IDS_NOTHING_NO_SOURCE                235
#define IDS_NOTHING_NO_PROGRAM               236
#define IDS_OPEN_BROWSER_WINDOW_FAILED       237
#define IDS_OPEN_ERROR_CODE                  238
#define IDS_OPEN_NONE_OPENED                 239
#define IDS_OPEN_SOME_FAILED                 240
#define IDS_OPEN_MORE_FAILED                 241
#define IDS_OPEN_REFUSED                     242
#define IDS_LIST_NO_PROGRAM                  243
#define IDS_LIST_NO_PROGRAM_NOTE             244
#define IDS_LIST_CHECKED_SHOWN               245
#define IDS_LIST_MENU_OPEN                   246
#define IDS_LIST_MENU_COPY_ADDRESS           247
#define IDS_LIST_MENU_COPY_TITLE             248
#define IDS_LIST_UNREAD_SEPARATOR            249
#define IDS_MENU_WINDOWS                     250
#define IDS_WINDOWS_CAPTION                  251
#define IDS_LIST_COLUMN_GROUP                252
#define IDS_LIST_COLUMN_PINNED               253
#define IDS_LIST_PINNED_MARK                 254
#define IDS_WINDOW_HEADER                    255
#define IDS_WINDOW_OPEN_NOTE                 256
#define IDS_WINDOW_RESTORES_NOTE             257
#define IDS_NO_WINDOW_FOUND                  258
#define IDS_SESSION_UNREADABLE               259
#define IDS_SESSION_ENCRYPTED                260
#define IDS_SESSION_OUT_OF_DATE              261
#define IDS_WINDOW_NO_GROUP_TITLE            262
#define IDS_SAVE_FILTER                      263
#define IDS_SAVE_FAILED                      264
#define IDS_SAVE_COLUMNS                     265
#define IDS_PERIOD_ALL                       266
#define IDS_PERIOD_TODAY                     267
#define IDS_PERIOD_WEEK                      268
#define IDS_PERIOD_MONTH                     269
#define IDS_LIST_SEARCHING                   270
#define IDS_LIST_NOTHING_MATCHES             271
#define IDS_LIST_SEARCH_STARTED              272

// Link opener
#define IDS_LINK_ERROR_PREFIX                300
#define IDS_LINK_ERROR_UNKNOWN               301
#define IDS_LINK_ERROR_OUT_OF_RESOURCES      310
#define IDS_LINK_ERROR_SE_ERR_FNF            312
#define IDS_LINK_ERROR_SE_ERR_PNF            313
#define IDS_LINK_ERROR_SE_ERR_ACCESSDENIED   315
#define IDS_LINK_ERROR_SE_ERR_OOM            318
#define IDS_LINK_ERROR_ERROR_BAD_FORMAT      321
#define IDS_LINK_ERROR_SE_ERR_SHARE          336
#define IDS_LINK_ERROR_SE_ERR_ASSOCINCOMPLETE 337
#define IDS_LINK_ERROR_SE_ERR_DDETIMEOUT     338
#define IDS_LINK_ERROR_SE_ERR_DDEFAIL        339
#define IDS_LINK_ERROR_SE_ERR_DDEBUSY        340
#define IDS_LINK_ERROR_SE_ERR_NOASSOC        341
#define IDS_LINK_ERROR_SE_ERR_DLLNOTFOUND    342

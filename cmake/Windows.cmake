# Windows build: the program, its framework, and the tests that run under Wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
set(BT_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-cast-function-type)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static)

target_compile_definitions(bt_core PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

file(GLOB BT_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/framework/*.cpp)
list(FILTER BT_FRAMEWORK_SOURCES EXCLUDE REGEX "AfxWinMain\\.cpp$")
add_library(bt_framework STATIC ${BT_FRAMEWORK_SOURCES})
target_compile_options(bt_framework PRIVATE ${BT_WARNINGS})
target_link_libraries(bt_framework PUBLIC bt_core comctl32 ole32 oleaut32 uuid shell32 user32 gdi32)

add_library(bt_controls STATIC
    controls/CHotIcon.cpp
    controls/CHoverStatic.cpp
    controls/CLinkLabel.cpp
    controls/CVersionDlg.cpp
    controls/HandCursor.cpp)
target_compile_options(bt_controls PRIVATE ${BT_WARNINGS})
target_link_libraries(bt_controls PUBLIC bt_framework)

add_library(bt_browser STATIC browser/CBrowserWindow.cpp)
target_compile_options(bt_browser PRIVATE ${BT_WARNINGS})
target_link_libraries(bt_browser PUBLIC bt_framework)

# The reopen command's steps with their adapters to the URL cache, the account, the shell's
# windows and the browser.
add_library(bt_history STATIC
    history/CHistoryReopener.cpp
    history/CollectOpenBrowserUrls.cpp
    history/CShellWindowSurvey.cpp
    history/CUrlCacheStore.cpp)
target_compile_options(bt_history PRIVATE ${BT_WARNINGS})
target_link_libraries(bt_history PUBLIC bt_browser wininet ole32 oleaut32 advapi32 uuid)

# The folder a user copies: the program and its guide.
set(BT_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
add_executable(Backtracker WIN32
    framework/AfxWinMain.cpp
    app/CExitQueryDlg.cpp
    app/CReopenApp.cpp
    app/CReopenDlg.cpp
    app/CSettingsFile.cpp
    res/Backtracker.rc)
target_compile_options(Backtracker PRIVATE ${BT_WARNINGS})
target_link_options(Backtracker PRIVATE -municode)
target_link_libraries(Backtracker PRIVATE bt_controls bt_history)
set_target_properties(Backtracker PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BT_DIST_DIR})
set_source_files_properties(res/Backtracker.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/res/Backtracker.ico;${CMAKE_CURRENT_SOURCE_DIR}/res/Backtracker.manifest;${CMAKE_CURRENT_SOURCE_DIR}/framework/FrameworkStrings.rc;${CMAKE_CURRENT_SOURCE_DIR}/res/Strings.rc;${CMAKE_CURRENT_SOURCE_DIR}/res/Dialogs.rc")
configure_file(res/readme.txt ${BT_DIST_DIR}/readme.txt COPYONLY)

# GoogleTest from Debian's sources, built for Windows.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(${CMAKE_CURRENT_LIST_DIR}/../tests/win/WinTests.cmake)

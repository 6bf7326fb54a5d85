# Windows tests: run under Wine by ctest through the cross-compiling emulator, one at a time
# (they share one prefix: one registry, one set of windows).
set(BT_WIN_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})

# Drives the real Backtracker.exe from another process.
add_library(bt_win_driver STATIC ${BT_WIN_TEST_DIR}/WinDriver.cpp)
target_compile_options(bt_win_driver PRIVATE ${BT_WARNINGS})

add_executable(win_app_tests
    ${BT_WIN_TEST_DIR}/AppDriver.cpp
    ${BT_WIN_TEST_DIR}/AppTest.cpp)
target_compile_options(win_app_tests PRIVATE ${BT_WARNINGS})
target_compile_definitions(win_app_tests PRIVATE BT_DIST_DIR="${BT_DIST_DIR}")
target_link_libraries(win_app_tests PRIVATE bt_win_driver gtest_main user32 shell32 version)
add_dependencies(win_app_tests Backtracker)
add_test(NAME win_app_tests COMMAND win_app_tests)
set_tests_properties(win_app_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 900)

# The framework's plumbing in-process: guard, reflection, the hot icon.
add_library(bt_modal_script STATIC ${BT_WIN_TEST_DIR}/ModalScript.cpp)
target_link_libraries(bt_modal_script PUBLIC bt_framework bt_win_driver gtest)
add_executable(win_framework_tests
    ${BT_WIN_TEST_DIR}/FrameworkTest.cpp
    ${BT_WIN_TEST_DIR}/framework_tests.rc)
target_compile_options(win_framework_tests PRIVATE ${BT_WARNINGS})
target_link_libraries(win_framework_tests PRIVATE bt_controls bt_modal_script gtest_main)
add_test(NAME win_framework_tests COMMAND win_framework_tests)
set_tests_properties(win_framework_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)

# History records of the prefix: the tests' fixture and a tool for demonstrations.
add_library(bt_history_seeder STATIC ${BT_WIN_TEST_DIR}/HistorySeeder.cpp)
target_compile_options(bt_history_seeder PRIVATE ${BT_WARNINGS})
target_link_libraries(bt_history_seeder PUBLIC wininet advapi32)
add_executable(bt_seed ${BT_WIN_TEST_DIR}/SeedTool.cpp)
target_link_libraries(bt_seed PRIVATE bt_history_seeder)

# The scan against the real URL cache, the survey against the real shell.
add_executable(win_history_tests ${BT_WIN_TEST_DIR}/HistoryTest.cpp ${BT_WIN_TEST_DIR}/browser_tests.rc)
target_compile_options(win_history_tests PRIVATE ${BT_WARNINGS})
target_link_libraries(win_history_tests PRIVATE bt_history bt_history_seeder gtest_main)
add_test(NAME win_history_tests COMMAND win_history_tests)
set_tests_properties(win_history_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)

# The link opener, the link label and the version dialog in-process, with the real registry.
add_executable(bt_record_args ${BT_WIN_TEST_DIR}/RecordArgs.cpp)
add_executable(win_controls_tests
    ${BT_WIN_TEST_DIR}/ControlsTest.cpp
    ${BT_WIN_TEST_DIR}/controls_tests.rc)
target_compile_options(win_controls_tests PRIVATE ${BT_WARNINGS})
target_link_libraries(win_controls_tests PRIVATE bt_controls bt_modal_script gtest_main)
# The resource files name the icon beside them.
target_include_directories(win_controls_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../res)
add_dependencies(win_controls_tests bt_record_args)
add_test(NAME win_controls_tests COMMAND win_controls_tests)
set_tests_properties(win_controls_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)

# The browser window with a fake browser and with Wine's own.
add_executable(win_browser_tests
    ${BT_WIN_TEST_DIR}/BrowserTest.cpp
    ${BT_WIN_TEST_DIR}/FakeBrowser.cpp
    ${BT_WIN_TEST_DIR}/LoopbackHttpServer.cpp
    ${BT_WIN_TEST_DIR}/browser_tests.rc)
target_compile_options(win_browser_tests PRIVATE ${BT_WARNINGS})
target_link_libraries(win_browser_tests PRIVATE bt_browser bt_win_driver gtest_main ws2_32)
add_test(NAME win_browser_tests COMMAND win_browser_tests)
set_tests_properties(win_browser_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 300 ENVIRONMENT OANOCACHE=1)

# The reopen command end to end: real program, URL cache, browser, loopback server.
add_executable(win_reopen_tests
    ${BT_WIN_TEST_DIR}/AppDriver.cpp
    ${BT_WIN_TEST_DIR}/LoopbackHttpServer.cpp
    ${BT_WIN_TEST_DIR}/ReopenTest.cpp)
target_compile_options(win_reopen_tests PRIVATE ${BT_WARNINGS})
target_compile_definitions(win_reopen_tests PRIVATE BT_DIST_DIR="${BT_DIST_DIR}")
target_link_libraries(win_reopen_tests PRIVATE bt_win_driver bt_history_seeder gtest_main shell32 ws2_32 advapi32)
add_dependencies(win_reopen_tests Backtracker)
add_test(NAME win_reopen_tests COMMAND win_reopen_tests)
set_tests_properties(win_reopen_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 900)

# Works a running program for the screenshot and demonstration scripts.
add_executable(bt_drive ${BT_WIN_TEST_DIR}/DriveTool.cpp)
target_compile_options(bt_drive PRIVATE ${BT_WARNINGS})
target_link_libraries(bt_drive PRIVATE bt_win_driver)

# Timed run of the scan against the real URL cache (make bench).
add_executable(wine_scan_bench ${CMAKE_CURRENT_LIST_DIR}/../../bench/WineScanBench.cpp)
target_link_libraries(wine_scan_bench PRIVATE bt_history bt_history_seeder)

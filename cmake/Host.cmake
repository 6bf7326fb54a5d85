# Native build: the platform-free logic under AddressSanitizer and UBSan, with its tests.
find_package(GTest REQUIRED)

option(BT_BENCH "Build the benchmarks (without sanitizers)" OFF)
if(BT_BENCH)
    find_package(benchmark REQUIRED)
    add_executable(scan_benchmark bench/ScanBenchmark.cpp)
    target_link_libraries(scan_benchmark PRIVATE bt_core benchmark::benchmark)
    return()
endif()

set(BT_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(bt_core PRIVATE ${BT_SANITIZE})

add_executable(host_tests
    tests/host/ClosePolicyTest.cpp
    tests/host/CountRangeTest.cpp
    tests/host/HistoryEntryTest.cpp
    tests/host/LinkOpenerTest.cpp
    tests/host/NumberTextTest.cpp
    tests/host/ReadyWaitTest.cpp
    tests/host/RecentSetTest.cpp
    tests/host/ScanHistoryTest.cpp
    tests/host/SettingsRulesTest.cpp
    tests/host/VisitTimeTest.cpp)
target_compile_options(host_tests PRIVATE ${BT_SANITIZE} -Wall -Wextra -Werror)
target_link_options(host_tests PRIVATE ${BT_SANITIZE})
target_link_libraries(host_tests PRIVATE bt_core GTest::gtest_main)
target_compile_definitions(host_tests PRIVATE BT_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
add_test(NAME host_tests COMMAND host_tests)

# What every library and program of the project is built with.
option(BT_BENCH "Native build of the benchmarks: optimised, no sanitizers, no tests" OFF)
option(BT_FUZZ "Native build of the fuzzers with clang: the layers instrumented for libFuzzer" OFF)

set(BT_WARNINGS -Wall -Wextra -Wpedantic -Werror)
if(WIN32)
    set(BT_SANITIZE "")
elseif(BT_BENCH)
    set(BT_SANITIZE "")
elseif(BT_FUZZ)
    set(BT_SANITIZE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
else()
    # The platform-free logic and its tests run under AddressSanitizer and UBSan.
    set(BT_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
endif()

# A folder's library: its sources include each other from the project's root.
function(bt_layer target)
    get_target_property(kind ${target} TYPE)
    if(kind STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        return()
    endif()
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${BT_WARNINGS} ${BT_SANITIZE})
endfunction()

# A program or test: the same flags, and the sanitizers' runtime when linked natively.
function(bt_program target)
    target_compile_options(${target} PRIVATE ${BT_WARNINGS} ${BT_SANITIZE})
    target_link_options(${target} PRIVATE ${BT_SANITIZE})
endfunction()

# Code whose speed no one waits for (the dialogs, the framework under them, the command's
# merge of a few hundred pages, the parsing of small JSON and INI files) is built for size in
# the Windows release: the program's reading and scanning code keeps BT_WIN_OPTIMIZE
# (docs/performance.md, "Size").
function(bt_small_code)
    if(NOT WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
        return()
    endif()
    foreach(item ${ARGN})
        if(TARGET ${item})
            target_compile_options(${item} PRIVATE -Os)
        else()
            set_property(SOURCE ${item} APPEND PROPERTY COMPILE_OPTIONS -Os)
        endif()
    endforeach()
endfunction()

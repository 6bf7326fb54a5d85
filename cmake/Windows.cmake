# Windows build: static, Unicode, resources in UTF-8; the tests run under Wine through the
# cross-compiling emulator of the toolchain file.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static)
# -O2 rather than -O3 for the Windows build: a smaller program, and the benchmarks under Wine
# show no difference in speed (docs/performance.md, "Size").
set(BT_WIN_OPTIMIZE -O2 CACHE STRING "Optimisation level of the Windows build's own code")
set(CMAKE_C_FLAGS_RELEASE "${BT_WIN_OPTIMIZE} -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "${BT_WIN_OPTIMIZE} -DNDEBUG")
# Every function and object in a section of its own, so that the linker can drop what
# nothing uses (the dist program links with --gc-sections).
add_compile_options(-ffunction-sections -fdata-sections)

# A program as a user gets it: the sections nothing uses dropped, no symbols or debug
# information; the linker's map beside it in the build folder, for the size breakdown.
function(bt_release_program target)
    target_link_options(${target} PRIVATE -Wl,--gc-sections -s -Wl,-Map=${CMAKE_BINARY_DIR}/${target}.map)
    # Sections aligned in the file as in memory: Wine maps such an image page by page as it is
    # touched, where it reads an image of 512-byte alignment whole into memory at start.
    target_link_options(${target} PRIVATE -Wl,--file-alignment=4096)
    # std::terminate's default in libstdc++ prints the escaping exception's demangled type to a
    # standard error that a windowed program does not have, then aborts; it brings the 37 kB
    # demangler along. The release programs abort at once instead.
    target_link_options(${target} PRIVATE -Wl,--defsym=_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort)
endfunction()

# The system DLLs that only a command needs (the URL cache, the shell, BSTRs and VARIANTs) are
# loaded when a command first calls them, not before the dialog shows: every program links
# them as delayed_<name>, an import library for delayed loading made here from the toolchain's
# own import library (all its exports, so any call links) with dlltool.
function(bt_delay_loaded name dll)
    set(folder ${CMAKE_BINARY_DIR}/delay-load)
    set(delayed ${folder}/lib${name}_delayed.a)
    find_file(import_${name} lib${name}.a PATHS ${CMAKE_FIND_ROOT_PATH}/lib NO_DEFAULT_PATH REQUIRED)
    if(NOT EXISTS ${delayed} OR ${import_${name}} IS_NEWER_THAN ${delayed})
        string(REGEX REPLACE "gcc(-posix)?$" "" prefix ${CMAKE_C_COMPILER})
        file(MAKE_DIRECTORY ${folder})
        execute_process(COMMAND ${prefix}nm -g --defined-only ${import_${name}}
                        OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
        list(TRANSFORM imports REPLACE " I __imp_" "")
        list(REMOVE_DUPLICATES imports)
        list(JOIN imports "\n" exports)
        file(WRITE ${folder}/${name}.def "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
        execute_process(COMMAND ${prefix}dlltool --dllname ${dll} --input-def ${folder}/${name}.def
                                --output-delaylib ${delayed} COMMAND_ERROR_IS_FATAL ANY)
    endif()
    add_library(delayed_${name} INTERFACE)
    target_link_libraries(delayed_${name} INTERFACE ${delayed} delayimp)
endfunction()
bt_delay_loaded(wininet WININET.dll)
bt_delay_loaded(crypt32 CRYPT32.dll)
bt_delay_loaded(bcrypt bcrypt.dll)
bt_delay_loaded(comdlg32 COMDLG32.dll)
bt_delay_loaded(shell32 SHELL32.dll)
bt_delay_loaded(oleaut32 OLEAUT32.dll)

# The folder a user copies: the program and its guide.
set(BT_DIST_DIR ${CMAKE_BINARY_DIR}/dist)

# GoogleTest from Debian's sources, built for Windows.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Windows build: static, Unicode, resources in UTF-8; the tests run under Wine through the
# cross-compiling emulator of the toolchain file.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static)

# The folder a user copies: the program and its guide.
set(BT_DIST_DIR ${CMAKE_BINARY_DIR}/dist)

# GoogleTest from Debian's sources, built for Windows.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

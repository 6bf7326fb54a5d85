// The error codes that opening a link can give back: ShellExecute's SE_ERR_* and the one
// system error it passes on. The platform-free code that names them is also built natively,
// where the platform's header is missing.
#pragma once
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#define ERROR_BAD_FORMAT        11
#define SE_ERR_FNF              2
#define SE_ERR_PNF              3
#define SE_ERR_ACCESSDENIED     5
#define SE_ERR_OOM              8
#define SE_ERR_SHARE            26
#define SE_ERR_ASSOCINCOMPLETE  27
#define SE_ERR_DDETIMEOUT       28
#define SE_ERR_DDEFAIL          29
#define SE_ERR_DDEBUSY          30
#define SE_ERR_NOASSOC          31
#define SE_ERR_DLLNOTFOUND      32
#endif

// An opener's result up to this value is an error code; anything greater is success.
constexpr long long kHighestOpenError = 32;
inline bool OpenSucceeded(long long result) { return result > kHighestOpenError; }

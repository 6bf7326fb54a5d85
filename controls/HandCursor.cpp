#include "HandCursor.h"
#include <string>

namespace {
// The hand among the help viewer's cursors.
constexpr WORD kHelpViewerHandCursorId = 106;
}

HCURSOR HandCursor::LoadCopy()
{
    HCURSOR copy = nullptr;
    wchar_t dir[MAX_PATH];
    UINT len = GetWindowsDirectoryW(dir, MAX_PATH);
    if (len > 0 && len < MAX_PATH) {
        std::wstring viewer = std::wstring(dir, len) + L"\\winhlp32.exe";
        // Only its resources are wanted: map it as data, run none of its code.
        if (HMODULE module = LoadLibraryExW(viewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(kHelpViewerHandCursorId)))
                copy = CopyCursor(cursor);
            FreeLibrary(module);
        }
    }
    if (!copy) {
        if (HCURSOR hand = LoadCursorW(nullptr, IDC_HAND))
            copy = CopyCursor(hand);
    }
    return copy;
}

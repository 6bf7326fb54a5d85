#include "Clipboard.h"
#include <cstring>

namespace {
// Another program may hold the clipboard for a moment: asked a few times.
bool OpenWithRetries(HWND owner)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(20);
    }
    return false;
}
}

bool Clipboard::SetText(HWND owner, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem)
        return false;
    void* p = GlobalLock(mem);
    if (!p) {
        GlobalFree(mem);
        return false;
    }
    std::memcpy(p, text.c_str(), bytes);
    GlobalUnlock(mem);
    if (!OpenWithRetries(owner)) {
        GlobalFree(mem);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    CloseClipboard();
    if (!ok)
        GlobalFree(mem);  // the clipboard did not take it
    return ok;
}

// bt_drive: works a running Backtracker from the command line, for the screenshot and demo
// scripts. Commands: main-rect | question-rect | messagebox-rect (wait for the window, print
// "x y w h"), version-rect, icon-centre (print "x y"), shot FILE.bmp (the screen with the
// cursor), escape (Esc in the main dialog), click ID (a button of the main dialog),
// answer ID (a button of the exit question), close-all (ends every dialog with Cancel/OK).
#include "WinDriver.h"
#include "../../res/resource.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace WinDriver;

namespace {
int PrintRect(HWND wnd)
{
    if (!wnd) {
        std::fprintf(stderr, "bt_drive: window not found\n");
        return 1;
    }
    Settle(wnd);
    Sleep(300);  // let it paint
    RECT rc;
    GetWindowRect(wnd, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

// The whole screen with the mouse cursor drawn in, as a 24-bit BMP; X screenshots leave the
// cursor out. Prints whether the cursor is the arrow.
int Shot(const char* path)
{
    HDC screen = GetDC(nullptr);
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    CURSORINFO ci = {};
    ci.cbSize = sizeof(ci);
    if (GetCursorInfo(&ci) && ci.hCursor) {
        ICONINFO ii = {};
        BOOL info = GetIconInfo(ci.hCursor, &ii);
        BOOL drawn = DrawIconEx(mem, ci.ptScreenPos.x - static_cast<int>(ii.xHotspot), ci.ptScreenPos.y - static_cast<int>(ii.yHotspot),
                   ci.hCursor, 0, 0, 0, nullptr, DI_NORMAL);
        if (ii.hbmMask)
            DeleteObject(ii.hbmMask);
        if (ii.hbmColor)
            DeleteObject(ii.hbmColor);
        std::printf("cursor at %ld,%ld (info %d, drawn %d) %s\n", ci.ptScreenPos.x, ci.ptScreenPos.y, info, drawn,
                    ci.hCursor == LoadCursorW(nullptr, IDC_ARROW) ? "arrow" : "not the arrow");
    }
    GdiFlush();
    DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + size;
    FILE* f = std::fopen(path, "wb");
    if (f) {
        std::fwrite(&fh, sizeof(fh), 1, f);
        std::fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f);
        std::fwrite(bits, 1, size, f);
        std::fclose(f);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return f ? 0 : 1;
}

HWND Main() { return WaitDialogWithControl(0, IDC_REOPEN, 20000); }
HWND Question() { return WaitDialogWithControl(0, IDC_SAVE_AND_CLOSE, 20000); }
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bt_drive COMMAND [ID]\n");
        return 2;
    }
    const char* cmd = argv[1];
    int id = argc > 2 ? std::atoi(argv[2]) : 0;
    if (!std::strcmp(cmd, "main-rect"))
        return PrintRect(Main());
    if (!std::strcmp(cmd, "question-rect"))
        return PrintRect(Question());
    if (!std::strcmp(cmd, "version-rect"))
        return PrintRect(WaitDialogWithControl(0, IDC_WEB_LINK, 20000));
    if (!std::strcmp(cmd, "messagebox-rect"))
        return PrintRect(WaitMessageBox(0, 20000));
    if (!std::strcmp(cmd, "shot") && argc > 2)
        return Shot(argv[2]);
    if (!std::strcmp(cmd, "icon-centre")) {
        HWND dlg = Main();
        RECT rc;
        if (!dlg || !GetWindowRect(GetDlgItem(dlg, IDC_HOT_ICON), &rc))
            return 1;
        std::printf("%ld %ld\n", (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        return 0;
    }
    if (!std::strcmp(cmd, "escape")) {
        HWND dlg = Main();
        if (!dlg)
            return 1;
        PostKey(GetDlgItem(dlg, IDC_COUNT), VK_ESCAPE);
        return 0;
    }
    if (!std::strcmp(cmd, "click") || !std::strcmp(cmd, "answer")) {
        HWND dlg = !std::strcmp(cmd, "click") ? Main() : Question();
        if (!dlg)
            return 1;
        PostClick(dlg, id);
        return 0;
    }
    if (!std::strcmp(cmd, "close-all")) {
        for (int i = 0; i < 5; ++i) {
            if (HWND box = FindMessageBox(0))
                PostClick(box, IDOK);
            else if (HWND v = FindDialogWithControl(0, IDC_WEB_LINK))
                PostClick(v, IDOK);
            else if (HWND q = FindDialogWithControl(0, IDC_SAVE_AND_CLOSE))
                PostClick(q, IDCANCEL);
            else if (HWND dlg = FindDialogWithControl(0, IDC_REOPEN))
                PostClick(dlg, IDOK);
            else
                return 0;
            Sleep(300);
        }
        return 0;
    }
    std::fprintf(stderr, "bt_drive: unknown command %s\n", cmd);
    return 2;
}

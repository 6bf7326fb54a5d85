#include "WinDriver.h"
#include <commctrl.h>
#include <shlobj.h>
#include <fstream>
#include <vector>

namespace WinDriver {

bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return pred();
        Sleep(50);
    }
}

namespace {
struct Search {
    DWORD pid;
    std::function<bool(HWND)> match;
    HWND found = nullptr;
    int count = 0;
};

BOOL CALLBACK EnumTop(HWND wnd, LPARAM lp)
{
    Search* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if ((s->pid == 0 || pid == s->pid) && IsWindowVisible(wnd) && s->match(wnd)) {
        s->found = wnd;
        ++s->count;
    }
    return TRUE;
}

HWND FindTop(DWORD pid, const std::function<bool(HWND)>& match, int* count = nullptr)
{
    Search s{ pid, match };
    EnumWindows(EnumTop, reinterpret_cast<LPARAM>(&s));
    if (count)
        *count = s.count;
    return s.found;
}

bool IsDialog(HWND wnd)
{
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    return wcscmp(cls, L"#32770") == 0;
}

const int kMessageBoxTextId = 0xFFFF;
}


HWND FindDialogWithControl(DWORD pid, int controlId)
{
    return FindTop(pid, [controlId](HWND w) { return IsDialog(w) && GetDlgItem(w, controlId) != nullptr; });
}

HWND WaitDialogWithControl(DWORD pid, int controlId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialogWithControl(pid, controlId)) != nullptr; }, timeoutMs);
    return found;
}

// A message box holds its text (0xFFFF), its icon (0x440) and buttons with the standard
// ids only; a dialog of the program's own has controls of its own ids besides.
bool IsMessageBox(HWND wnd)
{
    if (!IsDialog(wnd) || !GetDlgItem(wnd, kMessageBoxTextId))
        return false;
    bool onlyStandard = true;
    EnumChildWindows(wnd, [](HWND child, LPARAM lp) -> BOOL {
        int id = GetDlgCtrlID(child);
        if (id != kMessageBoxTextId && id != 0x440 && (id < IDOK || id > IDCONTINUE))
            *reinterpret_cast<bool*>(lp) = false;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&onlyStandard));
    return onlyStandard;
}

HWND FindMessageBox(DWORD pid)
{
    return FindTop(pid, IsMessageBox);
}

HWND WaitMessageBox(DWORD pid, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindMessageBox(pid)) != nullptr; }, timeoutMs);
    return found;
}

std::wstring MessageBoxText(HWND box) { return ItemText(box, kMessageBoxTextId); }

int CountVisibleWindows(DWORD pid)
{
    int count = 0;
    FindTop(pid, [](HWND) { return true; }, &count);
    return count;
}

std::wstring Text(HWND wnd)
{
    // Sent, not GetWindowText: that one does not read controls of other processes.
    wchar_t buf[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(wnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 5000, &ignored);
    return buf;
}

std::wstring ItemText(HWND dlg, int id)
{
    wchar_t buf[1024] = {};
    GetDlgItemTextW(dlg, id, buf, 1024);
    return buf;
}

bool IsChecked(HWND dlg, int id) { return SendDlgItemMessageW(dlg, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PostClick(HWND dlg, int id)
{
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

void PostKey(HWND target, UINT vk)
{
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void PostChar(HWND target, wchar_t c) { PostMessageW(target, WM_CHAR, c, 1); }

void PostMouseClick(HWND wnd, int x, int y)
{
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

namespace {
GUITHREADINFO ThreadInfo(HWND wnd)
{
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &gui);
    return gui;
}
}

HWND FocusOf(HWND wnd) { return ThreadInfo(wnd).hwndFocus; }

HWND CaptureOf(HWND wnd) { return ThreadInfo(wnd).hwndCapture; }

void EndProcessesWithWindowClass(const wchar_t* windowClass)
{
    // Closed the way a user closes them, a COM server ends cleanly and takes its class
    // registration with it; one that was killed leaves it behind for the next creation.
    std::vector<DWORD> pids;
    for (HWND wnd = FindWindowW(windowClass, nullptr); wnd; wnd = FindWindowExW(nullptr, wnd, windowClass, nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        pids.push_back(pid);
        PostMessageW(wnd, WM_CLOSE, 0, 0);
    }
    // A loaded machine may take its time; killing is the last resort.
    for (DWORD pid : pids) {
        if (HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid)) {
            WaitForSingleObject(p, 30000);
            CloseHandle(p);
        }
    }
    for (int i = 0; i < 20; ++i) {
        HWND wnd = FindWindowW(windowClass, nullptr);
        if (!wnd)
            return;
        EndProcessOf(wnd);
        WaitFor([&] { return !IsWindow(wnd); }, 5000);
    }
}

void EndProcessOf(HWND wnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        TerminateProcess(p, 0);
        WaitForSingleObject(p, 5000);
        CloseHandle(p);
    }
}

void Settle(HWND wnd)
{
    // Messages posted to one thread are handled in order, so a posted change that can be
    // read back marks the point where everything posted before it has been handled. An
    // edit control's text limit serves, where the dialog has one; it is restored after.
    HWND root = GetAncestor(wnd, GA_ROOT);
    HWND edit = FindWindowExW(root ? root : wnd, nullptr, L"Edit", nullptr);
    DWORD_PTR answer = 0;
    if (edit && SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 5000, &answer)) {
        static UINT marker = 70000;
        const UINT mine = ++marker;
        const DWORD_PTR previous = answer;
        PostMessageW(edit, EM_SETLIMITTEXT, mine, 0);
        // A dialog that the posted messages ended takes the marker with it.
        WaitFor([&] {
            DWORD_PTR now = 0;
            if (!IsWindow(edit))
                return true;
            return SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 5000, &now) && now == mine;
        }, 15000);
        SendMessageTimeoutW(edit, EM_SETLIMITTEXT, previous, 0, SMTO_NORMAL, 5000, &answer);
        return;
    }
    // Without one: allow the posted messages a moment, then wait until the thread answers.
    Sleep(150);
    SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
}

void Click(HWND dlg, int id)
{
    PostClick(dlg, id);
    Settle(dlg);
}

void ClickStatic(HWND dlg, int id)
{
    PostMouseClick(GetDlgItem(dlg, id), 2, 2);
    Settle(dlg);
}

void TypeKey(WORD vk, bool alt, bool ctrl)
{
    std::vector<INPUT> inputs;
    auto key = [&](WORD code, bool up) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (alt)
        key(VK_MENU, false);
    if (ctrl)
        key(VK_CONTROL, false);
    key(vk, false);
    key(vk, true);
    if (ctrl)
        key(VK_CONTROL, true);
    if (alt)
        key(VK_MENU, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
}

bool BringToFront(HWND wnd)
{
    return WaitFor([&] {
        SetForegroundWindow(wnd);
        return GetForegroundWindow() == wnd;
    }, 5000);
}

namespace {
// The pointer moved to a point of the screen and the left button pressed and released `clicks`
// times there, as one input; the move in the screen's normalised coordinates. Then a tenth of
// a second for the window to take it.
void ClicksAtScreen(POINT at, int clicks)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(1 + 2 * static_cast<size_t>(clicks));
    for (INPUT& in : inputs)
        in.type = INPUT_MOUSE;
    inputs[0].mi.dx = static_cast<LONG>((at.x * 65536LL + w / 2) / w);
    inputs[0].mi.dy = static_cast<LONG>((at.y * 65536LL + h / 2) / h);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    for (size_t i = 1; i < inputs.size(); ++i)
        inputs[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
}
}

void ClickAtScreen(POINT at) { ClicksAtScreen(at, 1); }

// Two clicks as a hand makes them, a moment apart: within the double-click time, each one
// handled on its own (the list view follows a press until its release before it takes another).
void DoubleClickAtScreen(POINT at)
{
    ClicksAtScreen(at, 1);
    ClicksAtScreen(at, 1);
}

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path)
        result = path;
    CoTaskMemFree(path);
    return result;
}

HCURSOR ShownCursor()
{
    CURSORINFO ci = {};
    ci.cbSize = sizeof(ci);
    return GetCursorInfo(&ci) ? ci.hCursor : nullptr;
}

std::wstring TempFolder()
{
    wchar_t buf[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buf);
    return buf;
}

void MakeFolders(const std::wstring& path)
{
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
}

void RemoveTree(const std::wstring& folder)
{
    std::wstring command = L"cmd /c rmdir /s /q \"" + folder + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 20000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
}

}

namespace WinDriver {
namespace {
// Memory in the list's process that its messages can point to.
class RemoteBuffer {
public:
    RemoteBuffer(HWND wnd, size_t size) : m_size(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_at = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_at)
            VirtualFreeEx(m_process, m_at, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    bool Ok() const { return m_at != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(m_at) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const
    {
        return WriteProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        return ReadProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
    }

private:
    HANDLE m_process = nullptr;
    void* m_at = nullptr;
    size_t m_size;
};
}

std::vector<std::vector<std::string>> RecordedStarts(const std::wstring& file)
{
    std::vector<std::vector<std::string>> starts(1);
    std::ifstream in(file.c_str(), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            starts.emplace_back();
        else
            starts.back().push_back(line);
    }
    starts.pop_back();
    return starts;
}

std::vector<ListRow> ListRows(HWND list)
{
    std::vector<ListRow> rows;
    const size_t kText = 4096;
    RemoteBuffer remote(list, sizeof(LVITEMW) + kText * sizeof(wchar_t));
    if (!remote.Ok())
        return rows;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    const int items = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < items; ++item) {
        ListRow row;
        for (int column = 0; column < columns; ++column) {
            LVITEMW it = {};
            it.iSubItem = column;
            it.pszText = reinterpret_cast<wchar_t*>(remote.At(sizeof(LVITEMW)));
            it.cchTextMax = static_cast<int>(kText);
            remote.Write(0, &it, sizeof(it));
            int n = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(remote.At(0))));
            std::wstring text(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
            if (n > 0)
                remote.Read(sizeof(LVITEMW), &text[0], text.size() * sizeof(wchar_t));
            row.texts.push_back(text);
        }
        UINT state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
        row.checked = (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        LVITEMW image = {};
        image.mask = LVIF_IMAGE;
        image.iItem = item;
        if (remote.Write(0, &image, sizeof(image)) &&
            SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.At(0))) && remote.Read(0, &image, sizeof(image)))
            row.image = image.iImage;
        rows.push_back(row);
    }
    return rows;
}

bool SetListCheck(HWND list, int item, bool checked)
{
    RemoteBuffer remote(list, sizeof(LVITEMW));
    LVITEMW it = {};
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    return remote.Ok() && remote.Write(0, &it, sizeof(it)) &&
           SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(remote.At(0))) != 0;
}
}

namespace WinDriver {
POINT ListItemCentre(HWND list, int item, int part)
{
    RemoteBuffer remote(list, sizeof(RECT));
    RECT r = {};
    r.left = part;
    POINT centre = {};
    if (remote.Ok() && remote.Write(0, &r, sizeof(r)) &&
        SendMessageW(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(remote.At(0))) && remote.Read(0, &r, sizeof(r))) {
        centre = { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
        ClientToScreen(list, &centre);
    }
    return centre;
}

}

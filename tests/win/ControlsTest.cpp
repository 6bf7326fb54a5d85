// The link opener, the link label and the version dialog in this process, with the real
// registry, shell and processes of the prefix.
#include "ModalScript.h"
#include "WinDriver.h"
#include "../../controls/CVersionDlg.h"
#include "../../controls/LinkMessages.h"
#include "../../framework/AfxMessageBox.h"
#include "../../text/AnsiText.h"
#include "../../framework/CWinApp.h"
#include <gtest/gtest.h>
#include <ole2.h>
#include <shellapi.h>

using namespace WinDriver;

namespace {

CWinApp testApp(L"ControlsTests");

// The ".htm" association pointed at a class of the test's own for one test, then restored.
class HtmAssociation {
public:
    HtmAssociation() { m_saved = Read(".htm"); }
    ~HtmAssociation()
    {
        SetDefault(".htm", m_saved);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
    }
    // The class's open command, or a class without one when command is empty.
    void Use(const std::string& command)
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
        if (!command.empty())
            SetDefault(std::string(kClass) + "\\shell\\open\\command", command);
        else
            SetDefault(kClass, "a class without an open command");
        SetDefault(".htm", kClass);
    }
    const std::string& Saved() const { return m_saved; }

    static std::string Read(const std::string& key)
    {
        char value[1024] = {};
        LONG size = sizeof(value);
        return RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "";
    }

private:
    static void SetDefault(const std::string& key, const std::string& value)
    {
        HKEY k = nullptr;
        RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr);
        RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(k);
    }
    static constexpr const char* kClass = "BacktrackerTest.htm";
    std::string m_saved;
};

// The recording program, built beside this test.
std::string Recorder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\')) + "\\bt_record_args.exe";
}

// A file the recording program writes; empty until it has run.
class RecordFile {
public:
    RecordFile()
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        m_path = std::string(dir) + "bt-record-" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(m_path.c_str());
        SetEnvironmentVariableA("BT_RECORD_FILE", m_path.c_str());
    }
    ~RecordFile() { DeleteFileA(m_path.c_str()); }
    std::string Wait(DWORD timeoutMs)
    {
        std::string text;
        WaitFor([&] {
            HANDLE f = CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (f == INVALID_HANDLE_VALUE)
                return false;
            char buf[4096];
            DWORD got = 0;
            ReadFile(f, buf, sizeof(buf), &got, nullptr);
            CloseHandle(f);
            text.assign(buf, got);
            return got > 0;
        }, timeoutMs);
        return text;
    }

private:
    std::string m_path;
};

// A label whose first registry read can be made to fail, through the virtual table. The
// failing read still fills the buffer with what the registry holds, so that an opener that
// went on regardless would find the class and start its command.
class ProbeLabel : public CLinkLabel {
public:
    bool failHtm = false;
    std::vector<std::string> reads;
    LONG ReadDefaultValue(HKEY root, const char* keyPath, char* destination) override
    {
        reads.push_back(keyPath);
        LONG result = CLinkLabel::ReadDefaultValue(root, keyPath, destination);
        if (failHtm && std::string(keyPath) == ".htm")
            return ERROR_FILE_NOT_FOUND;
        return result;
    }
};

const char kNoScheme[] = "btnoassoc:target-42";

std::wstring LoadText(unsigned id) { return AfxLoadString(id); }

class LinkOpenerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
    HtmAssociation association_;
    RecordFile record_;
};

TEST_F(LinkOpenerTest, ShellRefusesAndTheHtmCommandStartsWithTheTarget)
{
    INT_PTR shell = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", kNoScheme, nullptr, nullptr, SW_SHOW));
    ASSERT_LE(shell, 32) << "the shell must refuse a scheme nobody knows";
    association_.Use("\"" + Recorder() + "\" -n \"%1\" -x");
    ProbeLabel label;
    INT_PTR result = label.OpenTarget(kNoScheme, SW_SHOW);
    EXPECT_GT(result, 32);
    EXPECT_EQ("\"" + Recorder() + "\" -n  " + kNoScheme, record_.Wait(15000));
    EXPECT_EQ((std::vector<std::string>{ ".htm", "BacktrackerTest.htm\\shell\\open\\command" }), label.reads);
}

TEST_F(LinkOpenerTest, WithoutAnAssociationTheShellsCodeComesBack)
{
    INT_PTR shell = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", kNoScheme, nullptr, nullptr, SW_SHOW));
    ASSERT_LE(shell, 32);
    {
        // The ".htm" key cannot be opened, though its class has a command: nothing starts.
        association_.Use("\"" + Recorder() + "\" \"%1\"");
        ProbeLabel label;
        label.failHtm = true;
        EXPECT_EQ(shell, label.OpenTarget(kNoScheme, SW_SHOW));
        EXPECT_EQ(std::vector<std::string>{ ".htm" }, label.reads);
        EXPECT_EQ("", record_.Wait(1000)) << "nothing was started";
    }
    {
        association_.Use("");  // a class without an open command
        ProbeLabel label;
        EXPECT_EQ(shell, label.OpenTarget(kNoScheme, SW_SHOW));
        EXPECT_EQ(2u, label.reads.size());
    }
    EXPECT_EQ("", record_.Wait(500)) << "nothing was started";
}

TEST_F(LinkOpenerTest, ShellSuccessConsultsNoRegistry)
{
    association_.Use("\"" + Recorder() + "\" \"%1\"");
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string file = std::string(dir) + "bt-link-target.txt";
    HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    ProbeLabel label;
    EXPECT_GT(label.OpenTarget(file.c_str(), SW_SHOW), 32);
    EXPECT_TRUE(label.reads.empty());
    EXPECT_EQ("", record_.Wait(1000));
    WaitFor([] { return FindWindowW(L"Notepad", nullptr) != nullptr; }, 10000);
    EndProcessesWithWindowClass(L"Notepad");
    DeleteFileA(file.c_str());
}

TEST_F(LinkOpenerTest, ReadDefaultValueTable)
{
    association_.Use("\"" + Recorder() + "\" \"%1\"");
    ProbeLabel label;
    char dest[260];
    memset(dest, 'x', sizeof(dest));
    EXPECT_EQ(0, label.ReadDefaultValue(HKEY_CLASSES_ROOT, ".htm", dest));
    EXPECT_STREQ("BacktrackerTest.htm", dest);
    memset(dest, 'x', sizeof(dest));
    EXPECT_NE(0, label.ReadDefaultValue(HKEY_CLASSES_ROOT, "NoSuchKey.Backtracker", dest));
    EXPECT_EQ('x', dest[0]) << "a key that does not open leaves the destination alone";
    // A value longer than 259 characters reads as empty.
    association_.Use(std::string(400, 'v'));
    EXPECT_EQ(0, label.ReadDefaultValue(HKEY_CLASSES_ROOT, "BacktrackerTest.htm\\shell\\open\\command", dest));
    EXPECT_STREQ("", dest);
    // Key path and destination may be one buffer.
    char both[260] = ".htm";
    EXPECT_EQ(0, label.ReadDefaultValue(HKEY_CLASSES_ROOT, both, both));
    EXPECT_STREQ("BacktrackerTest.htm", both);
}

// ------------------------------------------------------------- version dialog and labels

HFONT FontOf(HWND wnd) { return reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)); }

LOGFONTW LogFontOf(HWND wnd)
{
    LOGFONTW lf = {};
    GetObjectW(FontOf(wnd), sizeof(lf), &lf);
    return lf;
}

SIZE TextExtent(HWND wnd)
{
    std::wstring text = Text(wnd);
    HDC dc = GetDC(wnd);
    HGDIOBJ old = SelectObject(dc, FontOf(wnd));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(wnd, dc);
    return size;
}

COLORREF TextColourFor(HWND dlg, HWND label, LRESULT* brush)
{
    HDC dc = CreateCompatibleDC(nullptr);
    *brush = SendMessageW(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    COLORREF colour = GetTextColor(dc);
    EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
    DeleteDC(dc);
    return colour;
}

TEST(VersionDialog, LabelsCarryTheirTargetsAndStartPlainAtEveryOpening)
{
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening ? "second opening" : "first opening");
        CVersionDlg dlg;
        RunScripted(dlg, IDC_WEB_LINK, [&](HWND wnd) {
            EXPECT_EQ(L"バージョン情報 - Backtracker", Text(wnd));
            HWND mail = GetDlgItem(wnd, IDC_MAIL_LINK), web = GetDlgItem(wnd, IDC_WEB_LINK);
            EXPECT_EQ(L"bt@example.org", Text(mail));
            EXPECT_EQ("mailto:bt@example.org", dlg.m_mailLink.GetTarget());
            EXPECT_EQ(L"mailto:bt@example.org", dlg.m_mailLink.GetTipText());
            EXPECT_EQ("http://bt.example.org/", dlg.m_webLink.GetTarget());
            EXPECT_EQ(L"http://bt.example.org/", dlg.m_webLink.GetTipText());
            for (HWND label : { mail, web }) {
                EXPECT_TRUE(GetWindowLongW(label, GWL_STYLE) & SS_NOTIFY);
                EXPECT_EQ(0, LogFontOf(label).lfUnderline);
                LRESULT brush = 0;
                EXPECT_EQ(RGB(0, 0, 238), TextColourFor(wnd, label, &brush));
                EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)), brush);
                RECT rc;
                GetClientRect(label, &rc);
                SIZE text = TextExtent(label);
                EXPECT_EQ(text.cx, rc.right) << "fitted to its text";
                EXPECT_EQ(text.cy, rc.bottom);
            }
            EXPECT_FALSE(dlg.m_webLink.IsVisited());
            EXPECT_FALSE(dlg.m_mailLink.IsVisited());
            // Left visited in this opening: the next one starts plain all the same.
            dlg.m_webLink.MarkVisited(TRUE);
            LRESULT brush = 0;
            EXPECT_EQ(RGB(85, 26, 139), TextColourFor(wnd, web, &brush));
        });
    }
}

TEST(VersionDialog, EnterEscapeAndCloseBoxEndIt)
{
    const struct { const char* what; std::function<void(HWND)> close; } ways[] = {
        { "Enter", [](HWND w) { PostKey(GetDlgItem(w, IDOK), VK_RETURN); } },
        { "Escape", [](HWND w) { PostKey(GetDlgItem(w, IDOK), VK_ESCAPE); } },
        { "close box", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); } },
    };
    for (const auto& way : ways) {
        CVersionDlg dlg;
        bool ended = false;
        RunScripted(dlg, IDC_WEB_LINK, [&](HWND wnd) {
            way.close(wnd);
            ended = WaitFor([&] { return !IsWindow(wnd); }, 5000);
        });
        EXPECT_TRUE(ended) << way.what;
    }
}

// Each font, cursor and tool tip the label makes is released once: the one it replaces at
// once, the rest with the label; the dialog's own font is left alone.
TEST(LinkLabel, ReleasesWhatItCreatesAndNothingElse)
{
    HFONT replaced = nullptr, last = nullptr, dialogFont = nullptr;
    HCURSOR cursor = nullptr;
    HWND tip = nullptr;
    {
        CVersionDlg dlg;
        RunScripted(dlg, IDC_WEB_LINK, [&](HWND wnd) {
            HWND web = GetDlgItem(wnd, IDC_WEB_LINK);
            dialogFont = FontOf(wnd);
            replaced = FontOf(web);
            EXPECT_NE(dialogFont, replaced) << "the label draws with a font of its own";
            dlg.m_webLink.SetUnderlined(TRUE);
            last = FontOf(web);
            EXPECT_EQ(0u, GetObjectType(replaced)) << "the replaced font is deleted at once";
            EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(last));
            EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(dialogFont));
            cursor = dlg.m_webLink.GetHoverCursor();
            ICONINFO alive = {};
            EXPECT_TRUE(GetIconInfo(cursor, &alive));
            DeleteObject(alive.hbmMask);
            DeleteObject(alive.hbmColor);
            tip = dlg.m_webLink.GetTipWindow();
            EXPECT_TRUE(IsWindow(tip));
        });
    }
    EXPECT_EQ(0u, GetObjectType(last)) << "the label's font goes with it";
    ICONINFO info = {};
    EXPECT_FALSE(GetIconInfo(cursor, &info)) << "so does its cursor";
    EXPECT_FALSE(IsWindow(tip)) << "and its tool tip";
}

TEST(LinkLabel, FailedClickBeepsReportsAndClearsVisited)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        HtmAssociation association;
        association.Use("");  // the registry road cannot help either
        INT_PTR shell = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", kNoScheme, nullptr, nullptr, SW_SHOW));
        ASSERT_LE(shell, 32);
        CVersionDlg dlg;
        MainWindowScope main(&dlg);
        RunScripted(dlg, IDC_WEB_LINK, [&](HWND wnd) {
            dlg.m_webLink.SetTarget(kNoScheme);
            EXPECT_EQ(AnsiText::ToWide(kNoScheme), dlg.m_webLink.GetTipText());
            dlg.m_webLink.MarkVisited(TRUE);
            PostMouseClick(GetDlgItem(wnd, IDC_WEB_LINK), 2, 2);
            std::wstring message = AnswerMessageBox(wnd);
            EXPECT_EQ(LinkMessages::Text(static_cast<int>(shell), LoadText), message);
            EXPECT_EQ(0u, message.find(L"Unable to open hyperlink:\n\n")) << testing::PrintToString(message);
            EXPECT_FALSE(dlg.m_webLink.IsVisited());
            EXPECT_TRUE(IsWindow(wnd)) << "the dialog stays";
        });
    }
    OleUninitialize();
}

// The hover colour goes when the mouse leaves, however it leaves: the pointer jumps away (no
// move outside reaches the label) or something else takes the capture.
TEST(LinkLabel, HoverEndsWhenThePointerJumpsAwayOrTheCaptureIsTaken)
{
    CVersionDlg dlg;
    RunScripted(dlg, IDC_WEB_LINK, [&](HWND wnd) {
        HWND web = GetDlgItem(wnd, IDC_WEB_LINK);
        const COLORREF hover = dlg.m_webLink.GetHoverTextColor();
        const COLORREF normal = dlg.m_webLink.GetNormalTextColor();
        ASSERT_NE(hover, normal);
        RECT rc;
        GetWindowRect(web, &rc);
        LRESULT brush = 0;

        // The pointer is already elsewhere when the last move over the label is seen, and no
        // move outside reaches the label: the platform reports the leave (the screenshots
        // show it with a real pointer).
        SetCursorPos(2, 2);
        Settle(wnd);
        PostMessageW(web, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        Settle(wnd);
        EXPECT_EQ(hover, TextColourFor(wnd, web, &brush));
        PostMessageW(web, WM_MOUSELEAVE, 0, 0);
        Settle(wnd);
        EXPECT_EQ(normal, TextColourFor(wnd, web, &brush)) << "the label kept its hover colour after the pointer left";
        EXPECT_EQ(nullptr, CaptureOf(wnd));

        // The pointer stays on the label, and a button pressed meanwhile takes the capture.
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        PostMessageW(web, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        Settle(wnd);
        EXPECT_EQ(hover, TextColourFor(wnd, web, &brush));
        EXPECT_EQ(web, CaptureOf(wnd));
        HWND ok = GetDlgItem(wnd, IDOK);
        PostMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        Settle(wnd);
        EXPECT_EQ(ok, CaptureOf(wnd));
        EXPECT_EQ(normal, TextColourFor(wnd, web, &brush)) << "the label kept its hover colour without the capture";
        PostMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-50), static_cast<WORD>(-50)));
        Settle(wnd);
        SetCursorPos(0, 0);
    });
}

TEST(LinkLabel, SetupAndSettersBeforeAndAfterAttachment)
{
    CVersionDlg dlg;
    RunScripted(dlg, IDC_WEB_LINK, [&](HWND wnd) {
        HWND web = GetDlgItem(wnd, IDC_WEB_LINK);
        CLinkLabel& label = dlg.m_webLink;
        RECT before;
        GetWindowRect(web, &before);
        // Auto-fit off: the window keeps its place whatever the target.
        label.SetAutoFit(FALSE);
        SetWindowTextW(web, L"a much longer text than before, and wider");
        label.SetTarget("http://other.example/");
        RECT after;
        GetWindowRect(web, &after);
        EXPECT_EQ(before.right - before.left, after.right - after.left);
        EXPECT_EQ(L"http://other.example/", label.GetTipText());
        label.SetAutoFit(TRUE);
        GetWindowRect(web, &after);
        EXPECT_EQ(TextExtent(web).cx, after.right - after.left);
        // Underline back on: the same font but underlined, the size unchanged.
        LOGFONTW plain = LogFontOf(web);
        label.SetUnderlined(TRUE);
        LOGFONTW underlined = LogFontOf(web);
        EXPECT_EQ(1, underlined.lfUnderline);
        EXPECT_EQ(plain.lfHeight, underlined.lfHeight);
        EXPECT_EQ(0, wcscmp(plain.lfFaceName, underlined.lfFaceName));
        // A hover colour of -1 is the system's highlight colour.
        label.SetTextColors(RGB(1, 2, 3), RGB(4, 5, 6), static_cast<COLORREF>(-1));
        EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), label.GetHoverTextColor());
        LRESULT brush = 0;
        EXPECT_EQ(RGB(1, 2, 3), TextColourFor(wnd, web, &brush));
        // Hovering: the hover colour and the capture, given back when the mouse leaves.
        RECT onScreen;
        GetWindowRect(web, &onScreen);
        SetCursorPos(onScreen.left + 1, onScreen.top + 1);
        Settle(wnd);
        PostMessageW(web, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        Settle(wnd);
        EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), TextColourFor(wnd, web, &brush));
        EXPECT_EQ(web, CaptureOf(wnd));
        SetCursorPos(onScreen.left - 20, onScreen.top + 1);
        // Wine delivers the move that SetCursorPos makes when its X event comes back, which a
        // loaded machine can delay past one settling.
        WaitFor([&] {
            Settle(wnd);
            return CaptureOf(wnd) == nullptr;
        }, 3000);
        EXPECT_EQ(nullptr, CaptureOf(wnd));
        EXPECT_EQ(RGB(1, 2, 3), TextColourFor(wnd, web, &brush));
        EXPECT_NE(nullptr, label.GetHoverCursor()) << "a hand cursor, the system's where the help viewer's is missing";
    });

    // The tool tip shows the target when the mouse rests on the label.
    CVersionDlg tipped;
    RunScripted(tipped, IDC_WEB_LINK, [&](HWND wnd) {
        HWND web = GetDlgItem(wnd, IDC_WEB_LINK);
        RECT rc;
        GetWindowRect(web, &rc);
        HWND tip = tipped.m_webLink.GetTipWindow();
        // The mouse rests on the label; a move now and then, as a hand on a mouse makes.
        bool shown = false;
        for (int i = 0; i < 20 && !shown; ++i) {
            SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
            PostMessageW(web, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            shown = WaitFor([&] { return IsWindowVisible(tip) != FALSE; }, 1000);
        }
        EXPECT_TRUE(shown) << "the tool tip did not appear";
        EXPECT_EQ(L"http://bt.example.org/", tipped.m_webLink.GetTipText());
        SetCursorPos(0, 0);
    });

    // Detached: a target set before attachment wins over the template text once attached;
    // without one, the text becomes the target.
    CLinkLabel detached;
    detached.SetTarget("http://before.example/");
    detached.SetHoverCursor(nullptr);
    EXPECT_NE(nullptr, detached.GetHoverCursor()) << "a null cursor loads the default at once";
    EXPECT_EQ("http://before.example/", detached.GetTarget());
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    HWND first = CreateWindowExW(0, L"Static", L"template text", WS_CHILD | WS_VISIBLE | SS_LEFT, 5, 5, 200, 20, parent,
                                 nullptr, nullptr, nullptr);
    HWND second = CreateWindowExW(0, L"Static", L"http://text.example/", WS_CHILD | WS_VISIBLE | SS_LEFT, 5, 40, 200,
                                  20, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(detached.SubclassWindow(first));
    EXPECT_EQ("http://before.example/", detached.GetTarget());
    EXPECT_EQ(L"http://before.example/", detached.GetTipText());
    EXPECT_EQ(L"template text", Text(first)) << "the text stays what the template says";
    CLinkLabel untargeted;
    ASSERT_TRUE(untargeted.SubclassWindow(second));
    EXPECT_EQ("http://text.example/", untargeted.GetTarget());
    EXPECT_EQ(L"http://text.example/", untargeted.GetTipText());
    DestroyWindow(parent);
}
}

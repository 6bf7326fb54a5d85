// The real program under Wine, driven from this process: settings file, main dialog,
// close policy, single copy, readme.
#include "AppDriver.h"
#include "HistorySeeder.h"
#include "WinDriver.h"
#include "../../res/resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace WinDriver;

namespace {

// The value of a key in the [OPTION] section of a settings text, or "(missing)".
std::string IniValue(const std::string& ini, const std::string& key)
{
    size_t at = ini.find("\r\n" + key + "=");
    if (at == std::string::npos)
        return "(missing)";
    size_t start = at + 2 + key.size() + 1;
    return ini.substr(start, ini.find("\r\n", start) - start);
}

struct ShownOptions {
    std::wstring count;
    bool http, skipOpen, onlyMine, closeAfter;
};

struct ExpectedOptions {
    const wchar_t* count;
    bool http, skipOpen, onlyMine, closeAfter;
};

ShownOptions Shown(HWND dlg)
{
    return { ItemText(dlg, IDC_COUNT), IsChecked(dlg, IDC_TARGET_HTTP), IsChecked(dlg, IDC_DISABLE_ALREADY_OPEN),
             IsChecked(dlg, IDC_ONLY_MY_HISTORY), IsChecked(dlg, IDC_CLOSE_AFTER_EXECUTE) };
}

class AppTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        app_ = std::make_unique<AppDriver>(std::wstring(name.begin(), name.end()));
    }

    // Starts the program and waits for its dialog.
    HWND Launch()
    {
        EXPECT_TRUE(app_->Start());
        HWND dlg = app_->WaitMainDialog();
        EXPECT_NE(nullptr, dlg) << "main dialog did not appear";
        return dlg;
    }

    // Presses Close and expects the program to end.
    void CloseWithButton(HWND dlg)
    {
        PostClick(dlg, IDOK);
        EXPECT_EQ(0u, app_->WaitExit()) << "program did not end after Close";
    }

    std::unique_ptr<AppDriver> app_;
};

// ---------------------------------------------------------------- settings file

TEST_F(AppTest, NoSettingsFileShowsDefaultsAndCloseWritesAllKeys)
{
    ASSERT_FALSE(app_->IniExists());
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    ShownOptions s = Shown(dlg);
    EXPECT_EQ(L"3", s.count);
    EXPECT_TRUE(s.http);
    EXPECT_TRUE(s.skipOpen);
    EXPECT_TRUE(s.onlyMine);
    EXPECT_FALSE(s.closeAfter);
    EXPECT_EQ(L"Backtracker", Text(dlg));
    CloseWithButton(dlg);
    EXPECT_EQ(kDefaultIni, app_->ReadIni());
}

struct StoredCase {
    const char* what;
    std::string ini;
    ExpectedOptions shown;
    std::vector<std::pair<const char*, const char*>> written;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.what; }

class StoredSettingsTest : public AppTest, public testing::WithParamInterface<StoredCase> {};

// What a stored file shows in the dialog and what a Close then writes back.
TEST_P(StoredSettingsTest, ShownAndWrittenBack)
{
    const StoredCase& c = GetParam();
    app_->WriteIni(c.ini);
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    ShownOptions s = Shown(dlg);
    EXPECT_EQ(c.shown.count, s.count);
    EXPECT_EQ(c.shown.http, s.http);
    EXPECT_EQ(c.shown.skipOpen, s.skipOpen);
    EXPECT_EQ(c.shown.onlyMine, s.onlyMine);
    EXPECT_EQ(c.shown.closeAfter, s.closeAfter);
    CloseWithButton(dlg);
    std::string ini = app_->ReadIni();
    for (const auto& kv : c.written)
        EXPECT_EQ(kv.second, IniValue(ini, kv.first)) << kv.first << " in\n" << ini;
}

const StoredCase kStored[] = {
    { "flags_stored_as_5",
      "[OPTION]\r\nTargetHttp=5\r\nDisableAlreadyOpen=5\r\nCloseAfterExecute=5\r\nQueryCancelExit=5\r\n"
      "QueryCancelExitSaving=5\r\nOnlyMyHistory=5\r\n",
      { L"3", true, true, true, true },
      { { "TargetHttp", "1" }, { "DisableAlreadyOpen", "1" }, { "CloseAfterExecute", "1" },
        { "QueryCancelExit", "1" }, { "QueryCancelExitSaving", "1" }, { "OnlyMyHistory", "1" } } },
    { "count_40_clamped", "[OPTION]\r\nOpenNumber=40\r\n", { L"16", true, true, true, false },
      { { "OpenNumber", "16" } } },
    { "count_0_clamped", "[OPTION]\r\nOpenNumber=0\r\n", { L"1", true, true, true, false }, { { "OpenNumber", "1" } } },
    { "all_flags_clear",
      "[OPTION]\r\nOpenNumber=7\r\nTargetHttp=0\r\nDisableAlreadyOpen=0\r\nCloseAfterExecute=0\r\n"
      "QueryCancelExit=0\r\nQueryCancelExitSaving=0\r\nOnlyMyHistory=0\r\n",
      { L"7", false, false, false, false },
      { { "OpenNumber", "7" }, { "TargetHttp", "0" }, { "DisableAlreadyOpen", "0" }, { "QueryCancelExit", "0" },
        { "QueryCancelExitSaving", "0" }, { "OnlyMyHistory", "0" } } },
    // Every option a value of its own across these rows, so that two keys swapped on load or
    // on save show.
    { "options_differ_a",
      "[OPTION]\r\nOpenNumber=7\r\nTargetHttp=1\r\nDisableAlreadyOpen=0\r\nCloseAfterExecute=1\r\n"
      "QueryCancelExit=1\r\nQueryCancelExitSaving=0\r\nOnlyMyHistory=0\r\n",
      { L"7", true, false, false, true },
      { { "OpenNumber", "7" }, { "TargetHttp", "1" }, { "DisableAlreadyOpen", "0" }, { "CloseAfterExecute", "1" },
        { "QueryCancelExit", "1" }, { "QueryCancelExitSaving", "0" }, { "OnlyMyHistory", "0" } } },
    { "options_differ_b",
      "[OPTION]\r\nOpenNumber=9\r\nTargetHttp=0\r\nDisableAlreadyOpen=1\r\nCloseAfterExecute=1\r\n"
      "QueryCancelExit=0\r\nQueryCancelExitSaving=1\r\nOnlyMyHistory=0\r\n",
      { L"9", false, true, false, true },
      { { "OpenNumber", "9" }, { "TargetHttp", "0" }, { "DisableAlreadyOpen", "1" }, { "CloseAfterExecute", "1" },
        { "QueryCancelExit", "0" }, { "QueryCancelExitSaving", "1" }, { "OnlyMyHistory", "0" } } },
    { "options_differ_c",
      "[OPTION]\r\nOpenNumber=2\r\nTargetHttp=0\r\nDisableAlreadyOpen=0\r\nCloseAfterExecute=0\r\n"
      "QueryCancelExit=1\r\nQueryCancelExitSaving=0\r\nOnlyMyHistory=1\r\n",
      { L"2", false, false, true, false },
      { { "OpenNumber", "2" }, { "TargetHttp", "0" }, { "DisableAlreadyOpen", "0" }, { "CloseAfterExecute", "0" },
        { "QueryCancelExit", "1" }, { "QueryCancelExitSaving", "0" }, { "OnlyMyHistory", "1" } } },
    // Garbage must open the dialog with defined values and be replaced by valid ones.
    { "empty_file", "", { L"3", true, true, true, false }, { { "OpenNumber", "3" }, { "TargetHttp", "1" } } },
    { "binary_bytes", std::string("\x00\xff\xfe[OPT\x01\x02ION]\r\n\x80\x81=\x90\r\n\x00\x00", 22),
      { L"3", true, true, true, false }, { { "OpenNumber", "3" } } },
    // "-1" reads as 4294967295, which the field cannot clamp by itself.
    { "negative_count", "[OPTION]\r\nOpenNumber=-1\r\nTargetHttp=-7\r\n", { L"1", true, true, true, false },
      { { "OpenNumber", "1" }, { "TargetHttp", "1" } } },
    { "huge_count", "[OPTION]\r\nOpenNumber=99999999999999999999\r\n", { L"16", true, true, true, false },
      { { "OpenNumber", "16" } } },
    // The platform reads "0x1" as 1, "abc" as 0 and a blank value as missing.
    { "text_and_blank_values", "[OPTION]\r\nOpenNumber=abc\r\nTargetHttp=0x1\r\nOnlyMyHistory=   \r\n",
      { L"1", true, true, true, false }, { { "OpenNumber", "1" }, { "TargetHttp", "1" }, { "OnlyMyHistory", "1" } } },
    { "duplicate_keys_first_wins", "[OPTION]\r\nOpenNumber=5\r\nOpenNumber=9\r\n[OPTION]\r\nOpenNumber=11\r\n",
      { L"5", true, true, true, false }, { { "OpenNumber", "5" } } },
};

INSTANTIATE_TEST_SUITE_P(Files, StoredSettingsTest, testing::ValuesIn(kStored),
                         [](const testing::TestParamInfo<StoredCase>& info) { return info.param.what; });

TEST_F(AppTest, UnknownKeysAndSectionsSurviveASave)
{
    app_->WriteIni("[Before]\r\nkeep=1\r\n[OPTION]\r\nMine=yes\r\nOpenNumber=4\r\n[After]\r\nx=y\r\n");
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    CloseWithButton(dlg);
    std::string ini = app_->ReadIni();
    EXPECT_NE(std::string::npos, ini.find("[Before]\r\nkeep=1\r\n")) << ini;
    EXPECT_NE(std::string::npos, ini.find("Mine=yes\r\n")) << ini;
    EXPECT_NE(std::string::npos, ini.find("[After]\r\nx=y\r\n")) << ini;
    EXPECT_EQ("4", IniValue(ini, "OpenNumber"));
    EXPECT_EQ("1", IniValue(ini, "OnlyMyHistory"));
}

// A settings file that cannot be written is reported after the dialog has ended, and keeps
// its bytes. Wine lets root write read-only files, so the file is locked by this process.
TEST_F(AppTest, UnwritableSettingsFileIsReportedAndKeepsItsBytes)
{
    const std::string old = "[OPTION]\r\nOpenNumber=5\r\n";
    app_->WriteIni(old);
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    HANDLE lock = CreateFileW(app_->IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    SetDlgItemTextW(dlg, IDC_COUNT, L"9");
    PostClick(dlg, IDOK);
    HWND box = WaitMessageBox(app_->Pid());
    ASSERT_TRUE(box) << "no message about the failed save";
    EXPECT_NE(std::wstring::npos, MessageBoxText(box).find(app_->IniPath())) << "the message must name the file";
    EXPECT_EQ(L"Backtracker", Text(box));
    EXPECT_FALSE(IsWindow(dlg)) << "the message comes after the dialog has ended";
    PostClick(box, IDOK);
    EXPECT_EQ(0u, app_->WaitExit());
    CloseHandle(lock);
    EXPECT_EQ(old, app_->ReadIni());
}

}

namespace {

// ---------------------------------------------------------------- main dialog

TEST_F(AppTest, DialogIsCentredInTheWorkAreaWithItsOwnTaskbarButton)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    RECT work, rc;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(dlg, &rc);
    EXPECT_NEAR((work.left + work.right) / 2, (rc.left + rc.right) / 2, 2);
    EXPECT_NEAR((work.top + work.bottom) / 2, (rc.top + rc.bottom) / 2, 2);
    EXPECT_TRUE(GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongW(dlg, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetDlgItem(dlg, IDC_COUNT), FocusOf(dlg)) << "the count field has the focus";
    // The icon reports clicks and answers the cursor request itself.
    HWND icon = GetDlgItem(dlg, IDC_HOT_ICON);
    EXPECT_TRUE(GetWindowLongW(icon, GWL_STYLE) & SS_NOTIFY);
    EXPECT_EQ(TRUE, SendMessageW(icon, WM_SETCURSOR, reinterpret_cast<WPARAM>(icon), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    CloseWithButton(dlg);
}

// The plain texts of the main dialog show whole, in the dialog's font ("ＭＳ Ｐゴシック" at 9
// points, as the template asks), and none reaches into the control to its right.
TEST_F(AppTest, PlainTextsAreNotCutOff)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    HDC dc = GetDC(dlg);
    HFONT font = CreateFontW(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"ＭＳ Ｐゴシック");
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<HWND> children;
    EnumChildWindows(dlg, [](HWND w, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&children));
    int checked = 0;
    for (HWND text : children) {
        wchar_t cls[16] = {};
        GetClassNameW(text, cls, 16);
        if (lstrcmpiW(cls, L"Static") != 0 || (GetDlgCtrlID(text) & 0xFFFF) != 0xFFFF)
            continue;
        std::wstring caption = Text(text);
        RECT needed = {};
        DrawTextW(dc, caption.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        RECT box;
        GetWindowRect(text, &box);
        EXPECT_GE(box.right - box.left, needed.right) << testing::PrintToString(caption) << " is cut off";
        for (HWND other : children) {
            RECT rc;
            GetWindowRect(other, &rc);
            if (other != text && rc.top < box.bottom && rc.bottom > box.top && rc.left >= box.left) {
                EXPECT_LE(box.right, rc.left) << testing::PrintToString(caption) << " reaches into a control";
            }
        }
        ++checked;
    }
    EXPECT_EQ(2, checked);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(dlg, dc);
    CloseWithButton(dlg);
}

TEST_F(AppTest, CountFieldClampsWhileTyping)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    const struct { const wchar_t* typed; const wchar_t* shown; } cases[] = {
        { L"0", L"1" }, { L"17", L"16" }, { L"99", L"16" }, { L"5", L"5" },
        { L"16", L"16" }, { L"1", L"1" }, { L"", L"" },
        // too large for a signed number: left for the validation
        { L"4294967295", L"4294967295" },
    };
    for (const auto& c : cases) {
        SetDlgItemTextW(dlg, IDC_COUNT, c.typed);
        EXPECT_EQ(c.shown, ItemText(dlg, IDC_COUNT)) << "typed " << testing::PrintToString(c.typed);
    }
    // Real keystrokes into the selected field; after a clamp the caret stands at the end, so
    // that typing goes on where it was.
    auto caret = [&](HWND edit) {
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };
    HWND edit = GetDlgItem(dlg, IDC_COUNT);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    PostChar(edit, L'9');
    PostChar(edit, L'9');
    Settle(dlg);
    EXPECT_EQ(L"16", ItemText(dlg, IDC_COUNT));
    EXPECT_EQ(std::make_pair(DWORD(2), DWORD(2)), caret(edit));
    SendMessageW(edit, EM_SETSEL, 0, -1);
    PostChar(edit, L'1');
    PostChar(edit, L'7');
    Settle(dlg);
    EXPECT_EQ(L"16", ItemText(dlg, IDC_COUNT));
    EXPECT_EQ(std::make_pair(DWORD(2), DWORD(2)), caret(edit));
    PostChar(edit, L'\b');
    PostChar(edit, L'2');
    Settle(dlg);
    EXPECT_EQ(L"12", ItemText(dlg, IDC_COUNT)) << "the next key edits the end of the number";
    SendMessageW(edit, EM_SETSEL, 0, -1);
    PostChar(edit, L'0');
    Settle(dlg);
    EXPECT_EQ(L"1", ItemText(dlg, IDC_COUNT));
    EXPECT_EQ(std::make_pair(DWORD(1), DWORD(1)), caret(edit));
    CloseWithButton(dlg);
}

// A count that is no number from 1 to 16 keeps the dialog open and writes nothing.
TEST_F(AppTest, InvalidCountShowsValidationMessageOnClose)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    const struct { const wchar_t* text; const wchar_t* message; } cases[] = {
        { L"", L"整数を入力してください。" },
        { L"4294967295", L"1 から 16 までの整数を入力してください。" },
    };
    for (const auto& c : cases) {
        SetDlgItemTextW(dlg, IDC_COUNT, c.text);
        PostClick(dlg, IDOK);
        HWND box = WaitMessageBox(app_->Pid());
        ASSERT_TRUE(box) << "no validation message for " << testing::PrintToString(c.text);
        EXPECT_EQ(c.message, MessageBoxText(box));
        EXPECT_EQ(L"Backtracker", Text(box));
        EXPECT_EQ(dlg, GetWindow(box, GW_OWNER));
        PostClick(box, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
        Settle(dlg);
        EXPECT_TRUE(app_->Running());
        EXPECT_TRUE(IsWindowEnabled(dlg));
        EXPECT_EQ(GetDlgItem(dlg, IDC_COUNT), FocusOf(dlg)) << "focus goes back to the count";
    }
    EXPECT_FALSE(app_->IniExists());
    SetDlgItemTextW(dlg, IDC_COUNT, L"2");
    CloseWithButton(dlg);
    EXPECT_EQ("2", IniValue(app_->ReadIni(), "OpenNumber"));
}

enum class Step { UpArrow, DownArrow, UpKey, DownKey };

TEST_F(AppTest, SpinArrowsAndArrowKeysStepWithinBounds)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    HWND spin = GetDlgItem(dlg, IDC_COUNT_SPIN);
    HWND edit = GetDlgItem(dlg, IDC_COUNT);
    RECT rc;
    GetClientRect(spin, &rc);
    const struct { const wchar_t* start; Step step; const wchar_t* shown; } cases[] = {
        { L"5", Step::UpArrow, L"6" },   { L"5", Step::DownArrow, L"4" },
        { L"16", Step::UpArrow, L"16" }, { L"1", Step::DownArrow, L"1" },
        { L"5", Step::UpKey, L"6" },     { L"5", Step::DownKey, L"4" },
        { L"16", Step::UpKey, L"16" },   { L"1", Step::DownKey, L"1" },
    };
    for (const auto& c : cases) {
        SetDlgItemTextW(dlg, IDC_COUNT, c.start);
        switch (c.step) {
        case Step::UpArrow: PostMouseClick(spin, rc.right / 2, rc.bottom / 4); break;
        case Step::DownArrow: PostMouseClick(spin, rc.right / 2, rc.bottom * 3 / 4); break;
        case Step::UpKey: PostKey(edit, VK_UP); break;
        case Step::DownKey: PostKey(edit, VK_DOWN); break;
        }
        Settle(dlg);
        EXPECT_EQ(c.shown, ItemText(dlg, IDC_COUNT)) << "from " << testing::PrintToString(c.start) << " step "
                                                     << static_cast<int>(c.step);
    }
    CloseWithButton(dlg);
}

// ---------------------------------------------------------------- close policy

enum class CloseBy { Escape, CloseBox };
enum class Answer { None, Save, Discard, Cancel, EscapeInQuestion, EnterInQuestion };

struct CloseCase {
    const char* what;
    const char* ini;  // before the start
    CloseBy by;
    Answer answer;
    bool tick;
    bool ends;
    bool saved;  // else the file keeps its bytes
    const char* queryCancelExit;
    const char* queryCancelExitSaving;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.what; }

const char kAskAndSave[] = "[OPTION]\r\nOpenNumber=4\r\nCloseAfterExecute=0\r\n";

const CloseCase kClose[] = {
    { "esc_save", kAskAndSave, CloseBy::Escape, Answer::Save, false, true, true, "1", "1" },
    { "closebox_save_ticked", kAskAndSave, CloseBy::CloseBox, Answer::Save, true, true, true, "0", "1" },
    { "enter_in_question_saves", kAskAndSave, CloseBy::Escape, Answer::EnterInQuestion, false, true, true, "1", "1" },
    { "esc_discard", kAskAndSave, CloseBy::Escape, Answer::Discard, false, true, false, "", "" },
    { "esc_discard_ticked", kAskAndSave, CloseBy::CloseBox, Answer::Discard, true, true, false, "", "" },
    { "cancel_ticked_stays", kAskAndSave, CloseBy::Escape, Answer::Cancel, true, false, false, "", "" },
    { "escape_in_question_stays", kAskAndSave, CloseBy::CloseBox, Answer::EscapeInQuestion, false, false, false, "",
      "" },
    { "remembered_save", "[OPTION]\r\nQueryCancelExit=0\r\nQueryCancelExitSaving=1\r\n", CloseBy::Escape,
      Answer::None, false, true, true, "0", "1" },
    { "remembered_discard", "[OPTION]\r\nQueryCancelExit=0\r\nQueryCancelExitSaving=0\r\n", CloseBy::CloseBox,
      Answer::None, false, true, false, "", "" },
};

class ClosePolicyTest : public AppTest, public testing::WithParamInterface<CloseCase> {
protected:
    void RequestClose(HWND dlg, CloseBy by)
    {
        if (by == CloseBy::Escape)
            PostKey(GetDlgItem(dlg, IDC_COUNT), VK_ESCAPE);
        else
            PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
};

TEST_P(ClosePolicyTest, DecisionTable)
{
    const CloseCase& c = GetParam();
    app_->WriteIni(c.ini);
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    // A changed option shows whether anything was saved.
    SendDlgItemMessageW(dlg, IDC_CLOSE_AFTER_EXECUTE, BM_SETCHECK, BST_CHECKED, 0);
    RequestClose(dlg, c.by);
    if (c.answer != Answer::None) {
        HWND q = WaitDialogWithControl(app_->Pid(), IDC_SAVE_AND_CLOSE);
        ASSERT_TRUE(q) << "the question did not appear";
        EXPECT_FALSE(IsWindowEnabled(dlg)) << "the main dialog is disabled while asking";
        EXPECT_EQ(dlg, GetWindow(q, GW_OWNER));
        EXPECT_FALSE(IsChecked(q, IDC_NO_MORE_QUERY));
        if (c.tick)
            SendDlgItemMessageW(q, IDC_NO_MORE_QUERY, BM_SETCHECK, BST_CHECKED, 0);
        switch (c.answer) {
        case Answer::Save: PostClick(q, IDC_SAVE_AND_CLOSE); break;
        case Answer::Discard: PostClick(q, IDC_CLOSE_WITHOUT_SAVING); break;
        case Answer::Cancel: PostClick(q, IDCANCEL); break;
        case Answer::EscapeInQuestion: PostKey(GetDlgItem(q, IDC_NO_MORE_QUERY), VK_ESCAPE); break;
        case Answer::EnterInQuestion: PostKey(GetDlgItem(q, IDC_NO_MORE_QUERY), VK_RETURN); break;
        case Answer::None: break;
        }
    }
    if (!c.ends) {
        Settle(dlg);
        ASSERT_TRUE(WaitFor([&] { return !FindDialogWithControl(app_->Pid(), IDC_SAVE_AND_CLOSE); }, 5000));
        EXPECT_TRUE(app_->Running());
        EXPECT_TRUE(IsWindowEnabled(dlg));
        // Nothing was remembered: the next attempt asks again.
        RequestClose(dlg, c.by);
        HWND q = WaitDialogWithControl(app_->Pid(), IDC_SAVE_AND_CLOSE);
        ASSERT_TRUE(q) << "the question must come again";
        PostClick(q, IDC_CLOSE_WITHOUT_SAVING);
    }
    ASSERT_EQ(0u, app_->WaitExit()) << "program did not end";
    std::string ini = app_->ReadIni();
    if (!c.saved) {
        EXPECT_EQ(c.ini, ini) << "the file must keep its bytes";
        return;
    }
    EXPECT_EQ("1", IniValue(ini, "CloseAfterExecute")) << ini;
    EXPECT_EQ(c.queryCancelExit, IniValue(ini, "QueryCancelExit")) << ini;
    EXPECT_EQ(c.queryCancelExitSaving, IniValue(ini, "QueryCancelExitSaving")) << ini;
}

INSTANTIATE_TEST_SUITE_P(Rows, ClosePolicyTest, testing::ValuesIn(kClose),
                         [](const testing::TestParamInfo<CloseCase>& info) { return info.param.what; });

// Never ask, never save: Esc ends at once without writing, Close still writes all keys.
TEST_F(AppTest, NeverAskNeverSavePairStaysAndCloseButtonStillSaves)
{
    app_->WriteIni("[OPTION]\r\nQueryCancelExit=0\r\nQueryCancelExitSaving=0\r\n");
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    CloseWithButton(dlg);
    std::string ini = app_->ReadIni();
    EXPECT_EQ("0", IniValue(ini, "QueryCancelExit")) << ini;
    EXPECT_EQ("0", IniValue(ini, "QueryCancelExitSaving")) << ini;
    EXPECT_EQ("3", IniValue(ini, "OpenNumber")) << ini;
    EXPECT_EQ("1", IniValue(ini, "OnlyMyHistory")) << ini;
}

// After a ticked "save", the next start closes with Esc at once and saves.
TEST_F(AppTest, TickedSaveIsRememberedAtTheNextStart)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    PostKey(GetDlgItem(dlg, IDC_COUNT), VK_ESCAPE);
    HWND q = WaitDialogWithControl(app_->Pid(), IDC_SAVE_AND_CLOSE);
    ASSERT_TRUE(q);
    SendDlgItemMessageW(q, IDC_NO_MORE_QUERY, BM_SETCHECK, BST_CHECKED, 0);
    PostClick(q, IDC_SAVE_AND_CLOSE);
    ASSERT_EQ(0u, app_->WaitExit());

    dlg = Launch();
    ASSERT_TRUE(dlg);
    SetDlgItemTextW(dlg, IDC_COUNT, L"7");
    PostKey(GetDlgItem(dlg, IDC_COUNT), VK_ESCAPE);
    ASSERT_EQ(0u, app_->WaitExit()) << "Esc must close at once";
    EXPECT_EQ("7", IniValue(app_->ReadIni(), "OpenNumber"));
}

// The question's save branch validates like the Close button: an empty count keeps the
// dialog open, and the ticked flag is in effect for the rest of the run.
TEST_F(AppTest, SaveFromQuestionWithEmptyCountKeepsDialogOpen)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    SetDlgItemTextW(dlg, IDC_COUNT, L"");
    PostKey(GetDlgItem(dlg, IDC_COUNT), VK_ESCAPE);
    HWND q = WaitDialogWithControl(app_->Pid(), IDC_SAVE_AND_CLOSE);
    ASSERT_TRUE(q);
    SendDlgItemMessageW(q, IDC_NO_MORE_QUERY, BM_SETCHECK, BST_CHECKED, 0);
    PostClick(q, IDC_SAVE_AND_CLOSE);
    HWND box = WaitMessageBox(app_->Pid());
    ASSERT_TRUE(box);
    PostClick(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
    Settle(dlg);
    EXPECT_TRUE(app_->Running());
    EXPECT_FALSE(app_->IniExists());
    SetDlgItemTextW(dlg, IDC_COUNT, L"2");
    PostKey(GetDlgItem(dlg, IDC_COUNT), VK_ESCAPE);
    ASSERT_EQ(0u, app_->WaitExit()) << "no second question after the ticked flag";
    std::string ini = app_->ReadIni();
    EXPECT_EQ("2", IniValue(ini, "OpenNumber"));
    EXPECT_EQ("0", IniValue(ini, "QueryCancelExit"));
}

// ---------------------------------------------------------------- one copy, readme

// The running copy's dialog, minimised and behind another window, comes to the front when a
// second copy is started; the second shows nothing of its own.
TEST_F(AppTest, SecondCopyBringsTheRunningDialogToTheFront)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    HWND other = CreateWindowExW(0, L"Static", L"another program", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    ShowWindow(dlg, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(dlg) != FALSE; }, 5000));
    ASSERT_TRUE(BringToFront(other));
    AppDriver second(L"SecondToFront", L"Other.exe");
    ASSERT_TRUE(second.Start());
    bool sawWindow = false;
    WaitFor([&] {
        sawWindow = sawWindow || CountVisibleWindows(second.Pid()) > 0;
        return !second.Running();
    }, 15000);
    EXPECT_EQ(0u, second.WaitExit(0));
    EXPECT_FALSE(sawWindow);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(dlg) && GetForegroundWindow() == dlg; }, 5000))
        << "the running dialog did not come to the front";
    DestroyWindow(other);
    CloseWithButton(dlg);
}

TEST_F(AppTest, SecondCopyEndsAtOnceWithoutAWindow)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    // Another name in another folder: the guard does not depend on either.
    AppDriver second(L"SecondCopy", L"Other.exe");
    ASSERT_TRUE(second.Start());
    bool sawWindow = false;
    WaitFor([&] {
        sawWindow = sawWindow || CountVisibleWindows(second.Pid()) > 0;
        return !second.Running();
    }, 15000);
    EXPECT_EQ(0u, second.WaitExit(0));
    EXPECT_FALSE(sawWindow);
    EXPECT_FALSE(second.IniExists());
    EXPECT_TRUE(app_->Running());
    EXPECT_TRUE(IsWindowVisible(dlg));
    CloseWithButton(dlg);

    // Once the first copy has ended, a new one runs.
    ASSERT_TRUE(second.Start());
    HWND again = second.WaitMainDialog();
    ASSERT_TRUE(again);
    PostClick(again, IDOK);
    EXPECT_EQ(0u, second.WaitExit());
    EXPECT_TRUE(second.IniExists());
}

// A copy that died without releasing the guard does not lock the next one out.
TEST_F(AppTest, GuardOfAKilledCopyIsTakenOver)
{
    ASSERT_TRUE(Launch());
    // A handle of the test's own keeps the mutex in being after the copy dies, so that it is
    // left abandoned, not gone.
    HANDLE held = OpenMutexW(SYNCHRONIZE, FALSE, L"Backtracker:二重起動はできないわよー");
    ASSERT_TRUE(held) << "the running copy holds the guard by its name";
    app_->Kill();
    AppDriver next(L"AfterKilled");
    ASSERT_TRUE(next.Start());
    HWND dlg = next.WaitMainDialog();
    EXPECT_TRUE(dlg) << "the abandoned guard must count as obtained";
    if (dlg) {
        PostClick(dlg, IDOK);
        EXPECT_EQ(0u, next.WaitExit());
    }
    CloseHandle(held);
}

// The visible windows whose title names readme.txt.
std::vector<HWND> ReadmeViewers()
{
    std::vector<HWND> viewers;
    EnumWindows([](HWND w, LPARAM lp) -> BOOL {
        if (IsWindowVisible(w) && Text(w).find(L"readme") != std::wstring::npos)
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&viewers));
    return viewers;
}

void EndReadmeViewers()
{
    for (HWND viewer : ReadmeViewers())
        EndProcessOf(viewer);
}

// A readme that is gone is named in a message of the program's own, and nothing else opens;
// the guide looked for is the one in the language the program speaks.
TEST_F(AppTest, MissingReadmeIsReportedWithItsPath)
{
    const struct { const char* ini; const wchar_t* file; const wchar_t* message; } cases[] = {
        { "", L"readme.txt", L"次のファイルが見つかりません。\n\n" },
        { "[UI]\r\nLanguage=en\r\n", L"readme-en.txt", L"This file was not found:\n\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        app_->WriteIni(c.ini);
        const std::wstring readme = app_->Dir() + L"\\" + c.file;
        ASSERT_TRUE(DeleteFileW(readme.c_str()));
        HWND dlg = Launch();
        ASSERT_TRUE(dlg);
        PostClick(dlg, IDC_README);
        HWND box = WaitMessageBox(app_->Pid());
        ASSERT_TRUE(box) << "the missing readme was not reported";
        EXPECT_EQ(c.message + readme, MessageBoxText(box));
        EXPECT_EQ(L"Backtracker", Text(box));
        EXPECT_EQ(dlg, GetWindow(box, GW_OWNER));
        PostClick(box, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
        Sleep(500);
        EXPECT_EQ(nullptr, FindMessageBox(app_->Pid())) << "one message only";
        EXPECT_TRUE(ReadmeViewers().empty());
        EXPECT_TRUE(IsWindowEnabled(dlg));
        CloseWithButton(dlg);
    }
}

TEST_F(AppTest, ReadmeButtonOpensTheReadmeBesideTheProgram)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    PostClick(dlg, IDC_README);
    WaitFor([&] { return !ReadmeViewers().empty(); }, 20000);
    std::vector<HWND> viewers = ReadmeViewers();
    ASSERT_EQ(1u, viewers.size()) << "no window shows readme.txt";
    DWORD viewerPid = 0;
    GetWindowThreadProcessId(viewers[0], &viewerPid);
    EXPECT_NE(app_->Pid(), viewerPid);
    EXPECT_EQ(nullptr, FindMessageBox(app_->Pid()));
    EndReadmeViewers();
    CloseWithButton(dlg);
}

LONG ButtonType(HWND dlg, int id) { return GetWindowLongW(GetDlgItem(dlg, id), GWL_STYLE) & BS_TYPEMASK; }

// Enter presses the button that has the focus, also when the focus reached it by its access
// key and came back to it after a nested dialog or another program: one default at a time.
TEST_F(AppTest, EnterPressesTheFocusedButtonWhenTheFocusComesBack)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    ASSERT_TRUE(BringToFront(dlg));
    TypeKey('N', true);
    TypeKey('V', true);
    HWND version = WaitDialogWithControl(app_->Pid(), IDC_WEB_LINK);
    ASSERT_TRUE(version) << "Alt+V did not open the version dialog";
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(version); }, 5000));
    Settle(dlg);
    EXPECT_EQ(GetDlgItem(dlg, IDC_VERSION), FocusOf(dlg));
    EXPECT_EQ(BS_DEFPUSHBUTTON, ButtonType(dlg, IDC_VERSION));
    EXPECT_EQ(BS_PUSHBUTTON, ButtonType(dlg, IDC_REOPEN));
    TypeKey(VK_RETURN);
    HWND again = WaitDialogWithControl(app_->Pid(), IDC_WEB_LINK, 5000);
    EXPECT_TRUE(again) << "Enter did not press the focused button";
    EXPECT_EQ(nullptr, FindMessageBox(app_->Pid())) << "Enter ran the reopen command";
    if (again) {
        PostClick(again, IDOK);
        WaitFor([&] { return !IsWindow(again); }, 5000);
    }

    // Alt+M opens the readme in another program; back in the dialog, Enter opens it again.
    ASSERT_TRUE(BringToFront(dlg));
    TypeKey('M', true);
    ASSERT_TRUE(WaitFor([&] { return ReadmeViewers().size() == 1; }, 20000));
    ASSERT_TRUE(BringToFront(dlg));
    Settle(dlg);
    EXPECT_EQ(BS_DEFPUSHBUTTON, ButtonType(dlg, IDC_README));
    EXPECT_EQ(BS_PUSHBUTTON, ButtonType(dlg, IDC_REOPEN));
    TypeKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return ReadmeViewers().size() == 2; }, 20000)) << "Enter did not open the readme";
    EXPECT_EQ(nullptr, FindMessageBox(app_->Pid())) << "Enter ran the reopen command";
    EndReadmeViewers();
    CloseWithButton(dlg);
}

}

namespace {

// The sources dialog from the system menu in a prefix without browsers of today: the URL
// cache alone, on by default; unticking the last source is refused with a message, and Cancel
// keeps the settings as they were.
TEST_F(AppTest, SourcesDialogFromTheSystemMenu)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    PostMessageW(dlg, WM_SYSCOMMAND, IDM_SOURCES, 0);
    HWND sources = WaitDialogWithControl(app_->Pid(), IDC_SOURCE_LIST);
    ASSERT_TRUE(sources) << "the sources dialog did not open";
    EXPECT_EQ(L"対象のブラウザ - Backtracker", Text(sources));
    EXPECT_EQ(dlg, GetWindow(sources, GW_OWNER));
    HWND list = GetDlgItem(sources, IDC_SOURCE_LIST);
    std::vector<ListRow> rows = ListRows(list);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"Internet Explorer", rows[0].texts[0]);
    EXPECT_TRUE(rows[0].checked) << "on by default";
    ASSERT_TRUE(SetListCheck(list, 0, false));
    PostClick(sources, IDOK);
    HWND box = WaitMessageBox(app_->Pid());
    ASSERT_TRUE(box) << "no source at all was taken";
    EXPECT_EQ(L"履歴を読むブラウザを 1 つ以上選んでください。", MessageBoxText(box));
    PostClick(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
    EXPECT_TRUE(IsWindow(sources)) << "the dialog stays";
    PostClick(sources, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(sources); }, 5000));
    CloseWithButton(dlg);
    EXPECT_EQ(std::string::npos, app_->ReadIni().find("[BROWSERS]")) << app_->ReadIni();
}

// ---------------------------------------------------------------- resources

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* key)
{
    wchar_t* value = nullptr;
    UINT len = 0;
    std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + key;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &len))
        return L"(missing)";
    return len ? std::wstring(value, wcsnlen(value, len)) : std::wstring();
}

TEST(Resources, VersionBlock)
{
    std::wstring exe = AppDriver::DistDir() + L"\\Backtracker.exe";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_NE(0u, size);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(1, 1), fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(0u, fixed->dwFileFlags);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
    ASSERT_EQ(4u, len);
    EXPECT_EQ(0x0411, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);

    const struct { const wchar_t* key; const wchar_t* value; } keys[] = {
        { L"Comments", L"" },
        { L"FileDescription", L"Backtracker" },
        { L"FileVersion", L"1, 0, 1, 1" },
        { L"InternalName", L"Backtracker" },
        { L"LegalTrademarks", L"" },
        { L"OriginalFilename", L"Backtracker.EXE" },
        { L"PrivateBuild", L"" },
        { L"ProductName", L"Backtracker" },
        { L"ProductVersion", L"1, 0, 1, 1" },
        { L"SpecialBuild", L"" },
    };
    for (const auto& k : keys)
        EXPECT_EQ(k.value, VersionString(block, k.key)) << testing::PrintToString(k.key);
    EXPECT_FALSE(VersionString(block, L"CompanyName").empty());
    EXPECT_FALSE(VersionString(block, L"LegalCopyright").empty());

    // The manifest names the program with the same version.
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_TRUE(res);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, res))), SizeofResource(module, res));
    FreeLibrary(module);
    EXPECT_NE(std::string::npos, manifest.find(R"(name="Backtracker" version="1.0.1.1")")) << manifest;
}

// Icon 128 is the only icon: one 32 x 32 image in 256 colours.
TEST(Resources, ApplicationIcon)
{
    std::wstring exe = AppDriver::DistDir() + L"\\Backtracker.exe";
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_TRUE(res);
#pragma pack(push, 2)
    struct Entry { BYTE width, height, colours, reserved; WORD planes, bitCount; DWORD bytes; WORD id; };
    struct Group { WORD reserved, type, count; Entry entries[1]; };
#pragma pack(pop)
    const Group* group = static_cast<const Group*>(LockResource(LoadResource(module, res)));
    ASSERT_TRUE(group);
    EXPECT_EQ(1, group->count);
    EXPECT_EQ(32, group->entries[0].width);
    EXPECT_EQ(32, group->entries[0].height);
    EXPECT_EQ(8, group->entries[0].bitCount);
    int icons = 0;
    EnumResourceNamesW(module, RT_GROUP_ICON, [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) -> BOOL {
        ++*reinterpret_cast<int*>(count);
        return TRUE;
    }, reinterpret_cast<LONG_PTR>(&icons));
    EXPECT_EQ(1, icons);
    FreeLibrary(module);
}


// The controls of a dialog template as the program stores it: id and rectangle, in order.
struct StoredControl {
    int id;
    short x, y, cx, cy;
    bool operator==(const StoredControl& o) const
    {
        return id == o.id && x == o.x && y == o.y && cx == o.cx && cy == o.cy;
    }
};

void PrintTo(const StoredControl& c, std::ostream* os)
{
    *os << "{" << c.id << ", " << c.x << ", " << c.y << ", " << c.cx << ", " << c.cy << "}";
}

// Reads both template forms; a name or ordinal field is skipped whatever it holds.
std::vector<StoredControl> StoredControls(const BYTE* t)
{
    auto word = [&](size_t at) { WORD w; memcpy(&w, t + at, 2); return w; };
    auto skipField = [&](size_t at) {
        if (word(at) == 0xFFFF)
            return at + 4;
        while (word(at))
            at += 2;
        return at + 2;
    };
    auto align = [](size_t at) { return (at + 3) & ~size_t(3); };
    const bool ex = word(0) == 1 && word(2) == 0xFFFF;
    DWORD style;
    memcpy(&style, t + (ex ? 12 : 0), 4);
    const WORD count = word(ex ? 16 : 8);
    size_t at = ex ? 26 : 18;
    at = skipField(skipField(skipField(at)));  // menu, class, title
    if (style & DS_SETFONT)
        at = skipField(at + (ex ? 6 : 2));
    std::vector<StoredControl> controls;
    for (WORD i = 0; i < count; ++i) {
        at = align(at);
        StoredControl c;
        size_t rect = at + (ex ? 12 : 8);
        memcpy(&c.x, t + rect, 2);
        memcpy(&c.y, t + rect + 2, 2);
        memcpy(&c.cx, t + rect + 4, 2);
        memcpy(&c.cy, t + rect + 6, 2);
        if (ex) {
            int32_t id;
            memcpy(&id, t + at + 20, 4);
            c.id = id;
        } else {
            c.id = static_cast<short>(word(at + 16));
        }
        controls.push_back(c);
        at = skipField(skipField(at + (ex ? 24 : 18)));  // class, title
        at += 2 + word(at);                             // creation data
    }
    return controls;
}

// Every control of the three templates where the dialogs' layout puts it, the icons 20 x 20.
TEST(Resources, TemplatesHoldEveryControlWhereTheLayoutPutsIt)
{
    const struct { int tmpl; std::vector<StoredControl> controls; } cases[] = {
        { IDD_BACKTRACKER_DIALOG,
          { { IDC_HOT_ICON, 10, 10, 20, 20 }, { -1, 40, 15, 101, 8 }, { -1, 10, 45, 54, 8 },
            { IDC_COUNT, 68, 42, 25, 14 }, { IDC_COUNT_SPIN, 95, 40, 10, 8 }, { IDC_TARGET_HTTP, 12, 66, 117, 10 },
            { IDC_DISABLE_ALREADY_OPEN, 12, 78, 110, 10 }, { IDC_ONLY_MY_HISTORY, 12, 90, 138, 10 },
            { IDC_CLOSE_AFTER_EXECUTE, 12, 102, 140, 10 }, { IDC_REOPEN, 164, 12, 58, 14 },
            { IDC_README, 165, 63, 58, 14 }, { IDC_VERSION, 165, 81, 58, 14 }, { IDOK, 165, 99, 58, 14 } } },
        { IDD_VERSION,
          { { -1, 10, 10, 20, 20 }, { -1, 36, 12, 63, 8 }, { IDC_MAIL_LINK, 80, 36, 46, 8 },
            { IDC_WEB_LINK, 80, 48, 69, 8 }, { IDOK, 140, 4, 50, 14 }, { -1, 36, 24, 75, 8 }, { -1, 44, 36, 22, 8 },
            { -1, 44, 48, 30, 8 } } },
        { IDD_EXIT_QUERY,
          { { -1, 10, 10, 20, 20 }, { -1, 44, 12, 169, 18 }, { IDC_NO_MORE_QUERY, 10, 40, 103, 10 },
            { IDC_SAVE_AND_CLOSE, 10, 60, 66, 14 }, { IDC_CLOSE_WITHOUT_SAVING, 85, 60, 66, 14 },
            { IDCANCEL, 160, 60, 66, 14 } } },
    };
    std::wstring exe = AppDriver::DistDir() + L"\\Backtracker.exe";
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    for (const auto& c : cases) {
        HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(c.tmpl), RT_DIALOG);
        ASSERT_TRUE(res) << c.tmpl;
        const BYTE* t = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
        EXPECT_EQ(c.controls, StoredControls(t)) << "template " << c.tmpl;
    }
    FreeLibrary(module);
}

}

namespace {

// Button 1005 and a click on the icon open the same version dialog, owned by the main one;
// Enter, Escape and its close box end it, and no setting changes.
TEST_F(AppTest, VersionDialogFromButtonAndIconChangesNothing)
{
    HWND dlg = Launch();
    ASSERT_TRUE(dlg);
    enum class Open { Button, Icon };
    const struct { Open open; UINT closeKey; } ways[] = {
        { Open::Button, VK_RETURN }, { Open::Icon, VK_ESCAPE }, { Open::Icon, 0 }, { Open::Button, VK_ESCAPE },
    };
    for (const auto& way : ways) {
        if (way.open == Open::Button)
            PostClick(dlg, IDC_VERSION);
        else
            PostMouseClick(GetDlgItem(dlg, IDC_HOT_ICON), 5, 5);
        HWND version = WaitDialogWithControl(app_->Pid(), IDC_WEB_LINK);
        ASSERT_TRUE(version) << "no version dialog";
        EXPECT_EQ(L"バージョン情報 - Backtracker", Text(version));
        EXPECT_EQ(L"Backtracker ver 1.02", Text(FindWindowExW(version, nullptr, L"Static", L"Backtracker ver 1.02")));
        EXPECT_EQ(dlg, GetWindow(version, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(dlg));
        if (way.closeKey)
            PostKey(GetDlgItem(version, IDOK), way.closeKey);
        else
            PostMessageW(version, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(version); }, 5000));
        Settle(dlg);
        EXPECT_TRUE(IsWindowEnabled(dlg));
        EXPECT_FALSE(app_->IniExists());
    }
    CloseWithButton(dlg);
    EXPECT_EQ(kDefaultIni, app_->ReadIni());
}
}

// The link opener's platform-free parts: the command line of the registry road and the error
// messages (read from the program's own string table).
#include "controls/LinkCommand.h"
#include "controls/LinkMessages.h"
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>

namespace {

bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool NoLead(unsigned char) { return false; }

TEST(LinkCommand, CommandLineTable)
{
    const std::string tooLongTarget(520, 't');
    const struct { const char* what; std::string registered, target; bool fits; std::string line; } cases[] = {
        { "quoted placeholder cut with what follows", "viewer.exe -n \"%1\" -x", "t", true, "viewer.exe -n  t" },
        { "bare placeholder", "viewer.exe %1", "t", true, "viewer.exe  t" },
        { "no placeholder", "viewer.exe -n", "t", true, "viewer.exe -n t" },
        { "quoted wins even after a bare one", "viewer.exe %1 -o \"%1\"", "t", true, "viewer.exe %1 -o  t" },
        { "quoted browser path", "\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"", "http://h/", true,
          "\"C:\\windows\\system32\\winebrowser.exe\"  http://h/" },
        // 0x81 0x25 is one CP932 character whose second byte is '%': no placeholder there.
        { "second byte of a double-byte character never starts a match", "v\x81%1.exe %1", "t", true,
          "v\x81%1.exe  t" },
        { "Japanese before the placeholder kept intact",
          "C:\\\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\\v.exe \"%1\"", "t", true,
          "C:\\\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\\v.exe  t" },
        { "exactly 519 bytes fit", "v", std::string(517, 'x'), true, "v " + std::string(517, 'x') },
        { "520 bytes do not", "v", std::string(518, 'x'), false, "" },
        { "a long target does not", "viewer.exe %1", tooLongTarget, false, "" },
    };
    for (const auto& c : cases) {
        std::string line = "(untouched)";
        EXPECT_EQ(c.fits, LinkCommand::Build(c.registered, c.target, Cp932Lead, &line)) << c.what;
        EXPECT_EQ(c.fits ? c.line : "(untouched)", line) << c.what;
    }
    // Without the code page rule the same bytes would match inside the character.
    EXPECT_EQ(2u, LinkCommand::FindMultibyte("v\x81%1", "%1", NoLead));
    EXPECT_EQ(std::string::npos, LinkCommand::FindMultibyte("v\x81%1", "%1", Cp932Lead));
}

// The program's string table as the resource compiler sees it: resource.h and Strings.rc.
std::map<unsigned, std::wstring>& Table()
{
    static std::map<unsigned, std::wstring> table = [] {
        std::map<std::string, unsigned> ids;
        std::ifstream header(BT_SOURCE_DIR "/res/resource.h");
        std::regex define(R"(#define\s+(\w+)\s+(\d+))");
        for (std::string line; std::getline(header, line);) {
            std::smatch m;
            if (std::regex_search(line, m, define))
                ids[m[1]] = static_cast<unsigned>(std::stoul(m[2]));
        }
        std::map<unsigned, std::wstring> texts;
        std::ifstream rc(BT_SOURCE_DIR "/res/Strings.rc");
        std::regex entry(R"(^\s+(IDS_\w+)\s+\"(.*)\"\s*$)");
        for (std::string line; std::getline(rc, line);) {
            std::smatch m;
            if (!std::regex_match(line, m, entry) || !ids.count(m[1]))
                continue;
            std::string raw = m[2], text;
            for (size_t i = 0; i < raw.size(); ++i) {
                if (raw[i] == '\\' && i + 1 < raw.size()) {
                    char e = raw[++i];
                    text += e == 'n' ? '\n' : e;
                } else {
                    text += raw[i];
                }
            }
            texts[ids[m[1]]] = std::wstring(text.begin(), text.end());  // these texts are ASCII
        }
        return texts;
    }();
    return table;
}

std::wstring Load(unsigned id) { return Table().count(id) ? Table()[id] : L"(missing " + std::to_wstring(id) + L")"; }

TEST(LinkMessages, EveryCodeOfTheTable)
{
    const std::wstring prefix = L"Unable to open hyperlink:\n\n";
    const struct { int code; const wchar_t* message; } cases[] = {
        { 0, L"The operating system is out\nof memory or resources." },
        { 2, L"The specified file was not found." },
        { 3, L"The specified path was not found." },
        { 5, L"The operating system denied\naccess to the specified file." },
        { 8, L"There was not enough memory to complete the operation." },
        { 11, L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)." },
        { 26, L"A sharing violation occurred. " },
        { 27, L"The filename association is\nincomplete or invalid." },
        { 28, L"The DDE transaction could not\nbe completed because the request timed out." },
        { 29, L"The DDE transaction failed." },
        { 30, L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed." },
        { 31, L"There is no application associated\nwith the given filename extension." },
        { 32, L"The specified dynamic-link library was not found." },
        { 1, L"Unknown Error (1) occurred." },
        { 4, L"Unknown Error (4) occurred." },
        { 25, L"Unknown Error (25) occurred." },
        { 33, L"Unknown Error (33) occurred." },
        { -5, L"Unknown Error (-5) occurred." },
        { INT32_MIN, L"Unknown Error (-2147483648) occurred." },
    };
    for (const auto& c : cases)
        EXPECT_EQ(prefix + c.message, LinkMessages::Text(c.code, Load)) << "code " << c.code;
}

}

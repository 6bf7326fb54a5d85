// What the list saves, read back by independent parsers (Python's html.parser and csv): hostile
// titles and addresses come back as the list showed them, on one line, and nothing of them
// becomes markup, a field or a formula.
#include "app/PageExport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {
using Page = PageExport::Page;

// Runs a Python snippet over the file's bytes and gives what it printed.
std::string ReadBack(const std::string& bytes, const char* python)
{
    const std::string path = testing::TempDir() + "bt-export-" + std::to_string(std::rand());
    std::ofstream(path, std::ios::binary) << bytes;
    const std::string command = "python3 -c '" + std::string(python) + "' " + path;
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
            out.append(buf, n);
        pclose(pipe);
    }
    std::remove(path.c_str());
    return out;
}

const char kBookmarks[] = R"PY(
import html.parser, json, sys
class P(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True); self.a = None; self.out = []
    def handle_starttag(self, tag, attrs):
        if tag == "a": self.a = [dict(attrs).get("href"), ""]
        elif self.a is not None: self.out.append(["TAG INSIDE A", tag])
    def handle_data(self, data):
        if self.a is not None: self.a[1] += data
    def handle_endtag(self, tag):
        if tag == "a" and self.a is not None: self.out.append(self.a); self.a = None
p = P(); p.feed(open(sys.argv[1], encoding="utf-8").read())
for href, text in p.out: print(json.dumps([href, text], ensure_ascii=False))
)PY";

const char kCsv[] = R"PY(
import csv, json, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    for row in csv.reader(f): print(json.dumps(row, ensure_ascii=False))
)PY";

std::vector<Page> Hostile()
{
    const auto page = [](std::u16string title, std::u16string address) {
        Page p;
        p.title = std::move(title);
        p.address = std::move(address);
        p.browser = u"Google Chrome";
        p.profile = u"仕事, \"家\"";
        p.time = u"2026-12-11T10:26:05+09:00";
        p.timeUs = 1765416365000000;
        return p;
    };
    return {
        page(u"<script>alert(1)</script></A><A HREF=\"http://evil/\">", u"http://a.example/?q=<b>&x=\"1\""),
        page(u"Tom & Jerry's \"best\"", u"http://b.example/'onmouseover='x"),
        page(u"line\r\nbreak\ttab", u"http://c.example/"),
        page(u"=HYPERLINK(\"http://evil/\",\"click\")", u"http://d.example/"),
        page(u"+1, -2, @3", u"http://e.example/a,b"),
        page(u"\u202Egnp.exe 日本語", u"http://f.example/"),
        page(u"", u"http://no-title.example/"),
    };
}
}

TEST(PageExport, BookmarksReadBackAsShown)
{
    const std::string file = PageExport::Bookmarks(Hostile(), u"Backtracker <&>");
    const std::string expected =
        "[\"http://a.example/?q=<b>&x=\\\"1\\\"\", \"<script>alert(1)</script></A><A HREF=\\\"http://evil/\\\">\"]\n"
        "[\"http://b.example/'onmouseover='x\", \"Tom & Jerry's \\\"best\\\"\"]\n"
        "[\"http://c.example/\", \"line  break tab\"]\n"
        "[\"http://d.example/\", \"=HYPERLINK(\\\"http://evil/\\\",\\\"click\\\")\"]\n"
        "[\"http://e.example/a,b\", \"+1, -2, @3\"]\n"
        "[\"http://f.example/\", \"\u202Egnp.exe 日本語\"]\n"
        "[\"http://no-title.example/\", \"http://no-title.example/\"]\n";
    EXPECT_EQ(expected, ReadBack(file, kBookmarks)) << file;
    EXPECT_NE(std::string::npos, file.find("ADD_DATE=\"1765416365\""));
    EXPECT_EQ(0u, file.find("<!DOCTYPE NETSCAPE-Bookmark-file-1>"));
}

TEST(PageExport, CsvAsASpreadsheetReadsIt)
{
    const std::string file = PageExport::Csv(Hostile(), u"title,address,browser,profile,time,open");
    EXPECT_EQ(0u, file.find("\xEF\xBB\xBF")) << "a BOM, so that Excel reads UTF-8";
    const std::string rows = ReadBack(file, kCsv);
    const std::string tail = ", \"Google Chrome\", \"仕事, \\\"家\\\"\", \"2026-12-11T10:26:05+09:00\", \"0\"]\n";
    const std::string expected =
        "[\"title\", \"address\", \"browser\", \"profile\", \"time\", \"open\"]\n"
        "[\"<script>alert(1)</script></A><A HREF=\\\"http://evil/\\\">\", \"http://a.example/?q=<b>&x=\\\"1\\\"\"" + tail +
        "[\"Tom & Jerry's \\\"best\\\"\", \"http://b.example/'onmouseover='x\"" + tail +
        "[\"line\\r\\nbreak tab\", \"http://c.example/\"" + tail +
        "[\"'=HYPERLINK(\\\"http://evil/\\\",\\\"click\\\")\", \"http://d.example/\"" + tail +
        "[\"'+1, -2, @3\", \"http://e.example/a,b\"" + tail +
        "[\"\u202Egnp.exe 日本語\", \"http://f.example/\"" + tail +
        "[\"\", \"http://no-title.example/\"" + tail;
    EXPECT_EQ(expected, rows) << file;
}

TEST(PageExport, TextIsWhatCopyGivesOneLineAPage)
{
    const std::string file = PageExport::Text(Hostile());
    std::vector<std::string> lines;
    for (size_t at = 3, next; (next = file.find("\r\n", at)) != std::string::npos; at = next + 2)
        lines.push_back(file.substr(at, next - at));
    ASSERT_EQ(Hostile().size(), lines.size()) << "no title adds a line";
    EXPECT_EQ("line  break tab\thttp://c.example/", lines[2]);
    EXPECT_EQ("\thttp://no-title.example/", lines[6]);
    for (const std::string& line : lines)
        EXPECT_EQ(1, std::count(line.begin(), line.end(), '\t')) << line;
}

TEST(PageExport, IsoTimeTable)
{
    const struct { int64_t timeUs; int offset; const char16_t* text; } cases[] = {
        { 1765416365000000, 540, u"2025-12-11T10:26:05+09:00" },
        { 1765416365999999, 0, u"2025-12-11T01:26:05+00:00" },
        { 1765416365000000, -300, u"2025-12-10T20:26:05-05:00" },
        { 951782400000000, 330, u"2000-02-29T05:30:00+05:30" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::u16string(c.text), PageExport::IsoTime(c.timeUs, c.offset));
}

#include "PageExport.h"
#include "../text/TitleText.h"
#include <cstdio>
#include <ctime>

namespace {
// A text on one line: each control character (a tab, a line break) a blank.
std::u16string OneLine(const std::u16string& text)
{
    std::u16string line = text;
    for (char16_t& c : line)
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029)
            c = u' ';
    return line;
}

// Text for an element's content or an attribute's value in quotes.
std::string Html(const std::u16string& text)
{
    std::string out;
    for (char c : TitleText::Utf8(OneLine(text))) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

// A CSV field: quoted when it holds a comma, a quote or a line break (quotes doubled); a field
// that begins as a formula does (=, +, -, @, a tab) gets an apostrophe first, so that a
// spreadsheet shows it as text.
std::string CsvField(const std::u16string& text)
{
    std::u16string value = text;
    for (char16_t& c : value)
        if ((c < 0x20 && c != u'\n' && c != u'\r') || c == 0x7F)
            c = u' ';
    if (!value.empty() && (value[0] == u'=' || value[0] == u'+' || value[0] == u'-' || value[0] == u'@'))
        value.insert(value.begin(), u'\'');
    const std::string utf8 = TitleText::Utf8(value);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string quoted = "\"";
    for (char c : utf8)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

const char kBom[] = "\xEF\xBB\xBF";
}

std::string PageExport::Bookmarks(const std::vector<Page>& pages, const std::u16string& heading)
{
    std::string out = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
                      "<!-- This is an automatically generated file.\r\n"
                      "     It will be read and overwritten.\r\n"
                      "     DO NOT EDIT! -->\r\n"
                      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
                      "<TITLE>" + Html(heading) + "</TITLE>\r\n"
                      "<H1>" + Html(heading) + "</H1>\r\n"
                      "<DL><p>\r\n";
    for (const Page& p : pages) {
        out += "    <DT><A HREF=\"" + Html(p.address) + "\"";
        if (p.timeUs > 0)
            out += " ADD_DATE=\"" + std::to_string(p.timeUs / 1000000) + "\"";
        out += ">" + Html(p.title.empty() ? p.address : p.title) + "</A>\r\n";
    }
    return out + "</DL><p>\r\n";
}

std::string PageExport::Csv(const std::vector<Page>& pages, const std::u16string& columns)
{
    std::string out = std::string(kBom) + TitleText::Utf8(OneLine(columns)) + "\r\n";
    for (const Page& p : pages)
        out += CsvField(p.title) + "," + CsvField(p.address) + "," + CsvField(p.browser) + "," + CsvField(p.profile) +
               "," + CsvField(p.time) + "," + (p.openNow ? "1" : "0") + "\r\n";
    return out;
}

std::string PageExport::Text(const std::vector<Page>& pages)
{
    std::string out = kBom;
    for (const Page& p : pages)
        out += TitleText::Utf8(OneLine(p.title)) + "\t" + TitleText::Utf8(OneLine(p.address)) + "\r\n";
    return out;
}

std::u16string PageExport::IsoTime(int64_t timeUs, int offsetMinutes)
{
    // The local time is the UTC time of the shifted moment.
    const std::time_t local = static_cast<std::time_t>(timeUs / 1000000 + int64_t{ offsetMinutes } * 60);
    const std::tm* t = std::gmtime(&local);
    if (!t)
        return std::u16string();
    char text[96];
    const int offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t->tm_year + 1900, t->tm_mon + 1,
                  t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec, offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    const std::string ascii = text;
    return std::u16string(ascii.begin(), ascii.end());
}

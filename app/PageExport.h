// What the list shows, saved as a file another program reads: a bookmarks file in the Netscape
// format that every browser imports, CSV as Excel reads it (UTF-8 with a BOM, fields quoted
// where they must be), or plain text as Copy gives it (title, tab, address, a line each).
// Titles and addresses were written by web pages: every character that could end a field, a
// line, an attribute or an element is escaped or made a blank, and a CSV field that a
// spreadsheet would take for a formula is kept text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class PageExport {
public:
    struct Page {
        std::u16string title;    // the whole title; empty for a page without one
        std::u16string address;
        std::u16string browser;  // as the user knows it
        std::u16string profile;  // as the browser names it; empty for the URL cache
        std::u16string time;     // ISO 8601, local with its offset (IsoTime); empty for none
        int64_t timeUs = 0;      // microseconds since 1970 (0: none)
        bool openNow = false;
    };
    enum Format { kBookmarks, kCsv, kText };

    // The file's bytes (UTF-8). `heading`: the bookmarks file's title; `columns`: CSV's first
    // line, its six names separated by commas.
    static std::string Bookmarks(const std::vector<Page>& pages, const std::u16string& heading);
    static std::string Csv(const std::vector<Page>& pages, const std::u16string& columns);
    static std::string Text(const std::vector<Page>& pages);

    // "2026-12-11T10:26:05+09:00" for a time (microseconds since 1970, UTC) and the local
    // offset east of UTC at that time (minutes).
    static std::u16string IsoTime(int64_t timeUs, int offsetMinutes);
};

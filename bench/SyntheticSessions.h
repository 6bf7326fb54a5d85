// Session files as the browsers write them, made up for the benchmarks: a Chromium profile's
// Session_ file (each tab's navigations with a page state as large as a browser saves) and a
// Firefox profile's sessionstore.jsonlz4 (each tab's entries with the fields Firefox keeps,
// its favicon and its form data), `windows` windows of `tabs` tabs each.
#pragma once
#include "../tests/common/SessionFiles.h"
#include <cstdint>
#include <string>

namespace SyntheticSessions {

// `n` characters of base64 that compress as little as a browser's own do (random bytes).
inline std::string Base64(size_t n, unsigned seed)
{
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string s(n, 'A');
    uint32_t x = seed * 2654435761u + 1;
    for (char& c : s) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        c = kDigits[x & 63];
    }
    return s;
}

inline std::string Url(int window, int tab, int entry)
{
    return "https://www.example" + std::to_string(window % 7) + ".com/section/" + std::to_string(tab) +
           "/article-" + std::to_string(entry) + "?ref=home&utm_source=feed&page=" + std::to_string(window);
}
inline std::u16string Title(int tab)
{
    return u"記事のタイトル " + std::u16string(1, static_cast<char16_t>(u'A' + tab % 26)) + u" - Example News";
}

inline std::string Chromium(int windows, int tabs)
{
    Snss s;
    std::string state = Base64(600, 7);  // a page state, as Chromium keeps it beside the address
    for (int w = 0; w < windows; ++w) {
        s.WindowType(w + 1);
        for (int t = 0; t < tabs; ++t) {
            const int id = w * 1000 + t + 1;
            s.TabWindow(w + 1, id).TabIndex(id, t);
            for (int e = 0; e < 3; ++e) {
                state[static_cast<size_t>(e)] = static_cast<char>('a' + t % 26);
                s.Navigation(id, e, Url(w, t, e), Title(t), state);
            }
            s.Selected(id, 2);
            if (t == 0)
                s.Pinned(id);
        }
    }
    return s.Marker().Bytes();
}

inline std::string FirefoxJson(int windows, int tabs)
{
    const std::string principal = Base64(160, 1);
    int n = 0;
    std::string json = R"({"version":["sessionrestore",1],"windows":[)";
    for (int w = 0; w < windows; ++w) {
        json += std::string(w ? "," : "") + R"({"tabs":[)";
        for (int t = 0; t < tabs; ++t) {
            json += std::string(t ? "," : "") + R"({"entries":[)";
            for (int e = 0; e < 3; ++e) {
                std::string title;
                for (char16_t c : Title(t)) {  // as UTF-8
                    if (c < 0x80)
                        title += static_cast<char>(c);
                    else
                        title += std::string{ static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                                              static_cast<char>(0x80 | (c & 0x3F)) };
                }
                json += std::string(e ? "," : "") + R"({"url":")" + Url(w, t, e) + R"(","title":")" + title +
                        R"(","cacheKey":0,"ID":)" + std::to_string(t * 10 + e) +
                        R"(,"docshellUUID":"{0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0}","referrerInfo":")" +
                        Base64(200, static_cast<unsigned>(++n)) +
                        R"(","originalURI":")" + Url(w, t, e) + R"(","resultPrincipalURI":null,"hasUserInteraction":true,)"
                        R"("triggeringPrincipal_base64":")" + principal + R"(","docIdentifier":)" + std::to_string(e) +
                        R"(,"persist":true})";
            }
            json += R"(],"lastAccessed":1765000000000,"hidden":false,"attributes":{},"index":3,"requestedIndex":0,)"
                    R"("userContextId":0,"image":"data:image/png;base64,)" + Base64(1200, static_cast<unsigned>(++n)) + R"(","formdata":{"id":{"q":"search words"}},)"
                    R"("scroll":{"scroll":"0,1200"})" + (t == 0 ? R"(,"pinned":true)" : "") + "}";
        }
        json += R"(],"selected":1,"_closedTabs":[],"busy":false,"width":1280,"height":800,"screenX":0,"screenY":0,)"
                R"("sizemode":"normal","zIndex":)" + std::to_string(w) + "}";
    }
    return json + R"(],"selectedWindow":1,"_closedWindows":[],"session":{"lastUpdate":1765000000000,"startTime":1764990000000,"recentCrashes":0},"global":{}})";
}

inline std::string Firefox(int windows, int tabs) { return MozLz4(FirefoxJson(windows, tabs)); }

// JSON nested `depth` levels (the deepest arrays a small file can hold), as a session file.
inline std::string NestedJson(size_t depth)
{
    return R"({"windows":[)" + std::string(depth, '[') + std::string(depth, ']') + "]}";
}

}

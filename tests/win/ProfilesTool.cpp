// bt_profiles: lays out, in this prefix, a Chrome profile and a Firefox profile with recent
// pages (Japanese and English titles, loopback addresses where nothing answers), a Firefox
// profile whose history is damaged, and programs
// for both browsers that record how they were started, for the screenshot and demo scripts;
// or removes them again; each profile also with the windows of its last session (Firefox's
// restored by the browser itself). Commands: lay RECORDER_EXE [slow] | clear. With "slow", a second
// Chrome profile holds a long history of frames only (visits no one saw), whose reading runs
// until the reading's deadline: long enough to see the list loading.
#include "WinDriver.h"
#include "../common/BrowserSchemas.h"
#include "../common/SessionFiles.h"
#include "../common/IconFiles.h"
#include "../../history/SiteIcons.h"
#include "../../text/Utf8Text.h"
#include <shlobj.h>
#include <sqlite3.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace WinDriver;

namespace {
const int64_t kChromiumEpochUs = 11644473600LL * 1000000;


std::string Quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

bool Exec(const std::wstring& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(Utf8Text::FromWide(file).c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

struct Page {
    const char* path;  // after "http://": a site of its own for each, so that each shows its icon
    const char* title;
    int minutesAgo;
};

// Each site's icon in the profile's icon database beside its history: a square of the site's
// colour (one site, here and there, without one).
bool LayIcons(const std::wstring& folder, bool firefox, const std::vector<std::string>& urls)
{
    const std::wstring file = folder + (firefox ? L"\\favicons.sqlite" : L"\\Favicons");
    if (!Exec(file, firefox ? icon_files::kFirefoxFavicons : icon_files::kChromiumFavicons))
        return false;
    sqlite3* db = nullptr;
    if (sqlite3_open(Utf8Text::FromWide(file).c_str(), &db) != SQLITE_OK)
        return false;
    const uint32_t colours[] = { 0xE53935FF, 0x1E88E5FF, 0x43A047FF, 0xFB8C00FF, 0x8E24AAFF, 0x00ACC1FF, 0x6D4C41FF, 0xFDD835FF };
    {
        icon_files::IconDatabase icons(db, firefox);
        int id = 0;
        for (const std::string& url : urls) {
            if (++id % 5 == 0)
                continue;  // no icon: the page icon
            icons.Icon(id, 16, icon_files::Png(16, 16, colours[(id + (firefox ? 3 : 0)) % 8]));
            icons.Page(id, url, SiteIcons::FirefoxHash(url), { id });
        }
    }
    sqlite3_close(db);
    return true;
}

const std::wstring kFakes = L"bt-demo-browsers";
// Where the browsers install their programs: a folder can tell programs of one name apart.
const wchar_t* const kPrograms[] = { L"Google\\Chrome\\Application\\chrome.exe", L"Mozilla Firefox\\firefox.exe" };

std::wstring ExeOf(const std::wstring& program) { return program.substr(program.find_last_of(L'\\') + 1); }

std::wstring AppPathKey(const wchar_t* exe)
{
    return std::wstring(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + exe;
}

int Clear()
{
    RemoveTree(KnownFolder(FOLDERID_LocalAppData) + L"\\Google");
    RemoveTree(KnownFolder(FOLDERID_LocalAppData) + L"\\BraveSoftware");
    RemoveTree(KnownFolder(FOLDERID_RoamingAppData) + L"\\Mozilla\\Firefox");
    for (const wchar_t* program : kPrograms)
        RegDeleteTreeW(HKEY_CURRENT_USER, AppPathKey(ExeOf(program).c_str()).c_str());
    RemoveTree(TempFolder() + kFakes);
    return 0;
}

// Frames only: every visit is walked and none is taken.
bool LaySlowProfile(const std::wstring& userData, int64_t now)
{
    MakeFolders(userData + L"\\Profile 9");
    std::string sql = std::string(kChromiumSchemas[0]) +
                      "INSERT INTO urls(id, url, title, last_visit_time) VALUES (1, 'http://127.0.0.1:9/frame', 'frame', 0);"
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000000) "
                      "INSERT INTO visits(url, visit_time, transition) SELECT 1, " +
                      std::to_string(now + kChromiumEpochUs) + " - i, " + std::to_string(0x30000003) + " FROM n;";
    return Exec(userData + L"\\Profile 9\\History", sql);
}

int Lay(const std::wstring& recorder, bool slow)
{
    Clear();
    const int64_t now = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::system_clock::now().time_since_epoch()).count();
    const Page chrome[] = {
        { "news.example.jp/today", "今日のニュース - トップ記事", 3 },
        { "weather.example.jp/tokyo", "天気予報：東京都の週間天気", 9 },
        { "sqlite.example.org/wal", "SQLite Documentation: The WAL mode", 14 },
        { "shop.example.com/item/42", "【公式】ノートパソコン 14インチ 軽量モデル | オンラインストア", 22 },
        { "maps.example.jp/station", "渋谷駅 - 地図と乗り換え案内", 35 },
        { "blog.example.net/cpp", "C++ の std::atomic を使ったスレッド間の通知", 47 },
        { "video.example.com/123", "猫が箱に入るだけの動画 (3 分)", 61 },
        { "recipes.example.jp/curry", "簡単チキンカレーの作り方", 95 },
        { "mail.example.com/inbox", "受信トレイ (12)", 130 },
        // Older: found by a search.
        { "recipes.example.jp/keema", "キーマカレーの作り方 - Recipes", 3 * 24 * 60 },
        { "travel.example.jp/curry", "スープカレーの名店 10 選", 20 * 24 * 60 },
    };
    const Page firefox[] = {
        { "wiki.example.org/Backtracking", "Backtracking - Wikipedia", 6 },
        { "translate.example.com/", "翻訳：英語から日本語へ", 18 },
        { "forum.example.net/thread/7", "Re: ウィンドウのサイズを記憶するには？", 52 },
        { "bank.example.jp/login", "", 80 },
        { "spice.example.com/garam", "Curry spices: garam masala at home", 45 * 24 * 60 },
    };
    const std::wstring userData = KnownFolder(FOLDERID_LocalAppData) + L"\\Google\\Chrome\\User Data";
    MakeFolders(userData + L"\\Default");
    std::string sql = kChromiumSchemas[0];
    int id = 1;
    for (const Page& p : chrome) {
        sql += "INSERT INTO urls(id, url, title, last_visit_time) VALUES (" + std::to_string(id) + ", " +
               Quoted(std::string("http://") + p.path) + ", " + Quoted(p.title) + ", " +
               std::to_string(now - p.minutesAgo * 60000000LL + kChromiumEpochUs) + ");";
        sql += "INSERT INTO visits(url, visit_time, transition) VALUES (" + std::to_string(id++) + ", " +
               std::to_string(now - p.minutesAgo * 60000000LL + kChromiumEpochUs) + ", " +
               std::to_string(0x30000000) + ");";
    }
    std::vector<std::string> chromeUrls;
    for (const Page& p : chrome)
        chromeUrls.push_back(std::string("http://") + p.path);
    if (!Exec(userData + L"\\Default\\History", sql) || (slow && !LaySlowProfile(userData, now)) ||
        !LayIcons(userData + L"\\Default", false, chromeUrls))
        return 1;
    std::ofstream(Utf8Text::FromWide(userData + L"\\Local State"), std::ios::binary)
        << u8R"({"profile":{"info_cache":{"Default":{"name":"仕事"}}}})";
    Snss session;
    const std::string site = "http://127.0.0.1:9/";
    session.Window(1, 10, { "http://127.0.0.1:9/mail/inbox", "http://127.0.0.1:9/news/tech", "http://127.0.0.1:9/recipes/curry",
                            "http://127.0.0.1:9/travel/kyoto" })
        .Navigation(10, 0, site + "mail/inbox", u"受信トレイ (12)").Pinned(10)
        .Navigation(11, 0, site + "news/tech", u"テクノロジーニュース - 今日の話題")
        .Navigation(12, 0, site + "recipes/curry", u"簡単チキンカレーの作り方")
        .Navigation(13, 0, site + "travel/kyoto", u"京都 紅葉の名所 10 選").TabGroup(12, 3).TabGroup(13, 3)
        .GroupTitle(3, u"週末");
    session.Window(2, 20, { "http://127.0.0.1:9/docs/spec", "http://127.0.0.1:9/video/123" })
        .Navigation(20, 0, site + "docs/spec", u"Design notes - draft")
        .Navigation(21, 0, site + "video/123", u"猫が箱に入るだけの動画 (3 分)").Marker();
    MakeFolders(userData + L"\\Default\\Sessions");
    std::ofstream(Utf8Text::FromWide(userData + L"\\Default\\Sessions\\Session_13400000000000000"), std::ios::binary)
        << session.Bytes();

    // A browser whose program is not on this machine: its profile is found, its pages are not opened.
    const std::wstring brave = KnownFolder(FOLDERID_LocalAppData) + L"\\BraveSoftware\\Brave-Browser\\User Data";
    MakeFolders(brave + L"\\Default");
    if (!Exec(brave + L"\\Default\\History", kChromiumSchemas[0]))
        return 1;
    MakeFolders(brave + L"\\Default\\Sessions");
    std::ofstream(Utf8Text::FromWide(brave + L"\\Default\\Sessions\\Session_13400000000000000"), std::ios::binary)
        << Snss().Window(1, 1, { "http://127.0.0.1:9/brave/start" }).Navigation(1, 0, "http://127.0.0.1:9/brave/start", u"Brave のスタートページ").Marker().Bytes();

    const std::wstring mozilla = KnownFolder(FOLDERID_RoamingAppData) + L"\\Mozilla\\Firefox";
    MakeFolders(mozilla + L"\\Profiles\\demo.default-release");
    sql = kFirefoxSchema;
    id = 1;
    for (const Page& p : firefox) {
        sql += "INSERT INTO moz_places(id, url, title, last_visit_date) VALUES (" + std::to_string(id) + ", " +
               Quoted(std::string("http://") + p.path) + ", " + (*p.title ? Quoted(p.title) : "NULL") + ", " +
               std::to_string(now - p.minutesAgo * 60000000LL) + ");";
        sql += "INSERT INTO moz_historyvisits(place_id, visit_date, visit_type) VALUES (" + std::to_string(id++) +
               ", " + std::to_string(now - p.minutesAgo * 60000000LL) + ", 1);";
    }
    std::vector<std::string> firefoxUrls;
    for (const Page& p : firefox)
        firefoxUrls.push_back(std::string("http://") + p.path);
    if (!Exec(mozilla + L"\\Profiles\\demo.default-release\\places.sqlite", sql) ||
        !LayIcons(mozilla + L"\\Profiles\\demo.default-release", true, firefoxUrls))
        return 1;
    std::ofstream(Utf8Text::FromWide(mozilla + L"\\Profiles\\demo.default-release\\sessionstore.jsonlz4"), std::ios::binary)
        << MozLz4(u8R"({"windows":[{"tabs":[{"entries":[{"url":"http://127.0.0.1:9/wiki/Backtracking","title":"Backtracking - Wikipedia"}],"index":1},
            {"entries":[{"url":"http://127.0.0.1:9/translate","title":"翻訳：英語から日本語へ"}],"index":1}]}]})");
    std::ofstream(Utf8Text::FromWide(mozilla + L"\\Profiles\\demo.default-release\\prefs.js"), std::ios::binary)
        << "user_pref(\"browser.startup.page\", 3);\n";
    // A damaged history: the sources dialog and the list say so.
    MakeFolders(mozilla + L"\\Profiles\\old.default");
    std::ofstream(Utf8Text::FromWide(mozilla + L"\\Profiles\\old.default\\places.sqlite"), std::ios::binary)
        << std::string(8192, 'Z');
    std::ofstream(Utf8Text::FromWide(mozilla + L"\\profiles.ini"), std::ios::binary)
        << u8"[Profile0]\r\nName=個人用\r\nIsRelative=1\r\nPath=Profiles/demo.default-release\r\n"
           u8"[Profile1]\r\nName=古いプロファイル\r\nIsRelative=1\r\nPath=Profiles/old.default\r\n";

    const std::wstring fakes = TempFolder() + kFakes;
    MakeFolders(fakes);
    for (const wchar_t* installed : kPrograms) {
        std::wstring program = fakes + L"\\" + installed;
        MakeFolders(program.substr(0, program.find_last_of(L'\\')));
        if (!CopyFileW(recorder.c_str(), program.c_str(), FALSE))
            return 1;
        HKEY h = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, AppPathKey(ExeOf(installed).c_str()).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &h, nullptr);
        RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                       static_cast<DWORD>((program.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(h);
    }
    return 0;
}
}

int main(int argc, char** argv)
{
    if (argc >= 3 && !std::strcmp(argv[1], "lay"))
        return Lay(Utf8Text::ToWide(argv[2]), argc >= 4 && !std::strcmp(argv[3], "slow"));
    if (argc >= 2 && !std::strcmp(argv[1], "clear"))
        return Clear();
    std::fprintf(stderr, "usage: bt_profiles lay RECORDER_EXE | clear\n");
    return 2;
}

// Under Wine, end to end: the list of recent pages opened from the main dialog's menu with 100
// rows from a Chromium and a Firefox profile of 100,000 addresses each, laid out where the
// browsers keep them; the time from the menu to the rows filled without icon files beside the
// histories, against the time to every row's icon shown with them (an icon for every page,
// 5,000 sites). Alternating rounds, each in a fresh copy of the program; goal at most 1.2.
#include "../tests/win/AppDriver.h"
#include "../tests/win/WinDriver.h"
#include "../history/SiteIcons.h"
#include "../res/resource.h"
#include "../text/Utf8Text.h"
#include "../tests/common/IconFiles.h"
#include "SyntheticHistory.h"
#include <windows.h>
#include <shlobj.h>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace WinDriver;

namespace {
const int64_t kNowUs = 1765000000LL * 1000000;

// Each page of the history mapped to its site's icon (16 and 32 pixels) in the browser's own
// icon database beside it.
void BuildIcons(const std::string& history, bool firefox, const std::string& file)
{
    std::remove(file.c_str());
    sqlite3* src = nullptr;
    sqlite3* db = nullptr;
    sqlite3_open(history.c_str(), &src);
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, firefox ? icon_files::kFirefoxFavicons : icon_files::kChromiumFavicons, nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* urls = nullptr;
    sqlite3_prepare_v2(src, firefox ? "SELECT url FROM moz_places" : "SELECT url FROM urls", -1, &urls, nullptr);
    sqlite3_stmt* icon = nullptr;
    sqlite3_stmt* page = nullptr;
    sqlite3_stmt* map = nullptr;
    sqlite3_prepare_v2(db, firefox ? "INSERT INTO moz_icons(id, icon_url, fixed_icon_url_hash, width, data) VALUES (?1, 'i', 0, ?2, ?3)"
                                   : "INSERT INTO favicon_bitmaps(icon_id, width, height, image_data) VALUES (?1, ?2, ?2, ?3)",
                       -1, &icon, nullptr);
    sqlite3_prepare_v2(db, firefox ? "INSERT INTO moz_pages_w_icons(id, page_url, page_url_hash) VALUES (?1, ?2, ?3)"
                                   : "INSERT INTO icon_mapping(page_url, icon_id) VALUES (?2, ?1)",
                       -1, &page, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO moz_icons_to_pages(page_id, icon_id) VALUES (?1, ?2)", -1, &map, nullptr);
    std::map<std::string, int> sites;
    int pageId = 0;
    while (sqlite3_step(urls) == SQLITE_ROW) {
        const std::string url = reinterpret_cast<const char*>(sqlite3_column_text(urls, 0));
        const std::string site = SiteIcons::SiteOf(url);
        auto known = sites.find(site);
        const int id = known != sites.end() ? known->second : static_cast<int>(sites.size()) + 1;
        if (known == sites.end()) {
            sites[site] = id;
            for (int side : { 16, 32 }) {
                const std::string png = icon_files::Png(static_cast<uint32_t>(side), static_cast<uint32_t>(side),
                                                        0x000000FFu | (static_cast<uint32_t>(id) * 2654435761u & 0xFFFFFF00u));
                sqlite3_bind_int(icon, 1, firefox ? id * 2 + side / 32 : id);
                sqlite3_bind_int(icon, 2, side);
                sqlite3_bind_blob(icon, 3, png.data(), static_cast<int>(png.size()), SQLITE_TRANSIENT);
                sqlite3_step(icon);
                sqlite3_reset(icon);
            }
        }
        ++pageId;
        sqlite3_bind_int(page, 1, firefox ? pageId : id);
        sqlite3_bind_text(page, 2, url.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(page, 3, static_cast<int64_t>(SiteIcons::FirefoxHash(url)));
        sqlite3_step(page);
        sqlite3_reset(page);
        if (firefox)
            for (int side : { 16, 32 }) {
                sqlite3_bind_int(map, 1, pageId);
                sqlite3_bind_int(map, 2, id * 2 + side / 32);
                sqlite3_step(map);
                sqlite3_reset(map);
            }
    }
    for (sqlite3_stmt* st : { urls, icon, page, map })
        sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    sqlite3_close(src);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}

int main()
{
    const std::wstring chrome = KnownFolder(FOLDERID_LocalAppData) + L"\\Google\\Chrome\\User Data\\Default";
    const std::wstring firefoxRoot = KnownFolder(FOLDERID_RoamingAppData) + L"\\Mozilla\\Firefox";
    const std::wstring firefox = firefoxRoot + L"\\Profiles\\bench.default";
    MakeFolders(chrome);
    MakeFolders(firefox);
    const std::string chromeHistory = Utf8Text::FromWide(chrome + L"\\History");
    const std::string firefoxHistory = Utf8Text::FromWide(firefox + L"\\places.sqlite");
    SyntheticHistory::Build(chromeHistory, true, 100000, 300000, kNowUs);
    SyntheticHistory::Build(firefoxHistory, false, 100000, 300000, kNowUs);
    {
        FILE* ini = _wfopen((firefoxRoot + L"\\profiles.ini").c_str(), L"wb");
        std::fputs("[Profile0]\r\nName=bench\r\nIsRelative=1\r\nPath=Profiles/bench.default\r\n", ini);
        std::fclose(ini);
    }
    const std::wstring icons[] = { chrome + L"\\Favicons", firefox + L"\\favicons.sqlite" };
    BuildIcons(chromeHistory, false, Utf8Text::FromWide(icons[0]) + ".kept");
    BuildIcons(firefoxHistory, true, Utf8Text::FromWide(icons[1]) + ".kept");
    const auto withIcons = [&](bool on) {
        for (const std::wstring& f : icons) {
            DeleteFileW(f.c_str());
            if (on)
                CopyFileW((f + L".kept").c_str(), f.c_str(), FALSE);
        }
    };

    // One round: the time from the menu to the list's rows (all of them with their icons).
    const auto round = [&](bool icons) -> double {
        withIcons(icons);
        AppDriver app(L"ListIconsBench");
        app.WriteIni("[OPTION]\r\nQueryCancelExit=0\r\n[BROWSERS]\r\nInternetExplorer=0\r\n[LIST]\r\nListNumber=100\r\n");
        if (!app.Start())
            return -1;
        HWND main = app.WaitMainDialog();
        if (!main)
            return -1;
        Sleep(300);
        LARGE_INTEGER f, a, b;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&a);
        PostMessageW(main, WM_SYSCOMMAND, IDM_LIST, 0);
        HWND listDlg = WaitDialogWithControl(app.Pid(), IDC_LIST_PAGES, 30000);
        HWND list = listDlg ? GetDlgItem(listDlg, IDC_LIST_PAGES) : nullptr;
        const bool done = list && WaitFor([&] {
            if (!IsWindowEnabled(GetDlgItem(listDlg, IDC_LIST_CHECK_ALL)))
                return false;
            const std::vector<ListRow> rows = ListRows(list);
            return rows.size() == 100 && (!icons || std::all_of(rows.begin(), rows.end(), [](const ListRow& r) { return r.image > 0; }));
        }, 30000);
        QueryPerformanceCounter(&b);
        if (listDlg)
            PostMessageW(listDlg, WM_COMMAND, IDCANCEL, 0);
        Sleep(200);
        PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
        if (app.WaitExit(5000) == STILL_ACTIVE)
            app.Kill();
        return done ? 1000.0 * (b.QuadPart - a.QuadPart) / f.QuadPart : -1;
    };
    round(false);  // warm
    std::vector<double> plain, iconic;
    for (int i = 0; i < 9; ++i) {
        plain.push_back(round(false));
        iconic.push_back(round(true));
    }
    std::printf("list of 100 rows from the menu, filled:            median %8.1f ms\n", Median(plain));
    std::printf("the same with every row's site icon shown:          median %8.1f ms\n", Median(iconic));
    std::printf("ratio with icons / without: %.2f (goal at most 1.2)\n", Median(iconic) / Median(plain));
    for (const std::wstring& f : icons) {
        DeleteFileW(f.c_str());
        DeleteFileW((f + L".kept").c_str());
    }
    RemoveTree(KnownFolder(FOLDERID_LocalAppData) + L"\\Google");
    RemoveTree(firefoxRoot);
    return 0;
}

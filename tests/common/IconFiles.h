// Site icons as the tests make them: a PNG of one colour (stored without compression), an ICO
// holding PNGs, a BMP, the icon databases of Chromium (`Favicons`) and Firefox
// (`favicons.sqlite`) in their browsers' schemas, and rows written into them. Used by the native tests and the Windows tests.
#pragma once
#include <sqlite3.h>
#include <cstdint>
#include <string>
#include <vector>

namespace icon_files {

inline uint32_t Crc32(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

inline void Be32(std::string& out, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out += static_cast<char>((v >> s) & 0xFF);
}
inline void Le16(std::string& out, uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void Le32(std::string& out, uint32_t v)
{
    Le16(out, v & 0xFFFF);
    Le16(out, v >> 16);
}

inline void Chunk(std::string& png, const char* type, const std::string& data)
{
    Be32(png, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    Be32(png, Crc32(body));
}

// A width x height PNG of one colour (0xRRGGBBAA); `padding` bytes of a private chunk make it larger.
inline std::string Png(uint32_t width, uint32_t height, uint32_t rgba = 0x2080E0FFu, size_t padding = 0)
{
    std::string raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw += '\0';
        for (uint32_t x = 0; x < width; ++x)
            Be32(raw, rgba);
    }
    std::string z = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        z += static_cast<char>(at + n >= raw.size() ? 1 : 0);
        Le16(z, static_cast<uint32_t>(n));
        Le16(z, static_cast<uint32_t>(~n & 0xFFFF));
        z += raw.substr(at, n);
        if (raw.empty())
            break;
    }
    Be32(z, (b << 16) | a);
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string ihdr;
    Be32(ihdr, width);
    Be32(ihdr, height);
    ihdr += std::string("\x08\x06\x00\x00\x00", 5);
    Chunk(png, "IHDR", ihdr);
    if (padding)
        Chunk(png, "prVt", std::string(padding, 'x'));
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", "");
    return png;
}

// An ICO whose images are the PNGs given (each declared `side` wide and high; 0 stands for 256).
inline std::string Ico(const std::vector<std::string>& pngs, int side = 16)
{
    std::string ico("\0\0\1\0", 4);
    Le16(ico, static_cast<uint32_t>(pngs.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * pngs.size());
    for (const std::string& png : pngs) {
        ico += static_cast<char>(side & 0xFF);
        ico += static_cast<char>(side & 0xFF);
        ico += std::string("\0\0\1\0\x20\0", 6);
        Le32(ico, static_cast<uint32_t>(png.size()));
        Le32(ico, offset);
        offset += static_cast<uint32_t>(png.size());
    }
    for (const std::string& png : pngs)
        ico += png;
    return ico;
}

// A 24-bit BMP of one colour.
inline std::string Bmp(int32_t width, int32_t height)
{
    const uint32_t row = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t pixels = row * static_cast<uint32_t>(height < 0 ? -height : height);
    std::string bmp = "BM";
    Le32(bmp, 14 + 40 + pixels);
    Le32(bmp, 0);
    Le32(bmp, 14 + 40);
    Le32(bmp, 40);
    Le32(bmp, static_cast<uint32_t>(width));
    Le32(bmp, static_cast<uint32_t>(height));
    Le16(bmp, 1);
    Le16(bmp, 24);
    for (int i = 0; i < 6; ++i)
        Le32(bmp, 0);
    bmp += std::string(pixels, '\x40');
    return bmp;
}

// A JPEG's start with a frame header of those sides (enough for the header check).
inline std::string JpegHeader(uint32_t width, uint32_t height)
{
    std::string jpeg = "\xFF\xD8\xFF\xE0";
    jpeg += std::string("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 16);
    jpeg += "\xFF\xC0";
    jpeg += std::string("\x00\x11\x08", 3);
    jpeg += static_cast<char>(height >> 8);
    jpeg += static_cast<char>(height & 0xFF);
    jpeg += static_cast<char>(width >> 8);
    jpeg += static_cast<char>(width & 0xFF);
    jpeg += std::string(10, '\x01');
    return jpeg;
}

// Runs `sql` with the values given as ?1, ?2, ...: 'b' a blob, 't' text, 'i' an integer
// (written as text). False when it does not run to its end.
inline bool ExecBound(sqlite3* db, const std::string& sql, const std::vector<std::pair<char, std::string>>& values)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
        return false;
    int i = 1;
    for (const auto& v : values) {
        if (v.first == 'b')
            sqlite3_bind_blob(s, i++, v.second.data(), static_cast<int>(v.second.size()), SQLITE_TRANSIENT);
        else if (v.first == 't')
            sqlite3_bind_text(s, i++, v.second.data(), static_cast<int>(v.second.size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_int64(s, i++, std::stoll(v.second));
    }
    const bool done = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_finalize(s);
    return done;
}

// Rows written into a browser's icon database whose tables are made: icons, and pages shown
// with them, in one schema's statements for both families.
class IconDatabase {
public:
    IconDatabase(sqlite3* db, bool firefox) : m_firefox(firefox)
    {
        sqlite3_prepare_v2(db, firefox ? "INSERT INTO moz_icons(id, icon_url, fixed_icon_url_hash, width, data) VALUES (?1, 'i', 0, ?2, ?3)"
                                       : "INSERT INTO favicon_bitmaps(icon_id, width, height, image_data) VALUES (?1, ?2, ?2, ?3)",
                           -1, &m_icon, nullptr);
        sqlite3_prepare_v2(db, firefox ? "INSERT INTO moz_pages_w_icons(id, page_url, page_url_hash) VALUES (?1, ?2, ?3)"
                                       : "INSERT INTO icon_mapping(page_url, icon_id) VALUES (?1, ?2)",
                           -1, &m_page, nullptr);
        sqlite3_prepare_v2(db, "INSERT INTO moz_icons_to_pages(page_id, icon_id) VALUES (?1, ?2)", -1, &m_map, nullptr);
    }
    ~IconDatabase()
    {
        for (sqlite3_stmt* s : { m_icon, m_page, m_map })
            sqlite3_finalize(s);
    }
    IconDatabase(const IconDatabase&) = delete;
    IconDatabase& operator=(const IconDatabase&) = delete;

    // Chromium: a bitmap of icon `id`; Firefox: the icon `id`.
    void Icon(int id, int width, const std::string& png)
    {
        sqlite3_bind_int(m_icon, 1, id);
        sqlite3_bind_int(m_icon, 2, width);
        sqlite3_bind_blob(m_icon, 3, png.data(), static_cast<int>(png.size()), SQLITE_TRANSIENT);
        Step(m_icon);
    }
    // The page shown with the icons (Firefox: its row `pageId`, found by `hash`, Firefox's hash
    // of the address).
    void Page(int pageId, const std::string& url, uint64_t hash, const std::vector<int>& iconIds)
    {
        if (!m_firefox) {
            for (int icon : iconIds) {
                sqlite3_bind_text(m_page, 1, url.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(m_page, 2, icon);
                Step(m_page);
            }
            return;
        }
        sqlite3_bind_int(m_page, 1, pageId);
        sqlite3_bind_text(m_page, 2, url.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(m_page, 3, static_cast<int64_t>(hash));
        Step(m_page);
        for (int icon : iconIds) {
            sqlite3_bind_int(m_map, 1, pageId);
            sqlite3_bind_int(m_map, 2, icon);
            Step(m_map);
        }
    }

private:
    static void Step(sqlite3_stmt* s)
    {
        sqlite3_step(s);
        sqlite3_reset(s);
    }

    bool m_firefox;
    sqlite3_stmt* m_icon = nullptr;
    sqlite3_stmt* m_page = nullptr;
    sqlite3_stmt* m_map = nullptr;
};

const char kChromiumFavicons[] =
    "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
    "CREATE TABLE icon_mapping(id INTEGER PRIMARY KEY,page_url LONGVARCHAR NOT NULL,icon_id INTEGER);"
    "CREATE TABLE favicons(id INTEGER PRIMARY KEY,url LONGVARCHAR NOT NULL,icon_type INTEGER DEFAULT 1);"
    "CREATE TABLE favicon_bitmaps(id INTEGER PRIMARY KEY,icon_id INTEGER NOT NULL,last_updated INTEGER DEFAULT 0,"
    "image_data BLOB,width INTEGER DEFAULT 0,height INTEGER DEFAULT 0,last_requested INTEGER DEFAULT 0);"
    "CREATE INDEX icon_mapping_page_url_idx ON icon_mapping(page_url);"
    "CREATE INDEX icon_mapping_icon_id_idx ON icon_mapping(icon_id);"
    "CREATE INDEX favicons_url ON favicons(url);"
    "CREATE INDEX favicon_bitmaps_icon_id ON favicon_bitmaps(icon_id);";

const char kFirefoxFavicons[] =
    "CREATE TABLE moz_icons ( id INTEGER PRIMARY KEY, icon_url TEXT NOT NULL, fixed_icon_url_hash INTEGER NOT NULL, "
    "width INTEGER NOT NULL DEFAULT 0, root INTEGER NOT NULL DEFAULT 0, color INTEGER, expire_ms INTEGER NOT NULL "
    "DEFAULT 0, flags INTEGER NOT NULL DEFAULT 0, data BLOB );"
    "CREATE  INDEX IF NOT EXISTS moz_icons_iconurlhashindex ON moz_icons (fixed_icon_url_hash);"
    "CREATE TABLE moz_pages_w_icons ( id INTEGER PRIMARY KEY, page_url TEXT NOT NULL, page_url_hash INTEGER NOT NULL );"
    "CREATE  INDEX IF NOT EXISTS moz_pages_w_icons_urlhashindex ON moz_pages_w_icons (page_url_hash);"
    "CREATE TABLE moz_icons_to_pages ( page_id INTEGER NOT NULL, icon_id INTEGER NOT NULL, expire_ms INTEGER NOT NULL "
    "DEFAULT 0, PRIMARY KEY (page_id, icon_id), FOREIGN KEY (page_id) REFERENCES moz_pages_w_icons ON DELETE CASCADE, "
    "FOREIGN KEY (icon_id) REFERENCES moz_icons ON DELETE CASCADE ) WITHOUT ROWID;";

}

// Session files of the browsers as the tests write them: Chromium's SNSS records and
// Firefox's mozLz4 JSON. Used by the native tests and the Windows tests alike.
#pragma once
#include <lz4.h>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>

// An SNSS file, record by record.
class Snss {
public:
    explicit Snss(int32_t version = 3) { Put(m_bytes, "SNSS", 4), Int(m_bytes, version); }
    Snss& TabWindow(int32_t window, int32_t tab) { return Record(0, Ints({ window, tab })); }
    Snss& Selected(int32_t tab, int32_t index) { return Record(7, Ints({ tab, index })); }
    Snss& TabClosed(int32_t tab) { return Record(16, Ints({ tab, 0, 1, 2 })); }
    Snss& WindowClosed(int32_t window) { return Record(17, Ints({ window, 0, 1, 2 })); }
    Snss& Marker() { return Record(255, ""); }
    Snss& Other(uint8_t id) { return Record(id, Ints({ 1, 2, 3 })); }
    Snss& WindowType(int32_t window, int32_t type = 0) { return Record(9, Ints({ window, type })); }
    Snss& TabIndex(int32_t tab, int32_t index) { return Record(2, Ints({ tab, index })); }
    Snss& Pinned(int32_t tab, bool pinned = true) { return Record(12, Ints({ tab, pinned ? 1 : 0 })); }
    Snss& PrunedFromBack(int32_t tab, int32_t index) { return Record(5, Ints({ tab, index })); }
    Snss& PrunedFromFront(int32_t tab, int32_t count) { return Record(11, Ints({ tab, count })); }
    Snss& Pruned(int32_t tab, int32_t index, int32_t count) { return Record(24, Ints({ tab, index, count })); }
    // The tab in the group of token (hi, lo), or out of any group.
    Snss& TabGroup(int32_t tab, int32_t token, bool inGroup = true)
    {
        return Record(25, Ints({ tab, 0, token, 0, 0, 0, inGroup ? 1 : 0, 0 }));
    }
    Snss& GroupTitle(int32_t token, const std::u16string& title)
    {
        std::string payload = Ints({ token, 0, 0, 0 });
        String16(payload, title);
        Int(payload, 1);  // colour
        std::string pickle;
        Int(pickle, static_cast<int32_t>(payload.size()));
        return Record(27, pickle + payload);
    }
    Snss& Navigation(int32_t tab, int32_t index, const std::string& url, const std::u16string& title = u"title",
                     const std::string& pageState = {})
    {
        std::string payload = Ints({ tab, index });
        Int(payload, static_cast<int32_t>(url.size()));
        payload += url;
        payload.append((4 - url.size() % 4) % 4, '\0');
        String16(payload, title);
        Int(payload, static_cast<int32_t>(pageState.size()));
        payload += pageState;
        payload.append((4 - pageState.size() % 4) % 4, '\0');
        std::string pickle;
        Int(pickle, static_cast<int32_t>(payload.size()));
        return Record(6, pickle + payload);
    }
    // A window of tabs, each with one page and that page selected: tab ids from `firstTab`.
    Snss& Window(int32_t window, int32_t firstTab, std::initializer_list<const char*> urls, int32_t type = 0)
    {
        WindowType(window, type);
        int32_t tab = firstTab;
        for (const char* url : urls) {
            TabWindow(window, tab).TabIndex(tab, tab - firstTab).Navigation(tab, 0, url).Selected(tab, 0);
            ++tab;
        }
        return *this;
    }
    // The same records, each encrypted as version 5 holds them by `seal` (the id and the
    // contents in, the sealed record out).
    template <typename Seal>
    std::string Version5(Seal seal) const
    {
        std::string out("SNSS", 4);
        Int(out, 5);
        for (size_t at = 8; at + 3 <= m_bytes.size();) {
            const size_t size = static_cast<uint8_t>(m_bytes[at]) | static_cast<size_t>(static_cast<uint8_t>(m_bytes[at + 1])) << 8;
            const std::string sealed = seal(m_bytes.substr(at + 2, size));
            Int(out, static_cast<int32_t>(sealed.size()));
            out += sealed;
            at += 2 + size;
        }
        return out;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    static void Put(std::string& s, const char* p, size_t n) { s.append(p, n); }
    static void String16(std::string& s, const std::u16string& text)
    {
        Int(s, static_cast<int32_t>(text.size()));
        for (char16_t c : text)
            s += static_cast<char>(c & 0xFF), s += static_cast<char>(c >> 8);
        s.append((4 - (text.size() * 2) % 4) % 4, '\0');
    }
    static void Int(std::string& s, int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    }
    static std::string Ints(std::initializer_list<int32_t> values)
    {
        std::string s;
        for (int32_t v : values)
            Int(s, v);
        return s;
    }
    Snss& Record(uint8_t id, const std::string& contents)
    {
        uint16_t size = static_cast<uint16_t>(contents.size() + 1);
        m_bytes += static_cast<char>(size & 0xFF);
        m_bytes += static_cast<char>(size >> 8);
        m_bytes += static_cast<char>(id);
        m_bytes += contents;
        return *this;
    }
    std::string m_bytes;
};

// A session's JSON as Firefox stores it; declaredDelta falsifies the size in the header.
inline std::string MozLz4(const std::string& json, int64_t declaredDelta = 0)
{
    std::string block(static_cast<size_t>(LZ4_compressBound(static_cast<int>(json.size()))), '\0');
    int n = LZ4_compress_default(json.data(), &block[0], static_cast<int>(json.size()), static_cast<int>(block.size()));
    block.resize(static_cast<size_t>(n));
    uint32_t size = static_cast<uint32_t>(static_cast<int64_t>(json.size()) + declaredDelta);
    std::string file("mozLz40\0", 8);
    for (int i = 0; i < 4; ++i)
        file += static_cast<char>((size >> (8 * i)) & 0xFF);
    return file + block;
}

// Damaged copies of a good file for a reader: `cut(file, at)` for the file cut at every byte,
// then `flipped(file, round)` for `rounds` copies with one to four bits flipped at random.
template <typename Cut, typename Flipped>
void DamagedCopies(const std::string& good, unsigned seed, int rounds, Cut cut, Flipped flipped)
{
    for (size_t at = 0; at < good.size(); ++at)
        cut(good.substr(0, at), at);
    std::mt19937 random(seed);
    for (int round = 0; round < rounds; ++round) {
        std::string copy = good;
        for (int flips = 1 + random() % 4; flips > 0; --flips)
            copy[random() % copy.size()] ^= static_cast<char>(1 << (random() % 8));
        flipped(copy, round);
    }
}

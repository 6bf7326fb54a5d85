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
    Snss& Navigation(int32_t tab, int32_t index, const std::string& url)
    {
        std::string payload = Ints({ tab, index });
        Int(payload, static_cast<int32_t>(url.size()));
        payload += url;
        payload.append((4 - url.size() % 4) % 4, '\0');
        Int(payload, 5);  // the title, UTF-16
        payload += std::string("t\0i\0t\0l\0e\0\0\0", 12);
        std::string pickle;
        Int(pickle, static_cast<int32_t>(payload.size()));
        return Record(6, pickle + payload);
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    static void Put(std::string& s, const char* p, size_t n) { s.append(p, n); }
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

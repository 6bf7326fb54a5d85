#include "IconBytes.h"
#include <cstdint>
#include <cstring>

namespace {
uint32_t Be32(const unsigned char* p) { return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3]; }
uint32_t Be16(const unsigned char* p) { return (uint32_t(p[0]) << 8) | p[1]; }
uint32_t Le16(const unsigned char* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8); }
uint32_t Le32(const unsigned char* p) { return Le16(p) | (Le16(p + 2) << 16); }

bool SideFits(int64_t side) { return side >= 1 && side <= IconBytes::kLargestSide; }

// The declared sides of each format's header.
bool PngFits(const unsigned char* p, size_t n)
{
    // Signature, then the first chunk: IHDR of 13 bytes with the width and height.
    return n >= 8 + 8 + 13 + 4 && Be32(p + 8) == 13 && !std::memcmp(p + 12, "IHDR", 4) && SideFits(Be32(p + 16)) &&
           SideFits(Be32(p + 20));
}

bool GifFits(const unsigned char* p, size_t n) { return n >= 13 && SideFits(Le16(p + 6)) && SideFits(Le16(p + 8)); }

bool BmpFits(const unsigned char* p, size_t n)
{
    if (n < 26 || Le32(p + 2) > n)
        return false;
    const uint32_t header = Le32(p + 14);
    if (header == 12)
        return SideFits(Le16(p + 18)) && SideFits(Le16(p + 20));
    if (header < 40 || n < 14 + 40)
        return false;
    const int32_t width = static_cast<int32_t>(Le32(p + 18)), height = static_cast<int32_t>(Le32(p + 22));
    return SideFits(width) && SideFits(height < 0 ? -static_cast<int64_t>(height) : height);
}

// Every image of the directory within the file (a side of 0 stands for 256).
bool IcoFits(const unsigned char* p, size_t n)
{
    const uint32_t count = Le16(p + 4);
    if (count == 0 || n < 6 + 16 * count)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* e = p + 6 + 16 * i;
        const uint64_t size = Le32(e + 8), offset = Le32(e + 12);
        if (size == 0 || offset < 6 + 16 * count || offset + size > n)
            return false;
        // An image kept as PNG declares its own sides.
        if (size >= 8 && !std::memcmp(p + offset, "\x89PNG\r\n\x1A\n", 8) && !PngFits(p + offset, size))
            return false;
    }
    return true;
}

// The first frame header's sides; the markers before it walked by their lengths.
bool JpegFits(const unsigned char* p, size_t n)
{
    size_t at = 2;
    while (at + 4 <= n) {
        if (p[at] != 0xFF)
            return false;
        const unsigned char marker = p[at + 1];
        if (marker == 0xFF) {  // fill
            ++at;
            continue;
        }
        const size_t length = Be16(p + at + 2);
        if (length < 2)
            return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame)
            return at + 9 <= n && length >= 7 && SideFits(Be16(p + at + 5)) && SideFits(Be16(p + at + 7));
        if (marker == 0xDA || marker == 0xD9)  // the scan or the end before any frame
            return false;
        at += 2 + length;
    }
    return false;
}
}

IconBytes::Format IconBytes::Check(std::string_view bytes)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    if (n < 8 || n > kLargest)
        return Format::None;
    if (!std::memcmp(p, "\x89PNG\r\n\x1A\n", 8))
        return PngFits(p, n) ? Format::Png : Format::None;
    if (!std::memcmp(p, "GIF87a", 6) || !std::memcmp(p, "GIF89a", 6))
        return GifFits(p, n) ? Format::Gif : Format::None;
    if (p[0] == 'B' && p[1] == 'M')
        return BmpFits(p, n) ? Format::Bmp : Format::None;
    if (!std::memcmp(p, "\0\0\1\0", 4))
        return IcoFits(p, n) ? Format::Ico : Format::None;
    if (p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF)
        return JpegFits(p, n) ? Format::Jpeg : Format::None;
    return Format::None;  // SVG, and anything else
}

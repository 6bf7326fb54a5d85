// A site's icon as a browser keeps it, before it is given to the system's codecs: written by
// a web page, so only bytes of a known image format, at most kLargest of them, whose header
// declares at most kLargestSide pixels a side, are decoded at all. SVG (drawn by a script-
// capable engine, and sized by its text) never is.
#pragma once
#include <cstddef>
#include <string_view>

class IconBytes {
public:
    enum class Format { None, Png, Ico, Bmp, Jpeg, Gif };
    // The format of the bytes, or None when they are not to be decoded.
    static Format Check(std::string_view bytes);

    static constexpr size_t kLargest = 64 * 1024;
    static constexpr int kLargestSide = 256;
};

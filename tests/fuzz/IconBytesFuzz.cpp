// libFuzzer: the bytes of a site's icon, any bytes: whether they may be decoded (their header
// read within bounds); and the same bytes as the words of a search, matched against themselves
// and against a title with full-width letters.
#include "history/IconBytes.h"
#include "text/SearchWords.h"
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IconBytes::Check(bytes);
    const SearchWords words(bytes.substr(0, 64));
    words.Matches(bytes, "\xEF\xBC\xA1\xEF\xBD\x82 title \xE3\x80\x80 \xEF\xBC");
    return 0;
}

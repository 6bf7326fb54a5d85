// An image in one of the formats that the system's own codecs decode (the Windows Imaging
// Component: PNG, ICO, BMP, JPEG, GIF) as a square bitmap for an image list. The caller checks
// the bytes first (they come from web pages); COM is ready on the calling thread.
#pragma once
#include <windows.h>
#include <cstddef>

class CImageDecoder {
public:
    // A 32-bit bitmap (premultiplied alpha) of `side` pixels a side, of the image's frame
    // nearest that side, scaled; null when the bytes cannot be decoded. The caller owns it.
    static HBITMAP Decode(const void* bytes, size_t size, int side);
};

// An image in one of the formats that the system's own codecs decode (the Windows Imaging
// Component: PNG, ICO, BMP, JPEG, GIF) as a square bitmap for an image list. The caller checks
// the bytes first (they come from web pages); COM is ready on the calling thread.
#pragma once
#include <windows.h>
#include <cstddef>

struct IWICImagingFactory;
struct IClassFactory;

class CImageDecoder {
public:
    CImageDecoder();  // the codecs' factory, once for many images
    ~CImageDecoder();
    CImageDecoder(const CImageDecoder&) = delete;
    CImageDecoder& operator=(const CImageDecoder&) = delete;

    // A 32-bit bitmap (premultiplied alpha) of `side` pixels a side, of the image's frame
    // nearest that side, scaled; null when the bytes cannot be decoded. The caller owns it.
    HBITMAP Decode(const void* bytes, size_t size, int side);

private:
    IWICImagingFactory* m_factory = nullptr;
    // Each format's codec, found once (finding one is a search of the registry).
    IClassFactory* m_codecs[5] = {};
};

#include "CImageDecoder.h"
#include <wincodec.h>
#include <cstdlib>
#include <cstring>

namespace {
// A COM interface released when it goes.
template <typename T>
class Held {
public:
    Held() = default;
    ~Held()
    {
        if (m_p)
            m_p->Release();
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    T** Out()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
        return &m_p;
    }

private:
    T* m_p = nullptr;
};

// The version-1 factory: on every Windows since XP SP3 and in Wine.
const CLSID kFactory = { 0xcacaf262, 0x9370, 0x4615, { 0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a } };
const GUID kPbgra32 = { 0x6fddc324, 0x4e03, 0x4bfe, { 0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x10 } };
const CLSID kPng = { 0x389ea17b, 0x5078, 0x4cde, { 0xb6, 0xef, 0x25, 0xc1, 0x51, 0x75, 0xc7, 0x51 } };
const CLSID kIco = { 0xc61bfcdf, 0x2e0f, 0x4aad, { 0xa8, 0xd7, 0xe0, 0x6b, 0xaf, 0xeb, 0xcd, 0xfe } };
const CLSID kBmp = { 0x6b462062, 0x7cbf, 0x400d, { 0x9f, 0xdb, 0x81, 0x3d, 0xd1, 0x0f, 0x27, 0x78 } };
const CLSID kJpeg = { 0x9456a480, 0xe88b, 0x43ea, { 0x9e, 0x73, 0x0b, 0x2d, 0x9b, 0x71, 0xb1, 0xca } };
const CLSID kGif = { 0x381dda3c, 0x9ce9, 0x4834, { 0xa2, 0x3e, 0x1f, 0x98, 0xf8, 0xfc, 0x52, 0xbe } };

const CLSID* const kCodecs[] = { &kPng, &kIco, &kBmp, &kJpeg, &kGif };

// The codec of the bytes' format by its signature (its place in kCodecs), so that the factory
// need not try each one it knows; -1 for any other.
int CodecOf(const unsigned char* p, size_t n)
{
    if (n >= 8 && !memcmp(p, "\x89PNG\r\n\x1A\n", 8))
        return 0;
    if (n >= 4 && !memcmp(p, "\0\0\1\0", 4))
        return 1;
    if (n >= 2 && p[0] == 'B' && p[1] == 'M')
        return 2;
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF)
        return 3;
    if (n >= 6 && (!memcmp(p, "GIF87a", 6) || !memcmp(p, "GIF89a", 6)))
        return 4;
    return -1;
}
constexpr UINT kMostFrames = 64;
constexpr UINT kLargestFrame = 256;
}

CImageDecoder::CImageDecoder()
{
    if (FAILED(CoCreateInstance(kFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                                reinterpret_cast<void**>(&m_factory))))
        m_factory = nullptr;
}

CImageDecoder::~CImageDecoder()
{
    for (IClassFactory* codec : m_codecs)
        if (codec)
            codec->Release();
    if (m_factory)
        m_factory->Release();
}

HBITMAP CImageDecoder::Decode(const void* bytes, size_t size, int side)
{
    if (!m_factory || !bytes || size == 0 || size > 0x7FFFFFFF || side <= 0 || side > 256)
        return nullptr;
    IWICImagingFactory* factory = m_factory;
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    UINT frames = 0;
    const int codec = CodecOf(static_cast<const unsigned char*>(bytes), size);
    if (codec < 0)
        return nullptr;
    if (!m_codecs[codec] && FAILED(CoGetClassObject(*kCodecs[codec], CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                                    reinterpret_cast<void**>(&m_codecs[codec]))))
        m_codecs[codec] = nullptr;
    if (!m_codecs[codec] || FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), static_cast<DWORD>(size))) ||
        FAILED(m_codecs[codec]->CreateInstance(nullptr, __uuidof(IWICBitmapDecoder), reinterpret_cast<void**>(decoder.Out()))) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrameCount(&frames)) || frames == 0)
        return nullptr;
    // The frame nearest the side (an ICO holds several), at least as large where there is one.
    UINT best = 0, bestWidth = 0;
    for (UINT i = 0; i < frames && i < kMostFrames; ++i) {
        Held<IWICBitmapFrameDecode> frame;
        UINT w = 0, h = 0;
        if (FAILED(decoder->GetFrame(i, frame.Out())) || FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0 ||
            w > kLargestFrame || h > kLargestFrame)
            continue;
        const auto distance = [side](UINT width) {
            return static_cast<int>(width) >= side ? static_cast<int>(width) - side : 1000 + side - static_cast<int>(width);
        };
        if (bestWidth == 0 || distance(w) < distance(bestWidth)) {
            best = i;
            bestWidth = w;
        }
    }
    if (bestWidth == 0)
        return nullptr;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICFormatConverter> converter;
    Held<IWICBitmapScaler> scaler;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetFrame(best, frame.Out())) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), kPbgra32, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return nullptr;
    IWICBitmapSource* pixels = converter.Get();
    if (width != static_cast<UINT>(side) || height != static_cast<UINT>(side)) {
        if (FAILED(factory->CreateBitmapScaler(scaler.Out())) ||
            FAILED(scaler->Initialize(converter.Get(), static_cast<UINT>(side), static_cast<UINT>(side),
                                      WICBitmapInterpolationModeFant)))
            return nullptr;
        pixels = scaler.Get();
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;  // top down, as WIC gives the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    const UINT stride = static_cast<UINT>(side) * 4;
    if (FAILED(pixels->CopyPixels(nullptr, stride, stride * static_cast<UINT>(side), static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

#include "CImageDecoder.h"
#include <wincodec.h>
#include <cstdlib>

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
constexpr UINT kMostFrames = 64;
constexpr UINT kLargestFrame = 256;
}

HBITMAP CImageDecoder::Decode(const void* bytes, size_t size, int side)
{
    if (!bytes || size == 0 || size > 0x7FFFFFFF || side <= 0 || side > 256)
        return nullptr;
    Held<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(kFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                                reinterpret_cast<void**>(factory.Out()))))
        return nullptr;
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    UINT frames = 0;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
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
    if (FAILED(decoder->GetFrame(best, frame.Out())) || FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), kPbgra32, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(factory->CreateBitmapScaler(scaler.Out())) ||
        FAILED(scaler->Initialize(converter.Get(), static_cast<UINT>(side), static_cast<UINT>(side),
                                  WICBitmapInterpolationModeFant)))
        return nullptr;
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
    if (FAILED(scaler->CopyPixels(nullptr, stride, stride * static_cast<UINT>(side), static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

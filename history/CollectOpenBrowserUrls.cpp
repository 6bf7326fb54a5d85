#include "CollectOpenBrowserUrls.h"
#include "../framework/AnsiText.h"
#include <exdisp.h>
#include <ole2.h>
#include <string>

namespace {
const CLSID kClsidShellWindows = { 0x9BA05972, 0xF6A8, 0x11CF, { 0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39 } };
const IID kIidUnknown = { 0x00000000, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
const IID kIidShellWindows = { 0x85CB6900, 0x4D95, 0x11CF, { 0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85 } };
const IID kIidWebBrowser2 = { 0xD30C1661, 0xCDAF, 0x11D0, { 0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E } };

// The address of one window of the collection, when it is a browser that tells it.
bool ReadAddress(IDispatch* item, std::string* address)
{
    IWebBrowser2* browser = nullptr;
    item->QueryInterface(kIidWebBrowser2, reinterpret_cast<void**>(&browser));
    if (!browser)
        return false;
    BSTR location = nullptr;
    bool read = SUCCEEDED(browser->get_LocationURL(&location));
    if (read)
        *address = AnsiText::FromWide(location ? std::wstring(location, SysStringLen(location)) : std::wstring());
    SysFreeString(location);
    browser->Release();
    return read;
}
}

void CollectOpenBrowserUrls(EntrySet& urls)
{
    IUnknown* unknown = nullptr;
    if (FAILED(CoCreateInstance(kClsidShellWindows, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER |
                                CLSCTX_LOCAL_SERVER, kIidUnknown, reinterpret_cast<void**>(&unknown))) || !unknown)
        return;
    IShellWindows* windows = nullptr;
    HRESULT hr = OleRun(unknown);
    if (SUCCEEDED(hr))
        hr = unknown->QueryInterface(kIidShellWindows, reinterpret_cast<void**>(&windows));
    unknown->Release();
    if (FAILED(hr) || !windows)
        return;

    long count = 0;
    if (SUCCEEDED(windows->get_Count(&count))) {
        for (long i = 0; i < count; ++i) {
            VARIANT index;
            VariantInit(&index);
            index.vt = VT_I4;
            index.lVal = i;
            IDispatch* item = nullptr;
            hr = windows->Item(index, &item);
            if (SUCCEEDED(hr) && item) {
                std::string address;
                if (ReadAddress(item, &address))
                    urls.insert(HistoryEntry(address, 0, false));
            }
            if (item)
                item->Release();
            if (FAILED(VariantClear(&index)) || FAILED(hr))
                break;
        }
    }
    windows->Release();
}

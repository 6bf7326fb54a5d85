#include "CollectOpenBrowserUrls.h"
#include "../framework/CBstr.h"
#include "../framework/COleVariant.h"
#include <exdisp.h>
#include <ole2.h>
#include <wrl/client.h>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {
// The address of one window of the collection, when it is a browser that tells it.
bool ReadAddress(IDispatch* item, std::string* address)
{
    ComPtr<IWebBrowser2> browser;
    item->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.GetAddressOf()));
    if (!browser)
        return false;
    CBstr location;
    if (FAILED(browser->get_LocationURL(location.Out())))
        return false;
    *address = location.ToAnsi();
    return true;
}
}

void CollectOpenBrowserUrls(EntrySet& urls)
{
    ComPtr<IUnknown> unknown;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr,
                                CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(unknown.GetAddressOf()))) ||
        !unknown)
        return;
    ComPtr<IShellWindows> windows;
    HRESULT hr = OleRun(unknown.Get());
    if (SUCCEEDED(hr))
        hr = unknown->QueryInterface(IID_IShellWindows, reinterpret_cast<void**>(windows.GetAddressOf()));
    unknown.Reset();
    if (FAILED(hr) || !windows)
        return;

    long count = 0;
    if (FAILED(windows->get_Count(&count)))
        return;
    for (long i = 0; i < count; ++i) {
        COleVariant index;
        index.vt = VT_I4;
        index.lVal = i;
        ComPtr<IDispatch> item;
        hr = windows->Item(index, item.GetAddressOf());
        if (SUCCEEDED(hr) && item) {
            std::string address;
            if (ReadAddress(item.Get(), &address))
                urls.insert(HistoryEntry(address, 0, false));
        }
        item.Reset();
        if (FAILED(index.Clear()) || FAILED(hr))
            break;
    }
}

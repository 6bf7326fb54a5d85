#include "FakeBrowser.h"

namespace {
std::wstring Text(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }
}

STDMETHODIMP FakeBrowser::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        (isBrowser && IsEqualIID(riid, IID_IWebBrowser2))) {
        *ppv = static_cast<IWebBrowser2*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FakeBrowser::Navigate(BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                                   VARIANT* Headers)
{
    NavigateCall call;
    call.urlIsNull = URL == nullptr;
    call.url = Text(URL);
    call.flagsType = Flags->vt;
    call.flags = Flags->vt == VT_I4 ? Flags->lVal : 0;
    call.frameType = TargetFrameName->vt;
    if (TargetFrameName->vt == VT_BSTR) {
        call.frameIsNull = TargetFrameName->bstrVal == nullptr;
        call.frame = Text(TargetFrameName->bstrVal);
    }
    call.headersType = Headers->vt;
    if (Headers->vt == VT_BSTR) {
        call.headersIsNull = Headers->bstrVal == nullptr;
        call.headers = Text(Headers->bstrVal);
    }
    call.postType = PostData->vt;
    if (PostData->vt == (VT_ARRAY | VT_UI1)) {
        SAFEARRAY* a = PostData->parray;
        LONG lo = 0, hi = -1;
        SafeArrayGetLBound(a, 1, &lo);
        SafeArrayGetUBound(a, 1, &hi);
        void* data = nullptr;
        if (lo == 0 && SUCCEEDED(SafeArrayAccessData(a, &data))) {
            call.post.assign(static_cast<BYTE*>(data), static_cast<BYTE*>(data) + (hi - lo + 1));
            SafeArrayUnaccessData(a);
        }
    }
    navigations.push_back(call);
    return S_OK;
}

STDMETHODIMP FakeBrowser::get_LocationURL(BSTR* url)
{
    if (FAILED(locationResult))
        return locationResult;
    *url = SysAllocStringLen(locationUrl.data(), static_cast<UINT>(locationUrl.size()));
    return *url ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP FakeBrowserFactory::CreateInstance(IUnknown*, REFIID riid, void** ppv)
{
    *ppv = nullptr;
    if (!m_browsers.empty())
        firstRefsAtRequest.push_back(m_browsers[0]->refs);
    size_t i = static_cast<size_t>(requests++);
    if (FAILED(createResult))
        return createResult;
    if (i >= m_browsers.size())
        return E_OUTOFMEMORY;
    ++m_browsers[i]->created;
    return m_browsers[i]->QueryInterface(riid, ppv);
}

#include "CBrowserWindow.h"
#include "ReadyWait.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/AnsiText.h"
#include "../res/resource.h"
#include <new>
#include <string>

const CLSID CBrowserWindow::kClsidInternetExplorer = {
    0x0002DF01, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
const IID CBrowserWindow::kIidWebBrowser2 = {
    0xD30C1661, 0xCDAF, 0x11D0, { 0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E } };

namespace {

// A BSTR from ANSI text; null text gives a null BSTR. Freed with the holder.
class Bstr {
public:
    explicit Bstr(const char* text)
    {
        if (!text)
            return;
        std::wstring wide = AnsiText::ToWide(text);
        m_bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        if (!m_bstr)
            throw std::bad_alloc();
    }
    ~Bstr() { SysFreeString(m_bstr); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    // Hands the string over; the holder no longer frees it.
    BSTR Detach()
    {
        BSTR b = m_bstr;
        m_bstr = nullptr;
        return b;
    }
    BSTR Get() const { return m_bstr; }

private:
    BSTR m_bstr = nullptr;
};

// A VARIANT cleared with the holder.
class Variant {
public:
    Variant() { VariantInit(&v); }
    ~Variant() { VariantClear(&v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT v;
};

class BrowserPlatform : public ReadyWait::Platform {
public:
    explicit BrowserPlatform(IWebBrowser2* browser) : m_browser(browser) {}
    uint32_t TickCount() override { return GetTickCount(); }
    void Sleep(uint32_t ms) override { ::Sleep(ms); }
    bool QueryReadyState(long* state) override
    {
        READYSTATE value = READYSTATE_UNINITIALIZED;
        if (FAILED(m_browser->get_ReadyState(&value)))
            return false;
        *state = value;
        return true;
    }

private:
    IWebBrowser2* m_browser;
};

}

CBrowserWindow::CBrowserWindow()
{
    HRESULT hr = CoInitialize(nullptr);
    m_bComInitialized = SUCCEEDED(hr);
    if (FAILED(hr)) {
        std::wstring text = AfxLoadString(IDS_BROWSER_CREATE_FAILED);
        MessageBoxW(nullptr, text.c_str(), L"Backtracker", MB_OK | MB_ICONERROR);
    }
}

CBrowserWindow::~CBrowserWindow()
{
    if (m_pBrowser)
        m_pBrowser->Release();
    m_pBrowser = nullptr;
    // Only an initialisation of our own is undone: the thread's apartment is not ours.
    if (m_bComInitialized)
        CoUninitialize();
}

bool CBrowserWindow::CreateBrowser()
{
    if (m_pBrowser) {
        m_pBrowser->Release();
        m_pBrowser = nullptr;
    }
    IWebBrowser2* browser = nullptr;
    HRESULT hr = CoCreateInstance(kClsidInternetExplorer, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  kIidWebBrowser2, reinterpret_cast<void**>(&browser));
    if (FAILED(hr)) {
        if (browser)
            browser->Release();
        return false;
    }
    if (!browser)
        return false;
    m_pBrowser = browser;
    m_pBrowser->put_Visible(VARIANT_TRUE);
    return true;
}

bool CBrowserWindow::WaitUntilReady(int timeoutMs)
{
    BrowserPlatform platform(m_pBrowser);
    return ReadyWait::Run(platform, timeoutMs);
}

void CBrowserWindow::Navigate(const char* url, int flags, const char* targetFrameName, const char* headers,
                              const BYTE* postData, int postDataLength)
{
    Bstr urlText(url ? url : "");

    Variant post;
    if (postData) {
        ULONG length = postDataLength != 0 ? static_cast<ULONG>(postDataLength)
                                           : static_cast<ULONG>(lstrlenA(reinterpret_cast<const char*>(postData)));
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, length);
        if (!array)
            throw std::bad_alloc();
        void* data = nullptr;
        if (FAILED(SafeArrayAccessData(array, &data))) {
            SafeArrayDestroy(array);
            throw std::bad_alloc();
        }
        memcpy(data, postData, length);
        SafeArrayUnaccessData(array);
        post.v.vt = VT_ARRAY | VT_UI1;
        post.v.parray = array;
    }

    Variant headerText;
    headerText.v.vt = VT_BSTR;
    headerText.v.bstrVal = Bstr(headers).Detach();

    Variant frame;
    frame.v.vt = VT_BSTR;
    frame.v.bstrVal = Bstr(targetFrameName).Detach();

    Variant flagValue;
    flagValue.v.vt = VT_I4;
    flagValue.v.lVal = flags;

    m_pBrowser->Navigate(urlText.Get(), &flagValue.v, &frame.v, &post.v, &headerText.v);
}

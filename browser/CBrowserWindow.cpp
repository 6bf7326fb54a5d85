#include "CBrowserWindow.h"
#include "ReadyWait.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CBstr.h"
#include "../framework/COleVariant.h"
#include "../res/resource.h"
#include <new>
#include <string>

namespace {

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
    // Released before the apartment may go.
    m_pBrowser.Reset();
    // Only an initialisation of our own is undone: the thread's apartment is not ours.
    if (m_bComInitialized)
        CoUninitialize();
}

bool CBrowserWindow::CreateBrowser()
{
    m_pBrowser.Reset();
    // A pointer that a failing call left behind is released with the holder.
    Microsoft::WRL::ComPtr<IWebBrowser2> browser;
    HRESULT hr = CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  IID_IWebBrowser2, reinterpret_cast<void**>(browser.GetAddressOf()));
    if (FAILED(hr) || !browser)
        return false;
    m_pBrowser = std::move(browser);
    m_pBrowser->put_Visible(VARIANT_TRUE);
    return true;
}

bool CBrowserWindow::WaitUntilReady(int timeoutMs)
{
    BrowserPlatform platform(m_pBrowser.Get());
    return ReadyWait::Run(platform, timeoutMs);
}

void CBrowserWindow::Navigate(const char* url, int flags, const char* targetFrameName, const char* headers,
                              const BYTE* postData, int postDataLength)
{
    CBstr urlText(url ? url : "");

    COleVariant post;
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
        post.vt = VT_ARRAY | VT_UI1;
        post.parray = array;
    }

    COleVariant headerText;
    headerText.vt = VT_BSTR;
    headerText.bstrVal = CBstr(headers).Detach();

    COleVariant frame;
    frame.vt = VT_BSTR;
    frame.bstrVal = CBstr(targetFrameName).Detach();

    COleVariant flagValue;
    flagValue.vt = VT_I4;
    flagValue.lVal = flags;

    m_pBrowser->Navigate(urlText.Get(), &flagValue, &frame, &post, &headerText);
}

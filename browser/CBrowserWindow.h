// One new, visible browser window driven through COM automation. Letting go of the object
// leaves the window open for the user.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <wrl/client.h>

class CBrowserWindow {
public:
    CBrowserWindow();
    virtual ~CBrowserWindow();
    CBrowserWindow(const CBrowserWindow&) = delete;
    CBrowserWindow& operator=(const CBrowserWindow&) = delete;

    // A new browser, made visible; a browser created before is let go (its window stays).
    bool CreateBrowser();
    // True when the browser reported READYSTATE_COMPLETE; a time-out below 1 waits without limit.
    bool WaitUntilReady(int timeoutMs);
    // Texts in the ANSI code page. Without post data the length is ignored; a length of 0
    // sends the post data up to its first zero byte.
    void Navigate(const char* url, int flags, const char* targetFrameName, const char* headers,
                  const BYTE* postData, int postDataLength);

protected:
    Microsoft::WRL::ComPtr<IWebBrowser2> m_pBrowser;

private:
    bool m_bComInitialized = false;
};

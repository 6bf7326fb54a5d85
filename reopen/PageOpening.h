// The opening loop of the reopen command: the pages oldest first, each in a new window. A
// page of the URL cache goes to a new automated browser window (one at a time: created, given
// up to kReadyTimeoutMs to get ready, sent the address, let go); a page of a browser of today
// to `launch`, which starts that browser. An address that runs a script or carries its own
// content (javascript:, vbscript:, data:) is never opened, whichever source holds it.
#pragma once
#include "PageCandidate.h"
#include "../text/UrlText.h"
#include <vector>

enum class OpenOutcome { Opened, Refused, Failed };

class PageOpening {
public:
    static constexpr int kReadyTimeoutMs = 2000;

    static bool MayOpen(const PageCandidate& page)
    {
        return !UrlText::IsScript(page.url) && !UrlText::IsScript(UrlText::AddressOfHistoryName(page.url.c_str()));
    }

    // One page in an automated browser window of its own.
    template <typename Window>
    static OpenOutcome OpenInWindow(const char* url)
    {
        Window window;
        if (!window.CreateBrowser())
            return OpenOutcome::Failed;
        window.WaitUntilReady(kReadyTimeoutMs);
        window.Navigate(url, 0, nullptr, nullptr, nullptr, 0);
        return OpenOutcome::Opened;
    }

    // What happened to each page, in the order given.
    template <typename Window, typename Launch>
    static std::vector<OpenOutcome> OpenAll(const std::vector<PageCandidate>& pages, Launch launch)
    {
        std::vector<OpenOutcome> outcomes;
        for (const PageCandidate& page : pages) {
            if (!MayOpen(page))
                outcomes.push_back(OpenOutcome::Refused);
            else if (page.source == PageSource::UrlCache)
                outcomes.push_back(OpenInWindow<Window>(page.url.c_str()));
            else
                outcomes.push_back(launch(page) ? OpenOutcome::Opened : OpenOutcome::Failed);
        }
        return outcomes;
    }
};

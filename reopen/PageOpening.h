// The opening loop of the reopen command over every source: the pages oldest first, each in a
// new window. A page of the URL cache goes to a new automated browser window, one at a time
// (CHistoryReopener::OpenOne); a page of a browser of today to `launch`, which starts that
// browser. An address that runs a script or carries its own
// content (javascript:, vbscript:, data:) is never opened, whichever source holds it.
#pragma once
#include "PageCandidate.h"
#include "../history/CHistoryReopener.h"
#include "../text/UrlText.h"
#include <vector>

enum class OpenOutcome { Opened, Refused, Failed };

class PageOpening {
public:
    static bool MayOpen(const PageCandidate& page)
    {
        return !UrlText::IsScript(UrlText::AddressOfHistoryName(page.url.c_str()));
    }

    // What happened to each page, in the order given.
    template <typename Window, typename Launch>
    static std::vector<OpenOutcome> OpenAll(const std::vector<PageCandidate>& pages, Launch launch)
    {
        std::vector<OpenOutcome> outcomes;
        for (const PageCandidate& page : pages) {
            if (!MayOpen(page))
                outcomes.push_back(OpenOutcome::Refused);
            else if (!page.browser)
                outcomes.push_back(CHistoryReopener::OpenOne<Window>(page.url.c_str()) ? OpenOutcome::Opened
                                                                                       : OpenOutcome::Failed);
            else
                outcomes.push_back(launch(page) ? OpenOutcome::Opened : OpenOutcome::Failed);
        }
        return outcomes;
    }
};

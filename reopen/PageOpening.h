// The opening loop of the reopen command over every source: the pages oldest first, each in a
// new window (or, with the tabs option, each browser profile's pages as tabs of one window). A page of the URL cache goes to a new automated browser window, one at a time
// (CHistoryReopener::OpenOne); a page of a browser of today to `launch`, which starts that
// browser. An address that runs a script or carries its own
// content (javascript:, vbscript:, data:) is never opened, whichever source holds it.
#pragma once
#include "PageCandidate.h"
#include "../history/CHistoryReopener.h"
#include "../text/UrlText.h"
#include <cstdint>
#include <vector>

enum class OpenOutcome { Opened, Refused, Failed };

class PageOpening {
public:
    // Why a page failed: the system's error code of the start, or this when there is none.
    static constexpr uint32_t kNoErrorCode = 0xFFFFFFFFu;
    // A launcher says either whether it started, or the error (0: started).
    static uint32_t ErrorOf(bool started) { return started ? 0 : kNoErrorCode; }
    static uint32_t ErrorOf(uint32_t error) { return error; }

    static bool MayOpen(const PageCandidate& page)
    {
        return !UrlText::IsScript(UrlText::AddressOfHistoryName(page.url.c_str()));
    }

    // What happened to each page, in the order given; with `errors`, why each one failed (0
    // for the others).
    template <typename Window, typename Launch>
    static std::vector<OpenOutcome> OpenAll(const std::vector<PageCandidate>& pages, Launch launch,
                                            std::vector<uint32_t>* errors = nullptr)
    {
        std::vector<OpenOutcome> outcomes;
        std::vector<uint32_t> why;
        for (const PageCandidate& page : pages) {
            uint32_t error = 0;
            if (!MayOpen(page)) {
                outcomes.push_back(OpenOutcome::Refused);
            } else {
                error = page.browser ? ErrorOf(launch(page)) : ErrorOf(CHistoryReopener::OpenOne<Window>(page.url.c_str()));
                outcomes.push_back(error ? OpenOutcome::Failed : OpenOutcome::Opened);
            }
            why.push_back(error);
        }
        if (errors)
            *errors = std::move(why);
        return outcomes;
    }

    // The same with the pages of one browser profile as tabs of one new window: each profile's
    // pages go together, oldest first left to right, when its oldest page's turn comes;
    // `launchTabs` takes them and says which were handed on (or each one's error). The URL
    // cache's open one at a time.
    template <typename Window, typename LaunchTabs>
    static std::vector<OpenOutcome> OpenAllAsTabs(const std::vector<PageCandidate>& pages, LaunchTabs launchTabs,
                                                  std::vector<uint32_t>* errors = nullptr)
    {
        std::vector<OpenOutcome> outcomes(pages.size(), OpenOutcome::Failed);
        std::vector<uint32_t> why(pages.size(), 0);
        std::vector<bool> done(pages.size(), false);
        const auto sameWindow = [](const PageCandidate& a, const PageCandidate& b) {
            return a.browser == b.browser && a.program == b.program && a.launch == b.launch && a.profile == b.profile;
        };
        for (size_t i = 0; i < pages.size(); ++i) {
            if (done[i])
                continue;
            const PageCandidate& page = pages[i];
            if (!MayOpen(page)) {
                outcomes[i] = OpenOutcome::Refused;
                continue;
            }
            if (!page.browser) {
                why[i] = ErrorOf(CHistoryReopener::OpenOne<Window>(page.url.c_str()));
                outcomes[i] = why[i] ? OpenOutcome::Failed : OpenOutcome::Opened;
                continue;
            }
            std::vector<size_t> group;
            for (size_t j = i; j < pages.size(); ++j) {
                if (!done[j] && sameWindow(page, pages[j]) && MayOpen(pages[j])) {
                    group.push_back(j);
                    done[j] = true;
                }
            }
            std::vector<const PageCandidate*> tabs;
            for (size_t j : group)
                tabs.push_back(&pages[j]);
            const auto handed = launchTabs(tabs);
            for (size_t k = 0; k < group.size(); ++k) {
                why[group[k]] = k < handed.size() ? ErrorOf(handed[k]) : kNoErrorCode;
                outcomes[group[k]] = why[group[k]] ? OpenOutcome::Failed : OpenOutcome::Opened;
            }
        }
        if (errors)
            *errors = std::move(why);
        return outcomes;
    }
};

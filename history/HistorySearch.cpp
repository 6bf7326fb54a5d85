#include "HistorySearch.h"
#include <algorithm>
#include <climits>

namespace {
struct Candidate {
    int64_t last;  // its last visit, as stored: no seen visit of it is later (INT64_MAX: not kept)
    int64_t id;
};
bool Later(const Candidate& a, const Candidate& b) { return a.last != b.last ? a.last > b.last : a.id > b.id; }

struct Found {
    int64_t timeUs;
    int64_t id;
    std::string url, title;
};
}

bool HistorySearch::Run(HistoryDatabase& db, const Schema& s, const HistoryQuery& query, LatestVisits& into)
{
    if (!db.HasScanPlan(s.pages, s.pagesTable) || !db.HasFixedPlan(s.visits, s.visitsIndex) ||
        !db.HasFixedPlan(s.page, nullptr))
        return false;
    const int64_t from = s.epochUs + std::max<int64_t>(query.fromUs, 1);
    const int64_t to = s.epochUs + into.LatestAcceptedUs();
    const size_t kept = std::max(kLeastKept, into.Capacity() * kKeptPerPlace);

    // 1. Every page that matches, with its last visit (the browser keeps it with the page).
    std::vector<Candidate> candidates;
    bool stopped = false;
    const bool scanned = db.ScanPages(s.pages, [&](const HistoryDatabase::Page& p) {
        if (into.Full())  // asked to stop
            return !(stopped = true);
        // A page whose last visit the file does not keep is looked at first.
        const bool known = p.lastVisit > 0;
        if ((known && p.lastVisit < from) || p.urlBytes > LatestVisits::kLongestUrl ||
            !query.words.Matches({ p.url, p.urlBytes }, { p.title ? p.title : "", p.titleBytes }))
            return true;
        candidates.push_back({ known ? p.lastVisit : INT64_MAX, p.id });
        if (candidates.size() >= 2 * kept) {
            std::nth_element(candidates.begin(), candidates.begin() + static_cast<ptrdiff_t>(kept), candidates.end(), Later);
            candidates.resize(kept);
        }
        return true;
    });
    if (!scanned)
        return false;
    if (stopped)
        return true;
    std::sort(candidates.begin(), candidates.end(), Later);

    // 2. Their latest seen visits, newest last visit first, in growing batches; after each the
    //    set is filled anew from all found so far. Done when no page left could be later than
    //    the set's oldest.
    const auto seen = [&](int64_t type) { return s.seen(type, 0); };
    std::vector<Found> found;
    size_t next = 0, batch = std::max<size_t>(into.Capacity(), 16);
    for (;;) {
        const size_t end = std::min(candidates.size(), next + batch);
        for (; next < end; ++next) {
            if (into.Full())
                return true;
            int64_t time = 0;
            if (!db.LatestVisit(s.visits, candidates[next].id, from, to, seen, &time))
                return false;
            if (time == 0)
                continue;  // never seen in the period: a redirect, a frame, ...
            Found f{ time - s.epochUs, candidates[next].id, {}, {} };
            bool page = false;
            if (!db.PageOf(s.page, f.id, &f.url, &f.title, &page))
                return false;
            if (page)
                found.push_back(std::move(f));
        }
        std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
            return a.timeUs != b.timeUs ? a.timeUs > b.timeUs : a.id > b.id;
        });
        LatestVisits attempt = into;
        for (const Found& f : found)
            if (!attempt.Offer(f.url.data(), f.url.size(), f.timeUs, f.title.data(), f.title.size()))
                break;
        bool done = next == candidates.size();
        if (!done && attempt.Full()) {
            int64_t oldest = INT64_MAX;
            for (const BrowserVisit& v : attempt.Visits())
                oldest = std::min(oldest, v.timeUs);
            done = candidates[next].last != INT64_MAX && candidates[next].last - s.epochUs < oldest;
        }
        if (done) {
            into = std::move(attempt);
            return true;
        }
        batch *= 2;
    }
}

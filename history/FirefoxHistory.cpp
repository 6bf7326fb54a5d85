#include "FirefoxHistory.h"
#include "HistoryDatabase.h"

namespace {
constexpr int64_t kEmbed = 4, kDownload = 7, kFramedLink = 8;

// Newest visit first: the visit-date index serves the order, so reading stops early.
const char kVisits[] =
    "SELECT h.visit_date, h.visit_type, p.url, p.hidden FROM moz_historyvisits AS h "
    "JOIN moz_places AS p ON p.id = h.place_id ORDER BY h.visit_date DESC";
}

bool FirefoxHistory::CountsAsSeen(int64_t visitType, int64_t hidden)
{
    return hidden == 0 && visitType != kEmbed && visitType != kDownload && visitType != kFramedLink;
}

const char* FirefoxHistory::VisitsQuery() { return kVisits; }

bool FirefoxHistory::Read(const std::string& utf8Path, LatestVisits& latest)
{
    HistoryDatabase db(utf8Path);
    return db.ReadRows(kVisits, [&](int64_t time, int64_t type, const char* url, size_t bytes, int64_t hidden) {
        if (!CountsAsSeen(type, hidden))
            return true;
        // Firefox keeps microseconds since 1970 already.
        return latest.Offer(url, bytes, time);
    });
}

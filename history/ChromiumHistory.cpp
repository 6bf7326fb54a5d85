#include "ChromiumHistory.h"
#include "HistoryReading.h"
#include "VisitTime.h"

namespace {
constexpr uint32_t kChainEnd = 0x20000000;
constexpr uint32_t kCoreMask = 0xFF;
constexpr uint32_t kAutoSubframe = 3, kManualSubframe = 4, kKeywordGenerated = 10;
constexpr int64_t kEpochDifferenceUs = VisitTime::kMicros1601To1970;

// Newest visit first: the visit-time index serves the order, so reading stops early. The index
// is named, not left to the file's statistics; the range ends at the clock (later visits, and
// times stored as text, which sort above every number, are never walked).
const char kVisits[] =
    "SELECT visit_time, transition, url FROM visits INDEXED BY visits_time_index "
    "WHERE visit_time BETWEEN ?1 AND ?2 ORDER BY visit_time DESC";
const char kPage[] = "SELECT url, hidden, title FROM urls WHERE id = ?1";
const char kPages[] = "SELECT id, url, title, last_visit_time FROM urls WHERE hidden = 0";
const char kVisitsOfPage[] =
    "SELECT visit_time, transition FROM visits INDEXED BY visits_url_index WHERE url = ?1 AND visit_time BETWEEN ?2 AND ?3";
}

bool ChromiumHistory::CountsAsSeen(int64_t transition, int64_t hidden)
{
    uint32_t t = static_cast<uint32_t>(transition & 0xFFFFFFFF);
    uint32_t core = t & kCoreMask;
    return (t & kChainEnd) && core != kAutoSubframe && core != kManualSubframe && core != kKeywordGenerated &&
           hidden == 0;
}

int64_t ChromiumHistory::ToUnixMicros(int64_t chromiumTime)
{
    // Times before 1970 (and nonsense) come out as 0 or less, which the set refuses.
    return chromiumTime > kEpochDifferenceUs ? chromiumTime - kEpochDifferenceUs : 0;
}

const char* ChromiumHistory::VisitsQuery() { return kVisits; }

HistoryReadResult ChromiumHistory::Read(const std::string& utf8Path, LatestVisits& latest, const PrivateCopyMaker& copies,
                           std::chrono::milliseconds limit)
{
    return HistoryReading::Read(utf8Path, "-journal", copies, latest, [](HistoryDatabase& db, LatestVisits& into) {
        return db.HasTable("urls", { "id", "url", "hidden", "title" }) &&
               db.HasTable("visits", { "url", "visit_time", "transition" }) &&
               db.HasFixedPlan(kVisits, "visits_time_index") && db.HasFixedPlan(kPage, nullptr) &&
               db.ReadRows(kVisits, kPage, kEpochDifferenceUs + 1, kEpochDifferenceUs + into.LatestAcceptedUs(),
                           [&](const HistoryDatabase::Visit& v) {
                               if (!CountsAsSeen(v.type, v.hidden))
                                   return !into.Full();  // (full only when asked to stop)
                               return into.Offer(v.url, v.urlBytes, ToUnixMicros(v.time), v.title, v.titleBytes);
                           });
    }, limit);
}

HistoryReadResult ChromiumHistory::Search(const std::string& utf8Path, const HistoryQuery& query, LatestVisits& latest,
                                          const PrivateCopyMaker& copies, std::chrono::milliseconds limit)
{
    static const HistorySearch::Schema schema{ "urls", kPages, kVisitsOfPage, "visits_url_index", kPage,
                                               kEpochDifferenceUs, &CountsAsSeen };
    return HistoryReading::Read(utf8Path, "-journal", copies, latest, [&query](HistoryDatabase& db, LatestVisits& into) {
        return db.HasTable("urls", { "id", "url", "hidden", "title", "last_visit_time" }) &&
               db.HasTable("visits", { "url", "visit_time", "transition" }) &&
               HistorySearch::Run(db, schema, query, into);
    }, limit);
}

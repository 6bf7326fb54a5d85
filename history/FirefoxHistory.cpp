#include "FirefoxHistory.h"
#include "HistoryReading.h"

namespace {
constexpr int64_t kEmbed = 4, kDownload = 7, kFramedLink = 8;

// Newest visit first: the visit-date index serves the order, so reading stops early; the index
// and the range as for Chromium's.
const char kVisits[] =
    "SELECT visit_date, visit_type, place_id FROM moz_historyvisits INDEXED BY moz_historyvisits_dateindex "
    "WHERE visit_date BETWEEN ?1 AND ?2 ORDER BY visit_date DESC";
const char kPage[] = "SELECT url, hidden, title FROM moz_places WHERE id = ?1";
const char kPages[] = "SELECT id, url, title, last_visit_date FROM moz_places WHERE hidden = 0";
const char kVisitsOfPage[] =
    "SELECT visit_date, visit_type FROM moz_historyvisits INDEXED BY moz_historyvisits_placedateindex "
    "WHERE place_id = ?1 AND visit_date BETWEEN ?2 AND ?3";
}

bool FirefoxHistory::CountsAsSeen(int64_t visitType, int64_t hidden)
{
    return hidden == 0 && visitType != kEmbed && visitType != kDownload && visitType != kFramedLink;
}

const char* FirefoxHistory::VisitsQuery() { return kVisits; }

HistoryReadResult FirefoxHistory::Read(const std::string& utf8Path, LatestVisits& latest, const PrivateCopyMaker& copies,
                           std::chrono::milliseconds limit)
{
    return HistoryReading::Read(utf8Path, "-wal", copies, latest, [](HistoryDatabase& db, LatestVisits& into) {
        return db.HasTable("moz_places", { "id", "url", "hidden", "title" }) &&
               db.HasTable("moz_historyvisits", { "place_id", "visit_date", "visit_type" }) &&
               db.HasFixedPlan(kVisits, "moz_historyvisits_dateindex") && db.HasFixedPlan(kPage, nullptr) &&
               db.ReadRows(kVisits, kPage, 1, into.LatestAcceptedUs(),
                           [&](const HistoryDatabase::Visit& v) {
                               if (!CountsAsSeen(v.type, v.hidden))
                                   return !into.Full();  // (full only when asked to stop)
                               // Firefox keeps microseconds since 1970 already.
                               return into.Offer(v.url, v.urlBytes, v.time, v.title, v.titleBytes);
                           });
    }, limit);
}

HistoryReadResult FirefoxHistory::Search(const std::string& utf8Path, const HistoryQuery& query, LatestVisits& latest,
                                         const PrivateCopyMaker& copies, std::chrono::milliseconds limit)
{
    // Firefox keeps microseconds since 1970 already.
    static const HistorySearch::Schema schema{ "moz_places", kPages, kVisitsOfPage, "moz_historyvisits_placedateindex",
                                               kPage, 0, &CountsAsSeen };
    return HistoryReading::Read(utf8Path, "-wal", copies, latest, [&query](HistoryDatabase& db, LatestVisits& into) {
        return db.HasTable("moz_places", { "id", "url", "hidden", "title", "last_visit_date" }) &&
               db.HasTable("moz_historyvisits", { "place_id", "visit_date", "visit_type" }) &&
               HistorySearch::Run(db, schema, query, into);
    }, limit);
}

#include "ChromiumHistory.h"
#include "HistoryDatabase.h"

namespace {
constexpr uint32_t kChainEnd = 0x20000000;
constexpr uint32_t kCoreMask = 0xFF;
constexpr uint32_t kAutoSubframe = 3, kManualSubframe = 4, kKeywordGenerated = 10;
constexpr int64_t kEpochDifferenceUs = 11644473600LL * 1000000;

// Newest visit first: the visit-time index serves the order, so reading stops early.
const char kVisits[] =
    "SELECT v.visit_time, v.transition, u.url, u.hidden FROM visits AS v JOIN urls AS u ON u.id = v.url "
    "ORDER BY v.visit_time DESC";
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

bool ChromiumHistory::Read(const std::string& utf8Path, LatestVisits& latest)
{
    HistoryDatabase db(utf8Path);
    return db.ReadRows(kVisits, [&](int64_t time, int64_t transition, const char* url, size_t bytes, int64_t hidden) {
        if (!CountsAsSeen(transition, hidden))
            return true;
        return latest.Offer(url, bytes, ToUnixMicros(time));
    });
}

#include "ReopenOptions.h"
#include "../history/Browsers.h"
#include "../history/ScanFlags.h"

ReopenOptions ReopenOptions::FromSettings(unsigned openNumber, int targetHttp, int disableAlreadyOpen,
                                          int onlyMyHistory, const std::map<std::string, int>& sources)
{
    ReopenOptions o;
    o.count = static_cast<int>(openNumber);
    o.httpOnly = targetHttp != 0;
    o.skipOpen = disableAlreadyOpen != 0;
    o.onlyMine = onlyMyHistory != 0;
    o.browsers.clear();
    for (const auto& source : sources) {
        if (source.first == kUrlCacheKey)
            o.urlCache = source.second != 0;
        else if (source.second)
            o.browsers.insert(source.first);
    }
    return o;
}

unsigned ReopenOptions::ScanFlags() const { return ScanFlagsFor(httpOnly, skipOpen, onlyMine); }

std::vector<std::string> ReopenOptions::SourceKeys()
{
    std::vector<std::string> keys = { kUrlCacheKey };
    for (const BrowserDescriptor& browser : Browsers::All())
        keys.push_back(browser.key);
    return keys;
}

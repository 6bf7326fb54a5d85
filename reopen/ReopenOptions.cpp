#include "ReopenOptions.h"
#include "../history/ScanFlags.h"

ReopenOptions ReopenOptions::FromSettings(unsigned openNumber, int targetHttp, int disableAlreadyOpen,
                                          int onlyMyHistory, int useInternetExplorer, int useEdge, int useChrome,
                                          int useFirefox)
{
    ReopenOptions o;
    o.count = static_cast<int>(openNumber);
    o.httpOnly = targetHttp != 0;
    o.skipOpen = disableAlreadyOpen != 0;
    o.onlyMine = onlyMyHistory != 0;
    o.urlCache = useInternetExplorer != 0;
    o.browsers.clear();
    const struct { const char* key; int use; } browsers[] = { { "Edge", useEdge }, { "Chrome", useChrome }, { "Firefox", useFirefox } };
    for (const auto& b : browsers)
        if (b.use)
            o.browsers.insert(b.key);
    return o;
}

unsigned ReopenOptions::ScanFlags() const { return ScanFlagsFor(httpOnly, skipOpen, onlyMine); }

// How the reopen command steers the history scan.
#pragma once

enum ScanFlags : unsigned {
    SCAN_HTTP_ONLY = 1,  // only URLs containing "http://", cut to begin there
    SCAN_SKIP_OPEN = 2,  // leave out URLs open in a browser window
    SCAN_ONLY_MINE = 4,  // only the current Windows user's entries
};

// The flags of the three options; only whether each is non-zero counts.
inline unsigned ScanFlagsFor(int targetHttp, int disableAlreadyOpen, int onlyMyHistory)
{
    return (targetHttp ? SCAN_HTTP_ONLY : 0u) | (disableAlreadyOpen ? SCAN_SKIP_OPEN : 0u) |
           (onlyMyHistory ? SCAN_ONLY_MINE : 0u);
}

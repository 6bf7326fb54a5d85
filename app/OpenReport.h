// What the user is told once a reopen has run, the same after "再び表示", the list's "開く" and
// /reopen: why nothing was found, or which pages could not be opened and why.
#pragma once
#include "../reopen/ReopenCommand.h"
#include <cstdint>
#include <string>
#include <vector>

class OpenReport {
public:
    // "対象のURLが見つかりません。", or what kept every page away: no source chosen, or the
    // programs of the browsers that hold pages are missing.
    static std::wstring NothingFound(const ReopenCommand::Nothing& why);
    // Empty when every page opened, or when only pages of the URL cache failed (their browser
    // window has said so); else how many of how many failed, and each one with its source and why.
    static std::wstring Failures(const std::vector<PageCandidate>& pages, const std::vector<OpenOutcome>& outcomes,
                                 const std::vector<uint32_t>& errors);
    // Why a start failed, as the system says it, the program's name for "%1".
    static std::wstring ErrorText(uint32_t error, const std::wstring& program);

    // At most this many failed pages are named; the rest are counted.
    static constexpr size_t kMostNamed = 8;
};

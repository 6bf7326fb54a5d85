// An ordered set of entries with unique keys under HistoryEntry's ordering. Every set holds
// entries of one kind only: all timed, or all without time.
#pragma once
#include "HistoryEntry.h"
#include <set>

using EntrySet = std::set<HistoryEntry>;

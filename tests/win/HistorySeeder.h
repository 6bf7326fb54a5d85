// Writes and clears history records of the URL cache, as the browser would leave them:
// "Visited: user@url" entries with chosen last-access times.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class HistorySeeder {
public:
    // Deletes every history record; returns how many there were.
    static int Clear();
    // Commits a record named `name` last accessed at `unixSeconds`.
    static bool Add(const std::string& name, int64_t unixSeconds);
    // "Visited: <user>@<url>" for the user the platform reports.
    static std::string VisitName(const std::string& url);
    static std::string CurrentUser();
    // Every history record's name.
    static std::vector<std::string> Names();
};

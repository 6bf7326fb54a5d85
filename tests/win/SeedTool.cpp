// bt_seed: the history of this Wine prefix for tests and demonstrations.
//   bt_seed clear                 delete every history record
//   bt_seed add URL UNIXTIME      a visit of the current user
//   bt_seed add-name NAME UNIXTIME  a record with the whole entry name given
//   bt_seed remove URL            delete the current user's visit of URL
//   bt_seed list                  print every record's name
#include "HistorySeeder.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <windows.h>
#include <wininet.h>

int main(int argc, char** argv)
{
    if (argc >= 2 && !std::strcmp(argv[1], "clear")) {
        std::printf("cleared %d records\n", HistorySeeder::Clear());
        return 0;
    }
    if (argc >= 2 && !std::strcmp(argv[1], "list")) {
        for (const std::string& name : HistorySeeder::Names())
            std::printf("%s\n", name.c_str());
        return 0;
    }
    if (argc == 3 && !std::strcmp(argv[1], "remove"))
        return DeleteUrlCacheEntryA(HistorySeeder::VisitName(argv[2]).c_str()) ? 0 : 1;
    if (argc == 4 && (!std::strcmp(argv[1], "add") || !std::strcmp(argv[1], "add-name"))) {
        std::string name = !std::strcmp(argv[1], "add") ? HistorySeeder::VisitName(argv[2]) : argv[2];
        if (!HistorySeeder::Add(name, std::atoll(argv[3]))) {
            std::fprintf(stderr, "bt_seed: cannot add %s\n", name.c_str());
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: bt_seed clear | list | add URL UNIXTIME | add-name NAME UNIXTIME | remove URL\n");
    return 2;
}

// Writes the fuzzers' starting corpus: the session files of the tests, into the two folders
// named on the command line (Chromium's, Firefox's).
#include "../common/SessionFiles.h"
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string chromium = argv[1], firefox = argv[2];
    Snss sample;
    sample.TabWindow(10, 1).Navigation(1, 0, "http://a/0").Navigation(1, 1, "http://a/1").Selected(1, 1).Other(21);
    sample.TabWindow(20, 3).Navigation(3, 0, "http://closed-window/").Selected(3, 0).Marker().TabClosed(2).WindowClosed(20);
    std::ofstream(chromium + "/sample", std::ios::binary) << sample.Bytes();
    std::ofstream(chromium + "/version1", std::ios::binary) << Snss(1).Navigation(1, 0, "http://x/").Selected(1, 0).Bytes();
    const char* sessions[] = {
        R"({"windows":[{"tabs":[{"entries":[{"url":"http://a/1"},{"url":"http://a/2"}],"index":2,"pinned":true}],)"
        R"("_closedTabs":[]}],"_closedWindows":[{"tabs":[]}]})",
        R"({"windows":[1,{"tabs":[null,{"entries":[5],"index":1}]}]})",
    };
    int n = 0;
    for (const char* json : sessions) {
        std::ofstream(firefox + "/session" + std::to_string(n), std::ios::binary) << MozLz4(json);
        std::ofstream(firefox + "/json" + std::to_string(n++), std::ios::binary) << json;
    }
    return 0;
}

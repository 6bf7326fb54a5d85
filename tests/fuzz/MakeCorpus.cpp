// Writes the fuzzers' starting corpus: the session files of the tests, into the first two
// folders named on the command line (Chromium's, Firefox's), and the tests' icons into the third.
#include "../common/IconFiles.h"
#include "../common/SessionFiles.h"
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string chromium = argv[1], firefox = argv[2], icons = argv[3];
    using namespace icon_files;
    const std::string samples[] = { Png(16, 16), Ico({ Png(16, 16), Png(32, 32) }), Bmp(16, -16), JpegHeader(16, 16),
                                    std::string("GIF89a\x10\0\x10\0\0\0\0;", 14), "<svg/>" };
    int icon = 0;
    for (const std::string& sample : samples)
        std::ofstream(icons + "/icon" + std::to_string(icon++), std::ios::binary) << sample;
    Snss sample;
    sample.TabWindow(10, 1).Navigation(1, 0, "http://a/0").Navigation(1, 1, "http://a/1").Selected(1, 1).Other(21);
    sample.TabWindow(20, 3).Navigation(3, 0, "http://closed-window/").Selected(3, 0).Marker().TabClosed(2).WindowClosed(20);
    std::ofstream(chromium + "/sample", std::ios::binary) << sample.Bytes();
    std::ofstream(chromium + "/version1", std::ios::binary) << Snss(1).Navigation(1, 0, "http://x/").Selected(1, 0).Bytes();
    // Windows with types, order, pins, pruning and groups, as the last session's reader replays them.
    Snss windows;
    windows.Window(1, 10, { "http://a/", "http://b/", "http://c/" }).Pinned(10).TabGroup(11, 5).GroupTitle(5, u"g");
    windows.Navigation(12, 1, "http://c/1").Selected(12, 1).PrunedFromFront(12, 1).Pruned(10, 0, 1).PrunedFromBack(11, 3);
    windows.Window(2, 20, { "http://d/" }, 1).Marker();
    std::ofstream(chromium + "/windows", std::ios::binary) << windows.Bytes();
    std::ofstream(chromium + "/version5", std::ios::binary) << windows.Version5([](const std::string& r) { return r; });
    const char* sessions[] = {
        R"({"windows":[{"tabs":[{"entries":[{"url":"http://a/1"},{"url":"http://a/2"}],"index":2,"pinned":true}],)"
        R"("_closedTabs":[]}],"_closedWindows":[{"tabs":[]}]})",
        R"({"windows":[1,{"tabs":[null,{"entries":[5],"index":1}]}]})",
        R"({"windows":[{"groups":[{"id":"g","name":"G"}],"tabs":[{"entries":[{"url":"http://a/","title":"A"}],"groupId":"g"}]},)"
        R"({"isPopup":true,"tabs":[{"entries":[{"url":"http://p/"}],"index":1}]}]})",
    };
    int n = 0;
    for (const char* json : sessions) {
        std::ofstream(firefox + "/session" + std::to_string(n), std::ios::binary) << MozLz4(json);
        std::ofstream(firefox + "/json" + std::to_string(n++), std::ios::binary) << json;
    }
    return 0;
}

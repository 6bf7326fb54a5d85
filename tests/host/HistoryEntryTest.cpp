// The ordering of entries and the sets built on it.
#include "history/EntrySet.h"
#include <climits>
#include <gtest/gtest.h>

namespace {
HistoryEntry Timed(const char* url, int32_t t) { return HistoryEntry(url, t, true); }
HistoryEntry Untimed(const std::string& url) { return HistoryEntry(url, 0, false); }

TEST(HistoryEntry, NewEntryIsEmptyAndUntimed)
{
    HistoryEntry e;
    EXPECT_TRUE(e.m_url.empty());
    EXPECT_EQ(0, e.m_time);
    EXPECT_FALSE(e.m_hasTime);
}

TEST(HistoryEntry, OrderingTable)
{
    const struct { const char* what; HistoryEntry a, b; bool less; } cases[] = {
        { "timed by time", Timed("z", 1), Timed("a", 2), true },
        { "timed later", Timed("a", 2), Timed("z", 1), false },
        { "same second is equivalent", Timed("a", 5), Timed("b", 5), false },
        { "negative before positive", Timed("a", -1), Timed("a", 1), true },
        { "INT_MIN before everything", Timed("a", INT32_MIN), Timed("a", INT32_MAX), true },
        { "untimed by bytes", Untimed("a"), Untimed("b"), true },
        { "prefix first", Untimed("http://a"), Untimed("http://a/"), true },
        { "longer after prefix", Untimed("http://a/"), Untimed("http://a"), false },
        { "upper case before lower", Untimed("HTTP"), Untimed("http"), true },
        { "high bytes after ASCII", Untimed("\x7f"), Untimed("\x80"), true },
        { "high bytes unsigned", Untimed("\xff"), Untimed("a"), false },
        { "one timed uses URLs", Timed("b", 1), Untimed("a"), false },
        { "other timed uses URLs", Untimed("a"), Timed("b", 1), true },
        { "empty URL first", Untimed(""), Untimed("a"), true },
        { "embedded zero byte", Untimed(std::string("a\0b", 3)), Untimed(std::string("a\0c", 3)), true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.less, c.a < c.b) << c.what;
}

TEST(EntrySet, UntimedSetIsKeyedByExactUrl)
{
    EntrySet set;
    EXPECT_TRUE(set.insert(Untimed("http://a/")).second);
    EXPECT_FALSE(set.insert(Untimed("http://a/")).second) << "two windows on one address give one entry";
    EXPECT_TRUE(set.insert(Untimed("http://A/")).second) << "case matters";
    EXPECT_TRUE(set.insert(Untimed("http://a/x")).second);
    EXPECT_EQ(3u, set.size());
    EXPECT_EQ(1u, set.count(Untimed("http://A/")));
    EXPECT_EQ(0u, set.count(Untimed("http://a")));
}
}

// The user's guides (Japanese and English) as Notepad shows them: UTF-8 with its mark, Windows
// line ends, button names as the user reads them (no "&" of the access keys); the two with the
// same sections and the same settings keys.
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

#include <set>
#include <regex>

std::string ReadReadme(const char* name)
{
    std::ifstream in(std::string(BT_SOURCE_DIR "/res/") + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Readme, WindowsLineEndsAndNoAccessKeyMarks)
{
  for (const char* name : { "readme.txt", "readme-en.txt" }) {
    SCOPED_TRACE(name);
    const std::string text = ReadReadme(name);
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ("\xEF\xBB\xBF", text.substr(0, 3)) << "UTF-8 with its byte order mark";
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "a line end without CR at byte " << i;
        }
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "a CR alone at byte " << i;
        }
    }
    EXPECT_EQ(std::string::npos, text.find('&'));
    EXPECT_EQ("\r\n", text.substr(text.size() - 2)) << "the last line ends too";
  }
}

// The English guide says what the Japanese one says: as many sections, every settings key and
// every command-line switch of the one in the other.
TEST(Readme, BothLanguagesHaveTheSameSectionsKeysAndSwitches)
{
    const auto inventory = [](const std::string& text) {
        std::multiset<std::string> items;
        size_t at = 0;
        while ((at = text.find("\xE2\x96\xA0", at)) != std::string::npos)  // "■", a section
            items.insert("section"), at += 3;
        const std::regex key(R"(\n {4}([A-Za-z]+)=)"), option(R"(\n {4}(/[a-z?]+) )");
        for (const std::regex* r : { &key, &option })
            for (std::sregex_iterator m(text.begin(), text.end(), *r), end; m != end; ++m)
                items.insert((*m)[1]);
        return items;
    };
    const auto ja = inventory(ReadReadme("readme.txt")), en = inventory(ReadReadme("readme-en.txt"));
    EXPECT_EQ(ja, en);
    EXPECT_GT(ja.count("Language"), 0u);
    EXPECT_GT(ja.count("/reopen"), 0u);
}

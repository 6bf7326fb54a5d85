// The user's guide as Notepad shows it: UTF-8 with its mark, Windows line ends, button names
// as the user reads them (no "&" of the access keys).
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

std::string ReadReadme()
{
    std::ifstream in(BT_SOURCE_DIR "/res/readme.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Readme, WindowsLineEndsAndNoAccessKeyMarks)
{
    const std::string text = ReadReadme();
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

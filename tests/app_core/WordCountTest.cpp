#include <gtest/gtest.h>

#include "app/core/WordCount.h"

namespace {

TEST(WordCount, CountsGbkBytes)
{
    const struct {
        std::string_view gbk;
        int chinese;
        int ascii;
    } cases[] = {
        {"", 0, 0},
        {"abc \xC4\xE3\xBA\xC3\xA3\xA1", 3, 3},  // abc 你好！
        {" \t\r\n", 0, 0},
        {"\x7F", 0, 0},                  // a lone high byte halves to nothing
        {"\x7F\x80\x81", 1, 0},          // 127 and up count as Chinese halves
        {"!~09AZaz", 0, 8},              // 33 and 126 are the ASCII bounds
        {std::string_view("\x01\x00\x1F", 3), 0, 0},
    };
    for (const auto& c : cases) {
        const app::WordCount count = app::CountWords(c.gbk);
        EXPECT_EQ(count.chinese, c.chinese) << c.gbk;
        EXPECT_EQ(count.ascii, c.ascii) << c.gbk;
    }
}

TEST(WordCount, MessageShowsBothCounts)
{
    EXPECT_EQ(app::WordCountMessage({3, 3}), L"汉字及中文符号：3\r数字字母及英文符号：3");
    EXPECT_EQ(app::WordCountMessage({}), L"汉字及中文符号：0\r数字字母及英文符号：0");
}

#ifdef _WIN32
TEST(WordCount, ConvertsToCodePage936)
{
    const struct {
        const wchar_t* text;
        int chinese;
        int ascii;
    } cases[] = {
        {L"abc 你好！", 3, 3},
        {L"", 0, 0},
        {L"😀", 1, 0},             // no GBK form: one Chinese symbol, not an ASCII '?'
        {L"a😀b", 1, 2},
        {L"中\U0001F600文?", 3, 1},  // the real '?' still counts as ASCII
    };
    for (const auto& c : cases) {
        const app::WordCount count = app::CountWords(app::GbkBytesForCount(c.text));
        EXPECT_EQ(count.chinese, c.chinese) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(count.ascii, c.ascii) << testing::PrintToString(std::wstring(c.text));
    }
    EXPECT_EQ(app::GbkBytesForCount(L"abc 你好！"), "abc \xC4\xE3\xBA\xC3\xA3\xA1");
}
#endif

}  // namespace

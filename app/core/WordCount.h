// The word count of a transcript, taken over its GBK bytes (a Chinese character or symbol
// is two bytes there).
#pragma once

#include <string>
#include <string_view>

namespace app {

struct WordCount {
    int chinese = 0;  // 汉字及中文符号: bytes of 127 and above, halved
    int ascii = 0;    // 数字字母及英文符号: bytes 33..126
};

WordCount CountWords(std::string_view gbk);

// "汉字及中文符号：<n>\r数字字母及英文符号：<m>"
std::wstring WordCountMessage(const WordCount& count);

#ifdef _WIN32
// The text in code page 936 for counting. A character without a GBK form (an emoji, a rare
// ideograph) becomes a two-byte placeholder, so it counts as one Chinese character or symbol
// rather than as the ASCII '?' the system would substitute.
std::string GbkBytesForCount(std::wstring_view text);
#endif

}  // namespace app

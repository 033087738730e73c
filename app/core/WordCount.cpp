#include "app/core/WordCount.h"

#include "ui/Exception.h"

namespace app {

WordCount CountWords(std::string_view gbk)
{
    WordCount count;
    int high_bytes = 0;
    for (char c : gbk) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 127)
            ++high_bytes;
        else if (byte >= 33)
            ++count.ascii;
    }
    count.chinese = high_bytes / 2;
    return count;
}

std::wstring WordCountMessage(const WordCount& count)
{
    return ui::Format(L"汉字及中文符号：%d\r数字字母及英文符号：%d", count.chinese, count.ascii);
}

}  // namespace app

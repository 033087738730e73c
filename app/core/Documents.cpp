#include "app/core/Documents.h"

#include <limits>

#include "app/core/TimeText.h"
#include "ui/Exception.h"

namespace app {

namespace {

bool IsBlank(wchar_t c) { return static_cast<unsigned>(c) <= 32; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads 1..max_digits decimal digits from the front of `rest`; -1 when there are none or more.
// The run is measured before it is converted, so a long one cannot overflow.
int TakeNumber(std::wstring_view& rest, size_t max_digits)
{
    size_t digits = 0;
    while (digits < rest.size() && IsDigit(rest[digits])) ++digits;
    if (digits == 0 || digits > max_digits) return -1;
    int value = 0;
    for (size_t d = 0; d < digits; ++d) value = value * 10 + (rest[d] - L'0');
    rest.remove_prefix(digits);
    return value;
}

}  // namespace

std::wstring_view TrimView(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring Trim(std::wstring_view text) { return std::wstring(TrimView(text)); }

Statement InsertStatement(const Document& document)
{
    return Statement{L"insert into jilu(序号,日期,标题,内容,语音文件) values(:id,:date,:title,:content,:voice)",
                     {{L"id", Trim(document.id)},
                      {L"date", Trim(document.date)},
                      {L"title", Trim(document.title)},
                      {L"content", Trim(document.content)},
                      {L"voice", Trim(document.voice)}}};
}

Statement UpdateStatement(const Document& document)
{
    return Statement{L"update jilu set 日期=:date,标题=:title,内容=:content,语音文件=:voice where 序号=:id",
                     {{L"date", Trim(document.date)},
                      {L"title", Trim(document.title)},
                      {L"content", Trim(document.content)},
                      {L"voice", Trim(document.voice)},
                      {L"id", Trim(document.id)}}};
}

int NextDocumentId(std::wstring_view max_text)
{
    if (TrimView(max_text).empty()) return 1;
    const int highest = StrToInt(max_text);
    // The highest id has no successor: refused like any id text that is no 32-bit integer.
    if (highest == std::numeric_limits<int>::max())
        throw ui::EConvertError(ui::Format(L"'%ls' is not a valid integer value", std::wstring(max_text).c_str()));
    return highest + 1;
}

std::wstring FormatDate(const CalendarDate& date)
{
    return ui::Format(L"%04d-%02d-%02d", date.year, date.month, date.day);
}

CalendarDate ParseDate(std::wstring_view text)
{
    std::wstring_view rest = TrimView(text);
    CalendarDate date;
    date.year = TakeNumber(rest, 4);
    const wchar_t separator = rest.empty() ? L'\0' : rest.front();
    bool valid = date.year > 0 && (separator == L'-' || separator == L'/');
    if (valid) {
        rest.remove_prefix(1);
        date.month = TakeNumber(rest, 2);
        valid = !rest.empty() && rest.front() == separator;
    }
    if (valid) {
        rest.remove_prefix(1);
        date.day = TakeNumber(rest, 2);
        valid = rest.empty() && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
                date.day <= DaysInMonth(date.year, date.month);
    }
    if (!valid) throw ui::EConvertError(ui::Format(L"'%ls' is not a valid date", std::wstring(text).c_str()));
    return date;
}

std::wstring ClipboardText(std::wstring_view date, std::wstring_view title, std::wstring_view content)
{
    std::wstring text;
    text.reserve(date.size() + title.size() + content.size() + 64);
    text += L"日期:";
    text += date;
    text += L"\r标题：";
    text += title;
    text += L"\r内容：";
    text += content;
    text += L"【本材料由墨笺速记本整理 请访问我们的淘宝店铺";
    text += kShopAddress;
    text += L"】";
    return text;
}

}  // namespace app

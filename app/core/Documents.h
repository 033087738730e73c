// The stored document: table jilu, its statements with bound parameters, the id rule, the
// date text and the clipboard layout.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace app {

// Without the characters of code 32 and below at both ends.
std::wstring_view TrimView(std::wstring_view text);
std::wstring Trim(std::wstring_view text);

// One document as the workspace's controls hold it (untrimmed).
struct Document {
    std::wstring id;       // 序号, decimal text
    std::wstring date;     // 日期, "yyyy-MM-dd"
    std::wstring title;    // 标题
    std::wstring content;  // 内容
    std::wstring voice;    // 语音文件, name without folder
};

// A statement and the values of its named parameters (":name" in the text). Values are
// bound, never spliced in, so any character is stored exactly.
struct Statement {
    std::wstring sql;
    std::vector<std::pair<std::wstring, std::wstring>> params;
};

// Insert and update of the document, values trimmed. The id travels as text, as the
// quoted literal did; the column's type decides how it is stored and compared.
Statement InsertStatement(const Document& document);
Statement UpdateStatement(const Document& document);

inline constexpr wchar_t kMaxIdQuery[] = L"select max(序号) as 最大 from jilu";
inline constexpr wchar_t kMaxIdField[] = L"最大";
inline constexpr wchar_t kListQuery[] = L"select 序号,日期,标题,语音文件,内容 from jilu order by 日期 desc";

// The id after the stored maximum (the text of field 最大). An empty table has no maximum:
// its first document gets id 1. Other text throws "'<text>' is not a valid integer value".
int NextDocumentId(std::wstring_view max_text);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// "yyyy-MM-dd".
std::wstring FormatDate(const CalendarDate& date);

// A stored date: year of one to four digits, month and day of one or two, separated by '-'
// or '/' (the same twice), optionally surrounded by blanks; the day must exist in that
// month. Throws "'<text>' is not a valid date".
CalendarDate ParseDate(std::wstring_view text);

inline constexpr wchar_t kShopAddress[] = L"https://mojian.example.com/shop";

// The document as it goes to the clipboard, lines separated by a bare carriage return:
// "日期:<date>\r标题：<title>\r内容：<content>【本材料由墨笺速记本整理 请访问我们的淘宝店铺<shop>】"
std::wstring ClipboardText(std::wstring_view date, std::wstring_view title, std::wstring_view content);

}  // namespace app

#include <gtest/gtest.h>

#include <algorithm>

#include "app/core/Documents.h"
#include "ui/Exception.h"

namespace {

TEST(Trim, RemovesCodesUpTo32AtBothEnds)
{
    EXPECT_EQ(app::Trim(L" \t\r\n标题 内容\r\n\r\n  "), L"标题 内容");
    EXPECT_EQ(app::Trim(std::wstring(L"\x01\x1F a\x7F ", 6)), L"a\x7F");
    EXPECT_EQ(app::Trim(L"    "), L"");
    EXPECT_EQ(app::Trim(L"　全角　"), L"　全角　");  // the ideographic space is no blank
}

// Checks that every ":name" of the statement text has a value and vice versa.
void ExpectParamsMatch(const app::Statement& statement)
{
    size_t named = 0;
    for (size_t at = statement.sql.find(L':'); at != std::wstring::npos; at = statement.sql.find(L':', at + 1))
        ++named;
    EXPECT_EQ(named, statement.params.size()) << testing::PrintToString(statement.sql);
    for (const auto& [name, value] : statement.params)
        EXPECT_NE(statement.sql.find(L":" + name), std::wstring::npos) << testing::PrintToString(name);
}

TEST(Statements, InsertAndUpdateBindTrimmedValuesInColumnOrder)
{
    const app::Document document{L" 8 ", L"2024-05-06", L"  ", L"it's \"q\" \\ 。\r\n\r\n  ", L"rec.wav\r\n"};
    const app::Statement insert = app::InsertStatement(document);
    EXPECT_EQ(insert.sql, L"insert into jilu(序号,日期,标题,内容,语音文件) values(:id,:date,:title,:content,:voice)");
    ExpectParamsMatch(insert);
    const std::vector<std::pair<std::wstring, std::wstring>> inserted{
        {L"id", L"8"}, {L"date", L"2024-05-06"}, {L"title", L""}, {L"content", L"it's \"q\" \\ 。"},
        {L"voice", L"rec.wav"}};
    EXPECT_EQ(insert.params, inserted);

    const app::Statement update = app::UpdateStatement(document);
    EXPECT_EQ(update.sql, L"update jilu set 日期=:date,标题=:title,内容=:content,语音文件=:voice where 序号=:id");
    ExpectParamsMatch(update);
    for (const auto& param : inserted)
        EXPECT_NE(std::find(update.params.begin(), update.params.end(), param), update.params.end())
            << testing::PrintToString(param.first);
}

TEST(NextDocumentId, FollowsTheMaximum)
{
    EXPECT_EQ(app::NextDocumentId(L"7"), 8);
    EXPECT_EQ(app::NextDocumentId(L""), 1);
    try {
        app::NextDocumentId(L"x");
        ADD_FAILURE() << "no error";
    } catch (const ui::EConvertError& e) {
        EXPECT_EQ(e.Message(), L"'x' is not a valid integer value");
    }
}

TEST(Dates, FormatAndRead)
{
    EXPECT_EQ(app::FormatDate({2024, 5, 6}), L"2024-05-06");
    EXPECT_EQ(app::FormatDate({987, 12, 31}), L"0987-12-31");
    const struct {
        const wchar_t* text;
        app::CalendarDate date;
    } valid[] = {{L"2024-05-06", {2024, 5, 6}}, {L"2024-5-6", {2024, 5, 6}}, {L"2024/02/29", {2024, 2, 29}},
                 {L" 2000-02-29 ", {2000, 2, 29}}, {L"0987-12-31", {987, 12, 31}}};
    for (const auto& c : valid) EXPECT_EQ(app::ParseDate(c.text), c.date) << testing::PrintToString(std::wstring(c.text));

    const wchar_t* invalid[] = {L"", L"abc", L"2023-02-29", L"1900-02-29", L"2024-13-01", L"2024-00-10",
                                L"2024-04-31", L"2024-05", L"2024-05-06-07", L"2024/05-06", L"12024-01-01",
                                L"0000-01-01", L"2024-05-06x", L"2024-005-06"};
    for (const wchar_t* text : invalid) {
        try {
            app::ParseDate(text);
            ADD_FAILURE() << testing::PrintToString(std::wstring(text));
        } catch (const ui::EConvertError& e) {
            EXPECT_EQ(e.Message(), L"'" + std::wstring(text) + L"' is not a valid date");
        }
    }
}

TEST(ClipboardText, FixedLayoutWithFooter)
{
    EXPECT_EQ(app::ClipboardText(L"2024-05-06", L"会议", L"第一行\r\n第二行"),
              L"日期:2024-05-06\r标题：会议\r内容：第一行\r\n第二行"
              L"【本材料由墨笺速记本整理 请访问我们的淘宝店铺https://mojian.example.com/shop】");
    EXPECT_EQ(app::ClipboardText(L"", L"", L""),
              L"日期:\r标题：\r内容：【本材料由墨笺速记本整理 请访问我们的淘宝店铺https://mojian.example.com/shop】");
}

}  // namespace

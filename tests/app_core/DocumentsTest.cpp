#include <gtest/gtest.h>

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

TEST(NextDocumentId, FollowsTheMaximum)
{
    EXPECT_EQ(app::NextDocumentId(L"7"), 8);
    EXPECT_EQ(app::NextDocumentId(L""), 1);
    EXPECT_EQ(app::NextDocumentId(L"2147483646"), 2147483647);
    // The highest id has no successor; a longer digit run is no integer at all.
    for (const wchar_t* text : {L"x", L"2147483647", L"99999999999999999999"}) {
        try {
            app::NextDocumentId(text);
            ADD_FAILURE() << "no error for " << testing::PrintToString(std::wstring(text));
        } catch (const ui::EConvertError& e) {
            EXPECT_EQ(e.Message(), L"'" + std::wstring(text) + L"' is not a valid integer value");
        }
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
                                L"0000-01-01", L"2024-05-06x", L"2024-005-06", L"99999999999-01-01",
                                L"2024-4294967297-01", L"2024-01-99999999999"};
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

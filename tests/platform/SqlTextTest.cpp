#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/SqlText.h"

namespace {

using platform::DataSourceOf;
using platform::FindParameters;
using Names = std::vector<std::wstring>;

TEST(DataSourceOf, FindsTheItemWhereverAndHoweverItIsWritten)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* file;
    };
    const Case cases[] = {
        {L"Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=txt.kl;Mode=Share Deny None", L"txt.kl"},
        {L"Data Source=txt.kl", L"txt.kl"},
        {L"  data source  =  C:\\文档\\txt.kl ;", L"C:\\文档\\txt.kl"},
        {L"Password=\"\";DATA SOURCE=\"with space.kl\"", L"with space.kl"},
        {L"Jet OLEDB:Data Source Extra=x;Data Source=b.kl", L"b.kl"},
        {L"Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin", L""},
        {L"Data Source", L""},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(DataSourceOf(c.text), c.file) << ::testing::PrintToString(std::wstring(c.text));
}

TEST(FindParameters, ReadsNamesLikeTheStatementParser)
{
    struct Case {
        const wchar_t* sql;
        Names names;
    };
    const Case cases[] = {
        {L"update jilu set 内容=:text where 序号=:id", {L"text", L"id"}},
        {L"values(:a,:b,:A,:a)", {L"a", L"b"}},
        {L"select ':in quote', \"x:y\", [p:q], `r:s` from t where a=:real", {L"real"}},
        {L"select 'it''s :not' || :yes", {L"yes"}},
        {L"select 1 -- :comment\n, :after /* :block */ , :标题", {L"after", L"标题"}},
        {L"select :$x1_2+:名字2", {L"$x1_2", L"名字2"}},
        {L"select 'unterminated :no", {}},
        {L"select /* unterminated :no", {}},
        {L"select :end", {L"end"}},
    };
    for (const Case& c : cases) EXPECT_EQ(FindParameters(c.sql), c.names) << ::testing::PrintToString(std::wstring(c.sql));
}

TEST(QuoteName, DoublesEmbeddedQuotes)
{
    EXPECT_EQ(platform::QuoteName(L"jilu"), L"\"jilu\"");
    EXPECT_EQ(platform::QuoteName(L"a\"b"), L"\"a\"\"b\"");
}

}  // namespace

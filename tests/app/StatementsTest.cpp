// The document statements run on a real store: what lands in table jilu, whatever the text.
#include <gtest/gtest.h>

#include "app/core/Documents.h"
#include "platform/Database.h"
#include "support/ProcessDriver.h"

namespace {

class Statements : public testing::Test {
protected:
    Statements() : folder_(L"mj_statements", true)
    {
        connection_.SetConnectionString(L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=txt.kl;Mode=Share Deny None");
        connection_.Open();
        query_.SetConnection(&connection_);
    }

    int Run(const app::Statement& statement)
    {
        query_.Close();
        query_.SQL().Clear();
        query_.SQL().Add(statement.sql);
        for (const auto& [name, value] : statement.params) query_.Parameters().ParamByName(name).SetValue(value);
        return query_.ExecSQL();
    }

    std::vector<app::Document> Rows()
    {
        query_.Close();
        query_.SQL().Clear();
        query_.SQL().Add(L"select 序号,日期,标题,内容,语音文件 from jilu order by 序号");
        query_.Open();
        std::vector<app::Document> rows;
        for (query_.First(); !query_.Eof(); query_.Next())
            rows.push_back({query_.FieldByName(L"序号").AsString(), query_.FieldByName(L"日期").AsString(),
                            query_.FieldByName(L"标题").AsString(), query_.FieldByName(L"内容").AsString(),
                            query_.FieldByName(L"语音文件").AsString()});
        return rows;
    }

    testing_support::ScratchFolder folder_;
    platform::TADOConnection connection_{nullptr};
    platform::TADOQuery query_{nullptr};
};

void ExpectRow(const app::Document& row, const app::Document& expected)
{
    EXPECT_EQ(row.id, expected.id);
    EXPECT_EQ(row.date, expected.date);
    EXPECT_EQ(row.title, expected.title);
    EXPECT_EQ(row.content, expected.content);
    EXPECT_EQ(row.voice, expected.voice);
}

TEST_F(Statements, InsertStoresTrimmedValuesExactlyWhateverTheyHold)
{
    const struct {
        app::Document typed;
        app::Document stored;
    } cases[] = {
        {{L" 8 ", L"2024-05-06", L"  ", L"it's \"q\" \\ 。\r\n\r\n  ", L"rec.wav\r\n"},
         {L"8", L"2024-05-06", L"", L"it's \"q\" \\ 。", L"rec.wav"}},
        {{L"9", L"2024-05-07", L"'); drop table jilu; --", L"\t第一行\r\n第二行 :id ?1 %s 😀", L"双击添加或更改录音文件"},
         {L"9", L"2024-05-07", L"'); drop table jilu; --", L"第一行\r\n第二行 :id ?1 %s 😀", L"双击添加或更改录音文件"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(app::InsertStatement(c.typed)), 1);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), std::size(cases));
    for (size_t i = 0; i < rows.size(); ++i) ExpectRow(rows[i], cases[i].stored);
}

TEST_F(Statements, UpdateRewritesOnlyTheRowOfItsIdAndCountsWhatItChanged)
{
    Run(app::InsertStatement({L"1", L"2024-01-01", L"一", L"第一篇", L"a.wav"}));
    Run(app::InsertStatement({L"2", L"2024-01-02", L"二", L"第二篇", L"b.wav"}));

    EXPECT_EQ(Run(app::UpdateStatement({L" 2 ", L"2025-03-04", L"二'改", L"改过的\r\n", L"c.wav "})), 1);
    EXPECT_EQ(Run(app::UpdateStatement({L"3", L"2025-03-04", L"无", L"没有这一篇", L"d.wav"})), 0);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    ExpectRow(rows[0], {L"1", L"2024-01-01", L"一", L"第一篇", L"a.wav"});
    ExpectRow(rows[1], {L"2", L"2025-03-04", L"二'改", L"改过的", L"c.wav"});
}

}  // namespace

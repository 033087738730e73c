// The document database against a real "txt.kl" in a fresh working directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "platform/Database.h"

namespace {

using platform::TADOConnection;
using platform::TADOQuery;
using platform_test::ReadBytes;
using platform_test::TempDir;
using platform_test::WriteBytes;

constexpr const wchar_t* kConnectionString =
    L"Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Password=\"\";Data Source=txt.kl;Mode=Share Deny None;"
    L"Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Database Password=\"\"";

using Params = std::initializer_list<std::pair<const wchar_t*, std::wstring>>;

class DatabaseTest : public ::testing::Test {
protected:
    DatabaseTest()
    {
        connection_.SetName(L"ADOConnection1");
        connection_.SetConnectionString(kConnectionString);
        query_.SetName(L"ADOQuery1");
        query_.SetConnection(&connection_);
    }

    void SetText(const std::wstring& sql, Params params)
    {
        query_.Close();
        query_.SQL().Clear();
        query_.SQL().Add(sql);
        for (const auto& [name, value] : params) query_.Parameters().ParamByName(name).SetValue(value);
    }
    void Exec(const std::wstring& sql, Params params = {})
    {
        SetText(sql, params);
        query_.ExecSQL();
    }
    void Select(const std::wstring& sql, Params params = {})
    {
        SetText(sql, params);
        query_.Open();
    }
    std::wstring Field(const wchar_t* name) const { return query_.FieldByName(name).AsString(); }
    std::wstring MaxId()
    {
        Select(L"select max(序号) as 最大 from jilu");
        return Field(L"最大");
    }
    void Insert(const wchar_t* id, const wchar_t* date, const wchar_t* title)
    {
        Exec(std::wstring(L"insert into jilu(序号,日期,标题,内容,语音文件) values('") + id + L"','" + date + L"','" +
             title + L"','内容" + id + L"','" + title + L".wav')");
    }
    std::vector<std::wstring> Column(int field) const
    {
        std::vector<std::wstring> cells;
        for (int row = 0; row < query_.RecordCount(); ++row) cells.push_back(query_.CellText(row, field));
        return cells;
    }

    TempDir dir_;
    TADOConnection connection_{nullptr};
    TADOQuery query_{nullptr};
};

template <class F>
std::wstring FailureText(F&& operation)
{
    try {
        operation();
    } catch (const ui::Exception& e) {
        return e.Message();
    }
    return L"(no failure)";
}

TEST_F(DatabaseTest, OpenCreatesTheTableAndTheEmptyMaximumReadsEmpty)
{
    EXPECT_EQ(connection_.ClassName(), L"TADOConnection");
    EXPECT_EQ(query_.ClassName(), L"TADOQuery");
    ASSERT_FALSE(std::filesystem::exists(L"txt.kl"));
    connection_.Open();
    EXPECT_TRUE(connection_.Connected());
    EXPECT_TRUE(std::filesystem::exists(dir_.Path() / L"txt.kl"));

    Select(L"select * from jilu");
    EXPECT_TRUE(query_.Active());
    EXPECT_EQ(query_.RecordCount(), 0);
    EXPECT_TRUE(query_.Eof());
    EXPECT_EQ(query_.RecNo(), -1);
    std::vector<std::wstring> names;
    for (int i = 0; i < query_.FieldCount(); ++i) names.push_back(query_.FieldName(i));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"序号", L"日期", L"标题", L"内容", L"语音文件"}));
    EXPECT_EQ(Field(L"标题"), L"");

    EXPECT_EQ(MaxId(), L"");
    EXPECT_EQ(query_.RecordCount(), 1);
    EXPECT_FALSE(query_.Eof());

    // A second open of the same file finds its table and rows.
    Insert(L"1", L"2024-01-02", L"第一篇");
    connection_.Close();
    TADOConnection again(nullptr);
    again.SetConnectionString(kConnectionString);
    query_.SetConnection(&again);
    EXPECT_EQ(MaxId(), L"1");
}

TEST_F(DatabaseTest, MaximumIsTheHighestIdAsNumberAndQuotedIdsMatch)
{
    for (const wchar_t* id : {L"9", L"10", L"8"}) Insert(id, L"2024-03-05", L"题");
    EXPECT_EQ(MaxId(), L"10");  // numerically, not as text ("9")

    Exec(L"update jilu set 日期='2024-12-31',标题='改过' where 序号='8'");
    Select(L"select 日期,标题 from jilu where 序号='8'");
    ASSERT_EQ(query_.RecordCount(), 1);
    EXPECT_EQ(Field(L"日期"), L"2024-12-31");
    EXPECT_EQ(Field(L"标题"), L"改过");

    // An update that matches nothing passes silently.
    Exec(L"update jilu set 标题='无' where 序号='99'");
    Exec(L"delete from jilu where 序号='10'");
    EXPECT_EQ(MaxId(), L"9");
}

TEST_F(DatabaseTest, ParameterValuesSurviveExactly)
{
    std::wstring megabyte;
    while (megabyte.size() < (1u << 20)) megabyte += L"第一段'引号'\\反斜杠\"双引号\"\r\n😀 emoji，。！？【】";
    const std::vector<std::wstring> texts = {
        L"it's",
        L"''",
        L"\"quoted\" and 'single'",
        L"C:\\voice\\录音.wav \\' \\\\",
        L"“中文引号”、《书名》，句号。感叹！问号？……——",
        L"😀👍🏽 表情",
        L"line one\r\nline two\r\n\r\nline four",
        L":name inside a value; -- not a comment */",
        L"",
        megabyte,
    };
    Insert(L"1", L"2024-01-01", L"t");
    for (const std::wstring& text : texts) {
        Exec(L"update jilu set 内容=:text, 标题=:title where 序号=:id",
             {{L"text", text}, {L"title", text}, {L"id", L"1"}});
        Select(L"select 内容,标题 from jilu where 标题=:title", {{L"title", text}});
        ASSERT_EQ(query_.RecordCount(), 1) << ::testing::PrintToString(text.substr(0, 40));
        EXPECT_TRUE(Field(L"内容") == text) << ::testing::PrintToString(text.substr(0, 40));
        EXPECT_TRUE(Field(L"标题") == text);
    }

    Exec(L"insert into jilu(序号,日期,标题,内容,语音文件) values(:id,:date,:title,:text,:voice)",
         {{L"id", L"2"}, {L"date", L"2024-02-29"}, {L"title", L"it's"}, {L"text", megabyte}, {L"voice", L"a'b.mp3"}});
    Select(L"select * from jilu where 序号='2'");
    EXPECT_EQ(Field(L"日期"), L"2024-02-29");
    EXPECT_TRUE(Field(L"内容") == megabyte);
    EXPECT_EQ(Field(L"语音文件"), L"a'b.mp3");
}

TEST_F(DatabaseTest, ParametersAreTheNamesOutsideQuotesAndComments)
{
    SetText(L"select ':not', \"x:nor\", [y:nor] as a, :yes as b, :Yes as c /* :neither */ -- :nor\n, :名字 as d", {});
    EXPECT_EQ(query_.Parameters().Count(), 2);
    query_.Parameters().ParamByName(L"YES").SetValue(L"是");
    query_.Parameters().ParamByName(L"名字").SetValue(L"值");
    EXPECT_EQ(FailureText([&] { query_.Parameters().ParamByName(L"not"); }), L"Parameter 'not' not found");

    SetText(L"select :yes as b, :Yes as c, :名字 as d, :unset as e", {});
    query_.Parameters().ParamByName(L"yes").SetValue(L"是");
    query_.Parameters().ParamByName(L"名字").SetValue(L"值");
    query_.Open();
    EXPECT_EQ(Field(L"b"), L"是");
    EXPECT_EQ(Field(L"c"), L"是");
    EXPECT_EQ(Field(L"d"), L"值");
    EXPECT_EQ(Field(L"e"), L"");

    // Changing the text closes the query and forgets the old parameters.
    query_.SQL().Add(L"");
    EXPECT_FALSE(query_.Active());
    query_.SQL().Clear();
    EXPECT_EQ(query_.Parameters().Count(), 0);
}

struct Refusal {
    const wchar_t* sql;
    const wchar_t* message;
    bool query;
};

TEST_F(DatabaseTest, RefusedStatementsThrowTheDatabaseMessage)
{
    Insert(L"1", L"2024-01-01", L"t");
    const Refusal refusals[] = {
        {L"selec * from jilu", L"near \"selec\": syntax error", true},
        {L"select * from nosuch", L"no such table: nosuch", true},
        {L"select nosuch from jilu", L"no such column: nosuch", true},
        {L"insert into jilu(序号,标题) values('1','again')", L"UNIQUE constraint failed: jilu.序号", false},
        {L"insert into jilu(序号,标题) values('abc','x')", L"datatype mismatch", false},
    };
    for (const Refusal& refusal : refusals) {
        if (refusal.query) {
            EXPECT_EQ(FailureText([&] { Select(refusal.sql); }), refusal.message) << refusal.sql;
            EXPECT_FALSE(query_.Active());
        }
        EXPECT_EQ(FailureText([&] { Exec(refusal.sql); }), refusal.message) << refusal.sql;
    }

    EXPECT_EQ(FailureText([&] { Select(L"update jilu set 标题='x'"); }),
              L"ADOQuery1: CommandText does not return a result set");
    EXPECT_EQ(FailureText([&] { Exec(L"update jilu set 标题='x'; delete from jilu"); }),
              L"ADOQuery1: Only one SQL statement can run at a time");
    EXPECT_EQ(FailureText([&] { Exec(L"  -- nothing"); }), L"ADOQuery1: No SQL statement");
    Select(L"select 标题 from jilu");
    EXPECT_EQ(query_.RecordCount(), 1);
    EXPECT_EQ(Field(L"标题"), L"t");
    EXPECT_EQ(FailureText([&] { query_.FieldByName(L"内容"); }), L"ADOQuery1: Field '内容' not found");
}

TEST_F(DatabaseTest, ADisconnectedQueryConnectsAndAQueryWithoutConnectionFails)
{
    EXPECT_FALSE(connection_.Connected());
    EXPECT_EQ(MaxId(), L"");
    EXPECT_TRUE(connection_.Connected());

    TADOQuery lone(nullptr);
    lone.SetName(L"ADOQuery2");
    lone.SQL().Add(L"select 1");
    EXPECT_EQ(FailureText([&] { lone.Open(); }), L"ADOQuery2: Missing Connection or ConnectionString");

    TADOConnection nameless(nullptr);
    nameless.SetName(L"ADOConnection2");
    nameless.SetConnectionString(L"Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin");
    EXPECT_EQ(FailureText([&] { nameless.Open(); }), L"ADOConnection2: the connection string names no Data Source");

    // A connection that goes away takes the query's results with it.
    {
        TADOConnection gone(nullptr);
        gone.SetConnectionString(kConnectionString);
        lone.SetConnection(&gone);
        lone.Open();
        EXPECT_TRUE(lone.Active());
    }
    EXPECT_FALSE(lone.Active());
    EXPECT_EQ(lone.Connection(), nullptr);
}

class CountingLink : public ui::TDataLink {
public:
    void DataSetChanged() override { ++data_set_changed; }
    void RecordChanged() override { ++record_changed; }
    int data_set_changed = 0;
    int record_changed = 0;
};

TEST_F(DatabaseTest, NavigationMovesTheCurrentRowAndTellsTheLinks)
{
    Insert(L"1", L"2024-01-01", L"一");
    Insert(L"2", L"2024-03-01", L"三");
    Insert(L"3", L"2024-02-01", L"二");
    ui::TDataSource source(nullptr);
    CountingLink link;
    source.AddLink(&link);
    source.SetDataSet(&query_);
    link = CountingLink();

    Select(L"select 序号,日期,标题,语音文件,内容 from jilu order by 日期 desc");
    EXPECT_EQ(link.data_set_changed, 1);
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"三", L"二", L"一"}));
    EXPECT_EQ(query_.RecNo(), 0);
    std::vector<std::wstring> walked;
    for (query_.First(); !query_.Eof(); query_.Next()) walked.push_back(Field(L"序号"));
    EXPECT_EQ(walked, (std::vector<std::wstring>{L"2", L"3", L"1"}));
    EXPECT_EQ(query_.RecNo(), 2);  // the last row stays current past the end
    EXPECT_EQ(link.record_changed, 2);

    query_.MoveTo(1);
    EXPECT_EQ(Field(L"标题"), L"二");
    query_.MoveTo(99);
    EXPECT_EQ(query_.RecNo(), 2);
    query_.MoveTo(-4);
    EXPECT_EQ(query_.RecNo(), 0);
    EXPECT_EQ(link.record_changed, 5);
    EXPECT_EQ(query_.CellText(5, 0), L"");

    query_.Close();
    EXPECT_EQ(link.data_set_changed, 2);
    EXPECT_TRUE(query_.Eof());
    EXPECT_EQ(query_.RecNo(), -1);
    EXPECT_EQ(query_.FieldCount(), 0);
    source.RemoveLink(&link);
}

TEST_F(DatabaseTest, DeleteRemovesTheCurrentRowFromTheFileAtOnce)
{
    Insert(L"1", L"2024-01-01", L"一");
    Insert(L"2", L"2024-03-01", L"三");
    Insert(L"3", L"2024-02-01", L"二");
    Exec(L"insert into jilu(序号,日期,标题) values('4','2024-02-01','二')");  // NULLs, same date and title
    ui::TDataSource source(nullptr);
    CountingLink link;
    source.AddLink(&link);
    source.SetDataSet(&query_);

    Select(L"select 序号,日期,标题,语音文件,内容 from jilu order by 日期 desc, 序号");
    query_.MoveTo(2);
    ASSERT_EQ(Field(L"序号"), L"4");
    link = CountingLink();
    query_.Delete();
    EXPECT_EQ(link.data_set_changed, 1);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"2", L"3", L"1"}));
    EXPECT_EQ(query_.RecNo(), 2);

    query_.Delete();  // the last row: the new last row becomes current
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"2", L"3"}));
    EXPECT_EQ(query_.RecNo(), 1);

    // Another connection sees the file without the rows.
    TADOConnection other(nullptr);
    other.SetConnectionString(kConnectionString);
    TADOQuery check(nullptr);
    check.SetConnection(&other);
    check.SQL().Add(L"select 序号 from jilu order by 序号");
    check.Open();
    EXPECT_EQ(check.RecordCount(), 2);
    EXPECT_EQ(check.FieldByName(L"序号").AsString(), L"2");

    // Duplicate rows of a select without the key: exactly one goes.
    Exec(L"insert into jilu(序号,标题) values('7','同'),('8','同')");
    Select(L"select 标题 from jilu where 标题='同'");
    query_.Delete();
    EXPECT_EQ(query_.RecordCount(), 1);
    source.RemoveLink(&link);
}

TEST_F(DatabaseTest, DeleteRefusesEmptyClosedAndDerivedResults)
{
    Select(L"select 序号,日期,标题,语音文件,内容 from jilu order by 日期 desc");
    EXPECT_EQ(FailureText([&] { query_.Delete(); }), L"ADOQuery1: Cannot perform this operation on an empty dataset");
    query_.Close();
    EXPECT_EQ(FailureText([&] { query_.Delete(); }), L"ADOQuery1: Cannot perform this operation on a closed dataset");

    Insert(L"1", L"2024-01-01", L"一");
    Insert(L"2", L"2024-01-02", L"二");
    for (const wchar_t* sql : {L"select max(序号) as 最大 from jilu", L"select 序号, 1 as one from jilu",
                               L"select count(*) as n from jilu"}) {
        Select(sql);
        EXPECT_EQ(FailureText([&] { query_.Delete(); }), L"ADOQuery1: Cannot delete rows that do not all come from one table")
            << ::testing::PrintToString(std::wstring(sql));
    }
    EXPECT_EQ(MaxId(), L"2");
    Select(L"select count(*) as n from jilu");
    EXPECT_EQ(Field(L"n"), L"2");
}

TEST_F(DatabaseTest, DeleteOfARowGoneMeanwhileSaysSoAndShowsWhatIsLeft)
{
    Insert(L"1", L"2024-01-01", L"一");
    Insert(L"2", L"2024-01-02", L"二");
    Select(L"select 序号,标题 from jilu order by 序号");
    TADOQuery other(nullptr);
    other.SetConnection(&connection_);
    other.SQL().Add(L"delete from jilu where 序号='1'");
    other.ExecSQL();
    EXPECT_EQ(FailureText([&] { query_.Delete(); }), L"ADOQuery1: The current row is no longer in the table");
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"2"}));
}

// Files that must fail Open and stay exactly as they were.
class UnusableFileTest : public DatabaseTest {
protected:
    void ExpectOpenFailsAndKeepsTheFile(const std::wstring& message)
    {
        std::string before = ReadBytes(L"txt.kl");
        EXPECT_EQ(FailureText([&] { connection_.Open(); }), message);
        EXPECT_FALSE(connection_.Connected());
        EXPECT_TRUE(ReadBytes(L"txt.kl") == before);
        for (const wchar_t* side : {L"txt.kl-wal", L"txt.kl-shm", L"txt.kl-journal"})
            EXPECT_FALSE(std::filesystem::exists(side)) << ::testing::PrintToString(std::wstring(side));
    }

    void MakeDatabase(const wchar_t* create)
    {
        connection_.Open();
        if (create) Exec(create);
        connection_.Close();
    }
};

TEST_F(UnusableFileTest, AFileThatIsNotADatabaseIsLeftAlone)
{
    std::string noise;
    for (int i = 0; i < 8192; ++i) noise += static_cast<char>((i * 7919) >> 3);
    std::string header_then_noise = std::string("SQLite format 3", 16) + noise;
    for (const std::string& content : {std::string("not a database"), noise, std::string(1024, '\0') + "x"}) {
        WriteBytes(L"txt.kl", content);
        ExpectOpenFailsAndKeepsTheFile(L"file is not a database");
    }
    WriteBytes(L"txt.kl", header_then_noise);
    std::string before = ReadBytes(L"txt.kl");
    EXPECT_NE(FailureText([&] { connection_.Open(); }), L"(no failure)");
    EXPECT_TRUE(ReadBytes(L"txt.kl") == before);
}

TEST_F(UnusableFileTest, AReadOnlyFileIsLeftAlone)
{
    // With the table (nothing to create) and without it (the table would be created).
    for (const wchar_t* drop : {static_cast<const wchar_t*>(nullptr), L"drop table jilu"}) {
        MakeDatabase(drop);
        ASSERT_TRUE(SetFileAttributesW(L"txt.kl", FILE_ATTRIBUTE_READONLY));
        ExpectOpenFailsAndKeepsTheFile(L"attempt to write a readonly database");
        ASSERT_TRUE(SetFileAttributesW(L"txt.kl", FILE_ATTRIBUTE_NORMAL));
    }
}

TEST_F(UnusableFileTest, AFileAnotherProgramKeepsFromWritingIsLeftAlone)
{
    MakeDatabase(nullptr);
    HANDLE holder = CreateFileW(L"txt.kl", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ExpectOpenFailsAndKeepsTheFile(L"attempt to write a readonly database");
    CloseHandle(holder);
    connection_.Open();
    EXPECT_EQ(MaxId(), L"");
}

TEST_F(DatabaseTest, ACommittedUpdateSurvivesTheProcessBeingKilled)
{
    constexpr int kCharacters = 200000;
    Insert(L"1", L"2024-01-01", L"一");
    connection_.Close();

    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring child = (std::filesystem::path(self).parent_path() / L"platform_commit_child.exe").wstring();
    std::string event_name = "mj-platform-commit-" + std::to_string(GetCurrentProcessId());
    HANDLE committed = CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
    ASSERT_NE(committed, nullptr);
    std::wstring command = L"\"" + child + L"\" " + std::wstring(event_name.begin(), event_name.end()) + L" " +
                           std::to_wstring(kCharacters);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(child.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               dir_.Path().c_str(), &startup, &process));
    HANDLE waits[] = {committed, process.hProcess};
    DWORD signalled = WaitForMultipleObjects(2, waits, FALSE, 60000);
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, 10000);
    DWORD exit_code = 0;
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(committed);
    ASSERT_EQ(signalled, WAIT_OBJECT_0) << "child ended with " << exit_code;
    EXPECT_EQ(exit_code, 9u);

    Select(L"select 内容 from jilu where 序号='1'");
    EXPECT_TRUE(Field(L"内容") == L"已提交" + std::wstring(kCharacters, L'字'));
}

}  // namespace

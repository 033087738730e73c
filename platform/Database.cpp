#include "platform/Database.h"

#include <windows.h>

#include <algorithm>

#include <sqlite3.h>

#include "platform/SqlText.h"

namespace platform {

namespace {

// Another instance may share the file: wait this long for its write to end.
constexpr int kBusyTimeoutMs = 3000;

constexpr const wchar_t* kCreateTable =
    L"create table if not exists jilu(序号 integer primary key, 日期 text, 标题 text, 内容 text, "
    L"语音文件 text)";

std::wstring Wide(const void* utf16)
{
    return utf16 ? std::wstring(static_cast<const wchar_t*>(utf16)) : std::wstring();
}

std::wstring ErrorText(sqlite3* db) { return Wide(sqlite3_errmsg16(db)); }

void Exec(sqlite3* db, const wchar_t* sql)
{
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare16_v2(db, sql, -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {}
        sqlite3_finalize(statement);
    }
    if (rc != SQLITE_OK && rc != SQLITE_DONE) throw EDatabaseError(ErrorText(db));
}

}  // namespace

void TADOConnection::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

TADOConnection::TADOConnection(ui::TComponent* owner) : TComponent(owner) {}

TADOConnection::~TADOConnection() = default;

void TADOConnection::Open()
{
    if (db_) return;
    std::wstring file = DataSourceOf(connection_string_);
    if (file.empty()) throw EDatabaseError(Name() + L": the connection string names no Data Source");
    // The read-only attribute is honoured even where the system would let the file be written.
    DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw EDatabaseError(ui::Utf8ToWide(sqlite3_errstr(SQLITE_READONLY)));
    sqlite3* raw = nullptr;
    int rc = sqlite3_open16(file.c_str(), &raw);
    std::unique_ptr<sqlite3, Closer> db(raw);
    if (!raw) throw EDatabaseError(ui::Utf8ToWide(sqlite3_errstr(rc)));
    if (rc != SQLITE_OK) throw EDatabaseError(ErrorText(raw));
    // A file the system refuses to open for writing is opened read-only without complaint.
    if (sqlite3_db_readonly(raw, "main") == 1) throw EDatabaseError(ui::Utf8ToWide(sqlite3_errstr(SQLITE_READONLY)));
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    // Nothing is written before the first read has shown the file to be a database. With the
    // write-ahead log and a full sync on every commit, a commit that returned survives a
    // power cut.
    Exec(raw, L"pragma journal_mode=wal");
    Exec(raw, L"pragma synchronous=full");
    // Listing every document reads the whole file: mapped, it takes no read call per page.
    Exec(raw, L"pragma mmap_size=268435456");
    // Writing at once makes a file or folder that cannot be written fail here rather than at
    // the first save; the version mark is that write. Closing without commit rolls back.
    Exec(raw, L"begin immediate");
    Exec(raw, kCreateTable);
    // The archive lists newest first: with the dates indexed that needs no sort of every
    // transcript. A table of another shape goes without; its queries report what is wrong.
    try {
        Exec(raw, L"create index if not exists jilu_date on jilu(日期)");
    } catch (const EDatabaseError&) {
    }
    Exec(raw, L"pragma user_version=1");
    Exec(raw, L"commit");
    db_ = std::move(db);
}

void TADOConnection::Close() { db_.reset(); }

void TSQLStrings::Clear()
{
    lines_.clear();
    if (on_change_) on_change_();
}

void TSQLStrings::Add(std::wstring line)
{
    lines_.push_back(std::move(line));
    if (on_change_) on_change_();
}

std::wstring TSQLStrings::Text() const
{
    std::wstring text;
    for (const std::wstring& line : lines_) text += line + L"\r\n";
    return text;
}

TParameter& TParameters::ParamByName(std::wstring_view name)
{
    for (TParameter& parameter : items_)
        if (ui::SameName(parameter.Name(), name)) return parameter;
    throw EDatabaseError(L"Parameter '" + std::wstring(name) + L"' not found");
}

std::wstring TField::FieldName() const { return query_->FieldName(index_); }

std::wstring TField::AsString() const { return query_->CellText(query_->RecNo(), index_); }

void TADOQuery::ValueFree::operator()(sqlite3_value* value) const { sqlite3_value_free(value); }

void TADOQuery::StatementFree::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

TADOQuery::TADOQuery(ui::TComponent* owner) : TDataSet(owner)
{
    sql_.on_change_ = [this] { SqlChanged(); };
}

TADOQuery::~TADOQuery() = default;

void TADOQuery::SetConnection(TADOConnection* connection)
{
    if (connection == connection_) return;
    Close();
    if (connection_) RemoveFreeNotification(connection_);
    connection_ = connection;
    if (connection_) FreeNotification(connection_);
}

void TADOQuery::Notification(ui::TComponent* component, ui::TOperation operation)
{
    TDataSet::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == connection_) {
        Close();
        connection_ = nullptr;
    }
}

void TADOQuery::SqlChanged()
{
    Close();
    parameters_.items_.clear();
    for (std::wstring& name : FindParameters(sql_.Text())) parameters_.items_.emplace_back(std::move(name));
}

void TADOQuery::Fail(const std::wstring& what) const { throw EDatabaseError(Name() + L": " + what); }

sqlite3* TADOQuery::Database()
{
    if (!connection_) Fail(L"Missing Connection or ConnectionString");
    connection_->Open();
    return connection_->db_.get();
}

TADOQuery::Statement TADOQuery::Prepare()
{
    sqlite3* db = Database();
    std::wstring text = sql_.Text();
    const void* tail = nullptr;
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare16_v2(db, text.c_str(), -1, &raw, &tail) != SQLITE_OK) throw EDatabaseError(ErrorText(db));
    Statement statement(raw);
    if (!statement) Fail(L"No SQL statement");
    // A second statement would be ignored silently.
    sqlite3_stmt* rest = nullptr;
    if (sqlite3_prepare16_v2(db, tail, -1, &rest, nullptr) != SQLITE_OK) throw EDatabaseError(ErrorText(db));
    if (rest) {
        sqlite3_finalize(rest);
        Fail(L"Only one SQL statement can run at a time");
    }
    for (int i = 1, n = sqlite3_bind_parameter_count(raw); i <= n; ++i) {
        const char* name = sqlite3_bind_parameter_name(raw, i);
        if (!name || name[0] != ':') continue;
        std::wstring wanted = ui::Utf8ToWide(name + 1);
        for (const TParameter& parameter : parameters_.items_) {
            if (!ui::SameName(parameter.Name(), wanted) || !parameter.Value()) continue;
            const std::wstring& value = *parameter.Value();
            sqlite3_bind_text16(raw, i, value.c_str(), static_cast<int>(value.size() * sizeof(wchar_t)), SQLITE_STATIC);
        }
    }
    return statement;
}

TADOQuery::Result TADOQuery::Query()
{
    Statement statement = Prepare();
    sqlite3_stmt* st = statement.get();
    int columns = sqlite3_column_count(st);
    if (columns == 0) Fail(L"CommandText does not return a result set");
    Result result;
    for (int i = 0; i < columns; ++i) {
        result.fields.push_back(Wide(sqlite3_column_name16(st, i)));
        std::wstring database = Wide(sqlite3_column_database_name16(st, i));
        std::wstring table = Wide(sqlite3_column_table_name16(st, i));
        std::wstring column = Wide(sqlite3_column_origin_name16(st, i));
        if (i == 0) {
            result.origin_database = database;
            result.origin_table = table;
        }
        if (column.empty() || database != result.origin_database || table != result.origin_table)
            result.origin_table.clear();
        result.origin_columns.push_back(std::move(column));
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        Row row(static_cast<size_t>(columns));
        for (int i = 0; i < columns; ++i) {
            Cell& cell = row[static_cast<size_t>(i)];
            if (sqlite3_column_type(st, i) != SQLITE_TEXT) cell.value.reset(sqlite3_value_dup(sqlite3_column_value(st, i)));
            if (const void* text = sqlite3_column_text16(st, i))
                cell.text.assign(static_cast<const wchar_t*>(text),
                                 static_cast<size_t>(sqlite3_column_bytes16(st, i)) / sizeof(wchar_t));
        }
        result.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) throw EDatabaseError(ErrorText(sqlite3_db_handle(st)));
    return result;
}

void TADOQuery::Load(Result result, int rec_no)
{
    result_ = std::move(result);
    active_ = true;
    eof_ = result_.rows.empty();
    rec_no_ = eof_ ? -1 : std::clamp(rec_no, 0, RecordCount() - 1);
    DataSetChanged();
}

void TADOQuery::Open()
{
    if (!active_) Load(Query(), 0);
}

void TADOQuery::Close()
{
    if (!active_) return;
    result_ = Result();
    active_ = false;
    eof_ = true;
    rec_no_ = -1;
    DataSetChanged();
}

int TADOQuery::ExecSQL()
{
    Statement statement = Prepare();
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {}
    sqlite3* db = sqlite3_db_handle(statement.get());
    if (rc != SQLITE_DONE) throw EDatabaseError(ErrorText(db));
    return sqlite3_changes(db);
}

std::wstring TADOQuery::FieldName(int field) const
{
    if (field < 0 || field >= FieldCount()) return {};
    return result_.fields[static_cast<size_t>(field)];
}

std::wstring TADOQuery::CellText(int row, int field) const
{
    if (row < 0 || row >= RecordCount() || field < 0 || field >= FieldCount()) return {};
    return result_.rows[static_cast<size_t>(row)][static_cast<size_t>(field)].text;
}

void TADOQuery::MoveTo(int row)
{
    if (result_.rows.empty()) return;
    eof_ = false;
    int target = std::clamp(row, 0, RecordCount() - 1);
    if (target == rec_no_) return;
    rec_no_ = target;
    RecordChanged();
}

void TADOQuery::First() { MoveTo(0); }

void TADOQuery::Next()
{
    if (result_.rows.empty()) return;
    if (rec_no_ + 1 >= RecordCount()) {
        eof_ = true;
        return;
    }
    ++rec_no_;
    RecordChanged();
}

TField TADOQuery::FieldByName(std::wstring_view name) const
{
    for (int i = 0; i < FieldCount(); ++i)
        if (ui::SameName(result_.fields[static_cast<size_t>(i)], name)) return TField(*this, i);
    Fail(L"Field '" + std::wstring(name) + L"' not found");
}

void TADOQuery::Delete()
{
    if (!active_) Fail(L"Cannot perform this operation on a closed dataset");
    if (result_.rows.empty()) Fail(L"Cannot perform this operation on an empty dataset");
    if (result_.origin_table.empty()) Fail(L"Cannot delete rows that do not all come from one table");
    sqlite3* db = Database();
    // The row is found again by the values it was read with, which a select of a whole key
    // (the document id) makes unique.
    std::wstring table = QuoteName(result_.origin_database) + L"." + QuoteName(result_.origin_table);
    std::wstring where;
    for (size_t i = 0; i < result_.origin_columns.size(); ++i)
        where += (i ? L" and " : L"") + QuoteName(result_.origin_columns[i]) + L" is ?" + std::to_wstring(i + 1);
    std::wstring sql =
        L"delete from " + table + L" where rowid in (select rowid from " + table + L" where " + where + L" limit 1)";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare16_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) throw EDatabaseError(ErrorText(db));
    Statement statement(raw);
    const Row& row = result_.rows[static_cast<size_t>(rec_no_)];
    for (size_t i = 0; i < row.size(); ++i) {
        int index = static_cast<int>(i + 1);
        if (row[i].value)
            sqlite3_bind_value(raw, index, row[i].value.get());
        else
            sqlite3_bind_text16(raw, index, row[i].text.c_str(), static_cast<int>(row[i].text.size() * sizeof(wchar_t)),
                                SQLITE_STATIC);
    }
    if (sqlite3_step(raw) != SQLITE_DONE) throw EDatabaseError(ErrorText(db));
    bool deleted = sqlite3_changes(db) > 0;
    statement.reset();
    Load(Query(), rec_no_);
    if (!deleted) Fail(L"The current row is no longer in the table");
}

}  // namespace platform

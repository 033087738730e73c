// The document database: TADOConnection opens the single-file store named by the "Data Source"
// of its connection string, TADOQuery runs one statement at a time on it and holds a query's
// rows in memory for the grid. Values reach statements as bound :name parameters.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DataSet.h"
#include "ui/Exception.h"

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace platform {

class EDatabaseError : public ui::Exception {
public:
    using Exception::Exception;
};

class TADOQuery;

class TADOConnection : public ui::TComponent {
public:
    explicit TADOConnection(ui::TComponent* owner);
    ~TADOConnection() override;

    std::wstring_view ClassName() const override { return L"TADOConnection"; }

    // Kept as written; only its "Data Source=<file>" item is used, a bare name meaning the
    // current working directory.
    const std::wstring& ConnectionString() const { return connection_string_; }
    void SetConnectionString(std::wstring text) { connection_string_ = std::move(text); }

    // Opens the file (creating it and table jilu when new). A file that is not a database or
    // cannot be written fails with the database's own message and is left as it was.
    void Open();
    void Close();
    bool Connected() const { return db_ != nullptr; }

private:
    friend class TADOQuery;
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::wstring connection_string_;
    std::unique_ptr<sqlite3, Closer> db_;
};

// The statement text as a list of lines.
class TSQLStrings {
public:
    TSQLStrings() = default;
    TSQLStrings(const TSQLStrings&) = delete;
    TSQLStrings& operator=(const TSQLStrings&) = delete;

    void Clear();
    void Add(std::wstring line);
    int Count() const { return static_cast<int>(lines_.size()); }
    // Every line followed by a line break.
    std::wstring Text() const;

private:
    friend class TADOQuery;
    std::function<void()> on_change_;
    std::vector<std::wstring> lines_;
};

class TParameter {
public:
    explicit TParameter(std::wstring name) : name_(std::move(name)) {}
    const std::wstring& Name() const { return name_; }
    void SetValue(std::wstring value) { value_ = std::move(value); }
    // Unset means NULL.
    const std::optional<std::wstring>& Value() const { return value_; }

private:
    std::wstring name_;
    std::optional<std::wstring> value_;
};

// The :name parameters of the statement text, found again whenever the text changes.
class TParameters {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Case-insensitive; throws for a name the text does not hold.
    TParameter& ParamByName(std::wstring_view name);

private:
    friend class TADOQuery;
    std::vector<TParameter> items_;
};

class TField {
public:
    TField(const TADOQuery& query, int index) : query_(&query), index_(index) {}
    std::wstring FieldName() const;
    // The current row's value; NULL, an empty result set or a closed query read as empty text.
    std::wstring AsString() const;

private:
    const TADOQuery* query_;
    int index_;
};

class TADOQuery : public ui::TDataSet {
public:
    explicit TADOQuery(ui::TComponent* owner);
    ~TADOQuery() override;

    std::wstring_view ClassName() const override { return L"TADOQuery"; }

    TADOConnection* Connection() const { return connection_; }
    void SetConnection(TADOConnection* connection);

    // Changing the text closes the query.
    TSQLStrings& SQL() { return sql_; }
    TParameters& Parameters() { return parameters_; }

    // Runs the query and reads all its rows; positioned on the first.
    void Open();
    void Close();
    // Runs a command; no result set stays open. The number of rows it inserted, changed or
    // deleted.
    int ExecSQL();

    bool Active() const override { return active_; }
    int FieldCount() const override { return static_cast<int>(result_.fields.size()); }
    std::wstring FieldName(int field) const override;
    int RecordCount() const override { return static_cast<int>(result_.rows.size()); }
    int RecNo() const override { return rec_no_; }
    void MoveTo(int row) override;
    std::wstring CellText(int row, int field) const override;

    // Throws "<Name>: Field '<name>' not found" for a field the result does not have.
    TField FieldByName(std::wstring_view name) const;
    void First();
    // Past the last row Eof turns true and the last row stays current.
    void Next();
    bool Eof() const { return !active_ || eof_; }

    // Deletes the current row from its table at once and reads the rows again. Works on the
    // result of a select whose columns all come from one table.
    void Delete();

    void Notification(ui::TComponent* component, ui::TOperation operation) override;

private:
    struct ValueFree {
        void operator()(sqlite3_value* value) const;
    };
    // The text of a value and, unless it is text, the value itself (to find its row again).
    struct Cell {
        std::wstring text;
        std::unique_ptr<sqlite3_value, ValueFree> value;
    };
    using Row = std::vector<Cell>;
    struct Result {
        std::vector<std::wstring> fields;
        std::vector<Row> rows;
        // Where the rows come from, for Delete: database, table and each field's column;
        // the table is empty when the fields do not all come from one table.
        std::wstring origin_database;
        std::wstring origin_table;
        std::vector<std::wstring> origin_columns;
    };

    struct StatementFree {
        void operator()(sqlite3_stmt* statement) const;
    };
    using Statement = std::unique_ptr<sqlite3_stmt, StatementFree>;

    [[noreturn]] void Fail(const std::wstring& what) const;
    sqlite3* Database();
    // The one statement of the text with the parameters bound.
    Statement Prepare();
    Result Query();
    void Load(Result result, int rec_no);
    void SqlChanged();

    TADOConnection* connection_ = nullptr;
    TSQLStrings sql_;
    TParameters parameters_;
    bool active_ = false;
    bool eof_ = true;
    int rec_no_ = -1;
    Result result_;
};

}  // namespace platform

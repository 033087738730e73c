// A data set over rows held in memory, for the grid tests and the benchmark.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ui/DataSet.h"

namespace test {

class TMemoryDataSet : public ui::TDataSet {
public:
    using Rows = std::vector<std::vector<std::wstring>>;
    using TDataSet::TDataSet;

    void Open(std::vector<std::wstring> fields, Rows rows)
    {
        fields_ = std::move(fields);
        rows_ = std::move(rows);
        active_ = true;
        rec_no_ = rows_.empty() ? -1 : 0;
        DataSetChanged();
    }
    void Close()
    {
        active_ = false;
        fields_.clear();
        rows_.clear();
        rec_no_ = -1;
        DataSetChanged();
    }
    // Removes the current row, as a delete does, and stays on the row that took its place.
    void DeleteCurrent()
    {
        rows_.erase(rows_.begin() + rec_no_);
        rec_no_ = std::min(rec_no_, static_cast<int>(rows_.size()) - 1);
        DataSetChanged();
    }

    bool Active() const override { return active_; }
    int FieldCount() const override { return static_cast<int>(fields_.size()); }
    std::wstring FieldName(int field) const override { return fields_.at(static_cast<size_t>(field)); }
    int RecordCount() const override { return static_cast<int>(rows_.size()); }
    int RecNo() const override { return rec_no_; }
    void MoveTo(int row) override
    {
        ++moves;
        if (!active_ || rows_.empty()) return;
        row = std::clamp(row, 0, RecordCount() - 1);
        if (row == rec_no_) return;
        rec_no_ = row;
        RecordChanged();
    }
    std::wstring CellText(int row, int field) const override
    {
        ++reads;
        return rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(field));
    }

    int moves = 0;
    mutable int reads = 0;

private:
    bool active_ = false;
    std::vector<std::wstring> fields_;
    Rows rows_;
    int rec_no_ = -1;
};

// Rows "r<row> f<field>" under the archive's five field names.
inline std::vector<std::wstring> ArchiveFields() { return {L"序号", L"日期", L"标题", L"语音文件", L"内容"}; }

inline TMemoryDataSet::Rows NumberedRows(int count)
{
    TMemoryDataSet::Rows rows(static_cast<size_t>(count));
    for (int r = 0; r < count; ++r)
        for (int f = 0; f < 5; ++f) rows[static_cast<size_t>(r)].push_back(L"r" + std::to_wstring(r) + L" f" + std::to_wstring(f));
    return rows;
}

}  // namespace test

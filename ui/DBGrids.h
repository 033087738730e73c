// TDBGrid: a read-only grid over the rows of a data source's data set. One column per field
// in field order, titled with the field name; a title row and an indicator column that
// marks the current row with a small triangle. The grid's current row and the data set's
// current row are one: moving either moves the other.
//
// While OnDrawColumnCell runs (after the grid's own drawing of a data cell), DrawingRecord()
// and TColumn::DisplayText() tell which row's cell is being drawn.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/DataSet.h"
#include "ui/Grids.h"

namespace ui {

class TDBGrid;

class TColumn {
public:
    TColumn(TDBGrid& grid, int index, std::wstring fieldName);
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    int Index() const { return index_; }
    const std::wstring& FieldName() const { return field_name_; }
    // The title row's text; the field name unless set.
    const std::wstring& Title() const { return title_; }
    void SetTitle(std::wstring title);
    int Width() const;
    void SetWidth(int width);
    // This column's text in the row being drawn, or in the current row outside drawing.
    std::wstring DisplayText() const;

private:
    TDBGrid& grid_;
    int index_;
    std::wstring field_name_;
    std::wstring title_;
};

class TDBGridColumns {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TColumn* Items(int index) const;

private:
    friend class TDBGrid;
    std::vector<std::unique_ptr<TColumn>> items_;
};

using TDBGridOptions = unsigned;
constexpr TDBGridOptions dgTitles = 1, dgIndicator = 2, dgColumnResize = 4, dgColLines = 8, dgRowLines = 16,
                         dgRowSelect = 32;

using TDrawColumnCellEvent =
    std::function<void(TObject* sender, const RECT& rect, int dataCol, TColumn* column, TGridDrawState state)>;

class TDBGrid : public TCustomGrid {
public:
    explicit TDBGrid(TComponent* owner);
    ~TDBGrid() override;
    std::wstring_view ClassName() const override { return L"TDBGrid"; }

    TDataSource* DataSource() const { return source_; }
    void SetDataSource(TDataSource* source);

    TDBGridColumns* Columns() { return &columns_; }
    const TDBGridColumns* Columns() const { return &columns_; }

    // The grid never edits: every option here is about showing and choosing rows.
    TDBGridOptions Options() const { return db_options_; }
    void SetOptions(TDBGridOptions options);

    // The data-set row of the cell OnDrawColumnCell is drawing; -1 outside drawing.
    int DrawingRecord() const { return drawing_record_; }
    // The text of a field in a data-set row; empty without an open data set.
    std::wstring CellText(int record, int field) const;

    TDrawColumnCellEvent OnDrawColumnCell;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void DrawCell(int col, int row, const RECT& rect, TGridDrawState state) override;
    void CurrentRowChanged() override;
    void FontChanged() override;

private:
    class Link : public TDataLink {
    public:
        explicit Link(TDBGrid& grid) : grid_(grid) {}
        void DataSetChanged() override { grid_.DataChanged(); }
        void RecordChanged() override { grid_.RecordMoved(); }

    private:
        TDBGrid& grid_;
    };

    TDataSet* OpenDataSet() const;
    void DataChanged();
    void RecordMoved();
    void FitRowHeight();
    void DrawIndicator(const RECT& rect);

    Link link_{*this};
    TDataSource* source_ = nullptr;
    TDBGridColumns columns_;
    TDBGridOptions db_options_ = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect;
    int drawing_record_ = -1;
    bool following_ = false;
};

}  // namespace ui

#include "ui/DBGrids.h"

#include <algorithm>
#include <array>

#include "ui/Exception.h"

namespace ui {

namespace {

constexpr int kIndicatorWidth = 11;
constexpr int kTextInset = 2;
constexpr UINT kCellTextFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;

}  // namespace

// ---------------------------------------------------------------------------------------
// Columns

TColumn::TColumn(TDBGrid& grid, int index, std::wstring fieldName)
    : grid_(grid), index_(index), field_name_(std::move(fieldName)), title_(field_name_)
{
}

void TColumn::SetTitle(std::wstring title)
{
    title_ = std::move(title);
    grid_.Invalidate();
}

int TColumn::Width() const { return grid_.ColWidths(grid_.FixedCols() + index_); }

void TColumn::SetWidth(int width) { grid_.SetColWidths(grid_.FixedCols() + index_, width); }

std::wstring TColumn::DisplayText() const
{
    int record = grid_.DrawingRecord();
    if (record < 0 && grid_.DataSource() && grid_.DataSource()->DataSet())
        record = grid_.DataSource()->DataSet()->RecNo();
    return grid_.CellText(record, index_);
}

TColumn* TDBGridColumns::Items(int index) const
{
    if (index < 0 || index >= Count()) throw Exception(Format(L"List index out of bounds (%d)", index));
    return items_[static_cast<size_t>(index)].get();
}

// ---------------------------------------------------------------------------------------
// TDBGrid

TDBGrid::TDBGrid(TComponent* owner) : TCustomGrid(owner)
{
    SetFixedRows(1);
    SetColCount(1);
    SetFixedCols(1);
    SetColWidths(0, kIndicatorWidth);
    SetOptions(db_options_);
    FitRowHeight();
}

TDBGrid::~TDBGrid() { SetDataSource(nullptr); }

void TDBGrid::SetDataSource(TDataSource* source)
{
    if (source == source_) return;
    if (source_) {
        source_->RemoveLink(&link_);
        RemoveFreeNotification(source_);
    }
    source_ = source;
    if (source_) {
        source_->AddLink(&link_);
        FreeNotification(source_);
    }
    DataChanged();
}

void TDBGrid::Notification(TComponent* component, TOperation operation)
{
    TCustomGrid::Notification(component, operation);
    if (operation == TOperation::opRemove && component == source_) {
        source_ = nullptr;
        DataChanged();
    }
}

void TDBGrid::SetOptions(TDBGridOptions options)
{
    db_options_ = options;
    // The fixed row and column stay in the grid's numbering when hidden, as zero-sized
    // lines would still be drawn: they go away instead.
    const int dataRows = RowCount() - FixedRows();
    SetFixedRows((options & dgTitles) ? 1 : 0);
    SetRowCount(FixedRows() + dataRows);
    const bool indicator = (options & dgIndicator) != 0;
    if (indicator != (FixedCols() == 1)) {
        std::vector<int> widths;
        for (int c = FixedCols(); c < ColCount(); ++c) widths.push_back(ColWidths(c));
        SetFixedCols(0);
        SetColCount(static_cast<int>(widths.size()) + (indicator ? 1 : 0));
        const int first = indicator ? 1 : 0;
        if (indicator) SetColWidths(0, kIndicatorWidth);
        for (size_t i = 0; i < widths.size(); ++i) SetColWidths(first + static_cast<int>(i), widths[i]);
        SetFixedCols(first);
    }
    TGridOptions grid = 0;
    if (options & dgColLines) grid |= goFixedVertLine | goVertLine;
    if (options & dgRowLines) grid |= goFixedHorzLine | goHorzLine;
    if (options & dgRowSelect) grid |= goRowSelect;
    if (options & dgColumnResize) grid |= goColSizing;
    TCustomGrid::SetOptions(grid);
}

TDataSet* TDBGrid::OpenDataSet() const
{
    TDataSet* dataset = source_ ? source_->DataSet() : nullptr;
    return dataset && dataset->Active() ? dataset : nullptr;
}

std::wstring TDBGrid::CellText(int record, int field) const
{
    TDataSet* dataset = OpenDataSet();
    if (!dataset || record < 0 || record >= dataset->RecordCount() || field < 0 || field >= dataset->FieldCount())
        return {};
    return dataset->CellText(record, field);
}

void TDBGrid::DataChanged()
{
    TDataSet* dataset = OpenDataSet();
    std::vector<std::wstring> fields;
    if (dataset)
        for (int f = 0; f < dataset->FieldCount(); ++f) fields.push_back(dataset->FieldName(f));

    // The same fields again (rows added or deleted, a query run anew) keep their columns and
    // the widths given to them; other fields get new columns.
    const bool sameFields = std::equal(fields.begin(), fields.end(), columns_.items_.begin(), columns_.items_.end(),
        [](const std::wstring& field, const std::unique_ptr<TColumn>& column) { return column->FieldName() == field; });
    if (!sameFields) {
        columns_.items_.clear();
        SetColCount(FixedCols());
        SetColCount(FixedCols() + static_cast<int>(fields.size()));
        for (size_t i = 0; i < fields.size(); ++i)
            columns_.items_.push_back(std::make_unique<TColumn>(*this, static_cast<int>(i), fields[i]));
        SetHorzOffset(0);
    }

    following_ = true;
    SetRowCount(FixedRows() + (dataset ? dataset->RecordCount() : 0));
    MoveCurrentRow(FixedRows() + (dataset ? std::max(dataset->RecNo(), 0) : 0));
    following_ = false;
    Invalidate();
}

void TDBGrid::RecordMoved()
{
    TDataSet* dataset = OpenDataSet();
    if (!dataset || following_) return;
    following_ = true;
    MoveCurrentRow(FixedRows() + std::max(dataset->RecNo(), 0));
    following_ = false;
}

void TDBGrid::CurrentRowChanged()
{
    TDataSet* dataset = OpenDataSet();
    if (!dataset || following_) return;
    following_ = true;
    dataset->MoveTo(Row() - FixedRows());
    following_ = false;
    // The data set may refuse or clamp the move: show where it stands.
    MoveCurrentRow(FixedRows() + std::max(dataset->RecNo(), 0));
}

void TDBGrid::FontChanged()
{
    TCustomGrid::FontChanged();
    FitRowHeight();
}

void TDBGrid::FitRowHeight()
{
    ClientDC screen(nullptr);
    if (!screen) return;
    ScopedSelect font(screen.get(), Font()->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    SetDefaultRowHeight(metrics.tmHeight + 3);
}

void TDBGrid::DrawIndicator(const RECT& rect)
{
    TCanvas& canvas = *Canvas();
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    const std::array<POINT, 3> triangle{POINT{cx - 2, cy - 4}, POINT{cx + 2, cy}, POINT{cx - 2, cy + 4}};
    canvas.Pen().SetColor(clBtnText);
    canvas.Brush().SetColor(clBtnText);
    canvas.Polygon(triangle);
}

void TDBGrid::DrawCell(int col, int row, const RECT& rect, TGridDrawState state)
{
    const int dataCol = col - FixedCols();
    const int record = row - FixedRows();
    TCanvas& canvas = *Canvas();
    if (dataCol < 0) {
        if (record >= 0 && row == Row() && OpenDataSet()) DrawIndicator(rect);
        return;
    }
    // Cells beyond the columns exist only while a caller reshapes the grid by hand.
    if (dataCol >= columns_.Count()) return;
    TColumn* column = columns_.Items(dataCol);
    RECT textRect{rect.left + kTextInset, rect.top, rect.right - kTextInset, rect.bottom};
    if (record < 0) {
        canvas.DrawText(column->Title(), textRect, kCellTextFlags);
        return;
    }
    canvas.DrawText(CellText(record, dataCol), textRect, kCellTextFlags);
    if (!OnDrawColumnCell) return;
    drawing_record_ = record;
    struct Reset {
        int& value;
        ~Reset() { value = -1; }
    } reset{drawing_record_};
    OnDrawColumnCell(this, rect, dataCol, column, state);
}

}  // namespace ui

// TCustomGrid: a grid of cells drawn by the control itself, with fixed title rows and
// indicator columns, uniform row height, per-column widths that the user can drag, grid
// lines, a current row chosen by keyboard and mouse, wheel scrolling and the window's own
// scroll bars (WS_VSCROLL / WS_HSCROLL kept up to date with SetScrollInfo, so that anything
// that serves standard scroll bars serves the grid's too).
//
// Rows scroll by whole rows, the non-fixed columns by pixels. Painting draws only the cells
// in view into an off-screen bitmap and copies it in one transfer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/Controls.h"
#include "ui/StdCtrls.h"

namespace ui {

using TGridOptions = unsigned;
constexpr TGridOptions goFixedVertLine = 1, goFixedHorzLine = 2, goVertLine = 4, goHorzLine = 8, goRowSelect = 16,
                       goColSizing = 32;

using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 1, gdFocused = 2, gdFixed = 4;

enum class TBorderStyle : std::uint8_t { bsNone, bsSingle };
inline constexpr std::wstring_view kBorderStyleIdents[] = {L"bsNone", L"bsSingle"};
inline constexpr TEnumType TBorderStyleType{L"TBorderStyle", kBorderStyleIdents};

// A cell address; -1 on an axis means outside the cells.
struct TGridCoord {
    int X;
    int Y;
};

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomGrid"; }

    int ColCount() const { return static_cast<int>(col_widths_.size()); }
    void SetColCount(int count);
    int RowCount() const { return row_count_; }
    void SetRowCount(int count);
    int FixedCols() const { return fixed_cols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixed_rows_; }
    void SetFixedRows(int count);

    int DefaultColWidth() const { return default_col_width_; }
    // Also the width of columns added later.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return row_height_; }
    void SetDefaultRowHeight(int height);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);

    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    TColor FixedColor() const { return fixed_color_; }
    void SetFixedColor(TColor color);
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle style);
    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle value);

    // The current row, a non-fixed row; FixedRows() when the grid has no other rows.
    int Row() const { return row_; }
    // Makes `row` current (clamped) and scrolls it into view.
    void SetRow(int row);
    bool HasDataRows() const { return row_count_ > fixed_rows_; }
    // The first non-fixed row in view.
    int TopRow() const { return top_row_; }
    void SetTopRow(int row);
    // Pixels the non-fixed columns are scrolled to the left.
    int HorzOffset() const { return horz_offset_; }
    void SetHorzOffset(int offset);
    // Non-fixed rows that fit wholly below the fixed rows (at least 1).
    int VisibleRowCount() const;

    // The cell under a client point.
    TGridCoord MouseCoord(int x, int y) const;
    // A cell's area in client coordinates without its grid lines; empty when out of view.
    RECT CellRect(int col, int row) const;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void Paint() override;
    // Every pixel is painted from the off-screen bitmap: erasing first would only flicker.
    void EraseBackground(HDC) override {}
    void FontChanged() override;
    void ColorChanged() override;

    // Draws the content of one cell. The canvas is on the off-screen bitmap with its brush
    // in the cell's background colour and its font in the cell's text colour, and the
    // background is already filled.
    virtual void DrawCell(int col, int row, const RECT& rect, TGridDrawState state);
    // Row() changed through the keyboard, the mouse or SetRow.
    virtual void CurrentRowChanged() {}

    // Sets the current row without calling CurrentRowChanged (following a model).
    void MoveCurrentRow(int row);
    // Scroll ranges follow rows, columns and the client size.
    void UpdateScrollBars();

private:
    int HorzLine() const;
    int VertLine() const;
    int RowPitch() const { return row_height_ + HorzLine(); }
    int FixedHeight() const { return fixed_rows_ * RowPitch(); }
    int FixedWidth() const;
    int ScrollWidth() const;
    int MaxTopRow() const;
    int MaxHorzOffset() const;
    // Left edge of a column in client coordinates (scrolled for non-fixed columns).
    int ColLeft(int col) const;
    // The column whose right edge (in the title rows) is within reach of x, or -1.
    int SizingColumnAt(int x, int y) const;
    void PaintCells(const RECT& client);
    void PaintCell(int col, int row, const RECT& rect);
    void PaintLines(int col, int row, const RECT& rect);
    void ScrollVert(WORD code);
    void ScrollHorz(WORD code);
    void MouseWheel(int delta);
    bool KeyDown(WORD key);
    void SelectRowAt(int y);

    std::vector<int> col_widths_;
    int row_count_ = 0;
    int fixed_cols_ = 0;
    int fixed_rows_ = 0;
    int default_col_width_ = 64;
    int row_height_ = 24;
    TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
    TColor fixed_color_ = clBtnFace;
    TBorderStyle border_style_ = TBorderStyle::bsSingle;
    TScrollStyle scroll_bars_ = TScrollStyle::ssBoth;
    int row_ = 0;
    int top_row_ = 0;
    int horz_offset_ = 0;
    int wheel_rest_ = 0;
    bool updating_scroll_ = false;
    bool selecting_ = false;
    int sizing_col_ = -1;
    int sizing_origin_x_ = 0;
    int sizing_origin_width_ = 0;
};

}  // namespace ui

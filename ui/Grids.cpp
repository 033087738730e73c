#include "ui/Grids.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "ui/Exception.h"

namespace ui {

namespace {

// How near a title separator the mouse must be to drag it, and how narrow a column may get.
constexpr int kSizingReach = 3;
constexpr int kMinColWidth = 4;
constexpr int kLineStep = 16;

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

// Setting a bar redraws the frame, which is slow enough to matter when column widths are set
// one by one: only changes are passed on.
void SetBar(HWND window, int bar, int max, int page, int pos)
{
    SCROLLINFO current{sizeof(current), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    SCROLLINFO wanted{sizeof(wanted), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, max), static_cast<UINT>(page), pos, 0};
    if (GetScrollInfo(window, bar, &current) && current.nMin == 0 && current.nMax == wanted.nMax &&
        current.nPage == wanted.nPage && current.nPos == wanted.nPos)
        return;
    SetScrollInfo(window, bar, &wanted, TRUE);
}

// Puts the canvas back on the paint DC however the drawing on the bitmap ends.
class CanvasOn {
public:
    CanvasOn(TCanvas& canvas, HDC dc) : canvas_(canvas), previous_(canvas.Handle()) { canvas_.SetHandle(dc); }
    CanvasOn(const CanvasOn&) = delete;
    CanvasOn& operator=(const CanvasOn&) = delete;
    ~CanvasOn() { canvas_.SetHandle(previous_); }

private:
    TCanvas& canvas_;
    HDC previous_;
};

}  // namespace

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 320, 120);
}

void TCustomGrid::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth) params.Style |= WS_VSCROLL;
    if (scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth) params.Style |= WS_HSCROLL;
    if (border_style_ == TBorderStyle::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::CreateWindowHandleDone()
{
    TCustomControl::CreateWindowHandleDone();
    UpdateScrollBars();
}

// ---------------------------------------------------------------------------------------
// Shape

void TCustomGrid::SetColCount(int count)
{
    count = std::max(count, 0);
    if (count == ColCount()) return;
    col_widths_.resize(static_cast<size_t>(count), default_col_width_);
    fixed_cols_ = std::min(fixed_cols_, count);
    SetHorzOffset(horz_offset_);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetRowCount(int count)
{
    count = std::max(count, fixed_rows_);
    if (count == row_count_) return;
    row_count_ = count;
    row_ = std::clamp(row_, fixed_rows_, std::max(fixed_rows_, row_count_ - 1));
    top_row_ = std::clamp(top_row_, fixed_rows_, MaxTopRow());
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedCols(int count)
{
    count = std::clamp(count, 0, ColCount());
    if (count == fixed_cols_) return;
    fixed_cols_ = count;
    SetHorzOffset(horz_offset_);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int count)
{
    count = std::max(count, 0);
    if (count == fixed_rows_) return;
    // The non-fixed rows keep their number: the fixed ones are added above them.
    const int shift = count - fixed_rows_;
    fixed_rows_ = count;
    row_count_ = std::max(row_count_ + shift, fixed_rows_);
    row_ = std::clamp(row_ + shift, fixed_rows_, std::max(fixed_rows_, row_count_ - 1));
    top_row_ = std::clamp(top_row_ + shift, fixed_rows_, MaxTopRow());
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int width)
{
    default_col_width_ = std::max(width, 0);
}

void TCustomGrid::SetDefaultRowHeight(int height)
{
    height = std::max(height, 1);
    if (height == row_height_) return;
    row_height_ = height;
    top_row_ = std::clamp(top_row_, fixed_rows_, MaxTopRow());
    UpdateScrollBars();
    Invalidate();
}

int TCustomGrid::ColWidths(int col) const
{
    if (col < 0 || col >= ColCount()) throw Exception(Format(L"Grid index out of range (%d)", col));
    return col_widths_[static_cast<size_t>(col)];
}

void TCustomGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount()) throw Exception(Format(L"Grid index out of range (%d)", col));
    width = std::max(width, 0);
    if (col_widths_[static_cast<size_t>(col)] == width) return;
    col_widths_[static_cast<size_t>(col)] = width;
    SetHorzOffset(horz_offset_);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions options)
{
    if (options == options_) return;
    options_ = options;
    top_row_ = std::clamp(top_row_, fixed_rows_, MaxTopRow());
    SetHorzOffset(horz_offset_);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor color)
{
    if (color == fixed_color_) return;
    fixed_color_ = color;
    Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle style)
{
    if (style == border_style_) return;
    border_style_ = style;
    RecreateWnd();
}

void TCustomGrid::SetScrollBars(TScrollStyle value)
{
    if (value == scroll_bars_) return;
    scroll_bars_ = value;
    RecreateWnd();
}

void TCustomGrid::FontChanged()
{
    TCustomControl::FontChanged();
    Invalidate();
}

void TCustomGrid::ColorChanged()
{
    TCustomControl::ColorChanged();
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Geometry

int TCustomGrid::HorzLine() const { return (options_ & (goHorzLine | goFixedHorzLine)) ? 1 : 0; }
int TCustomGrid::VertLine() const { return (options_ & (goVertLine | goFixedVertLine)) ? 1 : 0; }

int TCustomGrid::FixedWidth() const
{
    int width = 0;
    for (int c = 0; c < fixed_cols_; ++c) width += col_widths_[static_cast<size_t>(c)] + VertLine();
    return width;
}

int TCustomGrid::ScrollWidth() const
{
    int width = 0;
    for (int c = fixed_cols_; c < ColCount(); ++c) width += col_widths_[static_cast<size_t>(c)] + VertLine();
    return width;
}

int TCustomGrid::VisibleRowCount() const
{
    return std::max(1, (ClientHeight() - FixedHeight()) / RowPitch());
}

int TCustomGrid::MaxTopRow() const
{
    return std::max(fixed_rows_, row_count_ - VisibleRowCount());
}

int TCustomGrid::MaxHorzOffset() const
{
    return std::max(0, ScrollWidth() - std::max(0, ClientWidth() - FixedWidth()));
}

int TCustomGrid::ColLeft(int col) const
{
    int x = 0;
    for (int c = 0; c < std::min(col, fixed_cols_); ++c) x += col_widths_[static_cast<size_t>(c)] + VertLine();
    if (col < fixed_cols_) return x;
    x -= horz_offset_;
    for (int c = fixed_cols_; c < col; ++c) x += col_widths_[static_cast<size_t>(c)] + VertLine();
    return x;
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const
{
    TGridCoord coord{-1, -1};
    if (x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight()) return coord;
    const int fixedWidth = FixedWidth();
    for (int c = x < fixedWidth ? 0 : fixed_cols_; c < (x < fixedWidth ? fixed_cols_ : ColCount()); ++c) {
        const int left = ColLeft(c);
        if (x >= left && x < left + col_widths_[static_cast<size_t>(c)] + VertLine()) {
            coord.X = c;
            break;
        }
    }
    const int fixedHeight = FixedHeight();
    const int row = y < fixedHeight ? y / RowPitch() : top_row_ + (y - fixedHeight) / RowPitch();
    if (row < row_count_) coord.Y = row;
    return coord;
}

RECT TCustomGrid::CellRect(int col, int row) const
{
    RECT empty{0, 0, 0, 0};
    if (col < 0 || col >= ColCount() || row < 0 || row >= row_count_) return empty;
    if (row >= fixed_rows_ && row < top_row_) return empty;
    const int top = row < fixed_rows_ ? row * RowPitch() : FixedHeight() + (row - top_row_) * RowPitch();
    const int left = ColLeft(col);
    RECT r{left, top, left + col_widths_[static_cast<size_t>(col)], top + row_height_};
    RECT client = ClientRect();
    // Non-fixed cells are seen only right of the fixed columns and below the fixed rows.
    if (col >= fixed_cols_) client.left = FixedWidth();
    if (row >= fixed_rows_) client.top = FixedHeight();
    RECT visible;
    if (!IntersectRect(&visible, &r, &client)) return empty;
    return r;
}

int TCustomGrid::SizingColumnAt(int x, int y) const
{
    if (!(options_ & goColSizing) || y < 0 || y >= FixedHeight()) return -1;
    const int fixedWidth = FixedWidth();
    for (int c = fixed_cols_; c < ColCount(); ++c) {
        const int edge = ColLeft(c) + col_widths_[static_cast<size_t>(c)];
        if (edge < fixedWidth) continue;
        if (std::abs(x - edge) <= kSizingReach) return c;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------
// Current row and scrolling

void TCustomGrid::MoveCurrentRow(int row)
{
    row = std::clamp(row, fixed_rows_, std::max(fixed_rows_, row_count_ - 1));
    if (row != row_) {
        row_ = row;
        Invalidate();
    }
    if (!HasDataRows()) return;
    if (row_ < top_row_) {
        SetTopRow(row_);
    } else if (row_ >= top_row_ + VisibleRowCount()) {
        SetTopRow(row_ - VisibleRowCount() + 1);
    }
}

void TCustomGrid::SetRow(int row)
{
    const int previous = row_;
    MoveCurrentRow(row);
    if (row_ != previous) CurrentRowChanged();
}

void TCustomGrid::SetTopRow(int row)
{
    row = std::clamp(row, fixed_rows_, MaxTopRow());
    if (row == top_row_) return;
    top_row_ = row;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetHorzOffset(int offset)
{
    offset = std::clamp(offset, 0, MaxHorzOffset());
    if (offset == horz_offset_) return;
    horz_offset_ = offset;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::UpdateScrollBars()
{
    HWND window = WindowHandle();
    if (!window || updating_scroll_) return;
    updating_scroll_ = true;
    // Showing or hiding one bar changes the room for the other: repeat until the client
    // size stays put (two rounds at most settle it; the third is a safety margin).
    for (int round = 0; round < 3; ++round) {
        const RECT before = ClientRect();
        top_row_ = std::clamp(top_row_, fixed_rows_, MaxTopRow());
        horz_offset_ = std::clamp(horz_offset_, 0, MaxHorzOffset());
        // Not the window style: the system clears a bar's style bit while the bar is hidden.
        if (scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth) {
            SetBar(window, SB_VERT, row_count_ - fixed_rows_ - 1, HasDataRows() ? VisibleRowCount() : 1,
                top_row_ - fixed_rows_);
        }
        if (scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth)
            SetBar(window, SB_HORZ, ScrollWidth() - 1, std::max(1, ClientWidth() - FixedWidth()), horz_offset_);
        const RECT after = ClientRect();
        if (EqualRect(&before, &after)) break;
    }
    updating_scroll_ = false;
}

void TCustomGrid::ScrollVert(WORD code)
{
    switch (code) {
    case SB_LINEUP: SetTopRow(top_row_ - 1); break;
    case SB_LINEDOWN: SetTopRow(top_row_ + 1); break;
    case SB_PAGEUP: SetTopRow(top_row_ - VisibleRowCount()); break;
    case SB_PAGEDOWN: SetTopRow(top_row_ + VisibleRowCount()); break;
    case SB_TOP: SetTopRow(fixed_rows_); break;
    case SB_BOTTOM: SetTopRow(MaxTopRow()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position: the 16 bits of wParam do not reach past 65535 rows.
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (GetScrollInfo(WindowHandle(), SB_VERT, &si)) SetTopRow(fixed_rows_ + si.nTrackPos);
        break;
    }
    default: break;
    }
}

void TCustomGrid::ScrollHorz(WORD code)
{
    const int page = std::max(kLineStep, ClientWidth() - FixedWidth());
    switch (code) {
    case SB_LINELEFT: SetHorzOffset(horz_offset_ - kLineStep); break;
    case SB_LINERIGHT: SetHorzOffset(horz_offset_ + kLineStep); break;
    case SB_PAGELEFT: SetHorzOffset(horz_offset_ - page); break;
    case SB_PAGERIGHT: SetHorzOffset(horz_offset_ + page); break;
    case SB_LEFT: SetHorzOffset(0); break;
    case SB_RIGHT: SetHorzOffset(MaxHorzOffset()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (GetScrollInfo(WindowHandle(), SB_HORZ, &si)) SetHorzOffset(si.nTrackPos);
        break;
    }
    default: break;
    }
}

void TCustomGrid::MouseWheel(int delta)
{
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    // Fine-grained wheels send small steps: keep what has not made a whole notch yet.
    wheel_rest_ += delta;
    const int notches = wheel_rest_ / WHEEL_DELTA;
    wheel_rest_ -= notches * WHEEL_DELTA;
    if (notches == 0) return;
    const int rows = lines == WHEEL_PAGESCROLL ? VisibleRowCount() : static_cast<int>(std::max(lines, 1u));
    SetTopRow(top_row_ - notches * rows);
}

bool TCustomGrid::KeyDown(WORD key)
{
    switch (key) {
    case VK_UP: SetRow(row_ - 1); return true;
    case VK_DOWN: SetRow(row_ + 1); return true;
    case VK_PRIOR: SetRow(row_ - VisibleRowCount()); return true;
    case VK_NEXT: SetRow(row_ + VisibleRowCount()); return true;
    case VK_HOME: SetRow(fixed_rows_); return true;
    case VK_END: SetRow(row_count_ - 1); return true;
    case VK_LEFT: ScrollHorz(SB_LINELEFT); return true;
    case VK_RIGHT: ScrollHorz(SB_LINERIGHT); return true;
    default: return false;
    }
}

void TCustomGrid::SelectRowAt(int y)
{
    if (!HasDataRows()) return;
    const int fixedHeight = FixedHeight();
    // Dragging past the edges picks the nearest row in view.
    const int offset = std::max(0, y - fixedHeight);
    const int row = std::min(top_row_ + offset / RowPitch(), top_row_ + VisibleRowCount() - 1);
    SetRow(row);
}

// ---------------------------------------------------------------------------------------
// Messages

void TCustomGrid::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_VSCROLL:
        if (message.LParam == 0) {
            ScrollVert(LOWORD(message.WParam));
            message.Result = 0;
            return;
        }
        break;
    case WM_HSCROLL:
        if (message.LParam == 0) {
            ScrollHorz(LOWORD(message.WParam));
            message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        MouseWheel(GET_WHEEL_DELTA_WPARAM(message.WParam));
        message.Result = 0;
        return;
    case WM_SETCURSOR:
        if (LOWORD(message.LParam) == HTCLIENT && reinterpret_cast<HWND>(message.WParam) == WindowHandle()) {
            POINT p;
            GetCursorPos(&p);
            p = ScreenToClient(p);
            if (sizing_col_ >= 0 || SizingColumnAt(p.x, p.y) >= 0) {
                ::SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
                message.Result = TRUE;
                return;
            }
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = GET_X_LPARAM(message.LParam);
        const int y = GET_Y_LPARAM(message.LParam);
        if (CanFocus() && !Focused()) SetFocus();
        if (const int col = SizingColumnAt(x, y); col >= 0) {
            sizing_col_ = col;
            sizing_origin_x_ = x;
            sizing_origin_width_ = ColWidths(col);
            SetCapture(WindowHandle());
        } else if (y >= FixedHeight()) {
            selecting_ = true;
            SetCapture(WindowHandle());
            SelectRowAt(y);
        }
        break;
    }
    case WM_RBUTTONDOWN: {
        // The popup menu acts on the current row: the row clicked becomes current first.
        const int y = GET_Y_LPARAM(message.LParam);
        if (CanFocus() && !Focused()) SetFocus();
        if (TGridCoord cell = MouseCoord(GET_X_LPARAM(message.LParam), y); cell.Y >= fixed_rows_) SelectRowAt(y);
        break;
    }
    case WM_MOUSEMOVE:
        if (sizing_col_ >= 0) {
            SetColWidths(sizing_col_, std::max(kMinColWidth, sizing_origin_width_ + GET_X_LPARAM(message.LParam) - sizing_origin_x_));
            Update();
        } else if (selecting_ && (message.WParam & MK_LBUTTON)) {
            SelectRowAt(GET_Y_LPARAM(message.LParam));
        }
        break;
    case WM_LBUTTONUP:
        if (sizing_col_ >= 0 || selecting_) ReleaseCapture();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The current row's cells are drawn with the focused state while the grid has it.
        Invalidate();
        break;
    case WM_CAPTURECHANGED:
        sizing_col_ = -1;
        selecting_ = false;
        break;
    case WM_SIZE:
        TCustomControl::WndProc(message);
        UpdateScrollBars();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

// Keys arrive here after the control's OnKeyDown has had its chance to take them.
void TCustomGrid::DefaultHandler(TMessage& message)
{
    if (message.Msg == WM_KEYDOWN && KeyDown(static_cast<WORD>(message.WParam))) {
        message.Result = 0;
        return;
    }
    TCustomControl::DefaultHandler(message);
}

PropValue TCustomGrid::GetProperty(std::wstring_view name) const
{
    auto i64 = [](auto v) { return PropValue(static_cast<std::int64_t>(v)); };
    if (SameName(name, L"FixedColor")) return i64(fixed_color_);
    if (SameName(name, L"BorderStyle")) return EnumProp(TBorderStyleType, border_style_);
    if (SameName(name, L"ColCount")) return i64(ColCount());
    if (SameName(name, L"RowCount")) return i64(row_count_);
    if (SameName(name, L"FixedCols")) return i64(fixed_cols_);
    if (SameName(name, L"FixedRows")) return i64(fixed_rows_);
    if (SameName(name, L"DefaultColWidth")) return i64(default_col_width_);
    if (SameName(name, L"DefaultRowHeight")) return i64(row_height_);
    if (SameName(name, L"ScrollBars")) return EnumProp(TScrollStyleType, scroll_bars_);
    return TCustomControl::GetProperty(name);
}

bool TCustomGrid::SetProperty(std::wstring_view name, const PropValue& value)
{
    // Painters write colours as ordinals or as their decimal text.
    std::int64_t number = 0;
    bool isNumber = false;
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        number = *i;
        isNumber = true;
    } else if (const auto* s = std::get_if<std::wstring>(&value); s && !s->empty()) {
        wchar_t* end = nullptr;
        number = std::wcstoll(s->c_str(), &end, 10);
        isNumber = end && *end == L'\0';
    }
    if (SameName(name, L"FixedColor")) {
        if (!isNumber) return false;
        SetFixedColor(static_cast<TColor>(number));
        return true;
    }
    if (SameName(name, L"BorderStyle")) {
        const auto* s = std::get_if<std::wstring>(&value);
        if (s && (SameName(*s, L"bsNone") || SameName(*s, L"bsSingle"))) {
            SetBorderStyle(SameName(*s, L"bsNone") ? TBorderStyle::bsNone : TBorderStyle::bsSingle);
            return true;
        }
        if (!isNumber || number < 0 || number > 1) return false;
        SetBorderStyle(static_cast<TBorderStyle>(number));
        return true;
    }
    if (SameName(name, L"DefaultColWidth") && isNumber) {
        SetDefaultColWidth(static_cast<int>(number));
        return true;
    }
    if (SameName(name, L"DefaultRowHeight") && isNumber) {
        SetDefaultRowHeight(static_cast<int>(number));
        return true;
    }
    return TCustomControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// Painting

void TCustomGrid::Paint()
{
    HDC target = Canvas()->Handle();
    const RECT client = ClientRect();
    if (!target || RectWidth(client) <= 0 || RectHeight(client) <= 0) return;
    BitmapHandle bitmap(CreateCompatibleBitmap(target, RectWidth(client), RectHeight(client)));
    MemoryDC memory(target);
    if (!bitmap || !memory) throw Exception(L"Out of system resources");
    {
        ScopedSelect select(memory.get(), bitmap.get());
        {
            CanvasOn on(*Canvas(), memory.get());
            PaintCells(client);
        }
        BitBlt(target, 0, 0, RectWidth(client), RectHeight(client), memory.get(), 0, 0, SRCCOPY);
    }
}

void TCustomGrid::PaintCells(const RECT& client)
{
    TCanvas& canvas = *Canvas();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);

    std::vector<int> lefts(col_widths_.size());
    for (int col = 0; col < ColCount(); ++col) lefts[static_cast<size_t>(col)] = ColLeft(col);
    const int fixedWidth = FixedWidth();
    // Scrolled columns first, then the fixed ones over whatever slid under them.
    auto paintRow = [&](int row, int top) {
        for (int col = fixed_cols_; col < ColCount(); ++col) {
            const int left = lefts[static_cast<size_t>(col)];
            const int right = left + col_widths_[static_cast<size_t>(col)];
            if (left >= client.right) break;
            if (right + VertLine() > fixedWidth) PaintCell(col, row, RECT{left, top, right, top + row_height_});
        }
        for (int col = 0; col < fixed_cols_; ++col) {
            const int left = lefts[static_cast<size_t>(col)];
            PaintCell(col, row, RECT{left, top, left + col_widths_[static_cast<size_t>(col)], top + row_height_});
        }
    };
    for (int row = 0; row < fixed_rows_; ++row) paintRow(row, row * RowPitch());
    for (int row = top_row_, top = FixedHeight(); row < row_count_ && top < client.bottom; ++row, top += RowPitch())
        paintRow(row, top);
}

void TCustomGrid::PaintCell(int col, int row, const RECT& rect)
{
    TCanvas& canvas = *Canvas();
    const bool fixed = col < fixed_cols_ || row < fixed_rows_;
    TGridDrawState state = 0;
    if (fixed) {
        state |= gdFixed;
    } else if (row == row_ && ((options_ & goRowSelect) || col == fixed_cols_)) {
        state |= gdSelected;
        if (Focused()) state |= gdFocused;
    }
    canvas.Font().Assign(*Font());
    if (fixed) {
        canvas.Brush().SetColor(fixed_color_);
    } else if (state & gdSelected) {
        canvas.Brush().SetColor(clHighlight);
        canvas.Font().SetColor(clHighlightText);
    } else {
        canvas.Brush().SetColor(Color());
    }
    canvas.FillRect(rect);
    if (fixed) {
        RECT edge = rect;
        DrawEdge(canvas.Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
    }
    DrawCell(col, row, rect, state);
    PaintLines(col, row, rect);
}

void TCustomGrid::PaintLines(int col, int row, const RECT& rect)
{
    const bool fixed = col < fixed_cols_ || row < fixed_rows_;
    const TGridOptions vert = fixed ? goFixedVertLine : goVertLine;
    const TGridOptions horz = fixed ? goFixedHorzLine : goHorzLine;
    HDC dc = Canvas()->Handle();
    ScopedSelect brush(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, fixed ? RGB(0, 0, 0) : ColorToColorRef(clSilver));
    if (VertLine() && (options_ & vert)) PatBlt(dc, rect.right, rect.top, 1, row_height_ + HorzLine(), PATCOPY);
    if (HorzLine() && (options_ & horz)) PatBlt(dc, rect.left, rect.bottom, RectWidth(rect) + VertLine(), 1, PATCOPY);
}

void TCustomGrid::DrawCell(int, int, const RECT&, TGridDrawState) {}

}  // namespace ui

// The data grid as a user meets it: a real window on a shown form, bound to a data set,
// driven by mouse, keyboard, wheel and scroll messages, and read back from its pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/ui_grid/MemoryDataSet.h"
#include "ui/DBGrids.h"
#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

using test::ArchiveFields;
using test::NumberedRows;
using test::TMemoryDataSet;

std::vector<std::wstring> g_reports;
void RecordReport(const std::exception& failure) { g_reports.push_back(ui::ExceptionText(failure)); }

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// What a timer saw while a popup menu's loop ran, and closing the menu from there.
struct MenuWatch {
    TMemoryDataSet* data;
    int record;
    bool seen;
} g_menu{};

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD)
{
    g_menu.seen = FindWindowW(L"#32768", nullptr) != nullptr;
    g_menu.record = g_menu.data->RecNo();
    EndMenu();
}

WPARAM Wheel(int delta) { return MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))); }

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// What the grid's client area shows, painted through PrintWindow into a 32-bit DIB.
class Snapshot {
public:
    explicit Snapshot(HWND window)
    {
        RECT client;
        GetClientRect(window, &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        ui::BitmapHandle dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ui::MemoryDC dc;
        {
            ui::ScopedSelect select(dc.get(), dib.get());
            PrintWindow(window, dc.get(), PW_CLIENTONLY);
            GdiFlush();
        }
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(pixels, pixels + static_cast<size_t>(width_) * static_cast<size_t>(height_));
    }
    COLORREF Pixel(int x, int y) const
    {
        const std::uint32_t v = pixels_.at(static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x));
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Pixels in a rectangle that differ from a colour.
    int CountOther(const RECT& r, COLORREF colour) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += Pixel(x, y) != colour;
        return n;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

struct DrawnCell {
    RECT rect;
    int dataCol;
    int record;
    ui::TGridDrawState state;
    ui::TColor brush;
    std::wstring text;
};

class DBGridTest : public ::testing::Test {
protected:
    // One shown form for the whole suite: hiding a top-level window costs seconds here.
    static void SetUpTestSuite()
    {
        form_ = new ui::TForm(nullptr);
        form_->SetBounds(20, 20, 520, 420);
        form_->FinishCreate();
        form_->Show();
        Pump();
    }
    static void TearDownTestSuite()
    {
        delete form_;
        form_ = nullptr;
    }

    void SetUp() override
    {
        g_reports.clear();
        ui::SetExceptionHandler(&RecordReport);
        data_ = std::make_unique<TMemoryDataSet>(nullptr);
        source_ = std::make_unique<ui::TDataSource>(nullptr);
        source_->SetDataSet(data_.get());
        grid_ = std::make_unique<ui::TDBGrid>(nullptr);
        grid_->SetBounds(0, 0, 480, 360);
        grid_->SetParent(form_);
        grid_->OnDrawColumnCell = [this](ui::TObject*, const RECT& rect, int dataCol, ui::TColumn* column,
                                      ui::TGridDrawState state) {
            drawn_.push_back({rect, dataCol, grid_->DrawingRecord(), state, grid_->Canvas()->Brush().Color(),
                column->DisplayText()});
        };
        Pump();
    }
    void TearDown() override
    {
        grid_.reset();
        source_.reset();
        data_.reset();
        Pump();
        EXPECT_TRUE(g_reports.empty()) << "first failure reported: " << ui::Exception(g_reports.front()).what();
        ui::SetExceptionHandler(nullptr);
    }

    void Bind(int rows)
    {
        data_->Open(ArchiveFields(), NumberedRows(rows));
        grid_->SetDataSource(source_.get());
        for (int i = 0; i < 5; ++i) grid_->Columns()->Items(i)->SetWidth(80);
    }
    HWND Window() { return grid_->Handle(); }
    // A point inside the data row `record` of the first column.
    POINT RowPoint(int record) { return Centre(grid_->CellRect(grid_->FixedCols(), grid_->FixedRows() + record)); }
    void Click(UINT down, UINT up, WPARAM keys, POINT p)
    {
        SendMessageW(Window(), down, keys, At(p));
        SendMessageW(Window(), up, 0, At(p));
    }
    void Key(WORD key) { SendMessageW(Window(), WM_KEYDOWN, key, 0); }
    // Paints the window as the screen would and collects OnDrawColumnCell's calls.
    void Repaint()
    {
        drawn_.clear();
        RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    std::set<int> DrawnRecords() const
    {
        std::set<int> records;
        for (const DrawnCell& cell : drawn_) records.insert(cell.record);
        return records;
    }

    static inline ui::TForm* form_ = nullptr;
    std::unique_ptr<TMemoryDataSet> data_;
    std::unique_ptr<ui::TDataSource> source_;
    std::unique_ptr<ui::TDBGrid> grid_;
    std::vector<DrawnCell> drawn_;
};

TEST_F(DBGridTest, ColumnsFollowTheFieldsAndKeepTheirWidthsWhileTheFieldsStay)
{
    data_->Open(ArchiveFields(), NumberedRows(3));
    grid_->SetDataSource(source_.get());
    ui::TDBGridColumns* columns = grid_->Columns();
    ASSERT_EQ(columns->Count(), 5);
    const int widths[] = {30, 80, 200, 200, 800};
    for (int i = 0; i < 5; ++i) {
        ui::TColumn* column = columns->Items(i);
        EXPECT_EQ(column->FieldName(), ArchiveFields()[static_cast<size_t>(i)]);
        EXPECT_EQ(column->Title(), ArchiveFields()[static_cast<size_t>(i)]);
        column->SetWidth(widths[i]);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(columns->Items(i)->Width(), widths[i]);
        EXPECT_EQ(grid_->ColWidths(grid_->FixedCols() + i), widths[i]);
    }
    EXPECT_THROW(columns->Items(5), ui::Exception);

    // A deleted row or a query run again over the same fields keeps the columns as set.
    data_->DeleteCurrent();
    data_->Open(ArchiveFields(), NumberedRows(7));
    ASSERT_EQ(columns->Count(), 5);
    EXPECT_EQ(columns->Items(4)->Width(), 800);
    EXPECT_EQ(grid_->RowCount(), grid_->FixedRows() + 7);

    // Other fields make other columns.
    data_->Open({L"max"}, {{L"12"}});
    ASSERT_EQ(columns->Count(), 1);
    EXPECT_EQ(columns->Items(0)->FieldName(), L"max");
    EXPECT_EQ(columns->Items(0)->Width(), grid_->DefaultColWidth());
}

TEST_F(DBGridTest, ClicksAndKeysMoveTheDataSetsCurrentRow)
{
    Bind(100);
    const int visible = grid_->VisibleRowCount();
    ASSERT_GT(visible, 5);

    for (int record : {3, 0, 5, 1}) {
        Click(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, RowPoint(record));
        EXPECT_EQ(data_->RecNo(), record) << "click on row " << record;
        EXPECT_EQ(grid_->Row(), grid_->FixedRows() + record);
    }
    // A click on the title row or below the last row moves nothing.
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, Centre(grid_->CellRect(2, 0)));
    EXPECT_EQ(data_->RecNo(), 1);

    struct KeyCase {
        int from;
        WORD key;
        int to;
    } const cases[] = {
        {0, VK_DOWN, 1},
        {0, VK_UP, 0},
        {10, VK_UP, 9},
        {0, VK_NEXT, visible},
        {visible + 3, VK_PRIOR, 3},
        {2, VK_PRIOR, 0},
        {40, VK_HOME, 0},
        {0, VK_END, 99},
        {99, VK_DOWN, 99},
        {98, VK_NEXT, 99},
    };
    for (const KeyCase& c : cases) {
        data_->MoveTo(c.from);
        Key(c.key);
        EXPECT_EQ(data_->RecNo(), c.to) << "key " << c.key << " from " << c.from;
        EXPECT_GE(grid_->Row(), grid_->TopRow());
        EXPECT_LT(grid_->Row(), grid_->TopRow() + grid_->VisibleRowCount()) << "current row out of view";
    }

    // The control's own key handler may take a key before the grid moves.
    grid_->OnKeyDown = [](ui::TObject*, WORD& key, ui::TShiftState) {
        if (key == VK_DOWN) key = 0;
    };
    data_->MoveTo(4);
    Key(VK_DOWN);
    EXPECT_EQ(data_->RecNo(), 4);
}

TEST_F(DBGridTest, TheDataSetsMovesMoveAndScrollTheGridWithoutMovingItBack)
{
    Bind(500);
    for (int record : {7, 0, 250, 499, 12}) {
        const int movesBefore = data_->moves;
        data_->MoveTo(record);
        EXPECT_EQ(data_->moves, movesBefore + 1) << "the grid called MoveTo again following " << record;
        EXPECT_EQ(grid_->Row(), grid_->FixedRows() + record);
        EXPECT_LE(grid_->TopRow(), grid_->Row());
        EXPECT_LT(grid_->Row(), grid_->TopRow() + grid_->VisibleRowCount());
    }
    // Reopened, the grid follows the data set's first row to the top.
    data_->Open(ArchiveFields(), NumberedRows(500));
    EXPECT_EQ(grid_->Row(), grid_->FixedRows());
    EXPECT_EQ(grid_->TopRow(), grid_->FixedRows());
}

TEST_F(DBGridTest, VisibleDataCellsAreDrawnThenHandedToOnDrawColumnCellWithTheRowsBrush)
{
    Bind(4);
    data_->MoveTo(2);
    Repaint();

    // Four rows of five narrow columns: every data cell is in view, each drawn once.
    ASSERT_EQ(drawn_.size(), 20u);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (const DrawnCell& cell : drawn_) {
        const bool selected = cell.record == 2;
        EXPECT_EQ((cell.state & ui::gdSelected) != 0, selected);
        EXPECT_EQ(cell.state & ui::gdFixed, 0u);
        EXPECT_EQ(ui::ColorToColorRef(cell.brush), selected ? highlight : window) << "record " << cell.record;
        EXPECT_EQ(cell.text, L"r" + std::to_wstring(cell.record) + L" f" + std::to_wstring(cell.dataCol));
        const RECT expected = grid_->CellRect(grid_->FixedCols() + cell.dataCol, grid_->FixedRows() + cell.record);
        EXPECT_TRUE(EqualRect(&cell.rect, &expected));
    }
    EXPECT_EQ(DrawnRecords(), (std::set<int>{0, 1, 2, 3}));

    // On the screen: the selected row in the highlight colour, the others in the window
    // colour, the text in each cell, the triangle beside the current row only.
    grid_->OnDrawColumnCell = nullptr;
    Snapshot shot(Window());
    for (int record = 0; record < 4; ++record) {
        const RECT cell = grid_->CellRect(grid_->FixedCols() + 1, grid_->FixedRows() + record);
        const COLORREF background = record == 2 ? highlight : window;
        EXPECT_EQ(shot.Pixel(cell.right - 2, cell.top + 1), background) << "record " << record;
        EXPECT_GT(shot.CountOther(cell, background), 0) << "no text in record " << record;
        const RECT indicator = grid_->CellRect(0, grid_->FixedRows() + record);
        const int marks = shot.CountOther(RECT{indicator.left + 2, indicator.top + 2, indicator.right - 2, indicator.bottom - 2},
            ui::ColorToColorRef(grid_->FixedColor()));
        if (record == 2) {
            EXPECT_GT(marks, 5);
        } else {
            EXPECT_EQ(marks, 0) << "indicator on record " << record;
        }
    }

    // A handler like the archive's: it fills with the brush it is given and draws its own text.
    grid_->OnDrawColumnCell = [this](ui::TObject*, const RECT& rect, int dataCol, ui::TColumn*, ui::TGridDrawState) {
        if (dataCol != 4) return;
        ui::TCanvas* canvas = grid_->Canvas();
        canvas->FillRect(rect);
        RECT r = rect;
        canvas->DrawText(L"", r, DT_SINGLELINE | DT_VCENTER);
    };
    Snapshot filled(Window());
    const RECT selectedText = grid_->CellRect(grid_->FixedCols() + 4, grid_->FixedRows() + 2);
    const RECT plainText = grid_->CellRect(grid_->FixedCols() + 4, grid_->FixedRows() + 1);
    EXPECT_EQ(filled.CountOther(selectedText, highlight), 0);
    EXPECT_EQ(filled.CountOther(plainText, window), 0);
}

TEST_F(DBGridTest, RightClickSelectsTheRowBeforeThePopupMenuOpens)
{
    Bind(20);
    int recordAtPopup = -1;
    grid_->OnContextPopup = [&](ui::TObject*, POINT, bool& handled) {
        recordAtPopup = data_->RecNo();
        handled = true;
    };
    // The button going up is what opens a context menu (the default window handling).
    Click(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, RowPoint(6));
    EXPECT_EQ(recordAtPopup, 6);
    // A right click on the titles keeps the current row.
    Click(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, Centre(grid_->CellRect(1, 0)));
    EXPECT_EQ(recordAtPopup, 6);

    // The real menu: it opens on the row just chosen; a timer inside its loop closes it.
    grid_->OnContextPopup = nullptr;
    ui::TPopupMenu menu(nullptr);
    auto* item = new ui::TMenuItem(&menu);
    item->SetCaption(L"删除本条记录内容 删除后不可恢复 谨慎操作");
    int clicked = 0;
    item->OnClick = [&](ui::TObject*) { ++clicked; };
    menu.Items()->Add(item);
    grid_->SetPopupMenu(&menu);
    g_menu = {data_.get(), -1, false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, &CloseMenu);
    Click(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, RowPoint(11));
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_menu.seen);
    EXPECT_EQ(g_menu.record, 11);
    EXPECT_EQ(clicked, 0);
    grid_->SetPopupMenu(nullptr);
}

TEST_F(DBGridTest, EmptyClosedAndMissingDataPaintWithoutFailure)
{
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    auto paintsRowsBlank = [&](const char* what) {
        Repaint();
        EXPECT_TRUE(drawn_.empty()) << what;
        Snapshot shot(Window());
        RECT client;
        GetClientRect(Window(), &client);
        // Below the titles there is only the window colour.
        EXPECT_EQ(shot.CountOther(RECT{0, grid_->DefaultRowHeight() + 2, client.right, client.bottom}, window), 0) << what;
        for (WORD key : {VK_DOWN, VK_UP, VK_END, VK_HOME, VK_NEXT, VK_PRIOR}) Key(key);
        Click(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, POINT{40, 60});
        Click(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, POINT{40, 60});
        SendMessageW(Window(), WM_MOUSEWHEEL, Wheel(-WHEEL_DELTA), At(POINT{40, 60}));
        SendMessageW(Window(), WM_VSCROLL, SB_BOTTOM, 0);
        EXPECT_EQ(grid_->TopRow(), grid_->FixedRows()) << what;
    };

    grid_->SetDataSource(source_.get());
    EXPECT_EQ(grid_->Columns()->Count(), 0);
    paintsRowsBlank("closed");

    data_->Open(ArchiveFields(), {});
    EXPECT_EQ(grid_->Columns()->Count(), 5);
    EXPECT_EQ(grid_->RowCount(), grid_->FixedRows());
    paintsRowsBlank("empty");
    EXPECT_EQ(data_->moves, 0);

    data_->Open(ArchiveFields(), NumberedRows(3));
    data_->Close();
    EXPECT_EQ(grid_->Columns()->Count(), 0);
    paintsRowsBlank("closed after rows");

    // A data source that goes away unbinds the grid.
    data_->Open(ArchiveFields(), NumberedRows(3));
    source_.reset();
    EXPECT_EQ(grid_->DataSource(), nullptr);
    EXPECT_EQ(grid_->Columns()->Count(), 0);
    paintsRowsBlank("source destroyed");
}

TEST_F(DBGridTest, TenThousandRowsScrollToTheLastRow)
{
    Bind(10000);
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(Window(), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 9999);
    EXPECT_EQ(static_cast<int>(si.nPage), grid_->VisibleRowCount());

    // Painting reads only the rows in view.
    data_->reads = 0;
    Repaint();
    EXPECT_LE(data_->reads, (grid_->VisibleRowCount() + 1) * 5 * 2);

    // The scroll bar to its end shows the last row, wholly, while the current row stays.
    SendMessageW(Window(), WM_VSCROLL, SB_BOTTOM, 0);
    Repaint();
    EXPECT_TRUE(DrawnRecords().count(9999));
    EXPECT_EQ(data_->RecNo(), 0);
    RECT client;
    GetClientRect(Window(), &client);
    const RECT last = grid_->CellRect(grid_->FixedCols(), grid_->FixedRows() + 9999);
    EXPECT_LE(last.bottom, client.bottom);
    EXPECT_GT(last.bottom, 0);
    ASSERT_TRUE(GetScrollInfo(Window(), SB_VERT, &si));
    EXPECT_EQ(si.nPos + static_cast<int>(si.nPage), 10000);

    // Back to the top by the bar, then to the end by the keyboard.
    SendMessageW(Window(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid_->TopRow(), grid_->FixedRows());
    Key(VK_END);
    Repaint();
    EXPECT_EQ(data_->RecNo(), 9999);
    EXPECT_TRUE(DrawnRecords().count(9999));
}

TEST_F(DBGridTest, DraggingATitleSeparatorResizesItsColumn)
{
    Bind(5);
    const int col = grid_->FixedCols() + 1;
    const RECT title = grid_->CellRect(col, 0);
    const POINT edge{title.right, Centre(title).y};
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, At(edge));
    SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, At(POINT{edge.x + 25, edge.y}));
    SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, At(POINT{edge.x + 37, edge.y}));
    SendMessageW(Window(), WM_LBUTTONUP, 0, At(POINT{edge.x + 37, edge.y}));
    EXPECT_EQ(grid_->Columns()->Items(1)->Width(), 80 + 37);
    EXPECT_EQ(data_->RecNo(), 0) << "sizing is no row click";

    // Dragged past its left edge the column keeps a sliver that can still be caught.
    const RECT narrowed = grid_->CellRect(col, 0);
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{narrowed.right, edge.y}));
    SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, At(POINT{narrowed.left - 50, edge.y}));
    SendMessageW(Window(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(grid_->Columns()->Items(1)->Width(), 4);

    // Without the option the separators are only lines.
    grid_->SetOptions(grid_->Options() & ~ui::dgColumnResize);
    const RECT fixed = grid_->CellRect(col, 0);
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{fixed.right, edge.y}));
    SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, At(POINT{fixed.right + 40, edge.y}));
    SendMessageW(Window(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(grid_->Columns()->Items(1)->Width(), 4);
}

TEST_F(DBGridTest, HorizontalScrollBarOnlyWhenTheColumnsAreWiderThanTheWindow)
{
    auto horzBarShown = [&] {
        SCROLLBARINFO info{sizeof(info)};
        return GetScrollBarInfo(Window(), OBJID_HSCROLL, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    };
    Bind(3);
    EXPECT_FALSE(horzBarShown());

    grid_->Columns()->Items(4)->SetWidth(800);
    EXPECT_TRUE(horzBarShown());
    SendMessageW(Window(), WM_HSCROLL, SB_RIGHT, 0);
    Repaint();
    RECT client;
    GetClientRect(Window(), &client);
    // Scrolled to the end: the wide column's right edge meets the window's.
    const RECT wide = grid_->CellRect(grid_->FixedCols() + 4, grid_->FixedRows());
    EXPECT_EQ(wide.right + 1, client.right);
    bool wideDrawn = false;
    for (const DrawnCell& cell : drawn_) wideDrawn = wideDrawn || cell.dataCol == 4;
    EXPECT_TRUE(wideDrawn);
    // The indicator column stays put while the rest scrolls under it.
    EXPECT_EQ(grid_->CellRect(0, grid_->FixedRows()).left, 0);

    grid_->Columns()->Items(4)->SetWidth(80);
    EXPECT_FALSE(horzBarShown());
    EXPECT_EQ(grid_->HorzOffset(), 0);
}

TEST_F(DBGridTest, TheWheelScrollsTheViewAndLeavesTheCurrentRow)
{
    Bind(200);
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int step = static_cast<int>(lines);
    const POINT p = RowPoint(1);
    SendMessageW(Window(), WM_MOUSEWHEEL, Wheel(-WHEEL_DELTA), At(p));
    EXPECT_EQ(grid_->TopRow(), grid_->FixedRows() + step);
    // Half notches add up.
    SendMessageW(Window(), WM_MOUSEWHEEL, Wheel(-WHEEL_DELTA / 2), At(p));
    EXPECT_EQ(grid_->TopRow(), grid_->FixedRows() + step);
    SendMessageW(Window(), WM_MOUSEWHEEL, Wheel(-WHEEL_DELTA / 2), At(p));
    EXPECT_EQ(grid_->TopRow(), grid_->FixedRows() + 2 * step);
    SendMessageW(Window(), WM_MOUSEWHEEL, Wheel(WHEEL_DELTA * 10), At(p));
    EXPECT_EQ(grid_->TopRow(), grid_->FixedRows());
    EXPECT_EQ(data_->RecNo(), 0);
    EXPECT_EQ(data_->moves, 0);
}

TEST_F(DBGridTest, FixedColorIsAPropertyByNameAndPaintsTheTitles)
{
    Bind(2);
    ui::TObject* object = grid_.get();
    EXPECT_NE(dynamic_cast<ui::TCustomGrid*>(object), nullptr);
    EXPECT_EQ(ui::GetOrdProp(object, L"FixedColor"), ui::clBtnFace);
    // Painters write it as decimal text.
    const ui::TColor teal = ui::RGBColor(0, 128, 128);
    EXPECT_TRUE(ui::SetStrProp(object, L"FixedColor", std::to_wstring(teal)));
    EXPECT_EQ(grid_->FixedColor(), teal);
    EXPECT_FALSE(ui::SetStrProp(object, L"FixedColor", L"teal"));
    EXPECT_EQ(grid_->FixedColor(), teal);
    EXPECT_TRUE(ui::SetOrdProp(object, L"FixedColor", ui::clRed));
    EXPECT_EQ(ui::GetOrdProp(object, L"FixedColor"), ui::clRed);
    EXPECT_EQ(ui::GetEnumPropText(object, L"BorderStyle"), L"bsSingle");

    Snapshot shot(Window());
    const RECT title = grid_->CellRect(grid_->FixedCols() + 2, 0);
    EXPECT_EQ(shot.Pixel(title.right - 3, title.top + 3), RGB(255, 0, 0));
    const RECT indicator = grid_->CellRect(0, grid_->FixedRows() + 1);
    EXPECT_EQ(shot.Pixel(indicator.left + 2, indicator.top + 2), RGB(255, 0, 0));
}

}  // namespace

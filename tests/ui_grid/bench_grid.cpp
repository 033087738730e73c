// Binding a grid to 10 000 rows of five columns (one of 1 KB text) and painting it: the
// time of SetDataSource with the column widths set, of the first paint after it, of further
// paints, and of jumping between the first and the last row with a paint each time.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "support/BenchTiming.h"
#include "tests/ui_grid/MemoryDataSet.h"
#include "ui/DBGrids.h"
#include "ui/Forms.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void PaintNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

}  // namespace

int main()
{
    using Clock = std::chrono::steady_clock;
    constexpr int kRows = 10000;
    constexpr int kPaints = 50;

    test::TMemoryDataSet::Rows rows(kRows);
    const std::wstring text(1024, L'字');
    for (int r = 0; r < kRows; ++r)
        rows[static_cast<size_t>(r)] = {std::to_wstring(r + 1), L"2024-05-01", L"标题 " + std::to_wstring(r), L"voice.wav", text};

    ui::TForm form(nullptr);
    form.SetBounds(0, 0, 900, 600);
    form.FinishCreate();
    form.Show();
    test::TMemoryDataSet data(nullptr);
    ui::TDataSource source(nullptr);
    source.SetDataSet(&data);
    data.Open(test::ArchiveFields(), std::move(rows));
    ui::TDBGrid grid(nullptr);
    grid.SetParent(&form);
    grid.SetAlign(ui::TAlign::alClient);
    HWND window = grid.Handle();
    PaintNow(window);

    const auto bindStart = Clock::now();
    grid.SetDataSource(&source);
    const int widths[] = {30, 80, 200, 200, 800};
    for (int i = 0; i < 5; ++i) grid.Columns()->Items(i)->SetWidth(widths[i]);
    const double bind = Milliseconds(Clock::now() - bindStart);
    const auto firstStart = Clock::now();
    PaintNow(window);
    const double first = Milliseconds(Clock::now() - firstStart);

    const double paint = testing_support::TimePer(kPaints, [window] { PaintNow(window); });

    SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
    bool atEnd = true;
    const double jump = testing_support::TimePer(kPaints, [&] {
        SendMessageW(window, WM_KEYDOWN, atEnd ? VK_HOME : VK_END, 0);
        atEnd = !atEnd;
        PaintNow(window);
    });

    std::printf("rows %d, visible rows %d, client %dx%d\n", kRows, grid.VisibleRowCount(), grid.ClientWidth(),
        grid.ClientHeight());
    std::printf("bind: %.2f ms, first paint: %.2f ms\n", bind, first);
    std::printf("repaint: %.2f ms\n", paint);
    std::printf("Home/End and repaint: %.2f ms\n", jump);
    return 0;
}

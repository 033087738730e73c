// Progress bars and track bars of the system drawn from the default skin on real windows: the
// pictures read back from the windows are the skin's.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "skin/controls/BarSkins.h"
#include "skin/controls/EditSkins.h"
#include "skin/data/SkinData.h"
#include "support/MessagePump.h"
#include "ui/Subclass.h"

namespace {

using testing_support::DispatchPending;

// The window's client area as painted now.
std::unique_ptr<ui::TBitmap> Capture(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(window, &client);
    auto picture = std::make_unique<ui::TBitmap>(client.right, client.bottom);
    const HDC dc = GetDC(window);
    BitBlt(picture->Canvas().Handle(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return picture;
}

int Differing(const ui::TBitmap& a, const ui::TBitmap& b, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += GetPixel(a.Canvas().Handle(), x, y) != GetPixel(b.Canvas().Handle(), x, y);
    return count;
}

class BarWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(skin_.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM"));
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 500,
                                300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host_);
    }
    void TearDown() override
    {
        child_.Detach();
        host_hook_.Detach();
        DestroyWindow(host_);
    }

    skin::TSkinData skin_{nullptr};
    HWND host_ = nullptr;
    ui::TWindowSubclass child_;
    ui::TWindowSubclass host_hook_;
};

TEST_F(BarWindows, ProgressBarsShowTheirShareInTheSkinsFrames)
{
    struct Case {
        DWORD style;
        int w, h, position;
    } cases[] = {{0, 200, 18, 0}, {0, 200, 18, 60}, {0, 200, 18, 100}, {PBS_VERTICAL, 20, 160, 50}};
    for (const Case& c : cases) {
        const HWND bar =
            CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | c.style, 10, 10, c.w, c.h, host_, nullptr,
                            nullptr, nullptr);
        SendMessageW(bar, PBM_SETRANGE32, 0, 100);
        SendMessageW(bar, PBM_SETPOS, c.position, 0);
        child_.Attach(bar, [this, bar](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_ERASEBKGND) return LRESULT{1};
            if (msg != WM_PAINT) return child_.CallNext(msg, wParam, lParam);
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(bar, &paint);
            skin::PaintProgressWindow(dc, bar, skin_.Elements());
            EndPaint(bar, &paint);
            return LRESULT{0};
        });
        const auto seen = Capture(bar);
        ui::TBitmap expected(c.w, c.h);
        ASSERT_TRUE(skin::PaintProgress(expected.Canvas().Handle(), RECT{0, 0, c.w, c.h}, skin_.Elements(), c.position,
                                        0, 100, c.style & PBS_VERTICAL));
        EXPECT_EQ(Differing(*seen, expected, RECT{0, 0, c.w, c.h}), 0) << c.position;
        // And the fill differs from the empty bar where it should.
        ui::TBitmap empty(c.w, c.h);
        skin::PaintProgress(empty.Canvas().Handle(), RECT{0, 0, c.w, c.h}, skin_.Elements(), 0, 0, 100,
                            c.style & PBS_VERTICAL);
        if (c.position == 0)
            EXPECT_EQ(Differing(*seen, empty, RECT{0, 0, c.w, c.h}), 0);
        else
            EXPECT_GT(Differing(*seen, empty, RECT{0, 0, c.w, c.h}), 0);
        child_.Detach();
        DestroyWindow(bar);
    }
}

TEST_F(BarWindows, TrackBarThumbAndChannelComeFromTheSkin)
{
    for (DWORD style : {DWORD{TBS_HORZ}, DWORD{TBS_VERT}}) {
        const bool vertical = style == TBS_VERT;
        const HWND track = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS | style, 10,
                                           10, vertical ? 40 : 300, vertical ? 200 : 40, host_, nullptr, nullptr,
                                           nullptr);
        SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        SendMessageW(track, TBM_SETPOS, TRUE, 30);
        host_hook_.Attach(host_, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (msg == WM_NOTIFY && header->code == NM_CUSTOMDRAW)
                return skin::AnswerTrackBarCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam), skin_.Elements());
            return host_hook_.CallNext(msg, wParam, lParam);
        });
        const auto seen = Capture(track);
        RECT thumb{};
        SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        ui::TBitmap expected(thumb.right, thumb.bottom);
        BitBlt(expected.Canvas().Handle(), 0, 0, thumb.right, thumb.bottom, seen->Canvas().Handle(), 0, 0, SRCCOPY);
        skin::PaintTrackThumb(expected.Canvas().Handle(), thumb, skin_.Elements(), vertical);
        EXPECT_EQ(Differing(*seen, expected, thumb), 0) << "thumb of " << (vertical ? "vertical" : "horizontal");
        // The thumb is not the system's: its centre shows the skin's cell, drawn by nobody else.
        host_hook_.Detach();
        const auto plain = Capture(track);
        EXPECT_GT(Differing(*seen, *plain, thumb), 0);
        DestroyWindow(track);
    }
}

TEST_F(BarWindows, DatePickerArrowCoversTheNativeOneAndOpensTheCalendar)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND picker = CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 150, 24,
                                        host_, nullptr, nullptr, nullptr);
    skin::TArrowButton arrow(skin_);
    arrow.Attach(picker);
    DispatchPending();
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    RECT placed{}, client{};
    GetWindowRect(arrow.Handle(), &placed);
    GetClientRect(picker, &client);
    MapWindowPoints(nullptr, picker, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.right, client.right);  // at the end of the picker's client area
    EXPECT_EQ(placed.right - placed.left, a);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.bottom, client.bottom);
    EXPECT_TRUE(GetWindowLongPtrW(picker, GWL_STYLE) & WS_CLIPCHILDREN);

    const RECT cell{0, 0, a, client.bottom};
    for (bool over : {false, true}) {
        if (over) SendMessageW(arrow.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(arrow.Over(), over);
        const auto seen = Capture(arrow.Handle());
        ui::TBitmap expected(a, client.bottom);
        skin::PaintArrowButton(expected.Canvas().Handle(), cell, skin_.Elements(), over);
        EXPECT_EQ(Differing(*seen, expected, cell), 0) << over;

    }

    SendMessageW(arrow.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 8));
    DispatchPending();
    EXPECT_TRUE(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0)) << "the calendar opened";
    SendMessageW(picker, DTM_CLOSEMONTHCAL, 0, 0);
}

}  // namespace

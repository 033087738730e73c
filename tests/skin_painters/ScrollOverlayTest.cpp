// Scroll-bar overlays on real windows under Wine, with the default skin: they sit exactly over
// the native bars through typing, scrolling, resizing and hiding, draw what the skin's cells
// say, and hand presses to the native bars. The target's messages reach the overlays through
// a subclass, as the scroll-bar painter hands them on.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "skin/controls/BarSkins.h"
#include "skin/controls/ScrollSkins.h"
#include "skin/data/SkinData.h"
#include "support/MessagePump.h"
#include "support/MouseInput.h"
#include "ui/Subclass.h"

namespace {

using testing_support::DispatchPending;

RECT ScreenRectOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT NativeBar(HWND target, LONG object)
{
    SCROLLBARINFO info{};
    EXPECT_TRUE(skin::SkinGetScrollBarInfo(target, object, info));
    return info.rcScrollBar;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class ScrollOverlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(skin_.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM"));
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 500,
                                400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host_);
    }
    void TearDown() override
    {
        subclass_.Detach();
        overlays_.reset();
        DestroyWindow(host_);
    }

    // The target's messages reach the overlays after the target handled them.
    void Cover(HWND target)
    {
        target_ = target;
        overlays_ = std::make_unique<skin::TScrollbarOverlays>(skin_);
        overlays_->Attach(target);
        subclass_.Attach(target, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            const LRESULT result = subclass_.CallNext(msg, wParam, lParam);
            overlays_->AfterMessage(msg, wParam, lParam);
            return result;
        });
        DispatchPending();
    }

    HWND Memo(const std::wstring& text)
    {
        return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                   ES_AUTOHSCROLL | ES_WANTRETURN,
                               10, 10, 300, 200, host_, nullptr, nullptr, nullptr);
    }

    void ExpectOverBar(skin::TWScrollbar& overlay, LONG object, const char* when)
    {
        EXPECT_TRUE(overlay.Shown()) << when;
        EXPECT_TRUE(IsWindowVisible(overlay.Handle())) << when;
        const RECT native = NativeBar(target_, object), covered = ScreenRectOf(overlay.Handle());
        EXPECT_TRUE(SameRect(native, covered)) << when << ": bar " << Text(native) << ", overlay " << Text(covered);
    }

    skin::TSkinData skin_{nullptr};
    HWND host_ = nullptr;
    HWND target_ = nullptr;
    std::unique_ptr<skin::TScrollbarOverlays> overlays_;
    ui::TWindowSubclass subclass_;
};

std::wstring Lines(int count)
{
    std::wstring text;
    for (int k = 0; k < count; ++k) text += L"line " + std::to_wstring(k) + L" of a transcript, long enough to need a horizontal bar too\r\n";
    return text;
}

TEST_F(ScrollOverlay, ListOverlayAppearsWhenItemsOverflowAndHidesWithTheBar)
{
    const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY,
                                      10, 10, 200, 120, host_, nullptr, nullptr, nullptr);
    Cover(list);
    EXPECT_FALSE(overlays_->Vertical().Shown());
    for (int k = 0; k < 40; ++k) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    DispatchPending();
    ExpectOverBar(overlays_->Vertical(), OBJID_VSCROLL, "after the items");
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    DispatchPending();
    EXPECT_FALSE(overlays_->Vertical().Shown());
    EXPECT_FALSE(IsWindowVisible(overlays_->Vertical().Handle()));
}

TEST_F(ScrollOverlay, MemoOverlaysStayOverTheBarsThroughTypingScrollingAndResizing)
{
    const HWND memo = Memo(Lines(60));
    Cover(memo);
    ExpectOverBar(overlays_->Vertical(), OBJID_VSCROLL, "at attach");
    ExpectOverBar(overlays_->Horizontal(), OBJID_HSCROLL, "at attach");
    // The overlays are the memo's siblings, directly above it.
    EXPECT_EQ(GetParent(overlays_->Vertical().Handle()), host_);
    const HWND above = GetWindow(memo, GW_HWNDPREV), second = GetWindow(above, GW_HWNDPREV);
    EXPECT_EQ(above, overlays_->Vertical().Handle());
    EXPECT_EQ(second, overlays_->Horizontal().Handle());

    struct Step {
        const char* name;
        void (*act)(HWND memo);
    } steps[] = {
        {"typing", [](HWND m) { for (wchar_t c : std::wstring(L"abc\r\r\r")) SendMessageW(m, WM_CHAR, c, 1); }},
        {"keyboard", [](HWND m) { SendMessageW(m, WM_KEYDOWN, VK_NEXT, 1); SendMessageW(m, WM_KEYDOWN, VK_NEXT, 1); }},
        {"wheel", [](HWND m) { SendMessageW(m, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 3)), 0); }},
        {"scroll request", [](HWND m) { SendMessageW(m, WM_VSCROLL, SB_BOTTOM, 0); }},
        {"resize", [](HWND m) { SetWindowPos(m, nullptr, 20, 30, 420, 300, SWP_NOZORDER | SWP_NOACTIVATE); }},
        {"maximise the host", [](HWND m) {
             ShowWindow(GetParent(m), SW_MAXIMIZE);
             SetWindowPos(m, nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
         }},
        {"composed text", [](HWND m) {
             for (wchar_t c : std::wstring(L"\x58A8\x7B3A\x901F\x8BB0")) SendMessageW(m, WM_IME_CHAR, c, 1);
         }},
    };
    for (const Step& step : steps) {
        step.act(memo);
        DispatchPending();
        ExpectOverBar(overlays_->Vertical(), OBJID_VSCROLL, step.name);
        ExpectOverBar(overlays_->Horizontal(), OBJID_HSCROLL, step.name);
    }
    // The input went to the memo untouched.
    wchar_t text[64 * 1024];
    GetWindowTextW(memo, text, static_cast<int>(std::size(text)));
    EXPECT_NE(std::wstring(text).find(L"\x58A8\x7B3A\x901F\x8BB0"), std::wstring::npos);

    ShowScrollBar(memo, SB_VERT, FALSE);
    DispatchPending();
    EXPECT_FALSE(overlays_->Vertical().Shown());
    ShowWindow(memo, SW_HIDE);
    DispatchPending();
    EXPECT_FALSE(IsWindowVisible(overlays_->Horizontal().Handle()));
}

TEST_F(ScrollOverlay, OverlayShowsTheSkinsPictureOfTheNativeBar)
{
    const HWND memo = Memo(Lines(60));
    Cover(memo);
    SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
    SendMessageW(memo, WM_VSCROLL, SB_ENDSCROLL, 0);
    DispatchPending();
    skin::TWScrollbar& bar = overlays_->Vertical();
    ASSERT_TRUE(bar.Shown());
    RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(bar.Handle(), &client);
    ui::TBitmap seen(client.right, client.bottom), expected(client.right, client.bottom);
    const HDC dc = GetDC(bar.Handle());
    BitBlt(seen.Canvas().Handle(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(bar.Handle(), dc);

    SCROLLBARINFO info{};
    ASSERT_TRUE(skin::SkinGetScrollBarInfo(memo, OBJID_VSCROLL, info));
    ASSERT_GT(info.xyThumbTop, GetSystemMetrics(SM_CXHSCROLL));  // scrolled: the thumb left the top
    skin::TScrollBarLook look;
    look.Vertical = true;
    look.Arrow = GetSystemMetrics(SM_CXHSCROLL);
    look.Thumb = {info.xyThumbTop, info.xyThumbBottom};
    look.HotPart = SB_ENDSCROLL;
    ASSERT_TRUE(skin::PaintScrollBar(expected.Canvas().Handle(), client, skin_.Elements(), look));
    int differing = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            differing += GetPixel(seen.Canvas().Handle(), x, y) != GetPixel(expected.Canvas().Handle(), x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(ScrollOverlay, DraggingTheOverlaysThumbScrollsTheMemo)
{
    const HWND memo = Memo(Lines(200));
    Cover(memo);
    SetForegroundWindow(host_);
    skin::TWScrollbar& bar = overlays_->Vertical();
    ASSERT_TRUE(bar.Shown());
    SCROLLBARINFO info{};
    ASSERT_TRUE(skin::SkinGetScrollBarInfo(memo, OBJID_VSCROLL, info));
    const RECT overlay = ScreenRectOf(bar.Handle());
    const POINT grab{(overlay.left + overlay.right) / 2, overlay.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
    SetCursorPos(grab.x, grab.y);
    DispatchPending();
    testing_support::DragMouse(grab, {{grab.x, grab.y + 60}, {grab.x, grab.y + 120}});
    DispatchPending();
    EXPECT_GT(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 10);
    ExpectOverBar(bar, OBJID_VSCROLL, "after the drag");
}

TEST_F(ScrollOverlay, CornerBetweenTwoBarsAndTheBorderTakeTheSkinsColours)
{
    const HWND memo = Memo(Lines(60));
    Cover(memo);
    const HDC dc = GetWindowDC(memo);
    overlays_->PaintBorder(dc);
    EXPECT_EQ(GetPixel(dc, 0, 20), ui::ColorToColorRef(skin_.Color(skin::csButtonShadow)));
    EXPECT_EQ(GetPixel(dc, 1, 20), ui::ColorToColorRef(skin_.Color(skin::csButtonFace)));
    overlays_->PaintCorner(dc);
    const RECT v = overlays_->Vertical().BarRect(), h = overlays_->Horizontal().BarRect();
    RECT window{};
    GetWindowRect(memo, &window);
    POINT origin{0, 0};
    ClientToScreen(memo, &origin);
    const int x = (v.left + v.right) / 2 + origin.x - window.left, y = (h.top + h.bottom) / 2 + origin.y - window.top;
    EXPECT_EQ(GetPixel(dc, x, y), ui::ColorToColorRef(skin_.Color(skin::csButtonFace)));
    ReleaseDC(memo, dc);
}

TEST_F(ScrollOverlay, StandaloneBarIsCoveredWholeAndItsArrowsWorkThroughTheOverlay)
{
    const HWND bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 10, 300, 17, host_,
                                     nullptr, nullptr, nullptr);
    SCROLLINFO range{sizeof range, SIF_ALL, 0, 100, 10, 0, 0};
    SetScrollInfo(bar, SB_CTL, &range, TRUE);
    skin::TWScrollbar overlay(skin_);
    overlay.AttachToWindow(bar, skin::TWScrollbar::skControl);
    DispatchPending();
    ASSERT_TRUE(overlay.Shown());
    EXPECT_FALSE(overlay.Vertical());
    const RECT covered = ScreenRectOf(overlay.Handle()), control = ScreenRectOf(bar);
    EXPECT_TRUE(SameRect(covered, control)) << Text(covered) << " over " << Text(control);

    // A click on the second arrow, through the overlay, moves the bar a line; the host hears it
    // as a scroll request and moves the position as a program does.
    subclass_.Attach(host_, [this, bar](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == bar && LOWORD(wParam) == SB_LINERIGHT)
            SetScrollPos(bar, SB_CTL, GetScrollPos(bar, SB_CTL) + 1, TRUE);
        return subclass_.CallNext(msg, wParam, lParam);
    });
    SetForegroundWindow(host_);
    const POINT arrow{covered.right - 4, (covered.top + covered.bottom) / 2};
    SetCursorPos(arrow.x, arrow.y);
    testing_support::DragMouse(arrow, {});
    DispatchPending();
    EXPECT_GE(GetScrollPos(bar, SB_CTL), 1);
}

HWND ListOfItems(HWND host, int count)
{
    const HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER, 10, 10, 200,
                                      120, host, nullptr, nullptr, nullptr);
    for (int k = 0; k < count; ++k) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    return list;
}

POINT ThumbCentre(HWND list)
{
    SCROLLBARINFO info{};
    EXPECT_TRUE(skin::SkinGetScrollBarInfo(list, OBJID_VSCROLL, info));
    return {(info.rcScrollBar.left + info.rcScrollBar.right) / 2,
            info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
}

TEST_F(ScrollOverlay, ListThumbDragEndsAtTheLastTopItemAndNoFurther)
{
    const HWND list = ListOfItems(host_, 100);
    DispatchPending();
    const POINT start = ThumbCentre(list);
    SCROLLINFO range{sizeof range, SIF_ALL};
    GetScrollInfo(list, SB_VERT, &range);
    ASSERT_GT(range.nPage, 0u);
    SetCursorPos(start.x, start.y + 40);
    PostMessageW(list, WM_MOUSEMOVE, 0, 0);
    SetCursorPos(start.x, start.y + 2000);
    PostMessageW(list, WM_MOUSEMOVE, 0, 0);
    PostMessageW(list, WM_LBUTTONUP, 0, 0);
    const int last = range.nMax - static_cast<int>(range.nPage) + 1;
    EXPECT_EQ(skin::DragListThumb(list, start, GetSystemMetrics(SM_CXHSCROLL)), last);
    DispatchPending();
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), last);
    EXPECT_NE(GetCapture(), list);
}

void CALLBACK TakeTheMouseAway(HWND, UINT, UINT_PTR, DWORD) { ReleaseCapture(); }

TEST_F(ScrollOverlay, ListThumbDragEndsOnQuitAndOnLostCapture)
{
    const HWND list = ListOfItems(host_, 100);
    DispatchPending();
    const POINT start = ThumbCentre(list);
    PostQuitMessage(7);
    skin::DragListThumb(list, start, GetSystemMetrics(SM_CXHSCROLL));
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is passed on";
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_NE(GetCapture(), list);

    // Another window takes the mouse while the drag runs: the drag ends with it.
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &TakeTheMouseAway);
    skin::DragListThumb(list, start, GetSystemMetrics(SM_CXHSCROLL));
    KillTimer(nullptr, timer);
    EXPECT_NE(GetCapture(), list);
}

}  // namespace

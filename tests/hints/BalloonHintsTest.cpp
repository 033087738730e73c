// Balloon hints on real windows: the window is shaped like the balloon, at least 55 pixels
// wide, its tail tip where the corner puts it; near the screen's edges it flips and stays on
// the screen without changing the preferred corner; the mouse leaving the anchor square ends
// it; clicks reach the control; bitmaps stand in for each other mirrored; the component puts
// back the hint window class it replaced.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "hints/BalloonHints.h"
#include "ui/ExtCtrls.h"

namespace {

using hints::THintCorner;

class PlainHintWindow : public ui::THintWindow {
public:
    using THintWindow::THintWindow;
};

class BalloonHintsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        application_ = std::make_unique<ui::TApplication>(nullptr);
        application_->Initialize();
        application_->SetHintWindowClass([](ui::TComponent* owner) { return new PlainHintWindow(owner); });
        form_ = std::make_unique<ui::TForm>(nullptr);
        balloons_ = new hints::TBalloonHints(form_.get());
        balloons_->SetFrameColor(ui::clBlack);
        balloons_->SetColor(ui::clYellow);
        form_->SetBounds(0, 0, 400, 300);
        panel_ = new ui::TPanel(form_.get());
        panel_->SetParent(form_.get());
        panel_->SetBounds(0, 0, 400, 300);
        panel_->SetHint(L"大");
        panel_->SetShowHint(true);
        form_->Show();
        application_->ProcessMessages();
        screen_ = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }

    // Shows the panel's hint with the mouse at a screen point; the balloon window.
    hints::TBalloonHintWindow* ShowAt(POINT anchor, const std::wstring& hint = L"大")
    {
        panel_->SetHint(hint);
        application_->CancelHint();
        application_->ActivateHintFor(panel_, anchor);
        application_->ProcessMessages();
        auto* window = dynamic_cast<hints::TBalloonHintWindow*>(application_->HintWindow());
        if (window) UpdateWindow(window->Handle());
        return window;
    }
    static RECT WindowRect(ui::TWinControl* window)
    {
        RECT r;
        GetWindowRect(window->Handle(), &r);
        return r;
    }
    static COLORREF ScreenPixel(POINT p)
    {
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, p.x, p.y);
        ReleaseDC(nullptr, screen);
        return c;
    }
    // Whether a window point belongs to the window's region (the whole window without one).
    static bool InRegion(HWND window, POINT p)
    {
        ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, region.get()) == ERROR) return true;
        return PtInRegion(region.get(), p.x, p.y) != FALSE;
    }

    std::unique_ptr<ui::TApplication> application_;
    std::unique_ptr<ui::TForm> form_;
    hints::TBalloonHints* balloons_ = nullptr;
    ui::TPanel* panel_ = nullptr;
    POINT screen_{};
};

TEST_F(BalloonHintsTest, ShortHintIsABalloonShapedWindowAtLeast55Wide)
{
    hints::TBalloonHintWindow* window = ShowAt({300, 300});
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->HintShowing());
    const RECT r = WindowRect(window);
    EXPECT_GE(r.right - r.left, 55);
    ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(window->Handle(), region.get()), COMPLEXREGION);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    // The rounded corners of the body and the space beside the tail are not the window's.
    const hints::BRect body = hints::BalloonBody({0, 0, w, h}, window->CurrentCorner(), false);
    const hints::TailShape tail = hints::BalloonTail({0, 0, w, h}, body, window->CurrentCorner());
    EXPECT_FALSE(InRegion(window->Handle(), {body.left, body.top}));
    EXPECT_FALSE(InRegion(window->Handle(), {body.right - 1, body.bottom - 1}));
    EXPECT_FALSE(InRegion(window->Handle(), {tail.base2.x + 2, tail.tip.y}));
    EXPECT_TRUE(InRegion(window->Handle(), {tail.tip.x, tail.tip.y}));
    EXPECT_TRUE(InRegion(window->Handle(), {(body.left + body.right) / 2, (body.top + body.bottom) / 2}));
    // What lies behind shows through beside the tail; the balloon's own colour inside.
    EXPECT_EQ(ScreenPixel({r.left + (body.left + body.right) / 2, r.top + body.top + 3}), RGB(255, 255, 0));
}

TEST_F(BalloonHintsTest, EachCornerPutsTheTailTipWhereTheTableSaysAndClosesTheJoint)
{
    const POINT anchor{screen_.x / 2, screen_.y / 2};
    for (THintCorner corner : {THintCorner::hcLowerRight, THintCorner::hcLowerLeft, THintCorner::hcUpperLeft,
             THintCorner::hcUpperRight}) {
        SCOPED_TRACE(static_cast<int>(corner));
        balloons_->SetCorner(corner);
        hints::TBalloonHintWindow* window = ShowAt(anchor, L"播放进度指示");
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(window->CurrentCorner(), corner);
        const RECT r = WindowRect(window);
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        // The window lies on the corner's side of the anchor.
        EXPECT_EQ(r.left, hints::IsLeft(corner) ? anchor.x - w - 1 : anchor.x + 1);
        EXPECT_EQ(r.top, hints::IsUpper(corner) ? anchor.y - h : anchor.y);

        const hints::BRect body = hints::BalloonBody({0, 0, w, h}, corner, false);
        const hints::TailShape tail = hints::BalloonTail({0, 0, w, h}, body, corner);
        const int sideX = hints::IsLeft(corner) ? body.right - 10 : body.left + 10;
        EXPECT_EQ(tail.tip.x, sideX);
        EXPECT_EQ(tail.tip.y, hints::IsUpper(corner) ? h - 2 : 1);
        EXPECT_TRUE(InRegion(window->Handle(), {tail.tip.x, tail.tip.y}));
        EXPECT_EQ(ScreenPixel({r.left + tail.tip.x, r.top + tail.tip.y}), RGB(0, 0, 0));
        // The tip lies within 12 pixels of the anchor on both axes.
        EXPECT_LE(std::abs(r.left + tail.tip.x - anchor.x), 12);
        EXPECT_LE(std::abs(r.top + tail.tip.y - anchor.y), 3);
        // The body's outline does not run across the tail: balloon colour where they join.
        const int outlineRow = hints::IsUpper(corner) ? body.bottom - 1 : body.top;
        const int midX = (tail.base1.x + tail.base2.x) / 2;
        EXPECT_EQ(ScreenPixel({r.left + midX, r.top + outlineRow}), RGB(255, 255, 0));
        EXPECT_EQ(ScreenPixel({r.left + midX + 4, r.top + outlineRow}), RGB(255, 255, 0));
    }
}

TEST_F(BalloonHintsTest, NearTheScreenEdgesTheBalloonFlipsStaysOnScreenAndKeepsThePreferredCorner)
{
    const struct {
        const char* where;
        THintCorner preferred;
        POINT anchor;
        THintCorner shown;
    } cases[] = {
        {"top", THintCorner::hcUpperRight, {screen_.x / 2, 5}, THintCorner::hcLowerRight},
        {"right", THintCorner::hcUpperRight, {screen_.x - 10, screen_.y / 2}, THintCorner::hcUpperLeft},
        {"bottom right", THintCorner::hcLowerRight, {screen_.x - 10, screen_.y - 5}, THintCorner::hcUpperLeft},
        {"bottom", THintCorner::hcLowerLeft, {screen_.x / 2, screen_.y - 5}, THintCorner::hcUpperLeft},
        {"left", THintCorner::hcUpperLeft, {5, screen_.y / 2}, THintCorner::hcUpperRight},
        {"top left", THintCorner::hcUpperLeft, {5, 5}, THintCorner::hcLowerRight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        balloons_->SetCorner(c.preferred);
        hints::TBalloonHintWindow* window = ShowAt(c.anchor, L"只能输入形如 01:23:54这种格式的时间");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->CurrentCorner(), c.shown);
        EXPECT_EQ(window->Corner(), c.preferred);
        EXPECT_EQ(balloons_->Corner(), c.preferred);
        const RECT r = WindowRect(window);
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, screen_.x);
        EXPECT_LE(r.bottom, screen_.y);
    }
}

TEST_F(BalloonHintsTest, PlainHintWhenBalloonsAreOffThenTheBalloonReturnsWithItsCorner)
{
    balloons_->SetShowBalloon(false);
    const POINT anchor{300, 300};
    hints::TBalloonHintWindow* window = ShowAt(anchor);
    ASSERT_NE(window, nullptr);
    ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window->Handle(), region.get()), ERROR);
    EXPECT_EQ(window->CurrentCorner(), THintCorner::hcLowerRight);
    EXPECT_EQ(balloons_->Corner(), THintCorner::hcUpperRight);
    // Below and to the right of the point the application gives (its margin of 2 aside).
    const RECT r = WindowRect(window);
    EXPECT_GE(r.left, anchor.x - 1);
    EXPECT_GT(r.top, anchor.y);

    balloons_->SetShowBalloon(true);
    window = ShowAt(anchor);
    EXPECT_EQ(window->CurrentCorner(), THintCorner::hcUpperRight);
    EXPECT_EQ(WindowRect(window).bottom, anchor.y);
}

TEST_F(BalloonHintsTest, MouseWithinTheAnchorSquareKeepsTheHintAndFurtherAwayEndsIt)
{
    const POINT anchor{400, 400};
    const struct {
        int dx, dy;
        bool kept;
    } moves[] = {{0, 0, true}, {2, 2, true}, {-2, -2, true}, {2, -1, true}, {3, 0, false}, {0, -3, false}, {-3, 2, false}};
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << m.dx << "," << m.dy);
        hints::TBalloonHintWindow* window = ShowAt(anchor);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->HintShowing());
        POINT client{anchor.x + m.dx, anchor.y + m.dy};
        ScreenToClient(window->Handle(), &client);
        SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        EXPECT_EQ(window->HintShowing(), m.kept);
        EXPECT_EQ(window->Showing(), m.kept);
    }
}

TEST_F(BalloonHintsTest, ClickOnTheBalloonReachesTheControlBelow)
{
    POINT pressedAt{-1, -1};
    int releases = 0;
    panel_->OnMouseDown = [&](ui::TObject*, ui::TMouseButton, ui::TShiftState, int x, int y) { pressedAt = {x, y}; };
    panel_->OnMouseUp = [&](ui::TObject*, ui::TMouseButton, ui::TShiftState, int, int) { ++releases; };
    const POINT anchor = panel_->ClientToScreen({100, 200});
    hints::TBalloonHintWindow* window = ShowAt(anchor);
    ASSERT_NE(window, nullptr);
    const RECT r = WindowRect(window);
    const POINT inside{(r.right - r.left) / 2, (r.bottom - r.top) / 2};
    PostMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    PostMessageW(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    application_->ProcessMessages();
    const POINT expected = panel_->ScreenToClient({r.left + inside.x, r.top + inside.y});
    EXPECT_EQ(pressedAt.x, expected.x);
    EXPECT_EQ(pressedAt.y, expected.y);
    EXPECT_EQ(releases, 1);
}

TEST_F(BalloonHintsTest, BitmapsStandInForEachOtherMirroredAndTheirTransparentColourIsCutAway)
{
    // One marked pixel in the top-left corner of an upper-left picture, the rest olive but
    // for a solid middle.
    ui::TBitmap picture(40, 30, ui::TPixelFormat::pf32bit);
    picture.Canvas().Brush().SetColor(ui::clOlive);
    picture.Canvas().FillRect({0, 0, 40, 30});
    picture.Canvas().Brush().SetColor(ui::clBlue);
    picture.Canvas().FillRect({10, 8, 30, 22});
    picture.Canvas().SetPixel(0, 0, ui::clRed);
    balloons_->Bitmaps().SetBitmap(THintCorner::hcUpperLeft, picture);

    const struct {
        THintCorner corner;
        POINT marked;
    } cases[] = {
        {THintCorner::hcUpperLeft, {0, 0}},
        {THintCorner::hcUpperRight, {39, 0}},
        {THintCorner::hcLowerLeft, {0, 29}},
        {THintCorner::hcLowerRight, {39, 29}},
    };
    for (const auto& c : cases) {
        ui::TBitmap result;
        balloons_->Bitmaps().CornerBitmap(c.corner, result);
        ASSERT_EQ(result.Width(), 40);
        EXPECT_EQ(result.Canvas().Pixel(c.marked.x, c.marked.y), ui::clRed) << static_cast<int>(c.corner);
    }
    ui::TBitmap none;
    balloons_->Bitmaps().CornerBitmap(THintCorner::hcNone, none);
    EXPECT_TRUE(none.Empty());

    hints::TBalloonHintWindow* window = ShowAt({300, 300});
    ASSERT_NE(window, nullptr);
    const RECT r = WindowRect(window);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    EXPECT_TRUE(InRegion(window->Handle(), {w / 2, h / 2}));
    EXPECT_FALSE(InRegion(window->Handle(), {w / 2, 1}));
    EXPECT_EQ(ScreenPixel({r.left + w / 2, r.top + h / 2}), RGB(0, 0, 255));
}

TEST_F(BalloonHintsTest, DestroyingTheComponentPutsBackTheHintWindowClassItReplaced)
{
    ASSERT_NE(ShowAt({300, 300}), nullptr);
    EXPECT_EQ(balloons_->HintWindow(), application_->HintWindow());
    delete balloons_;
    application_->ActivateHintFor(panel_, {300, 300});
    EXPECT_NE(dynamic_cast<PlainHintWindow*>(application_->HintWindow()), nullptr);
    // The application's own show-hint handling is its own again.
    EXPECT_FALSE(application_->OnShowHint);
}

}  // namespace

// Containers and bars drawn from skin elements whose frames are solid colours, read back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "skin/controls/BoxSkins.h"
#include "skin/controls/EditSkins.h"
#include "ui/Subclass.h"

namespace {

using ui::RGBColor;
using ui::TColor;

constexpr TColor kFace = RGBColor(200, 190, 180);
constexpr TColor kShadow = RGBColor(90, 80, 70);
constexpr TColor kParent = RGBColor(5, 6, 7);
constexpr TColor kPane = RGBColor(33, 44, 55);
constexpr TColor kInk = RGBColor(250, 10, 10);

TColor Frame(int base, int frame) { return RGBColor(frame, base, 0x40); }

void Solid(ui::TBitmap& image, int base, int frames, int frameWidth, int height)
{
    image.SetSize(frames * frameWidth, height);
    for (int f = 1; f <= frames; ++f) {
        const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(Frame(base, f))));
        const RECT r{(f - 1) * frameWidth, 0, f * frameWidth, height};
        FillRect(image.Canvas().Handle(), &r, brush.get());
    }
}

struct Canvas {
    Canvas(int w, int h) : bitmap(w, h)
    {
        const RECT all{0, 0, w, h};
        const ui::BrushHandle brush(CreateSolidBrush(RGB(1, 2, 3)));
        FillRect(Dc(), &all, brush.get());
    }
    HDC Dc() const { return bitmap.Canvas().Handle(); }
    TColor At(int x, int y) const
    {
        const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
        return RGBColor(p[2], p[1], p[0]);
    }
    ui::TBitmap bitmap;
};

std::unique_ptr<skin::TSkinElements> Skin()
{
    auto skin = std::make_unique<skin::TSkinElements>();
    skin->Colors.Colors[skin::csButtonFace] = kFace;
    skin->Colors.Colors[skin::csButtonShadow] = kShadow;
    skin->Colors.Colors[skin::csButtonText] = kInk;
    skin->Tabs = std::make_unique<skin::TDataSkinBorder>("Tabs");
    Solid(skin->Tabs->Image, 10, 2, 20, 20);
    skin->Tabs->Frame = 2;
    skin->Tabs->Image2.SetSize(20, 20);
    const ui::BrushHandle pane(CreateSolidBrush(ui::ColorToColorRef(kPane)));
    const RECT all{0, 0, 20, 20};
    FillRect(skin->Tabs->Image2.Canvas().Handle(), &all, pane.get());
    skin->StatusBarEdges = std::make_unique<skin::TDataSkinObject>("StatusBarEdges");
    Solid(skin->StatusBarEdges->Image, 20, 3, 10, 10);
    skin->StatusBarEdges->Frame = 3;
    skin->Headerbar = std::make_unique<skin::TDataSkinObject>("Headerbar");
    Solid(skin->Headerbar->Image, 30, 2, 10, 10);
    skin->Headerbar->Frame = 2;
    return skin;
}

TEST(TabStripPicture, TabsOnEachSideTakeTheirFramesAndThePaneFillsTheDisplay)
{
    const auto skin = Skin();
    // A 200 x 120 control; the tabs are 20 deep on their side; the second tab is focused.
    struct Case {
        skin::TTabPosition position;
        RECT display;
        RECT first, second;
        POINT inFirst, inSecond, inStripGap, inPane;
    } cases[] = {
        {skin::tpTop, {4, 26, 196, 116}, {2, 2, 60, 22}, {60, 0, 120, 22}, {10, 12}, {90, 12}, {160, 12}, {100, 70}},
        {skin::tpBottom, {4, 4, 196, 94}, {2, 98, 60, 118}, {60, 98, 120, 120}, {10, 108}, {90, 108}, {160, 108},
         {100, 50}},
        {skin::tpLeft, {26, 4, 196, 116}, {2, 2, 22, 50}, {0, 50, 22, 100}, {12, 20}, {12, 75}, {12, 112}, {100, 60}},
        {skin::tpRight, {4, 4, 174, 116}, {178, 2, 198, 50}, {178, 50, 200, 100}, {188, 20}, {188, 75}, {188, 112},
         {100, 60}},
    };
    for (const Case& c : cases) {
        Canvas target(200, 120);
        skin::TTabStripLook look;
        look.Control = {200, 120};
        look.Display = c.display;
        look.Position = c.position;
        look.Focused = 1;
        look.ParentColour = kParent;
        const std::vector<skin::TTabItem> tabs{{c.first, L"", -1}, {c.second, L"", -1}};
        ASSERT_TRUE(skin::PaintTabStrip(target.Dc(), *skin, tabs, look, nullptr));
        EXPECT_EQ(target.At(c.inFirst.x, c.inFirst.y), Frame(10, 1)) << c.position;
        EXPECT_EQ(target.At(c.inSecond.x, c.inSecond.y), Frame(10, 2)) << c.position;
        EXPECT_EQ(target.At(c.inStripGap.x, c.inStripGap.y), kParent) << c.position;
        EXPECT_EQ(target.At(c.inPane.x, c.inPane.y), kPane) << c.position;
    }
}

TEST(TabStripPicture, CloseBoxesAreCrossesWhoseRectanglesAreKept)
{
    const auto skin = Skin();
    Canvas target(200, 120);
    skin::TTabStripLook look;
    look.Control = {200, 120};
    look.Display = {4, 26, 196, 116};
    look.CloseBoxes = true;
    look.ParentColour = kParent;
    std::vector<RECT> boxes;
    const std::vector<skin::TTabItem> tabs{{{2, 2, 60, 22}, L"", -1}, {{60, 2, 120, 22}, L"", -1}};
    ASSERT_TRUE(skin::PaintTabStrip(target.Dc(), *skin, tabs, look, &boxes));
    ASSERT_EQ(boxes.size(), 2u);
    for (const RECT& box : boxes) {
        EXPECT_EQ(box.right - box.left, 7);
        EXPECT_EQ(target.At(box.left, box.top), kInk);                               // the square's corner
        EXPECT_EQ(target.At((box.left + box.right) / 2, (box.top + box.bottom) / 2), kInk);  // the crossing
        EXPECT_EQ(target.At(box.left + 1, box.top + 3), Frame(10, 1));               // between the lines
    }
    EXPECT_EQ(boxes[1].right, 120 - 1);
}

TEST(TabStripPicture, WithoutTheTabsImageThePlatformDraws)
{
    auto skin = Skin();
    skin->Tabs.reset();
    Canvas target(50, 50);
    skin::TTabStripLook look;
    look.Control = {50, 50};
    EXPECT_FALSE(skin::PaintTabStrip(target.Dc(), *skin, {}, look, nullptr));
    EXPECT_EQ(target.At(25, 25), RGBColor(1, 2, 3));
}

TEST(StatusBarPicture, SimpleModeIsOneLoweredPanelAndPanelsTakeTheirBevels)
{
    const auto skin = Skin();
    Canvas simple(200, 20);
    skin::PaintStatusBar(simple.Dc(), {200, 20}, *skin, {}, L"", nullptr, false, false);
    EXPECT_EQ(simple.At(1, 1), Frame(20, 1));
    EXPECT_EQ(simple.At(198, 18), Frame(20, 1));

    Canvas panels(200, 20);
    const std::vector<skin::TStatusPanel> parts{{{0, 0, 80, 20}, L"", 0, 0}, {{82, 0, 150, 20}, L"", 2, 0}};
    skin::PaintStatusBar(panels.Dc(), {200, 20}, *skin, parts, L"", nullptr, false, false);
    EXPECT_EQ(panels.At(40, 2), Frame(20, 2));   // raised
    EXPECT_EQ(panels.At(81, 2), Frame(20, 2));   // grown by 2 to meet the next
    EXPECT_EQ(panels.At(120, 2), Frame(20, 3));  // no bevel
    EXPECT_EQ(panels.At(198, 2), Frame(20, 3));  // the last reaches the right edge
}

TEST(HeaderPicture, OneSectionHotAndTheRestNormal)
{
    const auto skin = Skin();
    Canvas target(300, 20);
    const std::vector<skin::THeaderSection> sections{{{0, 0, 100, 20}, L"", 0, -1}, {{100, 0, 200, 20}, L"", 0, -1}};
    ASSERT_TRUE(skin::PaintHeader(target.Dc(), {300, 20}, *skin, sections, 1, nullptr, nullptr));
    EXPECT_EQ(target.At(50, 1), Frame(30, 1));
    EXPECT_EQ(target.At(150, 1), Frame(30, 2));
    EXPECT_EQ(target.At(250, 1), Frame(30, 1));
    ASSERT_TRUE(skin::PaintHeader(target.Dc(), {300, 20}, *skin, sections, -1, nullptr, nullptr));
    EXPECT_EQ(target.At(150, 1), Frame(30, 1));
}

TEST(HitTests, HeaderSectionsLeaveTheirDividersAndCloseBoxesAreFound)
{
    const std::vector<RECT> sections{{0, 0, 100, 20}, {100, 0, 200, 20}};
    struct Case {
        int x, section;
    } cases[] = {{1, -1}, {3, 0}, {50, 0}, {96, 0}, {97, -1}, {102, -1}, {103, 1}, {196, 1}, {250, -1}};
    for (const Case& c : cases) EXPECT_EQ(skin::HeaderSectionAt(POINT{c.x, 10}, sections), c.section) << c.x;
    const std::vector<RECT> boxes{{52, 4, 59, 11}, {}, {112, 4, 119, 11}};
    EXPECT_EQ(skin::CloseBoxAt(POINT{55, 7}, boxes), 0);
    EXPECT_EQ(skin::CloseBoxAt(POINT{115, 7}, boxes), 2);
    EXPECT_EQ(skin::CloseBoxAt(POINT{80, 7}, boxes), -1);
}

TEST(GroupBoxPicture, RoundedFrameInShadowInterruptedByTheCaption)
{
    const auto skin = Skin();
    Canvas target(200, 100);
    skin::PaintGroupBox(target.Dc(), RECT{0, 0, 200, 100}, L"WWWW", nullptr, RGBColor(0, 0, 0), *skin, true, false);
    SIZE zero{};
    GetTextExtentPoint32W(target.Dc(), L"0", 1, &zero);
    const int y = zero.cy / 2 - 1;
    EXPECT_EQ(target.At(1, 50), kShadow);     // the left side
    EXPECT_EQ(target.At(198, 50), kShadow);   // the right side
    EXPECT_EQ(target.At(100, 98), kShadow);   // the bottom
    EXPECT_EQ(target.At(100, 50), kFace);     // filled inside
    EXPECT_EQ(target.At(150, y), kShadow);    // the top line past the caption
    for (int x = 9; x < 9 + 20; ++x) EXPECT_NE(target.At(x, y), kShadow) << x;  // the caption cuts it
}

// System windows painted through a subclass, their client area read back.
class BoxWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin_ = Skin();
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 500,
                                300, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        paint_.Detach();
        DestroyWindow(host_);
    }

    HWND Make(const wchar_t* className, DWORD style, int w, int h)
    {
        return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, host_, nullptr, nullptr,
                               nullptr);
    }
    // Paints the window with `paint` instead of itself and reads the picture back.
    std::unique_ptr<Canvas> Shot(HWND window, std::function<void(HDC)> paint)
    {
        paint_.Detach();
        paint_.Attach(window, [this, window, paint](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_ERASEBKGND) return LRESULT{1};
            if (msg != WM_PAINT) return paint_.CallNext(msg, wParam, lParam);
            PAINTSTRUCT ps;
            paint(BeginPaint(window, &ps));
            EndPaint(window, &ps);
            return LRESULT{0};
        });
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT client{};
        GetClientRect(window, &client);
        auto picture = std::make_unique<Canvas>(client.right, client.bottom);
        const HDC dc = GetDC(window);
        BitBlt(picture->Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
        return picture;
    }

    std::unique_ptr<skin::TSkinElements> skin_;
    HWND host_ = nullptr;
    ui::TWindowSubclass paint_;
};

TEST_F(BoxWindows, TabControlsOnEachSideShowTheSelectedTabAndThePane)
{
    for (DWORD style : {DWORD{0}, DWORD{TCS_BOTTOM}, DWORD{TCS_VERTICAL | TCS_MULTILINE},
                        DWORD{TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE}}) {
        const HWND tab = Make(WC_TABCONTROLW, style, 300, 200);
        for (int k = 0; k < 3; ++k) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(L"");
            SendMessageW(tab, TCM_INSERTITEMW, k, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageW(tab, TCM_SETCURSEL, 1, 0);
        std::vector<RECT> rects(3);
        for (int k = 0; k < 3; ++k) SendMessageW(tab, TCM_GETITEMRECT, k, reinterpret_cast<LPARAM>(&rects[k]));
        RECT display{0, 0, 300, 200};
        SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        const auto seen = Shot(tab, [&](HDC dc) {
            ASSERT_TRUE(skin::PaintTabControlWindow(dc, tab, *skin_, kParent, false, nullptr));
        });
        // Near each tab's inner corner (away from its edges and text).
        const auto inside = [&](const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
        const RECT first{rects[0].left + 2, rects[0].top + 2, rects[0].left + 6, rects[0].top + 6};
        EXPECT_EQ(seen->At(first.left, first.top), Frame(10, 1)) << style;
        const RECT& selected = rects[1];
        EXPECT_EQ(seen->At(selected.left + 3, selected.top + 3), Frame(10, 2)) << style;
        const POINT pane = inside(display);
        EXPECT_EQ(seen->At(pane.x, pane.y), kPane) << style;
        paint_.Detach();
        DestroyWindow(tab);
    }
}

TEST_F(BoxWindows, StatusBarPanelsFollowTheirBorders)
{
    const HWND bar = Make(STATUSCLASSNAMEW, 0, 0, 0);
    const int parts[] = {100, 200, -1};
    SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(bar, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(L""));
    SendMessageW(bar, SB_SETTEXTW, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L""));
    const auto seen = Shot(bar, [&](HDC dc) { skin::PaintStatusBarWindow(dc, bar, *skin_); });
    EXPECT_EQ(seen->At(50, 3), Frame(20, 1));   // lowered
    EXPECT_EQ(seen->At(150, 3), Frame(20, 2));  // raised
    EXPECT_EQ(seen->At(250, 3), Frame(20, 3));  // none

    SendMessageW(bar, SB_SIMPLE, TRUE, 0);
    const auto simple = Shot(bar, [&](HDC dc) { skin::PaintStatusBarWindow(dc, bar, *skin_); });
    EXPECT_EQ(simple->At(150, 2), Frame(20, 1));  // one lowered panel, even with no text
}

TEST_F(BoxWindows, HeaderHighlightsTheHotSectionOnly)
{
    const HWND header = Make(WC_HEADERW, HDS_HORZ, 300, 24);
    for (int k = 0; k < 2; ++k) {
        HDITEMW item{};
        item.mask = HDI_WIDTH | HDI_FORMAT;
        item.cxy = 100;
        item.fmt = HDF_LEFT;
        SendMessageW(header, HDM_INSERTITEMW, k, reinterpret_cast<LPARAM>(&item));
    }
    std::vector<RECT> sections;
    const auto seen = Shot(header, [&](HDC dc) {
        ASSERT_TRUE(skin::PaintHeaderWindow(dc, header, *skin_, 1, &sections));
    });
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(seen->At(50, 2), Frame(30, 1));
    EXPECT_EQ(seen->At(150, 2), Frame(30, 2));
    EXPECT_EQ(seen->At(250, 2), Frame(30, 1));  // right of the last section
}

TEST_F(BoxWindows, SpinInsideItsEditKeepsThreePixelsOffTheEditsEdges)
{
    skin_->UpDownVert = std::make_unique<skin::TDataSkinBorder>("UpDown.Vert");
    Solid(skin_->UpDownVert->Image, 40, 8, 10, 10);
    skin_->UpDownVert->Frame = 8;
    const HWND edit = Make(L"EDIT", WS_BORDER, 120, 40);
    RECT client{};
    GetClientRect(edit, &client);
    const HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - 16, 0, 16,
                                      client.bottom, edit, nullptr, nullptr, nullptr);
    const auto seen = Shot(spin, [&](HDC dc) { skin::PaintUpDownWindow(dc, spin, *skin_, {}, true); });
    // The buttons keep 3 pixels below the edit's top and above its bottom, whatever its border.
    RECT own{}, parent{};
    GetWindowRect(spin, &own);
    GetWindowRect(edit, &parent);
    const int top = 3 - static_cast<int>(own.top - parent.top);
    const int bottom = client.bottom - (3 - static_cast<int>(parent.bottom - own.bottom));
    ASSERT_GT(top, 0);
    EXPECT_EQ(seen->At(8, top - 1), RGBColor(255, 255, 255));
    EXPECT_EQ(seen->At(8, top), Frame(40, 1));
    EXPECT_EQ(seen->At(8, bottom - 1), Frame(40, 5));  // the down half, frame 1 + 4
    EXPECT_EQ(seen->At(8, bottom), RGBColor(255, 255, 255));
    const auto loose = Shot(spin, [&](HDC dc) { skin::PaintUpDownWindow(dc, spin, *skin_, {}, false); });
    EXPECT_EQ(loose->At(8, 0), Frame(40, 1));
}

TEST_F(BoxWindows, SystemGroupBoxAndComboBoxTakeTheSkin)
{
    const HWND box = Make(L"BUTTON", BS_GROUPBOX, 200, 100);
    const auto seen = Shot(box, [&](HDC dc) { skin::PaintGroupBoxWindow(dc, box, *skin_); });
    EXPECT_EQ(seen->At(1, 50), kShadow);
    EXPECT_EQ(seen->At(198, 50), kShadow);

    skin_->SunkEdge = std::make_unique<skin::TDataSkinObject>("SunkEdge");
    Solid(skin_->SunkEdge->Image, 50, 4, 10, 10);
    skin_->SunkEdge->Frame = 4;
    skin_->SunkEdge->LeftWidth = skin_->SunkEdge->RightWidth = skin_->SunkEdge->TopHeight =
        skin_->SunkEdge->BottomHeight = 2;
    skin_->ComboButton = std::make_unique<skin::TDataSkinBorder>("ComboButton");
    Solid(skin_->ComboButton->Image, 60, 4, 10, 10);
    skin_->ComboButton->Frame = 4;
    const HWND combo = Make(L"COMBOBOX", CBS_DROPDOWNLIST, 150, 200);
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    const RECT button = skin::PaintComboWindow(combo, *skin_, false, true);
    ASSERT_FALSE(IsRectEmpty(&button));
    RECT frame{};
    GetWindowRect(combo, &frame);
    const HDC dc = GetWindowDC(combo);
    const int middle = (frame.bottom - frame.top) / 2;
    EXPECT_EQ(GetPixel(dc, 0, middle), ui::ColorToColorRef(Frame(50, 4)));          // hot border
    EXPECT_EQ(GetPixel(dc, button.right - 4, middle), ui::ColorToColorRef(Frame(60, 4)));  // hot button
    ReleaseDC(combo, dc);
    EnableWindow(combo, FALSE);
    skin::PaintComboWindow(combo, *skin_, false, false);
    const HDC off = GetWindowDC(combo);
    EXPECT_EQ(GetPixel(off, 0, middle), ui::ColorToColorRef(Frame(50, 3)));
    ReleaseDC(combo, off);
}

}  // namespace

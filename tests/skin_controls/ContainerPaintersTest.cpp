// Container and bar painters on real windows, skinned as the program skins them: a skin
// component on the form, the skin manager attaching the form controller, the classification
// giving each control its painter. Every frame of every element of the test skin is a colour
// of its own, so a pixel read from the screen says which frame shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/controls/BarPainters.h"
#include "skin/controls/BoxPainters.h"
#include "skin/controls/Classify.h"
#include "skin/controls/PlayerPainter.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin_form/SkinWindows.h"
#include "skin_model/SkinFixture.h"
#include "support/MouseInput.h"
#include "support/ProgramEnvironment.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/MPlayer.h"
#include "ui/StdCtrls.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;
using ui::RGBColor;
using ui::TColor;

// Frame f of each element.
TColor TabColour(int f) { return RGBColor(20 * f, 200, 120); }
TColor EdgeColour(int f) { return RGBColor(200, 30 * f, 60); }
TColor HeaderColour(int f) { return RGBColor(60, 40 * f, 210); }
TColor ProgressColour(int f) { return RGBColor(120, 60, 50 * f); }
TColor ThumbColour(int f) { return RGBColor(30 * f, 30, 30); }
TColor ButtonColour(int f) { return RGBColor(70, 20 * f, 90); }
constexpr TColor kPane = RGBColor(90, 160, 200);
constexpr TColor kChannel = RGBColor(250, 200, 10);
constexpr TColor kFace = RGBColor(231, 222, 205);
constexpr TColor kShadow = RGBColor(120, 100, 80);

skintest::SkinPackage TestSkin()
{
    skintest::SkinPackage package;
    package.Description =
        "[TitlebarSkin]\nSkinName=Boxes\n"
        "[Colours]\nButtonFace=231 222 205\nButtonShadow=120 100 80\n"
        "[Buttons]\nBitmap=button.bmp\n"
        "[Tabs]\nImage=tabs.bmp\nStyle=1\nNormalColour=250 0 0\nMouseOverColour=0 0 250\n"
        "[Tab.Pane]\nImage=pane.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\n"
        "[StatusBarEdges]\nImage=edges.bmp\n"
        "[Headerbar]\nImage=header.bmp\nFrame=2\n"
        "[Progress]\nBitmap=progress.bmp\n"
        "[Track]\nImage=channel.bmp\nFrame=1\n"
        "[Trackbar.ThumbHorz]\nImage=thumb.bmp\n";
    package.Add("button.bmp", 5 * 8, 8, [](int x, int) { return ButtonColour(x / 8 + 1); });
    package.Add("tabs.bmp", 5 * 20, 20, [](int x, int) { return TabColour(x / 20 + 1); });
    package.Add("pane.bmp", 20, 20, kPane);
    package.Add("edges.bmp", 3 * 10, 10, [](int x, int) { return EdgeColour(x / 10 + 1); });
    package.Add("header.bmp", 2 * 10, 10, [](int x, int) { return HeaderColour(x / 10 + 1); });
    package.Add("progress.bmp", 2 * 10, 10, [](int x, int) { return ProgressColour(x / 10 + 1); });
    package.Add("channel.bmp", 12, 4, kChannel);
    package.Add("thumb.bmp", 5 * 10, 20, [](int x, int) { return ThumbColour(x / 10 + 1); });
    return package;
}

// The four sides a tab control can show its tabs on, in the order top, bottom, left, right.
struct TabSide {
    DWORD style;
    const char* name;
};
constexpr TabSide kTabSides[] = {{0, "top"}, {TCS_BOTTOM, "bottom"}, {TCS_VERTICAL | TCS_MULTILINE, "left"},
                                 {TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, "right"}};

// A page control with more window style bits (the side of its tabs) from creation on.
class TSidePages : public ui::TPageControl {
public:
    TSidePages(ui::TComponent* owner, DWORD style) : ui::TPageControl(owner), style_(style) {}

protected:
    void CreateParams(ui::TCreateParams& params) override
    {
        ui::TPageControl::CreateParams(params);
        params.Style |= style_;
    }

private:
    DWORD style_;
};

// The smallest tab set: a row of tabs along the bottom, painted by nothing but the skin.
class TTabSet : public ui::TCustomControl {
public:
    using ui::TCustomControl::TCustomControl;
    std::wstring_view ClassName() const override { return L"TTabSet"; }
    ui::PropValue GetProperty(std::wstring_view name) const override
    {
        if (ui::SameName(name, L"Tabs")) return static_cast<ui::TObject*>(const_cast<ui::TStringList*>(&Tabs));
        if (ui::SameName(name, L"TabIndex")) return std::int64_t{TabIndex};
        if (ui::SameName(name, L"FirstIndex")) return std::int64_t{FirstIndex};
        if (ui::SameName(name, L"StartMargin")) return std::int64_t{StartMargin};
        if (ui::SameName(name, L"EndMargin")) return std::int64_t{EndMargin};
        return ui::TCustomControl::GetProperty(name);
    }

    ui::TStringList Tabs;
    int TabIndex = 0, FirstIndex = 0, StartMargin = 5, EndMargin = 5;
    ui::TUpDown* Scroller = nullptr;  // its first owned component
};

// A page control of another library that draws its tabs from two bitmap properties.
class TForeignPages : public ui::TCustomControl {
public:
    using ui::TCustomControl::TCustomControl;
    std::wstring_view ClassName() const override { return L"TForeignPages"; }
    ui::PropValue GetProperty(std::wstring_view name) const override
    {
        if (ui::SameName(name, L"TabBackGround")) return Normal;
        if (ui::SameName(name, L"TabBackGroundActive")) return Active;
        return ui::TCustomControl::GetProperty(name);
    }
    bool SetProperty(std::wstring_view name, const ui::PropValue& value) override
    {
        ui::TObject* const* picture = std::get_if<ui::TObject*>(&value);
        if (!picture) return ui::TCustomControl::SetProperty(name, value);
        if (ui::SameName(name, L"TabBackGround")) Normal = *picture;
        else if (ui::SameName(name, L"TabBackGroundActive")) Active = *picture;
        else return ui::TCustomControl::SetProperty(name, value);
        return true;
    }

    ui::TObject* Normal = nullptr;
    ui::TObject* Active = nullptr;
};

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment());

LRESULT Probe(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0); }

class ContainerForm : public ui::TForm {
public:
    ContainerForm() : ui::TForm(nullptr)
    {
        SetBounds(20, 20, 700, 480);
        SetCaption(L"Containers");
        Skin = new skin::TSkinData(this);
        skintest::LoadPackage(*Skin, TestSkin().Packed());
        Skin->SetActive(true);
        Pages = Add<ui::TPageControl>(10, 10, 320, 160);
        Pages->SetTag(skin::kCloseBoxTag);
        for (const wchar_t* caption : {L"第一页", L"第二页", L"第三页", L"第四页"}) {
            auto* sheet = new ui::TTabSheet(this);
            sheet->SetCaption(caption);
            sheet->SetPageControl(Pages);
        }
        Pages->SetActivePageIndex(0);
        Panel = Add<ui::TPanel>(340, 10, 150, 60);
        Panel->SetColor(RGBColor(3, 130, 3));
        Group = Add<ui::TGroupBox>(340, 80, 150, 90);
        Group->SetCaption(L"分组");
        Status = Add<ui::TStatusBar>(0, 0, 100, 22);
        Header = Add<ui::THeaderControl>(10, 180, 300, 24);
        Header->AddSection(L"序号", 100);
        Header->AddSection(L"标题", 120);
        Progress = Add<ui::TProgressBar>(10, 220, 300, 20);
        Upright = Add<ui::TProgressBar>(320, 220, 20, 160);
        Track = Add<ui::TTrackBar>(10, 260, 300, 36);
        Track->SetRange(0, 100);
        Player = Add<ui::TMediaPlayer>(10, 400, 270, 30);
        TabSet = Add<TTabSet>(360, 370, 190, 24);
        for (const wchar_t* caption : {L"甲页", L"乙页", L"丙页", L"丁页", L"戊页", L"己页", L"庚页", L"辛页"})
            TabSet->Tabs.Add(caption);
        TabSet->TabIndex = 1;
        TabSet->Scroller = new ui::TUpDown(TabSet);
        TabSet->Scroller->SetBounds(160, 2, 28, 20);
        TabSet->Scroller->SetParent(TabSet);
        Buttons = new ui::TPageControl(this);
        Buttons->SetStyle(ui::TTabStyle::tsButtons);
        Buttons->SetBounds(500, 30, 190, 80);
        Buttons->SetParent(this);
        for (const wchar_t* caption : {L"一", L"二", L"三"}) {
            auto* sheet = new ui::TTabSheet(this);
            sheet->SetCaption(caption);
            sheet->SetPageControl(Buttons);
        }
        Buttons->SetActivePageIndex(1);
        ui::TStringList lines;
        lines.Assign(Skin->Skin3rd());
        lines.Add(L"TForeignPages=advpagecontrol");
        Skin->SetSkin3rd(lines);
        Foreign = Add<TForeignPages>(500, 120, 190, 50);
        FinishCreate();
        SetWindowLongPtrW(Upright->Handle(), GWL_STYLE, GetWindowLongPtrW(Upright->Handle(), GWL_STYLE) | PBS_VERTICAL);
    }

    template <class T>
    T* Add(int x, int y, int w, int h)
    {
        auto* control = new T(this);
        control->SetBounds(x, y, w, h);
        control->SetParent(this);
        return control;
    }

    // The answer the form gives a tab's close box.
    LRESULT KeepPage = 0;
    int CloseAsked = 0;

    void WndProc(ui::TMessage& message) override
    {
        if (message.Msg == skin::SKM_TABCLOSE) {
            ++CloseAsked;
            message.Result = KeepPage;
            return;
        }
        ui::TForm::WndProc(message);
    }

    skin::TSkinData* Skin;
    ui::TPageControl* Pages;
    ui::TPanel* Panel;
    ui::TGroupBox* Group;
    ui::TStatusBar* Status;
    ui::THeaderControl* Header;
    ui::TProgressBar* Progress;
    ui::TProgressBar* Upright;
    ui::TTrackBar* Track;
    ui::TMediaPlayer* Player;
    TTabSet* TabSet;
    ui::TPageControl* Buttons;
    TForeignPages* Foreign;
};

class ContainerPaintersTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form_ = new ContainerForm;
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Probe(form_->Pages->Handle()) == 1 && Probe(form_->Track->Handle()) == 1; }));
    }
    static void TearDownTestSuite()
    {
        delete form_;
        form_ = nullptr;
    }

    static void Settle() { skintest::Pump(60ms); }
    static TColor At(HWND window, int x, int y)
    {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return skintest::WindowPicture(window).At(x, y);
    }
    static TColor At(ui::TWinControl* control, int x, int y) { return At(control->Handle(), x, y); }
    static skin::TWinSkinForm* Controller() { return skin::SkinManage()->FindForm(form_->Handle()); }
    static skin::TSkinControl* PainterOf(HWND window)
    {
        for (skin::TSkinControl* painter : Controller()->Painters())
            if (painter->Window() == window) return painter;
        return nullptr;
    }
    static RECT TabRect(HWND tabs, int index)
    {
        RECT r{};
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }

    static inline ContainerForm* form_ = nullptr;
};

TEST_F(ContainerPaintersTest, EachControlGetsItsPainterAndPanelsLeaveTheProbeAlone)
{
    ASSERT_NE(Controller(), nullptr);
    const std::pair<ui::TWinControl*, std::wstring> served[] = {
        {form_->Pages, L"TSkinTab"},          {form_->Pages->Pages(0), L"TSkinTabSheet"},
        {form_->Group, L"TSkinGroupBox"},     {form_->Status, L"TSkinStatusBar"},
        {form_->Header, L"TSkinHeader"},      {form_->Progress, L"TSkinProgress"},
        {form_->Track, L"TSkinTrackBar"},     {form_->Panel, L"TSkinBox"}};
    for (const auto& [control, kind] : served) {
        skin::TSkinControl* painter = PainterOf(control->Handle());
        ASSERT_NE(painter, nullptr) << std::string(kind.begin(), kind.end());
        EXPECT_EQ(std::wstring(painter->ClassName()), kind);
        EXPECT_EQ(Probe(control->Handle()), kind == L"TSkinBox" ? 0 : 1) << std::string(kind.begin(), kind.end());
    }
    // The panel takes the skin's face colour, and gives its own back while painting is off.
    EXPECT_EQ(form_->Panel->Color(), kFace);
    SendMessageW(form_->Panel->Handle(), skin::SKM_SKINENABLE, 0, 0);
    EXPECT_EQ(form_->Panel->Color(), RGBColor(3, 130, 3));
    SendMessageW(form_->Panel->Handle(), skin::SKM_SKINENABLE, 1, 0);
    EXPECT_EQ(form_->Panel->Color(), kFace);
}

TEST_F(ContainerPaintersTest, TabsShowTheirFramesAndThePagesTheSkinsFace)
{
    const HWND tabs = form_->Pages->Handle();
    for (int active : {0, 2}) {
        form_->Pages->SetActivePageIndex(active);
        Settle();
        for (int k = 0; k < 3; ++k) {
            const RECT r = TabRect(tabs, k);
            EXPECT_EQ(At(tabs, r.left + 2, r.bottom - 2), TabColour(k == active ? 2 : 1)) << active << " " << k;
        }
    }
    form_->Pages->SetActivePageIndex(0);
    Settle();
    ui::TTabSheet* sheet = form_->Pages->Pages(0);
    EXPECT_EQ(At(sheet, sheet->Width() / 2, sheet->Height() / 2), kFace);
    // The pane shows around the page.
    RECT pane{0, 0, form_->Pages->Width(), form_->Pages->Height()};
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
    EXPECT_EQ(At(tabs, pane.left - 2, (pane.top + pane.bottom) / 2), kPane);
    // Switched off, the control draws itself; on again, the skin.
    const RECT first = TabRect(tabs, 0);
    SendMessageW(tabs, skin::SKM_SKINENABLE, 0, 0);
    EXPECT_NE(At(tabs, first.left + 2, first.bottom - 2), TabColour(2));
    SendMessageW(tabs, skin::SKM_SKINENABLE, 1, 0);
    EXPECT_EQ(At(tabs, first.left + 2, first.bottom - 2), TabColour(2));
}

TEST_F(ContainerPaintersTest, CloseBoxFreesThePageUnlessTheFormKeepsIt)
{
    const HWND tabs = form_->Pages->Handle();
    auto* painter = dynamic_cast<skin::TSkinTab*>(PainterOf(tabs));
    ASSERT_NE(painter, nullptr);
    ASSERT_TRUE(painter->CloseBoxes());
    At(tabs, 0, 0);
    ASSERT_GE(painter->CloseBoxRects().size(), 4u);
    const auto clickBox = [&](int tab) {
        const RECT box = painter->CloseBoxRects()[static_cast<std::size_t>(tab)];
        const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(tabs, WM_LBUTTONUP, 0, at);
        Settle();
    };
    const int pages = form_->Pages->PageCount();
    form_->KeepPage = 1;
    clickBox(3);
    EXPECT_EQ(form_->CloseAsked, 1);
    EXPECT_EQ(form_->Pages->PageCount(), pages);
    form_->KeepPage = 0;
    const std::wstring last = form_->Pages->Pages(3)->Caption();
    clickBox(3);
    EXPECT_EQ(form_->CloseAsked, 2);
    ASSERT_EQ(form_->Pages->PageCount(), pages - 1);
    for (int k = 0; k < form_->Pages->PageCount(); ++k) EXPECT_NE(form_->Pages->Pages(k)->Caption(), last);
    form_->Pages->SetActivePageIndex(0);
}

// A press on a tab beside its close box selects that tab; only one on the box asks the form.
TEST_F(ContainerPaintersTest, PressBesideTheCloseBoxSelectsThePressOnItAsksTheForm)
{
    const HWND tabs = form_->Pages->Handle();
    auto* painter = dynamic_cast<skin::TSkinTab*>(PainterOf(tabs));
    ASSERT_NE(painter, nullptr);
    form_->Pages->SetActivePageIndex(0);
    At(tabs, 0, 0);
    ASSERT_GE(painter->CloseBoxRects().size(), 2u);
    const int asked = form_->CloseAsked;
    const RECT tab = TabRect(tabs, 1), box = painter->CloseBoxRects()[1];
    ASSERT_TRUE(box.left > tab.left && box.right <= tab.right) << "the box lies inside its tab";
    // A click of the mouse through the input queue; the test only waits for its effect, with
    // a limit, so a press the control keeps (a capture, a loop of its own) cannot stop it.
    SetForegroundWindow(form_->Handle());
    const auto press = [tabs](POINT at) {
        ClientToScreen(tabs, &at);
        testing_support::DragMouse(at, {});
    };
    const POINT besides[] = {{tab.left + 4, (tab.top + tab.bottom) / 2}, {box.left - 2, box.top + 1},
                             {(box.left + box.right) / 2, box.bottom + 1}};
    for (const POINT& at : besides) {
        form_->Pages->SetActivePageIndex(0);
        press(at);
        EXPECT_TRUE(PumpUntil([] { return form_->Pages->ActivePageIndex() == 1; }, 2s)) << at.x << "," << at.y;
        EXPECT_EQ(form_->CloseAsked, asked) << at.x << "," << at.y;
    }
    form_->KeepPage = 1;
    press(POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    EXPECT_TRUE(PumpUntil([asked] { return form_->CloseAsked == asked + 1; }, 2s));
    form_->KeepPage = 0;
    form_->Pages->SetActivePageIndex(0);
}

// Tab buttons, tab sets and foreign page controls each take the skin's cells.
TEST_F(ContainerPaintersTest, TabButtonsTakeTheButtonCellsOfTheirState)
{
    const HWND buttons = form_->Buttons->Handle();
    ASSERT_EQ(Probe(buttons), 1);
    EXPECT_EQ(std::wstring(PainterOf(buttons)->ClassName()), L"TSkinTabBtn");
    for (int active : {1, 2}) {
        form_->Buttons->SetActivePageIndex(active);
        Settle();
        for (int k = 0; k < 3; ++k) {
            const RECT r = TabRect(buttons, k);
            ASSERT_FALSE(IsRectEmpty(&r)) << k;
            EXPECT_EQ(At(buttons, r.left + 2, r.top + 3), ButtonColour(k == active ? 2 : 1)) << active << " " << k;
        }
    }
}

TEST_F(ContainerPaintersTest, TabSetDrawsTheTabsThatFitFromItsFirstIndex)
{
    TTabSet* set = form_->TabSet;
    const HWND window = set->Handle();
    ASSERT_EQ(Probe(window), 1);
    EXPECT_EQ(std::wstring(PainterOf(window)->ClassName()), L"TSkinTab31");
    const HWND scroller = set->Scroller->Handle();
    ASSERT_EQ(Probe(scroller), 1);
    EXPECT_EQ(std::wstring(PainterOf(scroller)->ClassName()), L"TSkinUpDown");
    // Each tab is its caption's width and 9 more.
    const auto widthOf = [set](int k) {
        const HDC dc = GetDC(set->Handle());
        const auto* font = ui::GetObjectPropOf<ui::TFont>(set, L"Font");
        const HGDIOBJ old = SelectObject(dc, font ? font->Handle() : GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        const std::wstring text = set->Tabs[k];
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(set->Handle(), dc);
        return static_cast<int>(extent.cx) + 9;
    };
    // The end margin lets the third tab from `first` in by 6 pixels; the 12 pixels kept free
    // for a visible scroller leave it out.
    struct Case {
        int first;
        bool scroller;
        int drawn;
    };
    for (const Case c : {Case{0, true, 2}, Case{1, true, 2}, Case{0, false, 3}, Case{1, false, 3}}) {
        set->FirstIndex = c.first;
        set->EndMargin = set->Width() - (set->StartMargin + widthOf(c.first) + widthOf(c.first + 1) + widthOf(c.first + 2)) - 6;
        set->Scroller->SetVisible(c.scroller);
        Settle();
        EXPECT_EQ(At(window, set->StartMargin - 2, 3), kFace) << c.first;
        int x = set->StartMargin;
        for (int k = c.first; k < c.first + c.drawn; ++k) {
            EXPECT_EQ(At(window, x + 2, 3), TabColour(k == set->TabIndex ? 2 : 1)) << c.first << " " << k;
            x += widthOf(k);
        }
        EXPECT_EQ(At(window, x + 2, 3), kFace) << c.first << " " << c.scroller;
    }
    set->FirstIndex = 0;
    set->EndMargin = 5;
    set->Scroller->SetVisible(true);
}

TEST_F(ContainerPaintersTest, ForeignPagesGetTheTabFramesAsPictures)
{
    TForeignPages* pages = form_->Foreign;
    ASSERT_EQ(Probe(pages->Handle()), 1);
    EXPECT_EQ(std::wstring(PainterOf(pages->Handle())->ClassName()), L"TSkinAdvPage");
    const std::pair<ui::TObject*, TColor> pictures[] = {{pages->Normal, TabColour(1)}, {pages->Active, TabColour(2)}};
    for (const auto& [object, colour] : pictures) {
        auto* picture = dynamic_cast<ui::TBitmap*>(object);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Width(), 100);
        EXPECT_EQ(picture->Height(), 21);
        for (const POINT p : {POINT{1, 1}, POINT{50, 10}, POINT{98, 19}})
            EXPECT_EQ(static_cast<TColor>(GetPixel(picture->Canvas().Handle(), p.x, p.y)), colour) << p.x;
    }
}

// Page controls with their tabs on each side: every tab's frame and caption stay inside the
// tab's own rectangle, the caption centred in it.
TEST_F(ContainerPaintersTest, TabsOnEverySideDrawEachTabInItsOwnRectangle)
{
    // Ink of a caption: the skin's text colours (red for normal tabs, blue for the selected
    // one), smoothed edges included; every other colour here is light in green.
    enum Ink { kNone, kNormalInk, kSelectedInk };
    const auto inkOf = [](TColor c) {
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        if (g >= 100) return kNone;
        return r > b ? kNormalInk : kSelectedInk;
    };
    // The ink of one caption, row by row.
    struct Mask {
        int Width = 0, Height = 0;
        std::vector<bool> Ink;
        bool At(int x, int y) const { return Ink[static_cast<std::size_t>(y * Width + x)]; }
    };
    std::vector<Mask> captions;  // "设置" on each side
    for (const TabSide& side : kTabSides) {
        auto* pages = new TSidePages(form_, side.style);
        pages->SetBounds(360, 200, 200, 130);
        pages->SetParent(form_);
        for (const wchar_t* caption : {L"快速整理", L"资料管理", L"设置"}) {
            auto* sheet = new ui::TTabSheet(pages);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        skin::TControlClassifier(*Controller()).ClassifyControl(*pages, form_);
        const HWND tabs = pages->Handle();
        ASSERT_EQ(Probe(tabs), 1) << side.name;
        for (int active : {0, 1}) {
            pages->SetActivePageIndex(active);
            Settle();
            At(tabs, 0, 0);
            const skintest::WindowPicture picture(tabs);
            std::vector<RECT> rects;
            for (int k = 0; k < 3; ++k) rects.push_back(TabRect(tabs, k));
            // The tab a pixel belongs to: its own rectangle, else one a pixel larger (the
            // tabs are drawn a pixel outward); -1 for none.
            const auto owner = [&](int x, int y) {
                for (int grow : {0, 1})
                    for (int k = 0; k < 3; ++k) {
                        RECT r = rects[static_cast<std::size_t>(k)];
                        InflateRect(&r, grow, grow);
                        if (PtInRect(&r, POINT{x, y})) return k;
                    }
                return -1;
            };
            std::vector<RECT> ink(3, RECT{10000, 10000, -1, -1});
            int stray = 0, wrongFrame = 0;
            for (int y = 0; y < picture.Height(); ++y)
                for (int x = 0; x < picture.Width(); ++x) {
                    const TColor c = picture.At(x, y);
                    const int k = owner(x, y);
                    if (c == TabColour(1) || c == TabColour(2)) {
                        if (k < 0 || (c == TabColour(2)) != (k == active)) ++wrongFrame;
                        continue;
                    }
                    const Ink i = inkOf(c);
                    if (i == kNone) continue;
                    if (k < 0 || (i == kSelectedInk) != (k == active)) {
                        ++stray;
                        continue;
                    }
                    RECT& box = ink[static_cast<std::size_t>(k)];
                    box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                               std::max<LONG>(box.bottom, y + 1)};
                }
            if (active == 0) {
                const RECT& box = ink[2];
                Mask mask{box.right - box.left, box.bottom - box.top, {}};
                for (int y = box.top; y < box.bottom; ++y)
                    for (int x = box.left; x < box.right; ++x) mask.Ink.push_back(inkOf(picture.At(x, y)) != kNone);
                captions.push_back(std::move(mask));
            }
            EXPECT_EQ(wrongFrame, 0) << side.name << ": tab frame pixels outside their tab, active " << active;
            EXPECT_EQ(stray, 0) << side.name << ": caption ink outside its tab, active " << active;
            for (int k = 0; k < 3; ++k) {
                const RECT& r = rects[static_cast<std::size_t>(k)];
                const RECT& box = ink[static_cast<std::size_t>(k)];
                ASSERT_GT(box.right, box.left) << side.name << " tab " << k << " shows its caption";
                // Centred along and across the tab, give or take the pixel the tabs move outward.
                EXPECT_NEAR((box.left + box.right) / 2.0, (r.left + r.right) / 2.0, 2.5) << side.name << " tab " << k;
                EXPECT_NEAR((box.top + box.bottom) / 2.0, (r.top + r.bottom) / 2.0, 2.5) << side.name << " tab " << k;
                EXPECT_EQ(picture.At((r.left + r.right) / 2, r.top + 1) == TabColour(2) ||
                              picture.At((r.left + r.right) / 2, r.bottom - 2) == TabColour(2) ||
                              picture.At(r.left + 1, (r.top + r.bottom) / 2) == TabColour(2) ||
                              picture.At(r.right - 2, (r.top + r.bottom) / 2) == TabColour(2),
                          k == active)
                    << side.name << " tab " << k;
            }
        }
        delete pages;
        Controller()->PurgeDeadPainters();
    }
    // As the system draws vertical tabs: on the left the caption reads upward (the top
    // caption turned a quarter left), on the right downward (a quarter right).
    ASSERT_EQ(captions.size(), 4u);
    const Mask& upright = captions[0];
    for (int side : {2, 3}) {
        const Mask& turned = captions[static_cast<std::size_t>(side)];
        ASSERT_EQ(turned.Width, upright.Height) << kTabSides[side].name;
        ASSERT_EQ(turned.Height, upright.Width) << kTabSides[side].name;
        int inked = 0, differ = 0;
        for (int y = 0; y < upright.Height; ++y)
            for (int x = 0; x < upright.Width; ++x) {
                const bool expected = upright.At(x, y);
                const bool seen = side == 2 ? turned.At(y, upright.Width - 1 - x) : turned.At(upright.Height - 1 - y, x);
                inked += expected;
                differ += expected != seen;
            }
        EXPECT_LT(differ * 10, inked) << kTabSides[side].name << ": " << differ << " of " << inked << " ink pixels differ";
    }
}

// Tab controls of the system with the tabs on each side, reached by the window route.
TEST_F(ContainerPaintersTest, SystemTabControlsOnEverySide)
{
    for (const TabSide& side : kTabSides) {
        const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | side.style, 360, 200, 200, 160,
                                          form_->Handle(), nullptr, nullptr, nullptr);
        ASSERT_TRUE(tabs);
        for (const wchar_t* text : {L"甲", L"乙"}) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(text);
            SendMessageW(tabs, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
        skin::TControlClassifier(*Controller()).SkinWindowByClass(tabs);
        ASSERT_EQ(Probe(tabs), 1) << side.name;
        EXPECT_EQ(std::wstring(PainterOf(tabs)->ClassName()), L"TSkinTab") << side.name;
        for (int k = 0; k < 2; ++k) {
            const RECT r = TabRect(tabs, k);
            // A point inside the tab near its outer edge, clear of the centred text.
            POINT p{r.left + 2, r.top + 2};
            if (side.style & TCS_VERTICAL) p = {(r.left + r.right) / 2, r.top + 2};
            EXPECT_EQ(At(tabs, p.x, p.y), TabColour(k == 1 ? 2 : 1)) << side.name << " tab " << k;
        }
        skin::TSkinControl* painter = PainterOf(tabs);
        DestroyWindow(tabs);
        ASSERT_NE(painter, nullptr);
        EXPECT_TRUE(painter->Dead()) << side.name;
        Controller()->PurgeDeadPainters();
    }
}

// A dialog window of the system, reached by the window route: its background and statics
// take the face colour, its size grip too.
TEST_F(ContainerPaintersTest, SystemDialogTakesTheFaceWithItsStaticsAndSizeGrip)
{
    const HWND dialog = CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 360, 200, 200, 120, form_->Handle(),
                                        nullptr, nullptr, nullptr);
    ASSERT_TRUE(dialog);
    const auto child = [dialog](const wchar_t* cls, DWORD style, int x, int y, int w, int h) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog, nullptr, nullptr, nullptr);
    };
    const HWND label = child(L"STATIC", SS_LEFT, 10, 10, 80, 20);
    const HWND bar = child(L"SCROLLBAR", SBS_HORZ, 10, 40, 120, 17);
    const HWND grip = child(L"SCROLLBAR", SBS_SIZEGRIP, 180, 100, 16, 16);
    skin::TControlClassifier(*Controller()).SkinWindowByClass(dialog);
    for (HWND served : {dialog, bar, grip}) EXPECT_EQ(Probe(served), 1);
    EXPECT_EQ(std::wstring(PainterOf(dialog)->ClassName()), L"TSkinBoxH");
    EXPECT_EQ(std::wstring(PainterOf(grip)->ClassName()), L"TSkinSizer");
    EXPECT_EQ(At(dialog, 150, 80), kFace);
    EXPECT_EQ(At(label, 40, 10), kFace);
    EXPECT_EQ(At(grip, 8, 8), kFace);
    SendMessageW(grip, skin::SKM_SKINENABLE, 0, 0);
    EXPECT_NE(At(grip, 8, 8), kFace);
    DestroyWindow(dialog);
    Controller()->PurgeDeadPainters();
}

TEST_F(ContainerPaintersTest, GroupBoxFrameInTheShadowColourOnTheFace)
{
    ui::TGroupBox* g = form_->Group;
    const HWND w = g->Handle();
    EXPECT_EQ(At(w, g->Width() / 2, g->Height() / 2), kFace);
    EXPECT_EQ(At(w, 1, g->Height() / 2), kShadow);
    EXPECT_EQ(At(w, g->Width() / 2, g->Height() - 2), kShadow);
}

TEST_F(ContainerPaintersTest, StatusBarPanelsTakeTheEdgeOfTheirBevel)
{
    const HWND bar = form_->Status->Handle();
    // Simple mode with no text still shows the lowered frame.
    form_->Status->SetSimpleText(L"");
    EXPECT_EQ(At(bar, 3, 3), EdgeColour(1));
    SendMessageW(bar, SB_SIMPLE, FALSE, 0);
    const int parts[] = {100, 200, -1};
    SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"就绪"));
    SendMessageW(bar, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"字数"));
    SendMessageW(bar, SB_SETTEXTW, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L""));
    const int expected[] = {1, 2, 3};
    for (int k = 0; k < 3; ++k) {
        RECT r{};
        SendMessageW(bar, SB_GETRECT, k, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(At(bar, r.right - 4, r.top + 2), EdgeColour(expected[k])) << k;
    }
    SendMessageW(bar, SB_SIMPLE, TRUE, 0);
}

TEST_F(ContainerPaintersTest, StatusBarTextsShowInTheirPanels)
{
    ui::TStatusBar* status = form_->Status;
    const HWND bar = status->Handle();
    // Pixels of the text: those inside the area that differ from the panel's frame colour.
    const auto ink = [&](RECT area) {
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const skintest::WindowPicture picture(bar);
        InflateRect(&area, -3, -3);
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += picture.At(x, y) != EdgeColour(1);
        return count;
    };
    const RECT whole{0, 0, status->Width(), status->Height()};
    status->SetSimpleText(L"");
    EXPECT_EQ(ink(whole), 0);
    status->SetSimpleText(L"就绪");
    EXPECT_GT(ink(whole), 10);

    const struct {
        const wchar_t* text;
        bool inked;
    } panels[] = {{L"就绪", true}, {L"", false}, {L"00:01:23", true}};
    for (const auto& panel : panels) status->AddPanel(panel.text, 120);
    for (int k = 0; k < std::ssize(panels); ++k) {
        RECT r{};
        ASSERT_TRUE(SendMessageW(bar, SB_GETRECT, k, reinterpret_cast<LPARAM>(&r))) << k;
        if (k + 1 == std::ssize(panels)) r.right = status->Width();
        EXPECT_EQ(ink(r) > 10, panels[k].inked) << k;
    }
    status->SetSimplePanel(true);
    EXPECT_GT(ink(whole), 10);
}

TEST_F(ContainerPaintersTest, HeaderHighlightsOneSectionAtATime)
{
    const HWND header = form_->Header->Handle();
    const auto sectionColour = [&](int k) {
        RECT r{};
        SendMessageW(header, HDM_GETITEMRECT, k, reinterpret_cast<LPARAM>(&r));
        return At(header, r.right - 5, 1);
    };
    EXPECT_EQ(sectionColour(0), HeaderColour(1));
    EXPECT_EQ(sectionColour(1), HeaderColour(1));
    EXPECT_EQ(At(header, form_->Header->Width() - 3, 1), HeaderColour(1));  // right of the last section
    const struct {
        int x;
        int hot;
    } moves[] = {{50, 0}, {150, 1}, {101, -1}};  // the divider belongs to neither section
    for (const auto& move : moves) {
        SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(move.x, 5));
        Settle();
        EXPECT_EQ(sectionColour(0), HeaderColour(move.hot == 0 ? 2 : 1)) << move.x;
        EXPECT_EQ(sectionColour(1), HeaderColour(move.hot == 1 ? 2 : 1)) << move.x;
    }
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(150, 5));
    SendMessageW(header, WM_MOUSELEAVE, 0, 0);
    Settle();
    EXPECT_EQ(sectionColour(1), HeaderColour(1));
}

TEST_F(ContainerPaintersTest, ProgressFillsItsShareFromTheStart)
{
    ui::TProgressBar* bar = form_->Progress;
    const int w = bar->Width(), h = bar->Height();
    struct Case {
        int position;
        TColor quarter, threeQuarters;
    };
    const Case cases[] = {{0, ProgressColour(1), ProgressColour(1)},
                          {50, ProgressColour(2), ProgressColour(1)},
                          {100, ProgressColour(2), ProgressColour(2)}};
    for (const Case& c : cases) {
        bar->SetPosition(c.position);
        Settle();
        EXPECT_EQ(At(bar, w / 4, h / 2), c.quarter) << c.position;
        EXPECT_EQ(At(bar, 3 * w / 4, h / 2), c.threeQuarters) << c.position;
    }
    // A vertical bar fills from the bottom.
    ui::TProgressBar* upright = form_->Upright;
    upright->SetPosition(50);
    Settle();
    EXPECT_EQ(At(upright, upright->Width() / 2, 3 * upright->Height() / 4), ProgressColour(2));
    EXPECT_EQ(At(upright, upright->Width() / 2, upright->Height() / 4), ProgressColour(1));
    // An empty range shows nothing filled rather than failing.
    SendMessageW(bar->Handle(), PBM_SETRANGE32, 5, 5);
    SendMessageW(bar->Handle(), PBM_SETPOS, 5, 0);
    EXPECT_EQ(At(bar, w / 4, h / 2), ProgressColour(1));
    SendMessageW(bar->Handle(), PBM_SETRANGE32, 0, 100);
}

TEST_F(ContainerPaintersTest, TrackBarChannelAndThumbFromTheSkinUntilSwitchedOff)
{
    ui::TTrackBar* t = form_->Track;
    const HWND w = t->Handle();
    t->SetPosition(10);
    Settle();
    RECT thumb{}, channel{};
    SendMessageW(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageW(w, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const POINT inThumb{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    const POINT inChannel{(channel.left + 3 * channel.right) / 4, (channel.top + channel.bottom) / 2};
    EXPECT_EQ(At(w, inThumb.x, inThumb.y), ThumbColour(2));
    EXPECT_EQ(At(w, inChannel.x, inChannel.y), kChannel);
    SendMessageW(w, skin::SKM_SKINENABLE, 0, 0);
    EXPECT_NE(At(w, inThumb.x, inThumb.y), ThumbColour(2));
    EXPECT_NE(At(w, inChannel.x, inChannel.y), kChannel);
    SendMessageW(w, skin::SKM_SKINENABLE, 1, 0);
    EXPECT_EQ(At(w, inThumb.x, inThumb.y), ThumbColour(2));
}

TEST_F(ContainerPaintersTest, MediaPlayerOverlayDrawsTheButtonsAndPassesOnlyWholeClicks)
{
    ui::TMediaPlayer* player = form_->Player;
    auto* painter = dynamic_cast<skin::TSkinMP*>(PainterOf(player->Handle()));
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(Probe(player->Handle()), 1);
    skin::TWMediaPlayer* overlay = painter->Overlay();
    ASSERT_NE(overlay, nullptr);
    const HWND strip = overlay->Handle();
    EXPECT_TRUE(IsWindowVisible(strip));
    EXPECT_EQ(overlay->Tag(), form_->Skin->DisableTag);
    const int width = player->Width() / 9;
    const auto corner = [&](int button) { return At(strip, button * width + 2, 2); };
    const auto centre = [&](int button) { return MAKELPARAM(button * width + width / 2, player->Height() / 2); };
    using ui::TMPBtnType;
    player->SetEnabledButtons(ui::kAllMPButtons & ~ui::MPButton(TMPBtnType::btStop));
    EXPECT_EQ(corner(0), ButtonColour(1));
    EXPECT_EQ(corner(2), ButtonColour(3));
    player->SetEnabledButtons(ui::kAllMPButtons);

    std::vector<TMPBtnType> clicks;
    player->OnClick = [&](ui::TObject*, TMPBtnType button) { clicks.push_back(button); };
    // Pressed on play, released over stop: the release stays with the overlay.
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, centre(0));
    EXPECT_EQ(corner(0), ButtonColour(2));
    SendMessageW(strip, WM_LBUTTONUP, 0, centre(2));
    EXPECT_EQ(corner(0), ButtonColour(1));
    EXPECT_TRUE(clicks.empty());
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, centre(1));
    SendMessageW(strip, WM_LBUTTONUP, 0, centre(1));
    EXPECT_EQ(clicks, std::vector<TMPBtnType>{TMPBtnType::btPause});
    player->OnClick = nullptr;

    // The overlay follows the player's bounds and visibility, and painting switched off.
    player->SetBounds(20, 405, 180, 28);
    Settle();
    EXPECT_EQ(overlay->Left(), 20);
    EXPECT_EQ(overlay->Width(), 180);
    player->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(strip));
    player->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(strip));
    SendMessageW(player->Handle(), skin::SKM_SKINENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(strip));
    SendMessageW(player->Handle(), skin::SKM_SKINENABLE, 1, 0);
    EXPECT_TRUE(IsWindowVisible(strip));
    // No visible button: a plain face.
    player->SetVisibleButtons(0);
    EXPECT_EQ(At(strip, 90, 14), kFace);
    player->SetVisibleButtons(ui::kAllMPButtons);
}

// Last: the skin switched off gives every control back, and on again skins them anew.
TEST_F(ContainerPaintersTest, ZzUnskinGivesEverythingBack)
{
    const HWND tabs = form_->Pages->Handle();
    const HWND track = form_->Track->Handle();
    RECT thumb{};
    SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const POINT inThumb{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    const RECT first = TabRect(tabs, 0);
    form_->Skin->SetActive(false);
    ASSERT_TRUE(PumpUntil([] { return Probe(form_->Pages->Handle()) == 0; }));
    Settle();
    for (ui::TWinControl* control : std::initializer_list<ui::TWinControl*>{
             form_->Pages, form_->Pages->Pages(0), form_->Group, form_->Status, form_->Header, form_->Progress,
             form_->Track, form_->Player})
        EXPECT_EQ(Probe(control->Handle()), 0) << control->ClassName().data();
    EXPECT_EQ(form_->Panel->Color(), RGBColor(3, 130, 3));
    EXPECT_EQ(form_->Foreign->Normal, nullptr);
    EXPECT_EQ(form_->Foreign->Active, nullptr);
    EXPECT_NE(At(tabs, first.left + 2, first.bottom - 2), TabColour(2));
    EXPECT_NE(At(track, inThumb.x, inThumb.y), ThumbColour(2));
    form_->Skin->SetActive(true);
    ASSERT_TRUE(PumpUntil([] { return Probe(form_->Pages->Handle()) == 1 && Probe(form_->Track->Handle()) == 1; }));
    EXPECT_EQ(form_->Panel->Color(), kFace);
    EXPECT_NE(form_->Foreign->Active, nullptr);
    EXPECT_EQ(At(track, inThumb.x, inThumb.y), ThumbColour(2));
}

}  // namespace

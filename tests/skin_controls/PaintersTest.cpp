// Button, check-box and radio-button painters on real windows, skinned the way the program
// skins them: a skin component on the form, the skin manager attaching the form controller,
// the classification giving each control its painter. The test skin paints every frame and
// every strip cell in a colour of its own, so a pixel read from the screen says which frame
// or cell is showing.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/ButtonSkins.h"
#include "skin/controls/CheckSkins.h"
#include "skin/controls/Classify.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin_form/SkinWindows.h"
#include "skin_model/SkinFixture.h"
#include "support/ProgramEnvironment.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/Subclass.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;
using ui::RGBColor;
using ui::TColor;

// Frame f of "Buttons", cell c of the check and radio strips, glyph cell g.
TColor FrameColour(int f) { return RGBColor(40 * f, 90, 200); }
TColor CheckColour(int c) { return RGBColor(200, 10 * c, 30); }
TColor RadioColour(int c) { return RGBColor(30, 200, 10 * c); }
TColor GlyphColour(int g) { return RGBColor(60 * g, 160, 60); }
constexpr int kBox = 13;

// shift: frame f of the buttons takes the colour of frame f + shift.
skintest::SkinPackage TestSkin(int checkCells, int radioCells, int shift = 0)
{
    skintest::SkinPackage package;
    package.Description = "[TitlebarSkin]\nSkinName=Cells\n[Buttons]\nBitmap=button.bmp\nTrans=0\nTile=0\n"
                          "CheckButton=check.bmp\nRadioButton=radio.bmp\n"
                          "CheckButtonFrame=" + std::to_string(checkCells) + "\nRadioButtonFrame=" +
                          std::to_string(radioCells) + "\n";
    package.Add("button.bmp", 5 * 8, 8, [shift](int x, int) { return FrameColour(x / 8 + 1 + shift); });
    package.Add("check.bmp", checkCells * kBox, kBox, [](int x, int) { return CheckColour(x / kBox + 1); });
    package.Add("radio.bmp", radioCells * kBox, kBox, [](int x, int) { return RadioColour(x / kBox + 1); });
    return package;
}

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment());

bool Skinned(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

// A form with one control of every kind these painters serve, and its own skin component.
class PainterForm : public ui::TForm {
public:
    PainterForm() : ui::TForm(nullptr)
    {
        SetBounds(30, 30, 520, 360);
        SetCaption(L"Painters");
        Skin = new skin::TSkinData(this);
        skintest::LoadPackage(*Skin, TestSkin(4, 4).Packed());
        Skin->SetActive(true);
        Plain = Add<ui::TButton>(10, 10, 90, 28, L"确定");
        Default = Add<ui::TButton>(110, 10, 90, 28, L"默认");
        Default->SetDefault(true);
        Bit = Add<ui::TBitBtn>(210, 10, 60, 40, L"");
        ui::TBitmap glyph(4 * 16, 16);
        for (int g = 1; g <= 4; ++g) {
            const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(GlyphColour(g))));
            const RECT cell{(g - 1) * 16, 0, g * 16, 16};
            FillRect(glyph.Canvas().Handle(), &cell, brush.get());
        }
        glyph.Canvas().SetPixel(0, 15, RGBColor(255, 0, 255));  // the transparent colour
        Bit->SetGlyph(glyph);
        Bit->SetNumGlyphs(4);
        Speed = Add<ui::TSpeedButton>(280, 10, 40, 30, L"速");
        Check = Add<ui::TCheckBox>(10, 60, 150, 20, L"开启");
        Radio = Add<ui::TRadioButton>(10, 90, 150, 20, L"单选");
        Edit = Add<ui::TEdit>(10, 120, 150, 22, L"");
        Excluded = Add<ui::TCheckBox>(170, 60, 150, 20, L"系统");
        Excluded->SetTag(99);
        Group = Add<ui::TRadioGroup>(330, 60, 160, 100, L"组");
        Group->Items().Add(L"甲");
        Group->Items().Add(L"乙");
        Group->ItemsChanged();
        Group->SetTag(99);
        Label = Add<ui::TLabel>(10, 160, 150, 20, L"标签");
        FinishCreate();
    }

    template <class T>
    T* Add(int x, int y, int w, int h, const wchar_t* caption)
    {
        auto* control = new T(this);
        control->SetBounds(x, y, w, h);
        control->SetCaption(caption);
        control->SetParent(this);
        return control;
    }

    skin::TSkinData* Skin;
    ui::TButton* Plain;
    ui::TButton* Default;
    ui::TBitBtn* Bit;
    ui::TSpeedButton* Speed;
    ui::TCheckBox* Check;
    ui::TRadioButton* Radio;
    ui::TEdit* Edit;
    ui::TCheckBox* Excluded;
    ui::TRadioGroup* Group;
    ui::TLabel* Label;
};

class PaintersTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form_ = new PainterForm;
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(form_->Plain->Handle()) && Skinned(form_->Check->Handle()); }));
    }
    static void TearDownTestSuite()
    {
        delete form_;
        form_ = nullptr;
    }
    void SetUp() override
    {
        form_->Edit->SetFocus();
        Settle();
    }

    static void Settle() { skintest::Pump(60ms); }
    // The colour at (x, y) of the control's window as the screen shows it.
    static TColor At(ui::TWinControl* control, int x, int y)
    {
        UpdateWindow(control->Handle());
        return skintest::WindowPicture(control->Handle()).At(x, y);
    }
    static TColor Corner(ui::TWinControl* control) { return At(control, 2, 2); }
    static TColor BoxOf(ui::TWinControl* control) { return At(control, kBox / 2, control->Height() / 2); }
    static void Post(ui::TWinControl* control, UINT msg, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(5, 5))
    {
        SendMessageW(control->Handle(), msg, wParam, lParam);
        Settle();
    }

    static inline PainterForm* form_ = nullptr;
};

TEST_F(PaintersTest, EveryServedControlAnswersTheProbeAndGetsItsPainter)
{
    const std::pair<ui::TWinControl*, std::wstring> served[] = {
        {form_->Plain, L"TSkinButton"}, {form_->Default, L"TSkinButton"}, {form_->Bit, L"TSkinBitButton"},
        {form_->Speed, L"TSkinSpeedButton"}, {form_->Check, L"TSkinCheckBox"}, {form_->Radio, L"TSkinRadioButton"}};
    skin::TWinSkinForm* controller = skin::SkinManage()->FindForm(form_->Handle());
    ASSERT_NE(controller, nullptr);
    for (const auto& [control, painter] : served) {
        EXPECT_EQ(SendMessageW(control->Handle(), skin::SKM_PROBE, 0, 0), 1) << painter;
        const auto& painters = controller->Painters();
        const auto found = std::find_if(painters.begin(), painters.end(),
                                        [control](skin::TSkinControl* p) { return p->Control() == control; });
        ASSERT_NE(found, painters.end()) << painter;
        EXPECT_EQ(std::wstring((*found)->ClassName()), painter);
    }
    // Excluded by Tag, with the buttons of an excluded group; labels are never served.
    for (ui::TWinControl* control : {static_cast<ui::TWinControl*>(form_->Excluded), static_cast<ui::TWinControl*>(form_->Group),
                                     static_cast<ui::TWinControl*>(form_->Group->Buttons(0)),
                                     static_cast<ui::TWinControl*>(form_->Group->Buttons(1)),
                                     static_cast<ui::TWinControl*>(form_->Label)})
        EXPECT_EQ(SendMessageW(control->Handle(), skin::SKM_PROBE, 0, 0), 0) << control->ClassName().data();
    EXPECT_EQ(form_->Group->Buttons(1)->Tag(), 99);
}

TEST_F(PaintersTest, PushButtonShowsTheFrameOfEachState)
{
    ui::TButton* b = form_->Plain;
    EXPECT_EQ(Corner(b), FrameColour(1));
    EXPECT_EQ(Corner(form_->Default), FrameColour(5));  // default while the edit has the focus
    Post(b, WM_MOUSEMOVE, 0);
    EXPECT_EQ(Corner(b), FrameColour(4));
    Post(b, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(Corner(b), FrameColour(2));
    Post(b, WM_MOUSELEAVE);
    EXPECT_EQ(Corner(b), FrameColour(5));  // the press left with the mouse; it gave the focus
    b->SetEnabled(false);
    Settle();
    EXPECT_EQ(Corner(b), FrameColour(3));
    b->SetEnabled(true);
}

// The faces the button painters keep follow a new skin at once.
TEST_F(PaintersTest, ButtonsShowANewSkinsFrames)
{
    EXPECT_EQ(Corner(form_->Plain), FrameColour(1));
    EXPECT_EQ(Corner(form_->Bit), FrameColour(1));
    for (const int shift : {1, 0}) {
        skintest::LoadPackage(*form_->Skin, TestSkin(4, 4, shift).Packed());
        form_->Plain->Invalidate();
        form_->Bit->Invalidate();
        EXPECT_TRUE(PumpUntil([&] {
            return Corner(form_->Plain) == FrameColour(1 + shift) && Corner(form_->Bit) == FrameColour(1 + shift);
        })) << shift;
    }
}

TEST_F(PaintersTest, BitButtonShowsTheGlyphCellOfEachState)
{
    ui::TBitBtn* b = form_->Bit;
    const auto glyph = [b] { return At(b, b->Width() / 2, b->Height() / 2); };
    EXPECT_EQ(Corner(b), FrameColour(1));
    EXPECT_EQ(glyph(), GlyphColour(1));
    Post(b, WM_MOUSEMOVE, 0);
    EXPECT_EQ(Corner(b), FrameColour(4));
    EXPECT_EQ(glyph(), GlyphColour(1));
    Post(b, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(Corner(b), FrameColour(2));
    EXPECT_EQ(glyph(), GlyphColour(3));
    Post(b, WM_MOUSELEAVE);
    b->SetEnabled(false);
    Settle();
    EXPECT_EQ(Corner(b), FrameColour(3));
    EXPECT_EQ(glyph(), GlyphColour(2));
    b->SetEnabled(true);
    b->SetFocus();
    Settle();
    EXPECT_EQ(Corner(b), FrameColour(5));
    EXPECT_EQ(glyph(), GlyphColour(1));
}

// The painter keeps the face with the glyph drawn on it; drawing on the glyph's own canvas,
// without handing the button a new glyph, shows at the next paint all the same.
TEST_F(PaintersTest, BitButtonShowsWhatIsDrawnOnItsGlyphsCanvas)
{
    ui::TBitBtn* b = form_->Bit;
    const auto glyph = [b] { return At(b, b->Width() / 2, b->Height() / 2); };
    const RECT inside{2, 2, 14, 14};  // of the first cell, its transparent corner left alone
    struct Way {
        const char* what;
        std::function<void(ui::TCanvas&, TColor)> fill;
    };
    const Way ways[] = {
        {"the canvas's own fill",
         [&](ui::TCanvas& canvas, TColor colour) {
             canvas.Brush().SetColor(colour);
             canvas.FillRect(inside);
         }},
        {"GDI on the canvas's DC",
         [&](ui::TCanvas& canvas, TColor colour) {
             const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(colour)));
             FillRect(canvas.Handle(), &inside, brush.get());
         }},
    };
    Settle();
    ASSERT_EQ(glyph(), GlyphColour(1));
    for (const Way& way : ways) {
        for (const TColor colour : {RGBColor(200, 30, 40), GlyphColour(1)}) {
            way.fill(b->Glyph()->Canvas(), colour);
            b->Invalidate();
            Settle();
            EXPECT_EQ(glyph(), colour) << way.what;
        }
    }
}

TEST_F(PaintersTest, ClicksCountAsTheSystemCountsThem)
{
    ui::TButton* b = form_->Plain;
    int clicks = 0;
    b->OnClick = [&](ui::TObject*) { ++clicks; };
    struct Case {
        const char* what;
        std::vector<UINT> messages;
        int clicks;
    };
    const Case cases[] = {
        {"click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, 1},
        {"released outside", {WM_LBUTTONDOWN, WM_MOUSELEAVE, WM_LBUTTONUP}, 0},
        {"double-click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 2},
    };
    for (const Case& c : cases) {
        clicks = 0;
        for (UINT msg : c.messages) Post(b, msg, msg == WM_LBUTTONUP || msg == WM_MOUSELEAVE ? 0 : MK_LBUTTON);
        EXPECT_EQ(clicks, c.clicks) << c.what;
    }
    // The space key: pressed while held, a click when let go.
    clicks = 0;
    b->SetFocus();
    Post(b, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_EQ(Corner(b), FrameColour(2));
    Post(b, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Corner(b), FrameColour(5));
    b->OnClick = nullptr;
}

TEST_F(PaintersTest, SpeedButtonFramesFollowDownAndFlat)
{
    ui::TSpeedButton* s = form_->Speed;
    const TColor face = ui::ColorToRGB(form_->Skin->Color(skin::csButtonFace));
    EXPECT_EQ(Corner(s), FrameColour(1));
    s->SetFlat(true);
    Settle();
    EXPECT_EQ(Corner(s), face);  // a flat speed button shows no frame when idle
    s->SetDown(true);
    Settle();
    EXPECT_EQ(Corner(s), FrameColour(2));
    s->SetDown(false);
    s->SetFlat(false);
    Settle();
}

TEST_F(PaintersTest, CheckAndRadioCellsForEveryStripSize)
{
    ui::TCheckBox* c = form_->Check;
    ui::TRadioButton* r = form_->Radio;
    struct Strip {
        int checkCells;
        int radioCells;
        // unchecked, checked, grayed, disabled unchecked, disabled checked
        int check[5];
        // unchecked, checked, disabled unchecked, disabled checked
        int radio[4];
    };
    const Strip strips[] = {
        {4, 4, {1, 2, 4, 3, 4}, {1, 2, 3, 4}},
        {12, 8, {1, 5, 8, 4, 8}, {1, 5, 4, 8}},
    };
    for (const Strip& s : strips) {
        skintest::LoadPackage(*form_->Skin, TestSkin(s.checkCells, s.radioCells).Packed());
        c->Invalidate();
        r->Invalidate();
        Settle();
        const std::string strip = std::to_string(s.checkCells) + "/" + std::to_string(s.radioCells);
        c->SetState(ui::TCheckBoxState::cbUnchecked);
        r->SetChecked(false);
        Settle();
        EXPECT_EQ(BoxOf(c), CheckColour(s.check[0])) << strip;
        EXPECT_EQ(BoxOf(r), RadioColour(s.radio[0])) << strip;
        // Hot and pressed show the cell of the state itself.
        Post(c, WM_MOUSEMOVE, 0);
        EXPECT_EQ(BoxOf(c), CheckColour(s.check[0])) << strip;
        Post(c, WM_LBUTTONDOWN, MK_LBUTTON);
        EXPECT_EQ(BoxOf(c), CheckColour(s.check[0])) << strip;
        Post(c, WM_LBUTTONUP, 0);  // the click toggles the box
        EXPECT_TRUE(c->Checked()) << strip;
        EXPECT_EQ(BoxOf(c), CheckColour(s.check[1])) << strip;
        r->SetChecked(true);
        Settle();
        EXPECT_EQ(BoxOf(r), RadioColour(s.radio[1])) << strip;
        c->SetState(ui::TCheckBoxState::cbGrayed);
        Settle();
        EXPECT_EQ(BoxOf(c), CheckColour(s.check[2])) << strip;
        c->SetEnabled(false);
        r->SetEnabled(false);
        c->SetState(ui::TCheckBoxState::cbUnchecked);
        r->SetChecked(false);
        Settle();
        EXPECT_EQ(BoxOf(c), CheckColour(s.check[3])) << strip;
        EXPECT_EQ(BoxOf(r), RadioColour(s.radio[2])) << strip;
        c->SetState(ui::TCheckBoxState::cbChecked);
        r->SetChecked(true);
        Settle();
        EXPECT_EQ(BoxOf(c), CheckColour(s.check[4])) << strip;
        EXPECT_EQ(BoxOf(r), RadioColour(s.radio[3])) << strip;
        c->SetEnabled(true);
        r->SetEnabled(true);
    }
    skintest::LoadPackage(*form_->Skin, TestSkin(4, 4).Packed());
    Settle();
}

}  // namespace

namespace {

// A painter that owns its control's colour, on a panel that shows its parent's background:
// attaching takes both over, and freeing the painter gives both back, also after painting
// was switched off, and in either order with another hook on the control.
TEST_F(PaintersTest, FreeingAPainterRestoresColourParentBackgroundAndHookChain)
{
    skin::TWinSkinForm* controller = skin::SkinManage()->FindForm(form_->Handle());
    ASSERT_NE(controller, nullptr);
    for (const bool painterFirst : {true, false}) {
        auto* panel = new ui::TPanel(form_);
        panel->SetBounds(200, 200, 100, 40);
        panel->SetParent(form_);
        panel->SetParentBackground(true);
        const TColor colour = RGBColor(1, 99, 7);
        panel->SetColor(colour);
        const LONG_PTR procedure = GetWindowLongPtrW(panel->Handle(), GWLP_WNDPROC);
        int otherSaw = 0;
        const ui::THookToken other = panel->AddWindowHook([&](ui::TMessage& m, const ui::TWndMethod& next) {
            if (m.Msg == WM_USER + 7) ++otherSaw;
            next(m);
        });
        auto* painter = new skin::TSkinButton(panel);
        painter->Init(controller, form_->Skin, true);
        EXPECT_EQ(panel->Color(), form_->Skin->Color(skin::csButtonFace));
        EXPECT_FALSE(panel->ParentBackground());
        EXPECT_EQ(SendMessageW(panel->Handle(), skin::SKM_PROBE, 0, 0), 1);
        SendMessageW(panel->Handle(), skin::SKM_SKINENABLE, 0, 0);
        EXPECT_EQ(SendMessageW(panel->Handle(), skin::SKM_PROBE, 0, 0), 0);  // off: everything passes
        if (painterFirst) {
            delete painter;
            panel->RemoveWindowHook(other);
        } else {
            panel->RemoveWindowHook(other);
            SendMessageW(panel->Handle(), WM_USER + 7, 0, 0);
            delete painter;
        }
        EXPECT_EQ(panel->Color(), colour) << painterFirst;
        EXPECT_TRUE(panel->ParentBackground()) << painterFirst;
        EXPECT_EQ(GetWindowLongPtrW(panel->Handle(), GWLP_WNDPROC), procedure);
        EXPECT_EQ(otherSaw, 0);
        EXPECT_EQ(SendMessageW(panel->Handle(), skin::SKM_PROBE, 0, 0), 0);
        EXPECT_EQ(std::count_if(controller->Painters().begin(), controller->Painters().end(),
                                [panel](skin::TSkinControl* p) { return p->Control() == panel; }),
                  0);
        delete panel;
    }
}

}  // namespace

namespace {

// A bare window of the system's dialog class holding button windows of each style the window
// route serves: skinned by the manager as message boxes are.
class BareBox {
public:
    BareBox()
    {
        window = CreateWindowExW(0, L"#32770", L"Bare", WS_POPUP | WS_CAPTION | WS_SYSMENU, 560, 30, 260, 200, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        const std::pair<const wchar_t*, DWORD> buttons[] = {{L"是", BS_DEFPUSHBUTTON}, {L"否", BS_PUSHBUTTON},
                                                            {L"勾选", BS_AUTOCHECKBOX}, {L"单选", BS_AUTORADIOBUTTON}};
        int y = 10;
        for (const auto& [text, style] : buttons) {
            Buttons.push_back(CreateWindowExW(0, L"button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, 120, 28,
                                              window, nullptr, GetModuleHandleW(nullptr), nullptr));
            Procedures.push_back(GetWindowLongPtrW(Buttons.back(), GWLP_WNDPROC));
            y += 36;
        }
        // Shown, and so activated, the box is skinned.
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    }
    ~BareBox() { DestroyWindow(window); }
    BareBox(const BareBox&) = delete;
    BareBox& operator=(const BareBox&) = delete;

    HWND window = nullptr;
    std::vector<HWND> Buttons;
    // The buttons' window procedures before the skin.
    std::vector<LONG_PTR> Procedures;
};

// What skinning may change on a control, read from the control and its window.
struct Look {
    TColor colour;
    std::wstring parentBackground;
    LONG_PTR procedure;
    bool operator==(const Look&) const = default;
};

Look LookOf(ui::TWinControl* control)
{
    return {control->Color(), ui::GetEnumPropText(control, L"ParentBackground"),
            GetWindowLongPtrW(control->Handle(), GWLP_WNDPROC)};
}

class SkinCyclesTest : public PaintersTest {
protected:
    std::vector<ui::TWinControl*> Served() const
    {
        return {form_->Plain, form_->Default, form_->Bit, form_->Speed, form_->Check, form_->Radio};
    }
    std::vector<HWND> AllServedWindows(const BareBox& box) const
    {
        std::vector<HWND> windows = box.Buttons;
        for (ui::TWinControl* control : Served()) windows.push_back(control->Handle());
        return windows;
    }
    // Waits for every window to answer the probe as skinned or not.
    static bool AllSkinned(const std::vector<HWND>& windows, bool skinned)
    {
        return PumpUntil([&] {
            return std::all_of(windows.begin(), windows.end(), [&](HWND w) { return Skinned(w) == skinned; });
        });
    }
    // Through the manager's own command timer, without the component's quarter-second delay.
    static void Switch(bool on)
    {
        skin::SkinManage()->SetCurrentSkin(*form_->Skin);
        skin::SkinManage()->Schedule(on ? 1 : 2, 1);
    }
};

TEST_F(SkinCyclesTest, SkinOffRestoresEveryControlExactlyAndSkinOnReattaches)
{
    BareBox box;
    const std::vector<HWND> windows = AllServedWindows(box);
    ASSERT_TRUE(AllSkinned(windows, true));
    std::vector<Look> before;
    for (ui::TWinControl* control : Served()) before.push_back(LookOf(control));

    // Unskinned, every control is as it would be without the skin. Then another hook sits on
    // each control while the skin goes off, and comes off before or after the skin does.
    for (const bool skinFirst : {true, false}) {
        SCOPED_TRACE(skinFirst ? "skin off first" : "other hook off first");
        int otherSaw = 0;
        std::vector<ui::THookToken> hooks;
        for (ui::TWinControl* control : Served())
            hooks.push_back(control->AddWindowHook([&](ui::TMessage& m, const ui::TWndMethod& next) {
                if (m.Msg == WM_USER + 9) ++otherSaw;
                next(m);
            }));
        std::vector<std::unique_ptr<ui::TWindowSubclass>> subclasses;
        for (HWND button : box.Buttons) {
            ui::TWindowSubclass* other = subclasses.emplace_back(std::make_unique<ui::TWindowSubclass>()).get();
            other->Attach(button, [&otherSaw, other](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
                if (msg == WM_USER + 9) ++otherSaw;
                return other->CallNext(msg, wParam, lParam);
            });
        }
        const auto removeOthers = [&] {
            for (std::size_t k = 0; k < hooks.size(); ++k) Served()[k]->RemoveWindowHook(hooks[k]);
            subclasses.clear();
        };
        if (!skinFirst) removeOthers();
        form_->Skin->SetActive(false);
        ASSERT_TRUE(AllSkinned(windows, false));
        for (HWND w : windows) SendMessageW(w, WM_USER + 9, 0, 0);
        EXPECT_EQ(otherSaw, skinFirst ? static_cast<int>(windows.size()) : 0);
        if (skinFirst) removeOthers();
        for (std::size_t k = 0; k < Served().size(); ++k)
            EXPECT_EQ(LookOf(Served()[k]), before[k]) << Served()[k]->ClassName().data();
        for (std::size_t k = 0; k < box.Buttons.size(); ++k)
            EXPECT_EQ(GetWindowLongPtrW(box.Buttons[k], GWLP_WNDPROC), box.Procedures[k]) << k;
        EXPECT_EQ(skin::SkinManage()->FindForm(box.window), nullptr);
        EXPECT_EQ(skin::SkinManage()->FindForm(form_->Handle()), nullptr);

        form_->Skin->SetActive(true);
        ASSERT_TRUE(AllSkinned(windows, true));
        EXPECT_EQ(Corner(form_->Plain), FrameColour(1));
    }
}

TEST_F(SkinCyclesTest, NoHandlesGrowOverSkinCyclesAndRepaints)
{
    BareBox box;
    const std::vector<HWND> windows = AllServedWindows(box);
    ASSERT_TRUE(AllSkinned(windows, true));
    // A first cycle and paint settle what is made once (caches, the window-route class names).
    const auto cycles = [&](int count) {
        for (int k = 0; k < count; ++k) {
            Switch(false);
            ASSERT_TRUE(AllSkinned(windows, false)) << k;
            Switch(true);
            ASSERT_TRUE(AllSkinned(windows, true)) << k;
        }
    };
    const auto repaints = [&](int count) {
        for (int k = 0; k < count; ++k)
            for (HWND w : windows) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    };
    cycles(1);
    repaints(1);
    Settle();
    const std::uintptr_t gdi = skintest::GdiTableReach();
    const std::uintptr_t user = skintest::UserTableReach();
    const DWORD gdiCount = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userCount = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    cycles(100);
    repaints(1000);
    Settle();
    EXPECT_LE(skintest::GdiTableReach(), gdi);
    EXPECT_LE(skintest::UserTableReach(), user);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiCount);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userCount);
    EXPECT_EQ(Corner(form_->Plain), FrameColour(1));
}

}  // namespace
namespace {

// A click handler that gives every painter of the form back and classifies the controls
// again, as switching the skin off and on from a button does: the painter whose message
// is on its way is freed under it and must not be touched after the control's handling.
TEST_F(SkinCyclesTest, APainterFreedByItsOwnControlsClickIsNotUsedAfterwards)
{
    skin::TWinSkinForm* controller = skin::SkinManage()->FindForm(form_->Handle());
    ASSERT_NE(controller, nullptr);
    int clicks = 0;
    const auto reclassify = [&](ui::TObject*) {
        ++clicks;
        controller->ReleasePainters();
        controller->SkinAllControls();
    };
    struct Case {
        const char* what;
        ui::TWinControl* control;
        std::vector<std::pair<UINT, WPARAM>> messages;
    };
    const Case cases[] = {
        {"space on a push button", form_->Plain, {{WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}}},
        {"click on a check box", form_->Check, {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}},
        {"click on a speed button", form_->Speed, {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}},
    };
    for (const Case& c : cases) {
        c.control->OnClick = reclassify;
        clicks = 0;
        for (int k = 0; k < 3; ++k) {
            c.control->SetFocus();
            for (const auto& [msg, wParam] : c.messages)
                Post(c.control, msg, wParam, msg == WM_KEYDOWN ? 0x00390001 : msg == WM_KEYUP ? static_cast<LPARAM>(0xC0390001u) : MAKELPARAM(5, 5));
        }
        c.control->OnClick = nullptr;
        EXPECT_EQ(clicks, 3) << c.what;
        EXPECT_TRUE(Skinned(c.control->Handle())) << c.what;
    }
    form_->Check->SetChecked(false);
}

}  // namespace

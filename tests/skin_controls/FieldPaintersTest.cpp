// Scroll-bar, edit, combo-box, up-down and date painters on real windows under Wine, attached
// by the skin manager's classification as the program attaches them, with the default skin:
// framework controls on a form, and bare system windows on a window without a form. What a
// control shows on screen is compared with the skin's picture drawn off-screen for the same
// geometry and state.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/BarSkins.h"
#include "skin/controls/EditPainters.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "skin_controls/OverlayPictures.h"
#include "skin_form/SkinWindows.h"
#include "support/ProgramEnvironment.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/Grids.h"
#include "ui/StdCtrls.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;
using ui::TColor;

[[maybe_unused]] const auto* const g_environment = testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment);

bool Skinned(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

void UseEveryControl(skin::TSkinData& skin)
{
    using enum skin::TSkinControlType;
    skin.SkinControls = {xcCombo, xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton,
                         xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar};
}

class RowsGrid : public ui::TCustomGrid {
public:
    explicit RowsGrid(ui::TComponent* owner) : TCustomGrid(owner)
    {
        SetColCount(8);
        SetRowCount(500);
        SetFixedRows(1);
        SetFixedCols(0);
        SetDefaultColWidth(90);
        SetScrollBars(ui::TScrollStyle::ssBoth);
    }
};

std::wstring Lines(int count)
{
    std::wstring text;
    for (int k = 0; k < count; ++k) text += L"第" + std::to_wstring(k) + L"行：录音整理的文字，足够长，能出现水平滚动条。\r\n";
    return text;
}

constexpr TColor kGridFixedColour = ui::RGBColor(1, 120, 7);

class FieldsForm : public ui::TForm {
public:
    FieldsForm() : ui::TForm(nullptr)
    {
        SetBounds(30, 30, 660, 420);
        SetCaption(L"Fields");
        Skin = new skin::TSkinData(this);
        Skin->ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM");
        UseEveryControl(*Skin);
        Skin->SetActive(true);
        Memo = Add(new ui::TMemo(this), 10, 10, 260, 150);
        Memo->SetScrollBars(ui::TScrollStyle::ssBoth);
        Memo->SetWordWrap(false);
        Grid = Add(new RowsGrid(this), 280, 10, 350, 200);
        Grid->SetFixedColor(kGridFixedColour);
        Edit = Add(new ui::TEdit(this), 10, 170, 150, 22);
        Picker = Add(new ui::TDateTimePicker(this), 10, 200, 150, 22);
        Combo = Add(new ui::TComboBox(this), 10, 230, 150, 22);
        Combo->SetStyle(ui::TComboBoxStyle::csDropDownList);
        for (int k = 0; k < 30; ++k) Combo->Items().Add(L"字体" + std::to_wstring(k));
        Combo->ItemsChanged();
        Spin = Add(new ui::TUpDown(this), 170, 170, 17, 40);
        Simple = Add(new ui::TComboBox(this), 450, 230, 150, 120);
        Simple->SetStyle(ui::TComboBoxStyle::csSimple);
        for (int k = 0; k < 30; ++k) Simple->Items().Add(L"宋体" + std::to_wstring(k));
        Simple->ItemsChanged();
        FinishCreate();
        Memo->SetText(Lines(40));
        // A list of the system's class that the program put on the form itself.
        BareList = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT,
                                   280, 220, 150, 90, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int k = 0; k < 30; ++k) SendMessageW(BareList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"墨笺"));
    }

    template <class T>
    T* Add(T* control, int x, int y, int w, int h)
    {
        control->SetBounds(x, y, w, h);
        control->SetParent(this);
        return control;
    }

    skin::TSkinData* Skin;
    ui::TMemo* Memo;
    RowsGrid* Grid;
    ui::TEdit* Edit;
    ui::TDateTimePicker* Picker;
    ui::TComboBox* Combo;
    ui::TUpDown* Spin;
    ui::TComboBox* Simple;
    HWND BareList;
};

using skintest::DifferingPixels;
using skintest::WholeOf;

template <class Painter>
Painter* PainterOf(skin::TWinSkinForm& controller, HWND window)
{
    for (skin::TSkinControl* painter : controller.Painters())
        if (painter->Window() == window) return dynamic_cast<Painter*>(painter);
    return nullptr;
}

class FieldPainters : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form_ = new FieldsForm;
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(form_->Memo->Handle()) && Skinned(form_->Picker->Handle()); }));
    }
    static void TearDownTestSuite()
    {
        delete form_;
        form_ = nullptr;
    }
    void SetUp() override
    {
        form_->Edit->SetFocus();
        skintest::Pump(40ms);
    }

    static skin::TWinSkinForm& Controller() { return *skin::SkinManage()->FindForm(form_->Handle()); }
    static const skin::TSkinElements& Elements() { return form_->Skin->Elements(); }
    static skin::TScrollbarOverlays& MemoBars()
    {
        return *PainterOf<skin::TSkinScrollbar>(Controller(), form_->Memo->Handle())->Overlays();
    }

    static int OverlayDiffering(skin::TWScrollbar& overlay, int hotPart)
    {
        return skintest::OverlayDiffering(overlay, Elements(), hotPart);
    }

    static inline FieldsForm* form_ = nullptr;
};

TEST_F(FieldPainters, EachControlGetsItsPainter)
{
    const std::pair<HWND, std::wstring> served[] = {
        {form_->Memo->Handle(), L"TSkinScrollbar"}, {form_->Grid->Handle(), L"TSkinScrollbar"},
        {form_->Edit->Handle(), L"TSkinEdit"},      {form_->Picker->Handle(), L"TSkinDateTime"},
        {form_->Combo->Handle(), L"TSkinComBox"},   {form_->Spin->Handle(), L"TSkinUpDown"},
        {form_->BareList, L"TSkinScrollbarH"}};
    for (const auto& [window, painter] : served) {
        EXPECT_TRUE(Skinned(window)) << painter;
        skin::TSkinControl* found = PainterOf<skin::TSkinControl>(Controller(), window);
        ASSERT_NE(found, nullptr) << painter;
        EXPECT_EQ(std::wstring(found->ClassName()), painter);
    }
    // The drop-down list's bar has its painter, owned by the combo box's.
    auto* combo = PainterOf<skin::TSkinComBox>(Controller(), form_->Combo->Handle());
    ASSERT_NE(combo->ListPainter(), nullptr);
    EXPECT_EQ(std::wstring(combo->ListPainter()->ClassName()), L"TComboxScrollBar");
    EXPECT_TRUE(Skinned(combo->ListPainter()->Window()));
    // The grid's fixed cells take the skin's face colour.
    EXPECT_EQ(form_->Grid->FixedColor(), form_->Skin->Color(skin::csButtonFace));
}

TEST_F(FieldPainters, MemoOverlaysShowTheSkinsBarInEachState)
{
    skin::TScrollbarOverlays& bars = MemoBars();
    ASSERT_TRUE(bars.Vertical().Shown());
    ASSERT_TRUE(bars.Horizontal().Shown());
    SendMessageW(form_->Memo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0);
    SendMessageW(form_->Memo->Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(OverlayDiffering(bars.Vertical(), SB_ENDSCROLL), 0);
    EXPECT_EQ(OverlayDiffering(bars.Horizontal(), skin::bpNone), 0);
    // The mouse over the second arrow shows its hot cell; the arrow the platform operates
    // (a scroll request from the native bar) shows as that part.
    RECT client{};
    GetClientRect(bars.Vertical().Handle(), &client);
    SendMessageW(bars.Vertical().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom - 3));
    EXPECT_EQ(OverlayDiffering(bars.Vertical(), skin::bpSecondArrow), 0);
    SendMessageW(bars.Vertical().Handle(), WM_MOUSELEAVE, 0, 0);
    SendMessageW(form_->Memo->Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(OverlayDiffering(bars.Vertical(), skin::bpFirstArrow), 0);
    SendMessageW(form_->Memo->Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
    // The corner between the bars in the skin's face colour, the border in shadow and face.
    RECT window{}, v{};
    GetWindowRect(form_->Memo->Handle(), &window);
    GetWindowRect(bars.Vertical().Handle(), &v);
    const skintest::WindowPicture memo(form_->Memo->Handle());
    const TColor face = ui::ColorToRGB(form_->Skin->Color(skin::csButtonFace));
    EXPECT_EQ(memo.At(v.left - window.left + 3, v.bottom - window.top + 3), face);
    EXPECT_EQ(memo.At(0, 30), ui::ColorToRGB(form_->Skin->Color(skin::csButtonShadow)));
    EXPECT_EQ(memo.At(1, 30), face);
}

// A press on the overlay's second arrow is the native bar's: the memo scrolls line by line
// while the arrow shows pressed, until the button is released.
TEST_F(FieldPainters, PressedArrowShowsPressedWhileTheNativeBarScrolls)
{
    skin::TWScrollbar& bar = MemoBars().Vertical();
    const HWND memo = form_->Memo->Handle();
    SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    SendMessageW(memo, WM_VSCROLL, SB_ENDSCROLL, 0);
    RECT client{};
    GetClientRect(bar.Handle(), &client);
    const POINT arrow{client.right / 2, client.bottom - 3};
    int pressedDiffering = -1;
    skintest::TickScript script({[&] {
        pressedDiffering = skintest::OverlayDiffering(bar, Elements(), skin::bpSecondArrow, true);
        POINT up = arrow;
        MapWindowPoints(bar.Handle(), memo, &up, 1);
        PostMessageW(memo, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
        return true;
    }});
    SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_TRUE(PumpUntil([&] { return script.Finished(); }));
    EXPECT_EQ(pressedDiffering, 0);
    EXPECT_GT(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    // Released: the arrow is hot again, no longer pressed.
    SendMessageW(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_EQ(OverlayDiffering(bar, skin::bpSecondArrow), 0);
    SendMessageW(bar.Handle(), WM_MOUSELEAVE, 0, 0);
}

TEST_F(FieldPainters, GridOverlaysShowTheSkinsBar)
{
    auto* painter = PainterOf<skin::TSkinScrollbar>(Controller(), form_->Grid->Handle());
    ASSERT_NE(painter, nullptr);
    form_->Grid->SetTopRow(200);
    skintest::Pump(40ms);
    ASSERT_TRUE(painter->Overlays()->Vertical().Shown());
    EXPECT_EQ(OverlayDiffering(painter->Overlays()->Vertical(), skin::bpNone), 0);
    // Freed, the painter gives the fixed cells their colour back and takes its overlays.
    const HWND overlay = painter->Overlays()->Vertical().Handle();
    delete painter;
    EXPECT_EQ(form_->Grid->FixedColor(), kGridFixedColour);
    EXPECT_FALSE(IsWindow(overlay));
}

TEST_F(FieldPainters, EditAndPickerBordersAreTheSkins)
{
    for (HWND window : {form_->Edit->Handle(), form_->Picker->Handle()}) {
        const bool edit = window == form_->Edit->Handle();
        RECT client{};
        GetClientRect(window, &client);
        const RECT whole = WholeOf(window);
        const SIZE size{whole.right, whole.bottom}, inner{client.right, client.bottom};
        // The border ring, two pixels wide for the picker and three for the edit.
        const int ring = edit ? 3 : 2;
        for (const RECT side : {RECT{0, 0, size.cx, ring}, RECT{0, 0, ring, size.cy}, RECT{0, size.cy - ring, size.cx, size.cy},
                                RECT{size.cx - ring, 0, size.cx, size.cy}})
            EXPECT_EQ(DifferingPixels(window, side, [&](HDC dc) { skin::PaintControlBorder(dc, size, inner, Elements(), edit); }), 0)
                << (edit ? "edit" : "picker");
    }
}

TEST_F(FieldPainters, SimpleComboShowsAnEditBorderAboveItsSkinnedList)
{
    const HWND combo = form_->Simple->Handle();
    COMBOBOXINFO info{sizeof(info)};
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    RECT whole{}, list{};
    GetWindowRect(combo, &whole);
    GetWindowRect(info.hwndList, &list);
    const SIZE part{whole.right - whole.left, list.top - whole.top};
    for (const RECT side : {RECT{0, 0, part.cx, 3}, RECT{0, 0, 3, part.cy}, RECT{0, part.cy - 3, part.cx, part.cy},
                            RECT{part.cx - 3, 0, part.cx, part.cy}})
        EXPECT_EQ(DifferingPixels(combo, side,
                                  [&](HDC dc) { skin::PaintControlBorder(dc, part, {part.cx - 4, part.cy - 4}, Elements(), true); }),
                  0);
    // The list's sunken border: the skin's shadow line and the face inside it.
    RedrawWindow(info.hwndList, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const skintest::WindowPicture picture(info.hwndList);
    const int h = picture.Height();
    EXPECT_EQ(picture.At(0, h / 2), form_->Skin->Color(skin::csButtonShadow));
    EXPECT_EQ(picture.At(1, h / 2), form_->Skin->Color(skin::csButtonFace));
}

TEST_F(FieldPainters, PickerArrowButtonShowsItsCellAndOpensTheCalendar)
{
    auto* painter = PainterOf<skin::TSkinDateTime>(Controller(), form_->Picker->Handle());
    ASSERT_NE(painter, nullptr);
    const HWND arrow = painter->Arrow()->Handle();
    ASSERT_TRUE(IsWindowVisible(arrow));
    for (const bool over : {false, true}) {
        if (over) SendMessageW(arrow, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(DifferingPixels(arrow, WholeOf(arrow), [&](HDC dc) { skin::PaintArrowButton(dc, WholeOf(arrow), Elements(), over); }), 0)
            << over;
    }
    SendMessageW(arrow, WM_MOUSELEAVE, 0, 0);
    // Switched off, the picker's own arrow shows; on again, the skinned one.
    SendMessageW(form_->Picker->Handle(), skin::SKM_SKINENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(arrow));
    SendMessageW(form_->Picker->Handle(), skin::SKM_SKINENABLE, 1, 0);
    EXPECT_TRUE(IsWindowVisible(arrow));
}

TEST_F(FieldPainters, ComboButtonShowsTheFrameOfEachState)
{
    const HWND combo = form_->Combo->Handle();
    auto* painter = PainterOf<skin::TSkinComBox>(Controller(), combo);
    ASSERT_NE(painter, nullptr);
    const auto differing = [&](int frame) {
        const RECT button = painter->ButtonRect();
        const RECT whole = WholeOf(combo);
        return DifferingPixels(combo, button, [&](HDC dc) {
            skin::PaintComboBox(dc, {whole.right, whole.bottom}, Elements(), frame, false);
        });
    };
    EXPECT_EQ(differing(1), 0);
    const RECT button = painter->ButtonRect();
    ASSERT_FALSE(IsRectEmpty(&button));
    RECT client{};
    GetClientRect(combo, &client);
    // Over the button (client coordinates: the border is two pixels); off it again.
    SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(client.right - 4, client.bottom / 2));
    EXPECT_EQ(differing(4), 0);
    SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(4, client.bottom / 2));
    EXPECT_EQ(differing(1), 0);
    form_->Combo->SetEnabled(false);
    EXPECT_EQ(differing(3), 0);
    form_->Combo->SetEnabled(true);
}

TEST_F(FieldPainters, UpDownHalvesShowTheirStates)
{
    const HWND spin = form_->Spin->Handle();
    RECT client{};
    GetClientRect(spin, &client);
    const auto differing = [&](int hotHalf, bool pressed) {
        return DifferingPixels(spin, client, [&](HDC dc) {
            skin::TUpDownLook look;
            look.HalfUnderCursor = hotHalf;
            look.Over = hotHalf >= 0;
            look.Pressed = pressed;
            skin::PaintUpDown(dc, client, Elements(), look);
        });
    };
    EXPECT_EQ(differing(-1, false), 0);
    SendMessageW(spin, WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom - 3));
    EXPECT_EQ(differing(1, false), 0);
    SendMessageW(spin, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(differing(-1, false), 0);
}

TEST_F(FieldPainters, SwitchedOffTheNativeBarsShowAndOnAgainTheOverlaysReturn)
{
    const HWND memo = form_->Memo->Handle();
    skin::TScrollbarOverlays& bars = MemoBars();
    SendMessageW(memo, skin::SKM_SKINENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(bars.Vertical().Handle()));
    EXPECT_FALSE(IsWindowVisible(bars.Horizontal().Handle()));
    EXPECT_FALSE(Skinned(memo));
    SendMessageW(memo, skin::SKM_SKINENABLE, 1, 0);
    EXPECT_TRUE(IsWindowVisible(bars.Vertical().Handle()));
    EXPECT_TRUE(IsWindowVisible(bars.Horizontal().Handle()));
    EXPECT_TRUE(Skinned(memo));
}

// A window made again by the framework (the memo's bars changed) gets a fresh painter and
// fresh overlays over its new bar; freeing that painter takes its overlays.
TEST_F(FieldPainters, RecreatedMemoIsServedAgainAndFreeingItsPainterTakesItsOverlays)
{
    const HWND before = form_->Memo->Handle();
    form_->Memo->SetScrollBars(ui::TScrollStyle::ssVertical);
    const HWND after = form_->Memo->Handle();
    ASSERT_NE(before, after);
    ASSERT_TRUE(PumpUntil([&] { return Skinned(after); }));
    auto* painter = PainterOf<skin::TSkinScrollbar>(Controller(), after);
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(PainterOf<skin::TSkinControl>(Controller(), before), nullptr);
    skin::TWScrollbar& vertical = painter->Overlays()->Vertical();
    ASSERT_TRUE(vertical.Shown());
    EXPECT_TRUE(skintest::MatchesBar(vertical));
    EXPECT_FALSE(painter->Overlays()->Horizontal().Shown());

    const HWND overlay = vertical.Handle();
    delete painter;
    EXPECT_FALSE(IsWindow(overlay));
    EXPECT_FALSE(Skinned(after));
}

// The dropped-down list's bar is drawn from the skin into the list's own frame.
TEST_F(FieldPainters, DroppedDownListShowsTheSkinsBar)
{
    auto* painter = PainterOf<skin::TSkinComBox>(Controller(), form_->Combo->Handle());
    ASSERT_NE(painter, nullptr);
    const HWND list = painter->ListPainter()->Window();
    // The height a drop-down list combo box is given is its list's when dropped down.
    RECT shown{};
    GetWindowRect(form_->Combo->Handle(), &shown);
    SetWindowPos(form_->Combo->Handle(), nullptr, 0, 0, shown.right - shown.left, 160, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(form_->Combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; }));
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    SCROLLBARINFO info{};
    ASSERT_TRUE(skin::SkinGetScrollBarInfo(list, OBJID_VSCROLL, info));
    RECT frame{}, bar = info.rcScrollBar;
    GetWindowRect(list, &frame);
    OffsetRect(&bar, -frame.left, -frame.top);
    ASSERT_FALSE(IsRectEmpty(&bar));
    const int differing = DifferingPixels(list, bar, [&](HDC dc) {
        skin::TScrollBarLook look;
        look.Vertical = true;
        look.Arrow = GetSystemMetrics(SM_CXHSCROLL);
        look.Thumb = {info.xyThumbTop, info.xyThumbBottom};
        skin::PaintScrollBar(dc, bar, Elements(), look);
    });
    SendMessageW(form_->Combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(differing, 0);
}

// Asked to paint its client into a device context, the edit does, and confirms it.
TEST_F(FieldPainters, EditPaintsItsClientIntoAGivenContext)
{
    form_->Edit->SetText(L"墨笺速记");
    RECT client{};
    GetClientRect(form_->Edit->Handle(), &client);
    ui::TBitmap picture(client.right, client.bottom);
    const HDC dc = picture.Canvas().Handle();
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(SendMessageW(form_->Edit->Handle(), skin::SKM_PAINTCLIENTTO, 0, skin::kSkinMarker), skin::kSkinMarker);
    EXPECT_EQ(SendMessageW(form_->Edit->Handle(), skin::SKM_PAINTCLIENTTO, reinterpret_cast<WPARAM>(dc), skin::kSkinMarker),
              skin::kSkinMarker);
    // The edit's white background now fills the picture that was black.
    EXPECT_EQ(picture.Canvas().Pixel(client.right - 2, client.bottom / 2), ui::ColorToRGB(ui::clWindow));
    form_->Edit->SetText(L"");
}

// Bare system windows on a window without a framework form: the window route.
TEST_F(FieldPainters, BareSystemWindowsGetTheirPaintersAndListBarsTheirOverlays)
{
    const HWND host = CreateWindowExW(0, L"#32770", L"Bare", WS_OVERLAPPEDWINDOW, 60, 60, 420, 300, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(host);
    const auto make = [host](const wchar_t* type, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0) {
        return CreateWindowExW(exStyle, type, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    };
    const HWND edit = make(L"EDIT", ES_AUTOHSCROLL, 10, 10, 120, 22, WS_EX_CLIENTEDGE);
    const HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT, 0, 0, 0, 0, edit, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    const HWND list = make(L"LISTBOX", WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT, 10, 40, 120, 80);
    for (int k = 0; k < 30; ++k) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"墨笺"));
    const HWND bar = make(L"SCROLLBAR", SBS_HORZ, 10, 130, 200, 17);
    const HWND combo = make(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 150, 10, 120, 200);
    const HWND arrows = make(UPDOWN_CLASSW, UDS_HORZ, 150, 40, 40, 20);
    const HWND listView = make(WC_LISTVIEWW, LVS_REPORT, 220, 130, 150, 100);
    const HWND simple = make(L"COMBOBOX", CBS_SIMPLE | WS_VSCROLL, 280, 10, 120, 110);
    for (int k = 0; k < 30; ++k) SendMessageW(simple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"宋体"));
    COMBOBOXINFO simpleInfo{sizeof(simpleInfo)};
    ASSERT_TRUE(GetComboBoxInfo(simple, &simpleInfo));
    ShowWindow(host, SW_SHOW);
    SetForegroundWindow(host);
    ASSERT_TRUE(PumpUntil([&] { return Skinned(edit) && Skinned(list); }));
    skin::TWinSkinForm* controller = skin::SkinManage()->FindForm(host);
    ASSERT_NE(controller, nullptr);
    const std::pair<HWND, std::wstring> served[] = {{edit, L"TSkinEdit"},
                                                    {list, L"TSkinScrollbarH"},
                                                    {bar, L"TSkinScControl"},
                                                    {combo, L"TSkinComBox"},
                                                    {arrows, L"TSkinUpDown"},
                                                    {listView, L"TSkinScrollbarH"},
                                                    {simpleInfo.hwndList, L"TSkinScrollbarH"}};
    for (const auto& [window, painter] : served) {
        EXPECT_TRUE(Skinned(window)) << painter;
        skin::TSkinControl* found = PainterOf<skin::TSkinControl>(*controller, window);
        ASSERT_NE(found, nullptr) << painter;
        EXPECT_EQ(std::wstring(found->ClassName()), painter);
    }
    // The edit's spin child is adopted at the edit's first paint.
    EXPECT_TRUE(PumpUntil([&] { return Skinned(spin); }));
    EXPECT_TRUE(PainterOf<skin::TSkinEdit>(*controller, edit)->AdoptedUpDown());
    auto* listPainter = PainterOf<skin::TSkinScrollbarH>(*controller, list);
    ASSERT_TRUE(listPainter->Overlays()->Vertical().Shown());
    EXPECT_TRUE(skintest::MatchesBar(listPainter->Overlays()->Vertical()));
    // The simple combo box gets no painter of its own; its list's bar gets an overlay.
    EXPECT_EQ(PainterOf<skin::TSkinControl>(*controller, simple), nullptr);
    auto* simpleList = PainterOf<skin::TSkinScrollbarH>(*controller, simpleInfo.hwndList);
    ASSERT_TRUE(simpleList->Overlays()->Vertical().Shown());
    EXPECT_TRUE(skintest::MatchesBar(simpleList->Overlays()->Vertical()));
    auto* barPainter = PainterOf<skin::TSkinScControl>(*controller, bar);
    RECT covered{}, whole{};
    GetWindowRect(barPainter->Overlay()->Handle(), &covered);
    GetWindowRect(bar, &whole);
    EXPECT_TRUE(EqualRect(&covered, &whole));
    // Switched off, the list's native bar shows; freed while off, the painter takes its
    // overlays and gives the list its style back.
    const HWND overlay = listPainter->Overlays()->Vertical().Handle();
    ASSERT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & WS_CLIPSIBLINGS);
    SendMessageW(list, skin::SKM_SKINENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(overlay));
    delete listPainter;
    EXPECT_FALSE(IsWindow(overlay));
    EXPECT_FALSE(GetWindowLongPtrW(list, GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_FALSE(Skinned(list));
    DestroyWindow(host);
}

// A control of a class the skin's third-party list names "embedscrollbar": the bars of its
// children are skinned, a bare scroll bar among them too; without the line that bar is left
// alone.
class ScrollHost : public ui::TCustomControl {
public:
    ScrollHost(ui::TComponent* owner, std::wstring_view name) : TCustomControl(owner), name_(name) {}
    std::wstring_view ClassName() const override { return name_; }

private:
    std::wstring_view name_;
};

TEST(EmbeddedScrollbars, OnlyTheChildrensBarsOfAListedHostAreSkinned)
{
    ui::TForm form(nullptr);
    form.SetBounds(40, 40, 560, 300);
    auto* skin = new skin::TSkinData(&form);
    skin->ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM");
    UseEveryControl(*skin);
    ui::TStringList lines;
    lines.Assign(skin->Skin3rd());
    lines.Add(L"TListedHost=embedscrollbar");
    skin->SetSkin3rd(lines);
    skin->SetActive(true);
    struct Host {
        const wchar_t* name;
        bool listed;
        ScrollHost* control = nullptr;
        ui::TMemo* memo = nullptr;
        HWND bar = nullptr;
    } hosts[] = {{L"TListedHost", true}, {L"TOtherHost", false}};
    int left = 10;
    for (Host& host : hosts) {
        host.control = new ScrollHost(&form, host.name);
        host.control->SetBounds(left, 10, 250, 240);
        host.control->SetParent(&form);
        // Owned by the host, so that only the host's classification reaches it.
        host.memo = new ui::TMemo(host.control);
        host.memo->SetBounds(5, 5, 200, 150);
        host.memo->SetScrollBars(ui::TScrollStyle::ssVertical);
        host.memo->SetParent(host.control);
        left += 270;
    }
    form.FinishCreate();
    for (Host& host : hosts)
        host.bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 5, 170, 200, 17,
                                   host.control->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return skin::SkinManage()->FindForm(form.Handle()) != nullptr; }));
    skintest::Pump(200ms);
    skin::TWinSkinForm& controller = *skin::SkinManage()->FindForm(form.Handle());
    for (const Host& host : hosts) {
        EXPECT_EQ(PainterOf<skin::TSkinControl>(controller, host.control->Handle()), nullptr) << host.name;
        auto* memo = PainterOf<skin::TSkinControl>(controller, host.memo->Handle());
        auto* bar = PainterOf<skin::TSkinControl>(controller, host.bar);
        // The framework's memo is reached through the tab order in any case, once.
        ASSERT_NE(memo, nullptr) << host.name;
        EXPECT_EQ(std::wstring(memo->ClassName()), L"TSkinScrollbar") << host.name;
        EXPECT_EQ(bar && std::wstring(bar->ClassName()) == L"TSkinScControl", host.listed) << host.name;
    }
}

}  // namespace

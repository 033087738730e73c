// Controls on real windows: class names, the control lookup by window property, the
// window hooks, properties by name, alignment and reflected notifications.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

std::wstring WindowClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new ui::TForm(nullptr);
        form->SetBounds(10, 10, 600, 400);
    }
    void TearDown() override { delete form; }

    ui::TForm* form = nullptr;
};

TEST_F(ControlsTest, WindowsCarryTheControlClassNameAndAreFoundByProperty)
{
    auto* edit = new ui::TEdit(form);
    edit->SetParent(form);
    auto* memo = new ui::TMemo(form);
    memo->SetParent(form);
    auto* bit = new ui::TBitBtn(form);
    bit->SetParent(form);
    auto* panel = new ui::TPanel(form);
    panel->SetParent(form);
    auto* check = new ui::TCheckBox(form);
    check->SetParent(panel);

    const std::pair<ui::TWinControl*, const wchar_t*> cases[] = {
        {edit, L"TEdit"}, {memo, L"TMemo"}, {bit, L"TBitBtn"}, {panel, L"TPanel"}, {check, L"TCheckBox"}, {form, L"TForm"}};
    for (const auto& [control, name] : cases) {
        HWND window = control->Handle();
        ASSERT_TRUE(IsWindow(window)) << name;
        EXPECT_EQ(WindowClassName(window), name);
        EXPECT_EQ(ui::FindControl(window), control) << name;
        EXPECT_NE(GetPropW(window, ui::ControlAtomName().c_str()), nullptr) << name;
    }
    wchar_t expected[64];
    swprintf(expected, 64, L"ControlOfs%.8llX%.8lX",
        static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(GetModuleHandleW(nullptr))),
        static_cast<unsigned long>(GetCurrentThreadId()));
    EXPECT_EQ(ui::ControlAtomName(), expected);
    EXPECT_EQ(ui::FindControl(GetDesktopWindow()), nullptr);
}

TEST_F(ControlsTest, WindowHookSeesMessagesAndComesOffCleanly)
{
    auto* edit = new ui::TEdit(form);
    edit->SetParent(form);
    edit->HandleNeeded();
    int seen = 0;
    const ui::THookToken token = edit->AddWindowHook([&](ui::TMessage& message, const ui::TWndMethod& next) {
        if (message.Msg == WM_SETTEXT) ++seen;
        next(message);
    });
    edit->SetText(L"一二三");
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(edit->Text(), L"一二三");
    edit->RemoveWindowHook(token);
    edit->SetText(L"abc");
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(edit->Text(), L"abc");
}

TEST_F(ControlsTest, PropertiesByNameWithLenientMisses)
{
    auto* check = new ui::TCheckBox(form);
    check->SetParent(form);
    check->SetCaption(L"开启");
    EXPECT_EQ(ui::GetStrProp(check, L"Caption"), L"开启");
    EXPECT_EQ(ui::GetOrdProp(check, L"Checked"), 0);
    EXPECT_TRUE(ui::SetOrdProp(check, L"Checked", 1));
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(dynamic_cast<ui::TFont*>(ui::GetObjectProp(check, L"Font")), nullptr);

    EXPECT_EQ(ui::GetOrdProp(check, L"NoSuchProperty"), -1);
    EXPECT_EQ(ui::GetStrProp(check, L"Glyph"), L"");
    EXPECT_EQ(ui::GetObjectProp(check, L"Glyph"), nullptr);
    EXPECT_FALSE(ui::SetOrdProp(check, L"NoSuchProperty", 3));

    auto* bit = new ui::TBitBtn(form);
    EXPECT_NE(dynamic_cast<ui::TBitmap*>(ui::GetObjectProp(bit, L"Glyph")), nullptr);
    EXPECT_EQ(ui::GetOrdProp(form, L"ParentBackground"), 0);
}

TEST_F(ControlsTest, AlignedChildrenShareTheClientArea)
{
    form->HandleNeeded();
    form->SetClientSize(500, 300);
    auto* top = new ui::TPanel(form);
    top->SetHeight(65);
    top->SetAlign(ui::TAlign::alTop);
    top->SetParent(form);
    auto* bottom = new ui::TPanel(form);
    bottom->SetHeight(76);
    bottom->SetAlign(ui::TAlign::alBottom);
    bottom->SetParent(form);
    auto* client = new ui::TMemo(form);
    client->SetAlign(ui::TAlign::alClient);
    client->SetParent(form);
    // Right-aligned siblings keep their order: the rightmost first.
    auto* right1 = new ui::TPanel(form);
    right1->SetBounds(400, 0, 50, 10);
    auto* right2 = new ui::TPanel(form);
    right2->SetBounds(300, 0, 30, 10);
    for (auto* p : {right1, right2}) {
        p->SetAlign(ui::TAlign::alRight);
        p->SetParent(bottom);
    }
    // A form being built lays its controls out once it is loaded.
    form->FinishCreate();

    EXPECT_EQ(form->ClientWidth(), 500);
    EXPECT_EQ(form->ClientHeight(), 300);
    EXPECT_EQ(top->BoundsRect().top, 0);
    EXPECT_EQ(top->Width(), 500);
    EXPECT_EQ(bottom->Top(), 300 - 76);
    EXPECT_EQ(client->Top(), 65);
    EXPECT_EQ(client->Height(), 300 - 65 - 76);
    EXPECT_EQ(right1->Left() + right1->Width(), bottom->ClientWidth() - 1);
    EXPECT_EQ(right2->Left() + right2->Width(), right1->Left());

    form->SetClientSize(700, 400);
    EXPECT_EQ(client->Width(), 700);
    EXPECT_EQ(client->Height(), 400 - 65 - 76);
}

TEST_F(ControlsTest, ButtonClickAndCheckBoxToggleArriveAsEvents)
{
    auto* button = new ui::TBitBtn(form);
    button->SetParent(form);
    auto* check = new ui::TCheckBox(form);
    check->SetParent(form);
    int clicks = 0, toggles = 0;
    button->OnClick = [&](ui::TObject*) { ++clicks; };
    check->OnClick = [&](ui::TObject*) { ++toggles; };
    // What the button sends its parent when it is pressed.
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button->Handle()));
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(check->Handle()));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(toggles, 1);
    EXPECT_TRUE(check->Checked());
    check->SetChecked(false);
    EXPECT_EQ(toggles, 2);
    check->SetChecked(false);
    EXPECT_EQ(toggles, 2);
}

TEST_F(ControlsTest, TrackBarChangesFromCodeAndFromTheUser)
{
    auto* bar = new ui::TTrackBar(form);
    bar->SetParent(form);
    std::vector<int> seen;
    bar->OnChange = [&](ui::TObject*) { seen.push_back(bar->Position()); };
    bar->SetRange(0, 5000000);
    bar->SetPosition(4869000);
    SendMessageW(bar->Handle(), TBM_SETPOS, TRUE, 1000);
    SendMessageW(form->Handle(), WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(seen, (std::vector<int>{4869000, 1000}));
}

TEST_F(ControlsTest, PageControlShowsOnePageAndTellsTheShownPage)
{
    auto* pages = new ui::TPageControl(form);
    pages->SetParent(form);
    pages->SetAlign(ui::TAlign::alClient);
    auto* first = new ui::TTabSheet(form);
    first->SetCaption(L"快速整理");
    first->SetPageControl(pages);
    auto* second = new ui::TTabSheet(form);
    second->SetCaption(L"资料管理");
    second->SetPageControl(pages);
    int shown = 0;
    second->OnShow = [&](ui::TObject*) { ++shown; };

    EXPECT_EQ(pages->ActivePage(), first);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_TRUE(IsWindowVisible(first->Handle()) || !IsWindowVisible(form->Handle()));
    EXPECT_FALSE(second->Visible());

    SendMessageW(pages->Handle(), TCM_SETCURSEL, 1, 0);
    NMHDR change{pages->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_TRUE(second->Visible());
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(shown, 1);
    pages->SetActivePage(second);
    EXPECT_EQ(shown, 1);
}

// A freed child leaves its parent's tab order, whatever kind of windowed control it was.
TEST_F(ControlsTest, FreedChildrenLeaveTheTabOrder)
{
    auto* pages = new ui::TPageControl(form);
    pages->SetParent(form);
    auto* sheet = new ui::TTabSheet(form);
    sheet->SetPageControl(pages);
    auto* edit = new ui::TEdit(form);
    edit->SetParent(form);
    std::vector<ui::TWinControl*> before;
    form->GetTabOrderList(before);
    ASSERT_EQ(std::count(before.begin(), before.end(), sheet), 1);
    delete sheet;
    delete edit;
    std::vector<ui::TWinControl*> after;
    form->GetTabOrderList(after);
    EXPECT_EQ(after, std::vector<ui::TWinControl*>{pages});
}

}  // namespace

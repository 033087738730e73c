// The smaller control classes on real windows: each superclasses its system control (or
// draws itself) under its own class name and does what its system control does.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "FormFixture.h"
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

class ControlKindsTest : public uitest::FormFixture {};

TEST_F(ControlKindsTest, EachKindHasItsWindowAndSystemBehaviour)
{
    auto* radio = Make<ui::TRadioButton>();
    auto* combo = Make<ui::TComboBox>();
    auto* speed = Make<ui::TSpeedButton>();
    auto* updown = Make<ui::TUpDown>();
    auto* progress = Make<ui::TProgressBar>();
    auto* status = Make<ui::TStatusBar>();
    auto* header = Make<ui::THeaderControl>();
    auto* list = Make<ui::TListView>();
    const std::pair<ui::TWinControl*, const wchar_t*> cases[] = {
        {radio, L"TRadioButton"}, {combo, L"TComboBox"}, {speed, L"TSpeedButton"}, {updown, L"TUpDown"},
        {progress, L"TProgressBar"}, {status, L"TStatusBar"}, {header, L"THeaderControl"}, {list, L"TListView"}};
    for (const auto& [control, name] : cases) {
        HWND window = control->Handle();
        ASSERT_TRUE(IsWindow(window)) << name;
        EXPECT_EQ(WindowClassName(window), name);
        EXPECT_EQ(control->ClassName(), name);
        EXPECT_EQ(ui::FindControl(window), control) << name;
    }
    // The system control underneath answers its own messages.
    EXPECT_EQ(GetWindowLongPtrW(radio->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);
    combo->Items().Add(L"甲");
    combo->Items().Add(L"乙");
    combo->ItemsChanged();
    combo->SetItemIndex(1);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
    updown->SetRange(0, 10);
    updown->SetPosition(7);
    EXPECT_EQ(SendMessageW(updown->Handle(), UDM_GETPOS32, 0, 0), 7);
    progress->SetRange(0, 200);
    progress->SetPosition(150);
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETPOS, 0, 0), 150);
    EXPECT_EQ(ui::GetIntProp(progress, L"Position"), 150);
    status->SetSimpleText(L"就绪");
    wchar_t text[32] = {};
    SendMessageW(status->Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"就绪");
    // Panels replace the simple text until SimplePanel asks for it again.
    EXPECT_EQ(status->AddPanel(L"甲", 60), 0);
    EXPECT_EQ(status->AddPanel(L"乙", 60), 1);
    status->SetPanelText(1, L"字数");
    EXPECT_FALSE(SendMessageW(status->Handle(), SB_ISSIMPLE, 0, 0));
    ASSERT_EQ(SendMessageW(status->Handle(), SB_GETPARTS, 0, 0), 2);
    SendMessageW(status->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"字数");
    ui::SetOrdProp(status, L"SimplePanel", 1);
    EXPECT_TRUE(SendMessageW(status->Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(ui::GetStrProp(status, L"SimpleText"), L"就绪");
    EXPECT_EQ(header->AddSection(L"标题", 80), 0);
    EXPECT_EQ(header->AddSection(L"日期", 60), 1);
    EXPECT_EQ(header->SectionCount(), 2);
    list->SetViewStyle(ui::TViewStyle::vsReport);
    list->AddColumn(L"标题", 100);
    EXPECT_EQ(list->AddItem(L"第一"), 0);
    EXPECT_EQ(list->ItemCount(), 1);
    EXPECT_EQ(GetWindowLongPtrW(list->Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(ui::GetEnumPropText(list, L"ViewStyle"), L"vsReport");
}

TEST_F(ControlKindsTest, CheckingARadioButtonClearsItsSiblings)
{
    auto* first = Make<ui::TRadioButton>();
    auto* second = Make<ui::TRadioButton>();
    second->SetTop(30);
    int clicks = 0;
    second->OnClick = [&](ui::TObject*) { ++clicks; };
    first->SetChecked(true);
    // A real click on the second: the system button reports it, the framework checks it.
    SendMessageW(second->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    EXPECT_EQ(SendMessageW(first->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(second->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ui::GetEnumPropText(second, L"Checked"), L"True");
}

TEST_F(ControlKindsTest, RadioGroupHoldsOneRadioButtonPerItem)
{
    auto* group = Make<ui::TRadioGroup>();
    group->Items().Add(L"甲");
    group->Items().Add(L"乙");
    group->Items().Add(L"丙");
    group->ItemsChanged();
    group->SetItemIndex(0);
    form->FinishCreate();
    int clicks = 0;
    group->OnClick = [&](ui::TObject*) { ++clicks; };
    ASSERT_EQ(group->ControlCount(), 3);
    EXPECT_EQ(WindowClassName(group->Handle()), L"TRadioGroup");
    EXPECT_EQ(WindowClassName(group->Buttons(2)->Handle()), L"TRadioButton");
    EXPECT_EQ(GetParent(group->Buttons(2)->Handle()), group->Handle());
    EXPECT_TRUE(group->Buttons(0)->Checked());
    SendMessageW(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_LT(group->Buttons(1)->Top() + group->Buttons(1)->Height(), group->Buttons(2)->Top() + 1);
}

TEST_F(ControlKindsTest, SpeedButtonClicksOnReleaseInsideAndStaysDownInItsGroup)
{
    auto* a = Make<ui::TSpeedButton>();
    auto* b = Make<ui::TSpeedButton>();
    b->SetLeft(30);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    int clicks = 0;
    a->OnClick = [&](ui::TObject*) { ++clicks; };
    HWND w = a->Handle();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(a->Down());
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));  // released outside: no click
    EXPECT_EQ(clicks, 1);
    b->Click();
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(ui::GetEnumPropText(b, L"Down"), L"True");
    EXPECT_EQ(ui::GetEnumPropText(a, L"Flat"), L"False");
}

// A child drawing what lies under it asks its parent with WM_PRINTCLIENT; the parent's own
// pending paint stays pending.
TEST_F(ControlKindsTest, ContainersPrintTheirClientWithoutValidatingPendingPaint)
{
    form->SetColor(ui::RGBColor(10, 200, 30));
    form->Show();
    auto* panel = Make<ui::TPanel>();
    panel->SetColor(ui::RGBColor(200, 10, 30));
    panel->SetBevelOuter(ui::TPanelBevel::bvNone);
    panel->SetParentBackground(false);
    for (ui::TWinControl* container : {static_cast<ui::TWinControl*>(form), static_cast<ui::TWinControl*>(panel)}) {
        HWND w = container->Handle();
        UpdateWindow(w);
        InvalidateRect(w, nullptr, FALSE);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        HGDIOBJ old = SelectObject(dc, bitmap);
        ReleaseDC(nullptr, screen);
        SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        EXPECT_EQ(GetPixel(dc, 3, 3), ui::ColorToRGB(container->Color())) << container->ClassName().data();
        RECT pending{};
        EXPECT_TRUE(GetUpdateRect(w, &pending, FALSE)) << container->ClassName().data();
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ValidateRect(w, nullptr);
    }
}

}  // namespace

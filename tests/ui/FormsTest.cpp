// Forms and the application: building ends in Loaded and OnCreate, failures in OnCreate are
// reported and the form stays usable, closing asks first, menu commands reach their items.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

std::vector<std::wstring> g_reports;

void RecordReport(const std::exception& failure) { g_reports.push_back(ui::ExceptionText(failure)); }

class LoadRecorder : public ui::TComponent {
public:
    using TComponent::TComponent;
    void Loaded() override
    {
        TComponent::Loaded();
        ++loaded;
    }
    int loaded = 0;
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_reports.clear();
        ui::SetExceptionHandler(&RecordReport);
    }
    void TearDown() override { ui::SetExceptionHandler(nullptr); }
};

TEST_F(FormsTest, FinishCreateLoadsComponentsThenReportsAFailingOnCreate)
{
    ui::TForm form(nullptr);
    auto* recorder = new LoadRecorder(&form);
    auto* label = new ui::TLabel(&form);
    label->SetParent(&form);
    label->SetCaption(L"7");
    form.OnCreate = [&](ui::TObject*) {
        EXPECT_EQ(recorder->loaded, 1);
        throw ui::EConvertError(L"'' is not a valid integer value");
    };
    EXPECT_TRUE(form.Loading());
    form.FinishCreate();
    EXPECT_FALSE(form.Loading());
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0], L"'' is not a valid integer value");
    // The form is still there and keeps what its controls held.
    EXPECT_EQ(label->Caption(), L"7");
    EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(FormsTest, CloseActionNoneKeepsTheFormOpen)
{
    ui::TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    int asked = 0;
    form.OnClose = [&](ui::TObject*, ui::TCloseAction& action) {
        ++asked;
        action = ui::TCloseAction::caNone;
    };
    form.Show();
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST_F(FormsTest, MenuCommandsReachTheirItemsAndCheckMarksShow)
{
    ui::TForm form(nullptr);
    auto* menu = new ui::TMainMenu(&form);
    auto* top = new ui::TMenuItem(&form);
    top->SetCaption(L"更多功能");
    menu->Items()->Add(top);
    auto* item = new ui::TMenuItem(&form);
    item->SetCaption(L"大");
    item->SetChecked(true);
    top->Add(item);
    int clicks = 0;
    item->OnClick = [&](ui::TObject*) { ++clicks; };
    form.SetMenu(menu);

    HMENU bar = GetMenu(form.Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    HMENU dropDown = GetSubMenu(bar, 0);
    ASSERT_NE(dropDown, nullptr);
    EXPECT_EQ(GetMenuState(dropDown, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    wchar_t text[32] = {};
    GetMenuStringW(dropDown, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"大");

    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    EXPECT_EQ(clicks, 1);
    item->SetEnabled(false);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormsTest, FailuresInsideMessageHandlingReachTheReport)
{
    ui::TForm form(nullptr);
    auto* label = new ui::TLabel(&form);
    label->SetParent(&form);
    label->OnClick = [](ui::TObject*) { throw ui::Exception(L"No MCI device open"); };
    HWND window = label->Handle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0], L"No MCI device open");
}

}  // namespace

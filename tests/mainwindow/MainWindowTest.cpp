// The real main window in this process, on a real document store in a working folder of the
// test's: the next document id after the stored ones, the first id of an empty store, the
// date of today, the initial state, and a failing start-up query reported while the window
// still opens.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "hints/BalloonHints.h"
#include "support/ProcessDriver.h"
#include "platform/Database.h"
#include "ui/Dialogs.h"
#include "ui/Exception.h"

namespace {

std::vector<std::wstring> g_reports;
void RecordReport(const std::exception& failure) { g_reports.push_back(ui::ExceptionText(failure)); }

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch.emplace(L"mjzs-main", true);
        if (!ui::Application()) {
            application = new ui::TApplication(nullptr);
            application->Initialize();
            application->SetTitle(app::kApplicationTitle);
        }
        // Reports are recorded here instead of shown in a box.
        ui::SetExceptionHandler(&RecordReport);
        g_reports.clear();
    }
    void TearDown() override
    {
        delete form;
        form = nullptr;
        scratch.reset();
    }

    // Rows written through a connection of the test's own, closed before the window opens.
    void Store(const std::vector<std::pair<std::wstring, std::wstring>>& idsAndDates)
    {
        platform::TADOConnection connection(nullptr);
        connection.SetConnectionString(L"Data Source=txt.kl");
        connection.Open();
        platform::TADOQuery query(nullptr);
        query.SetConnection(&connection);
        for (const auto& [id, date] : idsAndDates) {
            query.SQL().Clear();
            query.SQL().Add(L"insert into jilu(序号,日期,标题,内容,语音文件) values(:id,:date,'t','c','v.wav')");
            query.Parameters().ParamByName(L"id").SetValue(id);
            query.Parameters().ParamByName(L"date").SetValue(date);
            query.ExecSQL();
        }
    }

    // Statements run on one connection: opening another would create the table again.
    void Execute(const std::vector<std::wstring>& statements)
    {
        platform::TADOConnection connection(nullptr);
        connection.SetConnectionString(L"Data Source=txt.kl");
        connection.Open();
        platform::TADOQuery query(nullptr);
        query.SetConnection(&connection);
        for (const auto& statement : statements) {
            query.SQL().Clear();
            query.SQL().Add(statement);
            query.ExecSQL();
        }
    }

    app::TMainForm1* Open()
    {
        form = new app::TMainForm1(ui::Application());
        form->FinishCreate();
        return form;
    }

    std::optional<testing_support::ScratchFolder> scratch;
    ui::TApplication* application = nullptr;
    app::TMainForm1* form = nullptr;
};

TEST_F(MainWindowTest, NextIdFollowsTheHighestStoredIdAndTheDateIsToday)
{
    Store({{L"3", L"2020-01-02"}, {L"7", L"2019-05-06"}, {L"5", L"2021-03-04"}});
    Open();
    EXPECT_TRUE(g_reports.empty());
    EXPECT_EQ(form->Label15->Caption(), L"8");
    SYSTEMTIME today, shown = form->DateTimePicker1->DateTime();
    GetLocalTime(&today);
    EXPECT_EQ(shown.wYear, today.wYear);
    EXPECT_EQ(shown.wMonth, today.wMonth);
    EXPECT_EQ(shown.wDay, today.wDay);
}

TEST_F(MainWindowTest, AnEmptyStoreStartsWithDocumentOne)
{
    Open();
    EXPECT_TRUE(g_reports.empty());
    EXPECT_EQ(form->Label15->Caption(), L"1");
}

TEST_F(MainWindowTest, StartsInTheStateUsersExpect)
{
    Open();
    EXPECT_EQ(form->Caption(), L"墨笺速记本V5.0");
    EXPECT_EQ(form->ClientWidth(), 1049);
    EXPECT_EQ(form->ClientHeight(), 529);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
    EXPECT_EQ(form->TabSheet1->Caption(), L"快速整理");
    EXPECT_EQ(form->TabSheet2->Caption(), L"资料管理");
    EXPECT_FALSE(form->Memo1->Enabled());
    EXPECT_TRUE(form->BitBtn10->Visible());
    EXPECT_FALSE(form->BitBtn1->Visible());
    EXPECT_FALSE(form->Panel4->Visible());
    EXPECT_FALSE(form->Label15->Visible());
    EXPECT_EQ(form->Edit1->Text(), L"双击添加或更改录音文件");
    EXPECT_EQ(form->Edit3->Text(), L"00:00:00");
    EXPECT_EQ(form->Label6->Caption(), L"   /00:00:00");
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_FALSE(form->Timer4->Enabled());
    EXPECT_TRUE(form->N16->Checked());
    EXPECT_FALSE(form->N13->Checked());
    EXPECT_TRUE(form->MediaPlayer1->FileName().empty());
    EXPECT_EQ(form->Memo1->Font()->Height(), -43);
    EXPECT_EQ(form->Memo1->Font()->Size(), 32);
    // The playback row: the three groups sit right-aligned, search between the other two.
    EXPECT_LT(form->GroupBox2->Left(), form->GroupBox1->Left());
    EXPECT_LT(form->GroupBox1->Left(), form->GroupBox3->Left());
    EXPECT_EQ(form->GroupBox3->Left() + form->GroupBox3->Width(), form->Panel3->ClientWidth() - 1);
    // Every top-level menu entry is there, in order.
    HMENU bar = GetMenu(form->Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(GetMenuItemCount(form->N2->Handle()), 9);
}

TEST_F(MainWindowTest, HintsAreBalloonsOfBalloonHints1AfterItsStoredPause)
{
    Open();
    form->Show();
    EXPECT_EQ(ui::Application()->HintPause(), 800);
    ui::Application()->ActivateHintFor(form->Edit2, form->Edit2->ClientToScreen({10, 5}));
    auto* window = dynamic_cast<hints::TBalloonHintWindow*>(ui::Application()->HintWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Linked(), form->BalloonHints1);
    EXPECT_TRUE(window->HintShowing());
    EXPECT_EQ(window->Text(), L"一句话简述");
    EXPECT_EQ(window->CaptionWidth(), 100);
    EXPECT_EQ(window->FrameColor(), ui::clBlack);
    EXPECT_EQ(window->Color(), ui::clInfoBk);
    EXPECT_EQ(window->Font()->Name(), L"MS Sans Serif");
    EXPECT_EQ(window->Font()->Height(), -11);
    EXPECT_EQ(window->Corner(), hints::THintCorner::hcUpperRight);
    ui::Application()->CancelHint();
}

TEST_F(MainWindowTest, CancelledCloseKeepsTheDocumentAndThePage)
{
    Open();
    form->Show();
    EXPECT_TRUE(IsZoomed(form->Handle())) << "the window opens maximised";
    RECT work{}, outer{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(form->Handle(), &outer);
    EXPECT_GE(outer.right - outer.left, work.right - work.left);
    EXPECT_GE(outer.bottom - outer.top, work.bottom - work.top);
    form->Edit2->SetText(L"周一例会");
    form->Memo1->SetEnabled(true);
    form->Memo1->SetText(L"第一段\r\n第二段");
    form->PageControl1->SetActivePage(form->TabSheet2);

    std::vector<ui::MessageBoxRequest> asked;
    ui::ScopedMessageBoxService answer([&](const ui::MessageBoxRequest& request) {
        asked.push_back(request);
        return IDCANCEL;
    });
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);

    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, L"警告");
    EXPECT_EQ(asked[0].text, L"程序即将关闭，请确认你已经保存了文档！");
    EXPECT_EQ(asked[0].flags & (MB_OKCANCEL | MB_ICONWARNING), static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));
    EXPECT_EQ(asked[0].owner, form->Handle());
    EXPECT_FALSE(ui::Application()->Terminated());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->Edit2->Text(), L"周一例会");
    EXPECT_EQ(form->Memo1->Text(), L"第一段\r\n第二段");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet2);
}

TEST_F(MainWindowTest, AFailingStartQueryIsReportedAndTheWindowStillOpens)
{
    // A table without the id column: the maximum query is refused.
    Execute({L"drop table jilu", L"create table jilu(标题 text)"});
    Open();
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_NE(g_reports[0].find(L"序号"), std::wstring::npos) << "the database's own message";
    EXPECT_EQ(form->Label15->Caption(), L"");
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>

#include "Workspace.h"

namespace testing_app {
namespace {

constexpr wchar_t kSaved[] = L"文件保存成功！在编辑过程中可选开启自动保存，在退出软件前要点击下保存更新，防止内容丢失！";

class DocumentStore : public WorkspaceTest {};

TEST_F(DocumentStore, EmptyTitleRefusesTheSaveAndSpacesPassAsAnEmptyTitle)
{
    form_->N1Click(form_);
    const std::wstring id = form_->Label15->Caption();
    form_->Edit2->SetText(L"");
    form_->BitBtn10->Click();
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"保存失败!请查看语音文件和标题是否添加！"});
    EXPECT_TRUE(ReadRows(Database()).empty());
    EXPECT_TRUE(form_->BitBtn10->Visible());
    EXPECT_FALSE(form_->Memo1->Enabled());

    boxes_->Clear();
    SaveNew(L"   ", L"  正文\r\n\r\n  ");
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{kSaved});
    const auto rows = ReadRows(Database());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, id);
    EXPECT_EQ(rows[0].title, L"");
    EXPECT_EQ(rows[0].content, L"正文");
    // No recording chosen: the prompt is stored as its name.
    EXPECT_EQ(rows[0].voice, app::kRecordingPrompt);
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_EQ(rows[0].date, ui::Format(L"%04d-%02d-%02d", today.wYear, today.wMonth, today.wDay));
    EXPECT_TRUE(form_->BitBtn1->Visible());
    EXPECT_FALSE(form_->BitBtn10->Visible());
    EXPECT_TRUE(form_->BitBtn4->Visible());
    EXPECT_TRUE(form_->Memo1->Enabled());
}

TEST_F(DocumentStore, UpdateRewritesTheSameRowAndTheNextIdFollowsTheMaximum)
{
    SaveNew(L"第一篇", L"一");
    SaveNew(L"第二篇", L"二");
    const std::wstring id = form_->Label15->Caption();
    form_->Edit2->SetText(L"第二篇（改）");
    form_->Memo1->SetText(L"二，改过");
    form_->BitBtn1->Click();
    auto rows = ReadRows(Database());
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows.back().id, id);
    EXPECT_EQ(rows.back().title, L"第二篇（改）");
    EXPECT_EQ(rows.back().content, L"二，改过");
    EXPECT_EQ(rows[rows.size() - 2].title, L"第一篇");

    form_->N1Click(form_);
    EXPECT_EQ(form_->Label15->Caption(), std::to_wstring(std::stoi(id) + 1));
    EXPECT_EQ(form_->Edit1->Text(), app::kRecordingPrompt);
    EXPECT_EQ(form_->Edit2->Text(), L"");
    EXPECT_EQ(form_->Memo1->Text(), L"");
    EXPECT_FALSE(form_->BitBtn1->Visible());
    EXPECT_TRUE(form_->BitBtn10->Visible());
    // An update without a message, also when no row matches.
    form_->BitBtn1->Click();
    EXPECT_EQ(boxes_->Messages().size(), 2u);
    EXPECT_EQ(ReadRows(Database()).size(), rows.size());
}

TEST_F(DocumentStore, AutoSaveOnKeyReleaseStoresTheTextAndLeavesANewDocumentAlone)
{
    SaveNew(L"自动保存", L"开始");
    const auto before = ReadRows(Database());
    HWND memo = form_->Memo1->Handle();

    // Off: a key release stores nothing.
    form_->Memo1->SetText(L"未开启");
    ReleaseKey(memo, 'A');
    EXPECT_EQ(ReadRows(Database()).back().content, L"开始");

    form_->CheckBox2->SetChecked(true);
    form_->Memo1->SetText(L"开启后的内容");
    ReleaseKey(memo, VK_SHIFT);
    EXPECT_EQ(ReadRows(Database()).back().content, L"开启后的内容");

    // A new, never saved document: the update finds no row and nothing is shown.
    boxes_->Clear();
    form_->N1Click(form_);
    form_->Memo1->SetText(L"新文档");
    ReleaseKey(memo, 'B');
    const auto after = ReadRows(Database());
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.back().content, L"开启后的内容");
    EXPECT_TRUE(boxes_->Boxes().empty());
    form_->CheckBox2->SetChecked(false);
}

TEST_F(DocumentStore, ADocumentDeletedOnTheArchivePageIsStoredAgainByItsNextUpdate)
{
    SaveNew(L"会被删掉", L"删除前的正文");
    const std::wstring id = form_->Label15->Caption();
    ASSERT_TRUE(SelectArchiveRow(id));
    MenuCommand(form_->Handle(), form_->N9);
    ASSERT_FALSE(SelectArchiveRow(id));
    form_->PageControl1->SetActivePage(form_->TabSheet1);

    // Auto-save after the delete: the typing is stored again under the same id.
    form_->CheckBox2->SetChecked(true);
    form_->Memo1->SetText(L"删除后继续打的字");
    ReleaseKey(form_->Memo1->Handle(), 'C');
    form_->CheckBox2->SetChecked(false);
    auto rows = ReadRows(Database());
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back().id, id);
    EXPECT_EQ(rows.back().title, L"会被删掉");
    EXPECT_EQ(rows.back().content, L"删除后继续打的字");

    // And by the update button, once more after another delete; no box either way.
    ASSERT_TRUE(SelectArchiveRow(id));
    MenuCommand(form_->Handle(), form_->N9);
    form_->PageControl1->SetActivePage(form_->TabSheet1);
    form_->Memo1->SetText(L"再次删除后的字");
    form_->BitBtn1->Click();
    rows = ReadRows(Database());
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [&](const StoredRow& r) { return r.id == id; }), 1);
    EXPECT_EQ(rows.back().content, L"再次删除后的字");
    EXPECT_EQ(boxes_->Messages().size(), 1u);  // the save's own
    EXPECT_TRUE(boxes_->Errors().empty());
}

TEST_F(DocumentStore, AnyTranscriptRoundTripsThroughSaveAndRestart)
{
    const std::wstring tricky = L"It's \"quoted\" and 'single' \\ back\\slash; -- drop table jilu; %s %ls\r\n"
                                L"中文标点：，。！？【】《》“”‘’…… 😀👍🏽 \x00A0\tTab";
    std::wstring large;
    while (large.size() < 1024 * 1024) large += L"一段很长的记录内容，包含标点。Line with ASCII 123.\r\n";
    large += L"终";

    SaveNew(L"特殊'字符\"标题\\", tricky);
    const std::wstring tricky_id = form_->Label15->Caption();
    SaveNew(L"一兆字节", large);
    const std::wstring large_id = form_->Label15->Caption();

    Restart();
    EXPECT_EQ(form_->Label15->Caption(), std::to_wstring(std::stoi(large_id) + 1));
    ASSERT_TRUE(SelectArchiveRow(tricky_id));
    form_->N8Click(form_);
    EXPECT_EQ(form_->Label15->Caption(), tricky_id);
    EXPECT_EQ(form_->Edit2->Text(), L"特殊'字符\"标题\\");
    EXPECT_EQ(form_->Memo1->Text(), tricky);

    ASSERT_TRUE(SelectArchiveRow(large_id));
    form_->N8Click(form_);
    EXPECT_EQ(form_->Label15->Caption(), large_id);
    EXPECT_EQ(form_->Memo1->Text().size(), large.size());
    EXPECT_TRUE(form_->Memo1->Text() == large);
}

}  // namespace
}  // namespace testing_app

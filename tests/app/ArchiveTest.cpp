#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <tuple>

#include "Wav.h"
#include "Workspace.h"
#include "app/core/Files.h"

namespace testing_app {
namespace {

constexpr wchar_t kCopied[] = L"内容已复制到剪贴板，请粘贴到文字处理软件中进行编辑！";
constexpr wchar_t kMissing[] = L"找不到对应的语音文件，你的语音文件是否已被删除!";
constexpr wchar_t kFooter[] = L"【本材料由墨笺速记本整理 请访问我们的淘宝店铺https://mojian.example.com/shop】";

// The clipboard's Unicode text exactly as another program pastes it.
std::wstring RawClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void Execute(const fs::path& database, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.string().c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

class Archive : public WorkspaceTest {
protected:
    std::vector<std::wstring> ListedIds()
    {
        ShowArchivePage();
        std::vector<std::wstring> ids;
        for (int row = 0; row < form_->ADOQuery1->RecordCount(); ++row) ids.push_back(form_->DBGrid1->CellText(row, 0));
        return ids;
    }
};

// First, while the table is still empty.
TEST_F(Archive, EmptyListCopiesTheBareLayoutAndRefusesToDelete)
{
    EXPECT_EQ(form_->Label15->Caption(), L"1");
    EXPECT_TRUE(ListedIds().empty());
    const int columns[] = {30, 80, 200, 200, 800};
    ASSERT_EQ(form_->DBGrid1->Columns()->Count(), 5);
    const wchar_t* titles[] = {L"序号", L"日期", L"标题", L"语音文件", L"内容"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form_->DBGrid1->Columns()->Items(i)->Width(), columns[i]);
        EXPECT_EQ(form_->DBGrid1->Columns()->Items(i)->Title(), titles[i]);
    }

    MenuCommand(form_->Handle(), form_->txt1);
    EXPECT_EQ(RawClipboardText(), std::wstring(L"日期:\r标题：\r内容：") + kFooter);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{kCopied});

    MenuCommand(form_->Handle(), form_->N9);
    EXPECT_EQ(boxes_->Errors(), std::vector<std::wstring>{L"ADOQuery1: Cannot perform this operation on an empty dataset."});
}

TEST_F(Archive, CopyPutsTheDocumentOnTheClipboardInItsFixedLayout)
{
    SaveNew(L"会议纪要", L"第一段。\r\n第二段 'A' \"B\"");
    const std::wstring id = form_->Label15->Caption();
    const std::wstring date = ReadRows(Database()).back().date;
    boxes_->Clear();
    ASSERT_TRUE(SelectArchiveRow(id));
    MenuCommand(form_->Handle(), form_->txt1);
    EXPECT_EQ(RawClipboardText(),
              L"日期:" + date + L"\r标题：会议纪要\r内容：第一段。\r\n第二段 'A' \"B\"" + kFooter);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{kCopied});
}

TEST_F(Archive, ListIsNewestFirstAndDeletingTheHighestIdGivesItOutAgain)
{
    Execute(Database(), "insert into jilu values(50,'2021-03-04','旧','旧文','a.wav');"
                        "insert into jilu values(51,'2025-12-31','新','新文','b.wav');"
                        "insert into jilu values(52,'2023-06-01','中','中文','c.wav');");
    const auto ids = ListedIds();
    const auto at = [&](const wchar_t* id) { return std::find(ids.begin(), ids.end(), id) - ids.begin(); };
    EXPECT_LT(at(L"51"), at(L"52"));
    EXPECT_LT(at(L"52"), at(L"50"));

    ASSERT_TRUE(SelectArchiveRow(L"52"));
    MenuCommand(form_->Handle(), form_->N9);
    EXPECT_TRUE(boxes_->Boxes().empty());
    const auto left = ListedIds();
    EXPECT_EQ(std::find(left.begin(), left.end(), L"52"), left.end());
    EXPECT_EQ(left.size(), ids.size() - 1);
    form_->N1Click(form_);
    EXPECT_EQ(form_->Label15->Caption(), L"52");
}

TEST_F(Archive, LoadBringsTheDocumentAndItsRecordingBack)
{
    const fs::path voice = ProgramFolder() + app::kVoiceFolder;
    fs::create_directories(voice);
    WriteSilentWav(voice / L"载入.wav", 4000);
    Execute(Database(), "insert into jilu values(60,'2022-02-03','有录音','有录音的正文','载入.wav');"
                        "insert into jilu values(61,'2022-02-04','没录音','没录音的正文','双击添加或更改录音文件');");
    form_->Memo1->SetEnabled(false);
    ASSERT_TRUE(SelectArchiveRow(L"60"));
    MenuCommand(form_->Handle(), form_->N8);
    EXPECT_TRUE(boxes_->Boxes().empty());
    EXPECT_EQ(form_->PageControl1->ActivePage(), form_->TabSheet1);
    EXPECT_TRUE(form_->Memo1->Enabled());
    EXPECT_EQ(form_->Label15->Caption(), L"60");
    const SYSTEMTIME date = form_->DateTimePicker1->DateTime();
    EXPECT_EQ(std::make_tuple(date.wYear, date.wMonth, date.wDay), std::make_tuple(WORD(2022), WORD(2), WORD(3)));
    EXPECT_EQ(form_->Edit2->Text(), L"有录音");
    EXPECT_EQ(form_->Memo1->Text(), L"有录音的正文");
    EXPECT_EQ(form_->Edit1->Text(), L"载入.wav");
    EXPECT_TRUE(form_->BitBtn1->Visible());
    EXPECT_FALSE(form_->BitBtn10->Visible());
    EXPECT_EQ(form_->MediaPlayer1->FileName(), (voice / L"载入.wav").wstring());
    EXPECT_TRUE(form_->MediaPlayer1->IsOpen());
    EXPECT_EQ(form_->TrackBar1->Max(), 4000);
    EXPECT_EQ(form_->Label6->Caption(), L"/00:00:04");

    // Saved without a recording: the prompt comes back and the recording is missing.
    ASSERT_TRUE(SelectArchiveRow(L"61"));
    MenuCommand(form_->Handle(), form_->N8);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{kMissing});
    EXPECT_EQ(form_->Edit1->Text(), app::kRecordingPrompt);
    EXPECT_EQ(form_->Memo1->Text(), L"没录音的正文");
    EXPECT_FALSE(form_->MediaPlayer1->IsOpen());
}

TEST_F(Archive, ARowThatCannotBeLoadedLeavesTheWorkspaceAndItsRowAlone)
{
    Execute(Database(), "insert into jilu values(70,'昨天','坏日期','坏日期的正文','x.wav');"
                        "insert into jilu values(71,'2024-01-02','在整理','正在整理的正文','双击添加或更改录音文件');");
    ASSERT_TRUE(SelectArchiveRow(L"71"));
    MenuCommand(form_->Handle(), form_->N8);
    boxes_->Clear();
    form_->Memo1->SetText(L"正在整理的正文，又多了一句");

    ASSERT_TRUE(SelectArchiveRow(L"70"));
    MenuCommand(form_->Handle(), form_->N8);
    EXPECT_EQ(boxes_->Errors(), std::vector<std::wstring>{L"'昨天' is not a valid date."});
    EXPECT_EQ(form_->Label15->Caption(), L"71");
    EXPECT_EQ(form_->Edit2->Text(), L"在整理");
    EXPECT_EQ(form_->Memo1->Text(), L"正在整理的正文，又多了一句");
    EXPECT_EQ(form_->Edit1->Text(), app::kRecordingPrompt);
    const SYSTEMTIME date = form_->DateTimePicker1->DateTime();
    EXPECT_EQ(std::make_tuple(date.wYear, date.wMonth, date.wDay), std::make_tuple(WORD(2024), WORD(1), WORD(2)));

    // The next update stores the document where it came from; the broken row keeps its text.
    form_->BitBtn1->Click();
    const auto rows = ReadRows(Database());
    const auto row = [&](const wchar_t* id) {
        return *std::find_if(rows.begin(), rows.end(), [&](const StoredRow& r) { return r.id == id; });
    };
    EXPECT_EQ(row(L"70").content, L"坏日期的正文");
    EXPECT_EQ(row(L"70").title, L"坏日期");
    EXPECT_EQ(row(L"71").content, L"正在整理的正文，又多了一句");
    Execute(Database(), "delete from jilu where 序号 in (70,71);");
}

}  // namespace
}  // namespace testing_app

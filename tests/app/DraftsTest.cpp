// Typing that is not stored yet survives a restart: the drafts file beside txt.kl, the offer
// to restore at the next start, and the store clearing it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Workspace.h"
#include "app/core/Draft.h"

namespace testing_app {
namespace {

using namespace std::chrono_literals;

class Drafts : public WorkspaceTest {
protected:
    static fs::path DraftFile() { return Folder() / app::kDraftFile; }

    // What the drafts file holds once the draft timer and the writer have had their turn.
    static std::vector<app::Draft> OnDisk()
    {
        Pump(std::chrono::milliseconds(app::kDraftInterval * 2));
        form_->Drafts()->Flush();
        std::ostringstream bytes;
        bytes << std::ifstream(DraftFile(), std::ios::binary).rdbuf();
        return app::ParseDrafts(bytes.str());
    }

    // A new document with a typed title and text, its memo enabled as after an earlier save.
    static std::wstring TypeNewDocument(const std::wstring& title, const std::wstring& text)
    {
        form_->Memo1->SetEnabled(true);
        form_->N1Click(form_);
        Type(form_->Edit2->Handle(), title);
        Type(form_->Memo1->Handle(), text);
        return form_->Label15->Caption();
    }

    static const app::Draft* DraftOf(const std::vector<app::Draft>& drafts, const std::wstring& id)
    {
        for (const app::Draft& draft : drafts)
            if (draft.document.id == id) return &draft;
        return nullptr;
    }
};

TEST_F(Drafts, ANewDocumentsTypingIsOfferedAfterARestartAndItsSaveClearsIt)
{
    const std::wstring id = TypeNewDocument(L"未保存的会议", L"第一句。第二句");
    auto drafts = OnDisk();
    ASSERT_EQ(drafts.size(), 1u);
    EXPECT_EQ(drafts[0].document.id, id);
    EXPECT_EQ(drafts[0].document.title, L"未保存的会议");
    EXPECT_EQ(drafts[0].document.content, L"第一句。第二句");
    EXPECT_EQ(drafts[0].document.voice, app::kRecordingPrompt);
    EXPECT_TRUE(ReadRows(Database()).empty());

    std::vector<ui::MessageBoxRequest> seen;
    Restart(IDYES, &seen);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, app::kApplicationTitle);
    EXPECT_EQ(seen[0].flags & (MB_TYPEMASK | MB_ICONMASK), UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_NE(seen[0].text.find(L"“未保存的会议”"), std::wstring::npos);
    EXPECT_NE(seen[0].text.find(L"是否恢复"), std::wstring::npos);
    EXPECT_EQ(form_->Label15->Caption(), id);
    EXPECT_EQ(form_->Edit2->Text(), L"未保存的会议");
    EXPECT_EQ(form_->Memo1->Text(), L"第一句。第二句");
    EXPECT_TRUE(form_->Memo1->Enabled());
    EXPECT_TRUE(form_->BitBtn10->Visible());
    EXPECT_FALSE(form_->BitBtn1->Visible());
    EXPECT_TRUE(boxes_->Boxes().empty());  // no recording was chosen: nothing to find

    form_->BitBtn10->Click();
    EXPECT_TRUE(OnDisk().empty());
    EXPECT_FALSE(fs::exists(DraftFile()));
    ASSERT_EQ(ReadRows(Database()).size(), 1u);
    EXPECT_EQ(ReadRows(Database())[0].content, L"第一句。第二句");
}

TEST_F(Drafts, NoKeepsTheDraftAndANewDocumentDoesNotTakeItsPlace)
{
    const std::wstring first = TypeNewDocument(L"甲", L"甲的正文");
    ASSERT_EQ(OnDisk().size(), 1u);
    // An accidental new document: the first one's draft stays, the second gets an id of its own.
    const std::wstring second = TypeNewDocument(L"乙", L"乙的正文");
    EXPECT_NE(second, first);
    auto drafts = OnDisk();
    ASSERT_EQ(drafts.size(), 2u);
    ASSERT_NE(DraftOf(drafts, first), nullptr);
    EXPECT_EQ(DraftOf(drafts, first)->document.content, L"甲的正文");

    std::vector<ui::MessageBoxRequest> seen;
    Restart(IDNO, &seen);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find(L"“乙”"), std::wstring::npos);  // the newest first
    EXPECT_EQ(form_->Memo1->Text(), L"");
    EXPECT_EQ(OnDisk().size(), 2u);
    const int next = std::stoi(form_->Label15->Caption());
    EXPECT_GT(next, std::stoi(first));
    EXPECT_GT(next, std::stoi(second));

    // Asked again at the next start; a save of the restored document clears only its draft.
    seen.clear();
    Restart(IDYES, &seen);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(form_->Label15->Caption(), second);
    form_->BitBtn10->Click();
    drafts = OnDisk();
    ASSERT_EQ(drafts.size(), 1u);
    EXPECT_EQ(drafts[0].document.id, first);
    seen.clear();
    Restart(IDYES, &seen);
    EXPECT_EQ(form_->Label15->Caption(), first);
    EXPECT_EQ(form_->Memo1->Text(), L"甲的正文");
    form_->BitBtn10->Click();
    EXPECT_TRUE(OnDisk().empty());
}

TEST_F(Drafts, AStoredDocumentTypedWithoutAutoSaveIsRestoredAsThatDocument)
{
    SaveNew(L"已保存", L"保存时的正文");
    const std::wstring id = form_->Label15->Caption();
    EXPECT_TRUE(OnDisk().empty());  // typing that reached the store is no draft
    form_->Memo1->Select(static_cast<int>(form_->Memo1->Text().size()), 0);
    Type(form_->Memo1->Handle(), L"，之后又打的字");
    ASSERT_EQ(OnDisk().size(), 1u);

    Restart(IDYES);
    EXPECT_EQ(form_->Label15->Caption(), id);
    EXPECT_EQ(form_->Memo1->Text(), L"保存时的正文，之后又打的字");
    EXPECT_TRUE(form_->BitBtn1->Visible());
    EXPECT_FALSE(form_->BitBtn10->Visible());
    form_->BitBtn1->Click();
    EXPECT_EQ(ReadRows(Database()).back().content, L"保存时的正文，之后又打的字");
    EXPECT_TRUE(OnDisk().empty());
}

TEST_F(Drafts, ADraftTheStoreAlreadyHoldsIsDroppedWithoutAsking)
{
    SaveNew(L"已存", L"存好的正文");
    const std::wstring id = form_->Label15->Caption();
    // As a kill between the store and the draft's removal leaves it.
    {
        std::ofstream out(DraftFile(), std::ios::binary);
        out << app::SerializeDrafts(
            {app::Draft{app::Document{id, L"2026-01-01", L"已存", L"存好的正文\r\n", app::kRecordingPrompt}, 1}});
    }
    std::vector<ui::MessageBoxRequest> seen;
    Restart(IDYES, &seen);
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(OnDisk().empty());
    EXPECT_FALSE(fs::exists(DraftFile()));

    // A damaged file is no draft and no failure either.
    std::ofstream(DraftFile(), std::ios::binary) << "MJZSDRAFT1\n\x01garbage";
    Restart(IDYES, &seen);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(form_->Memo1->Text(), L"");
}

}  // namespace
}  // namespace testing_app

#include <gtest/gtest.h>

#include "Workspace.h"

namespace testing_app {
namespace {

constexpr wchar_t kNotFound[] = L"对不起，没有找到你输入的关键字。";

class Editor : public WorkspaceTest {
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        form_->Memo1->SetEnabled(true);
    }
    std::pair<int, int> Selection() const { return {form_->Memo1->SelStart(), form_->Memo1->SelLength()}; }
};

TEST_F(Editor, WordCountTakesTheGbkBytesOfTheText)
{
    const struct {
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {L"abc 你好！", L"汉字及中文符号：3\r数字字母及英文符号：3"},
        {L"", L"汉字及中文符号：0\r数字字母及英文符号：0"},
        {L"第一行\r\n第二行 OK\t123", L"汉字及中文符号：6\r数字字母及英文符号：5"},
        // An emoji has no GBK form: it counts as one Chinese symbol.
        {L"表情😀!", L"汉字及中文符号：3\r数字字母及英文符号：1"},
    };
    for (const auto& c : cases) {
        boxes_->Clear();
        form_->Memo1->SetText(c.text);
        MenuCommand(form_->Handle(), form_->N18);
        EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{c.message}) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST_F(Editor, FindFirstTakesTheWordAsTypedAndFindNextTrimsItAndDoesNotWrap)
{
    form_->Memo1->SetText(L"会议 会议记录 会议");
    form_->Edit4->SetText(L" 会议");
    form_->Label2Click(form_->Label2);
    EXPECT_EQ(Selection(), std::make_pair(2, 3));
    EXPECT_TRUE(form_->Memo1->Focused());

    form_->Label4Click(form_->Label4);
    EXPECT_EQ(Selection(), std::make_pair(8, 2));
    form_->Label4Click(form_->Label4);
    EXPECT_EQ(Selection(), std::make_pair(8, 2));
    EXPECT_TRUE(boxes_->Boxes().empty());

    // From the caret: the next occurrence after it.
    form_->Memo1->Select(1, 0);
    form_->Label4Click(form_->Label4);
    EXPECT_EQ(Selection(), std::make_pair(3, 2));

    for (const wchar_t* word : {L"", L"会 议", L"记录会"}) {
        boxes_->Clear();
        form_->Edit4->SetText(word);
        form_->Label2Click(form_->Label2);
        EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{kNotFound}) << testing::PrintToString(std::wstring(word));
    }
    // Find next with an empty word does nothing, silently.
    boxes_->Clear();
    form_->Edit4->SetText(L"  ");
    form_->Memo1->Select(0, 0);
    form_->Label4Click(form_->Label4);
    EXPECT_EQ(Selection(), std::make_pair(0, 0));
    EXPECT_TRUE(boxes_->Boxes().empty());
}

TEST_F(Editor, TimeStampSelectAllAndFontSizes)
{
    form_->Label1->SetCaption(L"00:00:00");
    form_->Memo1->SetText(L"甲乙丙");
    form_->Memo1->Select(1, 1);
    form_->Memo1->SetFocus();
    PressKey(form_->Memo1->Handle(), VK_F8);
    EXPECT_EQ(form_->Memo1->Text(), L"甲-00:00:00-丙");
    MenuCommand(form_->Handle(), form_->N19);
    EXPECT_EQ(form_->Memo1->Text(), L"甲-00:00:00--00:00:00-丙");

    MenuCommand(form_->Handle(), form_->N21);
    EXPECT_EQ(Selection(), std::make_pair(0, static_cast<int>(form_->Memo1->Text().size())));

    const std::pair<ui::TMenuItem*, int> sizes[] = {{form_->N13, 16}, {form_->N15, 24}, {form_->N17, 40},
                                                    {form_->N16, 32}};
    for (const auto& [item, points] : sizes) {
        MenuCommand(form_->Handle(), item);
        EXPECT_EQ(form_->Memo1->Font()->Size(), points);
        EXPECT_TRUE(form_->N16->Checked());
    }
}

}  // namespace
}  // namespace testing_app

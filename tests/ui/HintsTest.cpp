// The application's hint mechanism: the show-hint event sees and changes the hint
// information, the hint window class can be replaced and put back, the hint window hears
// when the hint ends, and the next control's hint follows after the short pause.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

namespace {

class RecordingHintWindow : public ui::THintWindow {
public:
    using THintWindow::THintWindow;
    void ReleaseHint() override
    {
        ++released;
        THintWindow::ReleaseHint();
    }
    int released = 0;
};

class HintsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        application_ = std::make_unique<ui::TApplication>(nullptr);
        application_->Initialize();
        form_ = std::make_unique<ui::TForm>(nullptr);
        form_->SetBounds(40, 40, 400, 200);
        left_ = MakePanel(0, L"当前播放进度");
        right_ = MakePanel(200, L"语音文件总时长");
        form_->Show();
        application_->ProcessMessages();
    }
    ui::TPanel* MakePanel(int left, const wchar_t* hint)
    {
        auto* panel = new ui::TPanel(form_.get());
        panel->SetParent(form_.get());
        panel->SetBounds(left, 0, 150, 100);
        panel->SetHint(hint);
        panel->SetShowHint(true);
        return panel;
    }
    POINT CentreOf(ui::TControl* control) { return control->ClientToScreen({75, 50}); }
    // Pumps messages until the condition holds or about a second has passed.
    template <typename Condition>
    bool PumpUntil(Condition condition)
    {
        for (int i = 0; i < 100 && !condition(); ++i) {
            application_->ProcessMessages();
            Sleep(10);
        }
        return condition();
    }

    std::unique_ptr<ui::TApplication> application_;
    std::unique_ptr<ui::TForm> form_;
    ui::TPanel* left_ = nullptr;
    ui::TPanel* right_ = nullptr;
};

TEST_F(HintsTest, ShowHintEventSeesTheHintAndMayChangeOrForbidIt)
{
    ui::THintInfo seen;
    std::wstring seenText;
    bool allow = true;
    application_->OnShowHint = [&](std::wstring& hint, bool& canShow, ui::THintInfo& info) {
        seen = info;
        seenText = hint;
        hint = L"改过的提示";
        info.HintColor = ui::clYellow;
        canShow = allow;
    };
    const POINT cursor = left_->ClientToScreen({30, 20});
    application_->ActivateHintFor(left_, cursor);
    EXPECT_EQ(seen.HintControl, left_);
    EXPECT_EQ(seen.CursorPos.x, 30);
    EXPECT_EQ(seen.CursorPos.y, 20);
    EXPECT_EQ(seen.HintMaxWidth, 300);
    EXPECT_EQ(seen.HintColor, ui::clInfoBk);
    EXPECT_EQ(seenText, L"当前播放进度");
    ui::THintWindow* window = application_->HintWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->HintShowing());
    EXPECT_EQ(window->Text(), L"改过的提示");
    EXPECT_EQ(window->Color(), ui::clYellow);

    application_->CancelHint();
    allow = false;
    application_->ActivateHintFor(right_, CentreOf(right_));
    EXPECT_FALSE(window->HintShowing());
}

TEST_F(HintsTest, ReplacedHintWindowClassHearsTheEndOfItsHintsAndCanBePutBack)
{
    const ui::THintWindowFactory previous = application_->HintWindowClass();
    EXPECT_FALSE(previous);
    application_->SetHintWindowClass([](ui::TComponent* owner) { return new RecordingHintWindow(owner); });
    EXPECT_TRUE(application_->HintWindowClass());

    application_->ActivateHintFor(left_, CentreOf(left_));
    auto* recording = dynamic_cast<RecordingHintWindow*>(application_->HintWindow());
    ASSERT_NE(recording, nullptr);
    const int before = recording->released;
    application_->CancelHint();
    EXPECT_GT(recording->released, before);
    EXPECT_FALSE(recording->HintShowing());

    application_->SetHintWindowClass(previous);
    application_->ActivateHintFor(left_, CentreOf(left_));
    ASSERT_NE(application_->HintWindow(), nullptr);
    EXPECT_EQ(dynamic_cast<RecordingHintWindow*>(application_->HintWindow()), nullptr);
}

TEST_F(HintsTest, NextControlsHintFollowsAfterTheShortPauseOnlyWhileAHintShows)
{
    application_->SetHintPause(60000);
    application_->SetHintShortPause(10);
    auto moveOnto = [&](ui::TPanel* panel) {
        const POINT point = CentreOf(panel);
        SetCursorPos(point.x, point.y);
        SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(75, 50));
    };
    auto showing = [&](const wchar_t* text) {
        ui::THintWindow* window = application_->HintWindow();
        return window && window->HintShowing() && window->Text() == text;
    };

    // Nothing showing: the long pause applies, so no hint comes.
    moveOnto(right_);
    EXPECT_FALSE(PumpUntil([&] { return showing(L"语音文件总时长"); }));

    // From a showing hint to the next control: the short pause.
    application_->ActivateHintFor(left_, CentreOf(left_));
    ASSERT_TRUE(showing(L"当前播放进度"));
    moveOnto(right_);
    EXPECT_TRUE(PumpUntil([&] { return showing(L"语音文件总时长"); }));
}

}  // namespace

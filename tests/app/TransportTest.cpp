#include <gtest/gtest.h>

#include <fstream>

#include "Wav.h"
#include "Workspace.h"
#include "app/core/Documents.h"
#include "app/core/Files.h"
#include "app/core/TimeText.h"
#include "support/ProcessDriver.h"
#include "ui/Clipboard.h"

namespace testing_app {
namespace {

using namespace std::chrono_literals;
using platform::TMPModes;

constexpr wchar_t kNoRecording[] = L"没有加载录音文件或格式不正确";
constexpr wchar_t kBadTime[] = L"请查验时间是否输入正确。只能输入形如 01:23:54 小时分钟秒数这种格式的时间。";
constexpr std::int64_t kLongMs = (60 + 25) * 60 * 1000LL;

// Answers the open dialog with a file (or cancels it) for one scope.
class ChooseFile {
public:
    explicit ChooseFile(std::wstring file)
        : previous_(ui::SetOpenDialogService([file](ui::TOpenDialog& dialog) {
              if (file.empty()) return false;
              dialog.SetFileName(file);
              return true;
          }))
    {
    }
    ~ChooseFile() { ui::SetOpenDialogService(std::move(previous_)); }

private:
    ui::OpenDialogService previous_;
};

// Counts the ticks of a timer while its own handler still runs, so that a countdown is
// checked by the number of the tick that acts rather than by the clock.
class TickCount {
public:
    explicit TickCount(ui::TTimer* timer) : timer_(timer), handler_(timer->OnTimer)
    {
        timer_->OnTimer = [this](ui::TObject* sender) {
            ++ticks_;
            handler_(sender);
        };
    }
    ~TickCount() { timer_->OnTimer = handler_; }
    int Ticks() const { return ticks_; }

private:
    ui::TTimer* timer_;
    ui::TNotifyEvent handler_;
    int ticks_ = 0;
};

// A modifier held down in this thread's keyboard state for one scope.
class HeldKey {
public:
    explicit HeldKey(BYTE key) : key_(key) { Set(0x80); }
    ~HeldKey() { Set(0); }

private:
    void Set(BYTE state)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[key_] = state;
        SetKeyboardState(keys);
    }
    BYTE key_;
};

class Transport : public WorkspaceTest {
protected:
    static void SetUpTestSuite()
    {
        WorkspaceTest::SetUpTestSuite();
        WriteSilentWav(Folder() / L"十秒.wav", 10000);
        WriteSilentWav(Folder() / L"长录音.wav", kLongMs);
        std::ofstream(Folder() / L"不是录音.wav") << "not a recording";
    }

    void SetUp() override
    {
        WorkspaceTest::SetUp();
        form_->Timer3->SetEnabled(false);
        form_->Timer4->SetEnabled(false);
        form_->Memo1->SetEnabled(true);
        form_->Memo1->SetText(L"");
        form_->CheckBox1->SetChecked(false);
        WriteSettings(L"5", L"3", L"5");
    }

    // Opens a recording through the double-click on the recording box.
    void Choose(const fs::path& file)
    {
        ChooseFile choice(file.wstring());
        form_->Edit1DblClick(form_->Edit1);
        boxes_->Clear();
    }

    HWND Memo() { return form_->Memo1->Handle(); }
    platform::TMediaPlayer& Player() { return *form_->MediaPlayer1; }
};

TEST_F(Transport, CommandsWithoutARecordingRefuseOrReportTheMissingDevice)
{
    Player().Close();
    Player().SetFileName(L"");
    for (ui::TBitBtn* button : {form_->BitBtn4, form_->BitBtn7, form_->BitBtn8, form_->BitBtn2}) button->Click();
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>(4, kNoRecording));

    // A name without an open device (after the new-document command, or a failed open).
    boxes_->Clear();
    Player().SetFileName((Folder() / L"十秒.wav").wstring());
    for (WORD key : {VK_F9, VK_F11, VK_F12}) PressKey(Memo(), key);
    EXPECT_EQ(boxes_->Errors(), std::vector<std::wstring>(3, L"No MCI device open."));
    EXPECT_FALSE(form_->Timer3->Enabled());
    EXPECT_FALSE(form_->Timer4->Enabled());

    boxes_->Clear();
    form_->Edit3->SetText(L"00:00:01");
    form_->Label9Click(form_->Label9);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{kBadTime});

    // Alt stops first: the stop fails, so the clipboard keeps its text and no warning shows.
    boxes_->Clear();
    ui::Clipboard().SetAsText(L"保留");
    PressKey(Memo(), VK_MENU, true);
    EXPECT_EQ(boxes_->Errors(), std::vector<std::wstring>{L"No MCI device open."});
    EXPECT_TRUE(boxes_->Messages().empty());
    EXPECT_EQ(ui::Clipboard().AsText(), L"保留");
}

TEST_F(Transport, OpeningCopiesIntoTheRecordingsFolderAndPlaysThePickedFile)
{
    Player().Close();
    const fs::path voice = ProgramFolder() + app::kVoiceFolder;
    fs::remove_all(voice);
    {
        ChooseFile choice((Folder() / L"十秒.wav").wstring());
        form_->Edit1DblClick(form_->Edit1);
    }
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"复制语音文件成功"});
    EXPECT_TRUE(fs::exists(voice / L"十秒.wav"));
    EXPECT_EQ(form_->Edit1->Text(), L"十秒.wav");
    EXPECT_EQ(form_->Edit2->Text(), L"十秒.wav");
    EXPECT_EQ(Player().FileName(), (Folder() / L"十秒.wav").wstring());
    EXPECT_EQ(form_->TrackBar1->Max(), 10000);
    EXPECT_EQ(form_->Label6->Caption(), L"/00:00:10");

    // The copy itself chosen again: a copy onto itself is no failure.
    boxes_->Clear();
    {
        ChooseFile choice((voice / L"十秒.wav").wstring());
        form_->Edit1DblClick(form_->Edit1);
    }
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"复制语音文件成功"});
    EXPECT_EQ(Player().FileName(), (voice / L"十秒.wav").wstring());

    // Cancelled: only the length read-out is refreshed.
    boxes_->Clear();
    form_->Label6->SetCaption(L"");
    form_->Edit2->SetText(L"标题");
    {
        ChooseFile cancel(L"");
        form_->Edit1DblClick(form_->Edit1);
    }
    EXPECT_TRUE(boxes_->Boxes().empty());
    EXPECT_EQ(form_->Label6->Caption(), L"/00:00:10");
    EXPECT_EQ(form_->Edit2->Text(), L"标题");
}

TEST_F(Transport, AFailedCopyIsReportedAndTheWorkspaceKeepsItsRecording)
{
    WriteSilentWav(Folder() / L"四秒.wav", 4000);
    Choose(Folder() / L"四秒.wav");
    form_->Edit2->SetText(L"原标题");
    const fs::path voice = ProgramFolder() + app::kVoiceFolder;
    fs::remove_all(voice);
    // A file where the folder should be: the folder cannot be made.
    std::ofstream(fs::path(ProgramFolder()) / L"voice") << "";
    {
        ChooseFile choice((Folder() / L"十秒.wav").wstring());
        form_->Edit1DblClick(form_->Edit1);
    }
    fs::remove(fs::path(ProgramFolder()) / L"voice");
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"复制语音文件失败"});
    // Boxes and player still agree on the previous recording.
    EXPECT_EQ(form_->Edit1->Text(), L"四秒.wav");
    EXPECT_EQ(form_->Edit2->Text(), L"原标题");
    EXPECT_EQ(Player().FileName(), (Folder() / L"四秒.wav").wstring());
    EXPECT_TRUE(Player().IsOpen());
    EXPECT_EQ(Player().Length(), 4000);
    EXPECT_EQ(form_->TrackBar1->Max(), 4000);
    EXPECT_EQ(form_->Label6->Caption(), L"/00:00:04");

    // Not a recording: refused, and the length read-out then finds no device.
    boxes_->Clear();
    {
        ChooseFile choice((Folder() / L"不是录音.wav").wstring());
        try {
            form_->Edit1DblClick(form_->Edit1);
            ADD_FAILURE() << "the length of nothing open was read";
        } catch (const ui::Exception& failure) {
            EXPECT_EQ(failure.Message(), L"No MCI device open");
        }
    }
    EXPECT_EQ(boxes_->Messages(), (std::vector<std::wstring>{L"复制语音文件成功", L"不支持的音频文件!"}));
    EXPECT_FALSE(Player().IsOpen());
}

TEST_F(Transport, SpaceTogglesPlaybackAndTakesBackTheTypedSpace)
{
    Choose(Folder() / L"十秒.wav");
    form_->Memo1->SetText(L"录音稿");
    form_->Memo1->SetFocus();
    form_->Memo1->Select(3, 0);
    PressKey(Memo(), VK_SPACE);
    Pump(100ms);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_EQ(form_->BitBtn4->Caption(), L"暂停（空格键）");
    EXPECT_EQ(form_->Memo1->Text(), L"录音稿");
    EXPECT_TRUE(form_->Panel4->Visible());
    EXPECT_TRUE(form_->Timer1->Enabled());

    // A selection is replaced by the space and so is gone.
    form_->Memo1->SelectAll();
    PressKey(Memo(), VK_SPACE);
    Pump(100ms);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPaused);
    EXPECT_EQ(form_->BitBtn4->Caption(), L"继续（空格键）");
    EXPECT_EQ(form_->Memo1->Text(), L"");

    // Ctrl makes no difference to the command.
    {
        HeldKey control(VK_CONTROL);
        PressKey(Memo(), VK_SPACE);
    }
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_EQ(form_->BitBtn4->Caption(), L"暂停（空格键）");

    // The read-out follows the player once a second.
    form_->TrackBar1->SetPosition(0);
    form_->Label1->SetCaption(L"");
    ASSERT_TRUE(PumpUntil([&] { return !form_->Label1->Caption().empty(); }, 2500ms));
    EXPECT_GT(form_->TrackBar1->Position(), 0);
    EXPECT_EQ(form_->Label1->Caption(), app::TimeText(form_->TrackBar1->Position()));

    // At the very end of the recording play starts again from the beginning.
    Player().SetPosition(10000);
    ASSERT_EQ(Player().Mode(), TMPModes::mpStopped);
    form_->BitBtn4->Click();
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_LT(Player().Position(), 1000);
    Player().Stop();
}

TEST_F(Transport, SkipTakesTheSettingOfTheMomentAndIsRefusedPastTheEnd)
{
    Choose(Folder() / L"长录音.wav");
    PressKey(Memo(), VK_F12);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_GE(Player().Position(), 5000);
    EXPECT_LT(Player().Position(), 6000);

    WriteSettings(L"10", L"3", L"5");
    const std::int64_t before = Player().Position();
    PressKey(Memo(), VK_F12);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_GE(Player().Position(), before + 10000);
    EXPECT_LT(Player().Position(), before + 11000);

    // Past the end: the player refuses the seek silently and plays on.
    Choose(Folder() / L"十秒.wav");
    Player().SetPosition(8000);
    Player().Play();
    PressKey(Memo(), VK_F12);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_GE(Player().Position(), 8000);
    EXPECT_LT(Player().Position(), 9000);
    EXPECT_TRUE(boxes_->Boxes().empty());
    Player().Stop();
}

TEST_F(Transport, ReplaySeeksBackAndPlaysItsLengthFromTheNextTick)
{
    Choose(Folder() / L"长录音.wav");
    Player().SetPosition(20000);
    Player().Play();
    Pump(300ms);
    TickCount ticks(form_->Timer4);
    const std::int64_t before = Player().Position();
    {
        // Shift makes no difference.
        HeldKey shift(VK_SHIFT);
        PressKey(Memo(), VK_F9);
    }
    // Sought back 3 s and left stopped; played on the first tick, paused on the fourth.
    EXPECT_EQ(Player().Mode(), TMPModes::mpStopped);
    EXPECT_NEAR(static_cast<double>(Player().Position()), static_cast<double>(before - 3000), 300.0);
    EXPECT_TRUE(form_->Timer4->Enabled());
    EXPECT_TRUE(form_->Panel4->Visible());
    EXPECT_TRUE(form_->Memo1->Focused());
    ASSERT_TRUE(PumpUntil([&] { return ticks.Ticks() == 1; }, 2000ms));
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    ASSERT_TRUE(PumpUntil([&] { return Player().Mode() == TMPModes::mpPaused; }, 5000ms));
    EXPECT_EQ(ticks.Ticks(), 4);
    EXPECT_FALSE(form_->Timer4->Enabled());
    // Three seconds of sound: back where the key was pressed.
    EXPECT_NEAR(static_cast<double>(Player().Position()), static_cast<double>(before), 500.0);

    // Pausing by play/pause ends the replay countdown.
    PressKey(Memo(), VK_F9);
    ASSERT_TRUE(PumpUntil([&] { return Player().Mode() == TMPModes::mpPlaying; }, 2000ms));
    form_->BitBtn4->Click();
    EXPECT_EQ(Player().Mode(), TMPModes::mpPaused);
    EXPECT_FALSE(form_->Timer4->Enabled());
    Player().Stop();
}

TEST_F(Transport, ReplayAtTheStartIsRefusedByThePlayerButItsCountdownRuns)
{
    WriteSettings(L"5", L"5", L"5");
    Choose(Folder() / L"长录音.wav");
    Player().SetPosition(3000);
    Player().Play();
    TickCount ticks(form_->Timer4);
    PressKey(Memo(), VK_F9);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_TRUE(form_->Timer4->Enabled());
    ASSERT_TRUE(PumpUntil([&] { return Player().Mode() == TMPModes::mpPaused; }, 8000ms));
    // Five running ticks and the pause on the sixth: about six seconds played on from 3 s.
    EXPECT_EQ(ticks.Ticks(), 6);
    EXPECT_GE(Player().Position(), 8000);
    EXPECT_LT(Player().Position(), 10000);
    Player().Stop();
}

TEST_F(Transport, PlayThenPauseCountsFromItsLastKeyOnTheRunningPeriod)
{
    WriteSettings(L"5", L"3", L"2");
    Choose(Folder() / L"长录音.wav");
    form_->Label6->SetCaption(L"");
    form_->Panel4->Hide();
    form_->BitBtn7->Hide();
    TickCount ticks(form_->Timer3);
    PressKey(Memo(), VK_F11);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_TRUE(form_->Timer3->Enabled());
    EXPECT_TRUE(form_->Timer1->Enabled());
    EXPECT_EQ(form_->Label6->Caption(), L"/01:25:00");
    EXPECT_TRUE(form_->Panel4->Visible());
    EXPECT_TRUE(form_->BitBtn7->Visible());
    EXPECT_TRUE(form_->Memo1->Focused());

    // Half way to the second tick the key again: the full length anew, the tick still due.
    ASSERT_TRUE(PumpUntil([&] { return ticks.Ticks() == 1; }, 2000ms));
    Pump(500ms);
    PressKey(Memo(), VK_F11);
    const auto again = std::chrono::steady_clock::now();
    ASSERT_TRUE(PumpUntil([&] { return ticks.Ticks() == 2; }, 2000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - again, 800ms);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    // Length 2 from the second key: two running ticks, the pause on the third.
    ASSERT_TRUE(PumpUntil([&] { return Player().Mode() == TMPModes::mpPaused; }, 4000ms));
    EXPECT_EQ(ticks.Ticks(), 4);
    EXPECT_FALSE(form_->Timer3->Enabled());
    Player().Stop();
}

TEST_F(Transport, ACountdownWhoseRecordingClosesEndsWithOneReport)
{
    Choose(Folder() / L"长录音.wav");
    Player().SetPosition(10000);
    PressKey(Memo(), VK_F9);
    ASSERT_TRUE(form_->Timer4->Enabled());
    Player().Close();
    ASSERT_TRUE(PumpUntil([&] { return !form_->Timer4->Enabled(); }, 2000ms));
    Pump(1200ms);
    EXPECT_EQ(boxes_->Errors(), std::vector<std::wstring>{L"No MCI device open."});
}

TEST_F(Transport, DurationsThatDoNotConvertEndTheCommandWithTheGeneralReport)
{
    Choose(Folder() / L"长录音.wav");
    Player().SetPosition(80000);
    Player().Play();
    WriteSettings(L"abc", L"75", L"60");
    PressKey(Memo(), VK_F12);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    // The seek back 75 s is done before the countdown refuses the length.
    const std::int64_t before = Player().Position();
    PressKey(Memo(), VK_F9);
    EXPECT_EQ(Player().Mode(), TMPModes::mpStopped);
    EXPECT_NEAR(static_cast<double>(Player().Position()), static_cast<double>(before - 75000), 300.0);
    EXPECT_FALSE(form_->Timer4->Enabled());
    // Playing has started before the countdown refuses the length; the read-outs are not reached.
    form_->Label6->SetCaption(L"");
    PressKey(Memo(), VK_F11);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_FALSE(form_->Timer3->Enabled());
    EXPECT_EQ(form_->Label6->Caption(), L"");
    EXPECT_EQ(boxes_->Errors(), (std::vector<std::wstring>{L"'abc' is not a valid integer value.",
                                                           L"'00:00:75' is not a valid time.",
                                                           L"'00:00:60' is not a valid time."}));
    Player().Stop();

    // A settings file without the keys: the lookups give the keys' own names.
    boxes_->Clear();
    DeleteFileW((ProgramFolder() + app::kSettingsFile).c_str());
    PressKey(Memo(), VK_F12);
    EXPECT_EQ(boxes_->Errors(), std::vector<std::wstring>{L"'shijian1' is not a valid integer value."});
}

TEST_F(Transport, DraggingTheBarSeeksOnlyWhileTicked)
{
    Choose(Folder() / L"长录音.wav");
    Player().Play();
    form_->Edit4->SetFocus();
    form_->CheckBox1->SetChecked(true);
    EXPECT_TRUE(form_->Memo1->Focused());
    form_->TrackBar1->SetPosition(60000);
    EXPECT_EQ(form_->TrackBar1->Cursor(), ui::crHandPoint);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_GE(Player().Position(), 60000);
    EXPECT_LT(Player().Position(), 61000);

    form_->CheckBox1->SetChecked(false);
    form_->TrackBar1->SetPosition(0);
    EXPECT_EQ(form_->TrackBar1->Cursor(), ui::crArrow);
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_GE(Player().Position(), 60000);
    Player().Stop();
}

TEST_F(Transport, TypedTimesSeekTheLongRecording)
{
    Choose(Folder() / L"长录音.wav");
    EXPECT_EQ(form_->Label6->Caption(), L"/01:25:00");
    for (const wchar_t* text : {L"01:21:09", L"1:21:9"}) {
        form_->Edit3->SetText(text);
        form_->Label9Click(form_->Label9);
        EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying) << text;
        EXPECT_GE(Player().Position(), 4869000) << text;
        EXPECT_LT(Player().Position(), 4870000) << text;
        EXPECT_EQ(form_->Label1->Caption(), text);
        EXPECT_TRUE(form_->Panel4->Visible());
    }
    EXPECT_TRUE(boxes_->Boxes().empty());

    // F8 stamps the read-out, which still shows the typed time.
    form_->Edit3->SetText(L"01:02:03");
    form_->Label9Click(form_->Label9);
    form_->Memo1->SetText(L"开头结尾");
    form_->Memo1->Select(2, 0);
    PressKey(Memo(), VK_F8);
    EXPECT_EQ(form_->Memo1->Text(), L"开头-01:02:03-结尾");

    for (const wchar_t* text : {L"25:00:00", L"abc"}) {
        boxes_->Clear();
        form_->Edit3->SetText(text);
        form_->Label9Click(form_->Label9);
        EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{kBadTime}) << text;
        // Stopped and the read-out already set: the steps before the failure stay done.
        EXPECT_EQ(Player().Mode(), TMPModes::mpStopped);
        EXPECT_EQ(form_->Label1->Caption(), text);
    }
}

TEST_F(Transport, DoubleClickOnATimeInTheTextSeeksThere)
{
    Choose(Folder() / L"长录音.wav");
    form_->Memo1->SetText(L"见 01:21:09 处");
    form_->CheckBox1->SetChecked(true);
    HWND memo = Memo();
    const LRESULT at = SendMessageW(memo, EM_POSFROMCHAR, 4, 0);
    const LPARAM point = MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 4);
    PostMessageW(memo, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(memo, WM_LBUTTONUP, 0, point);
    PostMessageW(memo, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(memo, WM_LBUTTONUP, 0, point);
    Pump(100ms);
    EXPECT_EQ(app::Trim(form_->Edit3->Text()), L"01:21:09");
    EXPECT_EQ(app::Trim(ui::Clipboard().AsText()), L"01:21:09");
    EXPECT_FALSE(form_->CheckBox1->Checked());
    EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
    EXPECT_GE(Player().Position(), 4869000);
    Player().Stop();
}

TEST_F(Transport, F10AndAltStopPlaybackEmptyTheClipboardAndWarn)
{
    Choose(Folder() / L"十秒.wav");
    for (bool alt : {false, true}) {
        Player().Play();
        ui::Clipboard().SetAsText(L"剪贴板");
        boxes_->Clear();
        if (alt)
            PressKey(Memo(), VK_MENU, true);
        else
            PressKey(Memo(), VK_F10, true);
        EXPECT_EQ(Player().Mode(), TMPModes::mpStopped);
        EXPECT_FALSE(ui::Clipboard().HasText());
        EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"警告！系统热键冲突，请勿乱按系统功能键！"});
    }
}

// Recordings as people have them, made at test time by scripts/make-recordings: each opens
// through the real window, shows its length, plays in real time, seeks and pauses.
TEST_F(Transport, CompressedRecordingsOpenPlaySeekAndPause)
{
    const fs::path made = testing_support::WindowsPathOf(MJ_RECORDINGS_DIR);
    for (const wchar_t* name : {L"会议录音.mp3", L"会议录音.m4a"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        boxes_->Clear();
        Player().Close();
        {
            ChooseFile choice((made / name).wstring());
            form_->Edit1DblClick(form_->Edit1);
        }
        EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"复制语音文件成功"});
        ASSERT_TRUE(Player().IsOpen());
        // A 6-second tone, within 2 %.
        EXPECT_NEAR(static_cast<double>(Player().Length()), 6000.0, 120.0);
        EXPECT_EQ(form_->TrackBar1->Max(), static_cast<int>(Player().Length()));
        EXPECT_EQ(form_->Label6->Caption(), L"/" + app::TimeText(Player().Length()));

        form_->BitBtn4Click(form_->BitBtn4);
        EXPECT_EQ(Player().Mode(), TMPModes::mpPlaying);
        Pump(1200ms);
        EXPECT_NEAR(static_cast<double>(Player().Position()), 1200.0, 500.0);

        form_->Edit3->SetText(L"00:00:04");
        form_->Label9Click(form_->Label9);
        Pump(300ms);
        EXPECT_GE(Player().Position(), 4000);
        EXPECT_LT(Player().Position(), 5000);

        form_->BitBtn4Click(form_->BitBtn4);
        EXPECT_EQ(Player().Mode(), TMPModes::mpPaused);
        const std::int64_t paused = Player().Position();
        Pump(500ms);
        EXPECT_NEAR(static_cast<double>(Player().Position()), static_cast<double>(paused), 60.0);
        Player().Stop();
        EXPECT_TRUE(boxes_->Errors().empty());
    }
}

}  // namespace
}  // namespace testing_app

// Playback: opening a recording, play and pause, replay, play then pause, skip, seek to a
// typed time, the position read-out and the progress bar.
#include "app/Unit1.h"

#include "app/Unit3.h"
#include "app/core/Files.h"
#include "app/core/TimeText.h"

namespace app {

namespace {

using platform::TMPModes;

constexpr wchar_t kNoRecording[] = L"没有加载录音文件或格式不正确";
constexpr wchar_t kCopied[] = L"复制语音文件成功";
constexpr wchar_t kCopyFailed[] = L"复制语音文件失败";
constexpr wchar_t kUnsupported[] = L"不支持的音频文件!";
constexpr wchar_t kBadTime[] = L"请查验时间是否输入正确。只能输入形如 01:23:54 小时分钟秒数这种格式的时间。";

// A duration as the settings file holds it, read afresh at every use so that a change in
// the settings dialog takes effect with the next key. A missing key reads as its own name,
// which no conversion accepts.
std::wstring Duration(const wchar_t* key)
{
    return DurationSettings().ReadString(kSettingsSection, key, key);
}

}  // namespace

bool TMainForm1::RecordingNamed()
{
    if (!MediaPlayer1->FileName().empty()) return true;
    ui::ShowMessage(kNoRecording);
    return false;
}

// A play command to a device that already plays starts it over where it is and drops what it
// had buffered, a gap in the sound each time; the commands that play on leave it alone then.
void TMainForm1::PlayOn()
{
    if (MediaPlayer1->Mode() != TMPModes::mpPlaying) MediaPlayer1->Play();
}

void TMainForm1::OpenRecording(const std::wstring& file)
{
    MediaPlayer1->Close();
    MediaPlayer1->SetFileName(file);
    MediaPlayer1->Open();
    TrackBar1->SetMin(0);
    TrackBar1->SetMax(static_cast<int>(MediaPlayer1->Length()));
}

void TMainForm1::ShowLength() { Label6->SetCaption(L"/" + TimeText(MediaPlayer1->Length())); }

// A countdown whose recording was closed under it (new document, a load without its
// recording) ends with its first failing player command, reported once rather than on
// every tick.
void TMainForm1::CountdownTick(ui::TTimer* timer, TickAction action)
{
    if (action == TickAction::None) return;
    if (action == TickAction::PauseAndStop || !MediaPlayer1->IsOpen()) timer->SetEnabled(false);
    if (action == TickAction::Play)
        PlayOn();
    else
        MediaPlayer1->Pause();
}

void TMainForm1::Edit1DblClick(ui::TObject*)
{
    if (MediaOpenDialog1->Execute() && !MediaOpenDialog1->FileName().empty()) {
        const std::wstring file = MediaOpenDialog1->FileName();
        // Without its copy the recording cannot be stored with the document: the workspace
        // keeps the recording it had, so the boxes and the player never name different files.
        if (!CopyIntoFolder(file, ProgramFolder() + kVoiceFolder)) {
            ui::ShowMessage(kCopyFailed);
            return;
        }
        ui::ShowMessage(kCopied);
        Edit1->SetText(ExtractFileName(file));
        Edit2->SetText(ExtractFileName(file));
        // The picked file itself is played, not its copy.
        try {
            OpenRecording(file);
        } catch (const std::exception&) {
            ui::ShowMessage(kUnsupported);
        }
    }
    ShowLength();
}

void TMainForm1::BitBtn4Click(ui::TObject*)
{
    Memo1->SetFocus();
    if (!RecordingNamed()) return;
    switch (MediaPlayer1->Mode()) {
    case TMPModes::mpStopped:
        MediaPlayer1->Play();
        BitBtn4->SetCaption(L"暂停（空格键）");
        break;
    case TMPModes::mpPlaying:
        MediaPlayer1->Pause();
        BitBtn4->SetCaption(L"继续（空格键）");
        Timer4->SetEnabled(false);
        break;
    case TMPModes::mpPaused:
        MediaPlayer1->Resume();
        BitBtn4->SetCaption(L"暂停（空格键）");
        break;
    default: break;
    }
    Panel4->Show();
    BitBtn7->Show();
    BitBtn2->Show();
    Timer1->SetEnabled(true);
}

void TMainForm1::BitBtn7Click(ui::TObject*)
{
    if (!RecordingNamed()) return;
    const std::wstring replay = Duration(kReplayKey);
    // Not clamped: a target before the start is refused by the player and playback goes on.
    MediaPlayer1->SetPosition(MediaPlayer1->Position() - StrToInt(replay) * 1000LL);
    Memo1->SetFocus();
    replay_countdown_.Start(CountdownSeconds(replay));
    Timer4->SetEnabled(true);
    Panel4->Show();
}

void TMainForm1::BitBtn8Click(ui::TObject*)
{
    if (!RecordingNamed()) return;
    const std::wstring play = Duration(kPlayKey);
    PlayOn();
    Memo1->SetFocus();
    // A second F11 while counting starts the full length again; the timer keeps its period.
    auto_pause_countdown_.Start(CountdownSeconds(play));
    Timer3->SetEnabled(true);
    ShowLength();
    Panel4->Show();
    BitBtn7->Show();
    Timer1->SetEnabled(true);
}

void TMainForm1::BitBtn2Click(ui::TObject*)
{
    if (!RecordingNamed()) return;
    const int skip = StrToInt(Duration(kSkipKey));
    // A target past the end is refused and playback goes on.
    MediaPlayer1->SetPosition(MediaPlayer1->Position() + skip * 1000LL);
    PlayOn();
}

void TMainForm1::Label9Click(ui::TObject*)
{
    try {
        MediaPlayer1->Stop();
        Label1->SetCaption(Edit3->Text());
        MediaPlayer1->SetPosition(ParseTimeOfDay(Edit3->Text()));
        MediaPlayer1->Play();
        Panel4->Show();
    } catch (const std::exception&) {
        ui::ShowMessage(kBadTime);
    }
}

void TMainForm1::Timer1Timer(ui::TObject*)
{
    const std::int64_t position = MediaPlayer1->Position();
    TrackBar1->SetPosition(static_cast<int>(position));
    Label1->SetCaption(TimeText(position));
}

void TMainForm1::Timer3Timer(ui::TObject*) { CountdownTick(Timer3, auto_pause_countdown_.Tick()); }

void TMainForm1::Timer4Timer(ui::TObject*) { CountdownTick(Timer4, replay_countdown_.Tick()); }

void TMainForm1::TrackBar1Change(ui::TObject*)
{
    if (!CheckBox1->Checked()) {
        TrackBar1->SetCursor(ui::crArrow);
        return;
    }
    TrackBar1->SetCursor(ui::crHandPoint);
    if (MediaPlayer1->Mode() == TMPModes::mpPlaying) {
        MediaPlayer1->Stop();
        MediaPlayer1->SetPosition(TrackBar1->Position());
        MediaPlayer1->Play();
    }
}

void TMainForm1::CheckBox1Click(ui::TObject*) { Memo1->SetFocus(); }

void TMainForm1::Memo1MouseDown(ui::TObject*, ui::TMouseButton, ui::TShiftState, int, int)
{
    CheckBox1->SetChecked(false);
}

}  // namespace app

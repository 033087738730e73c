#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Wav.h"
#include "Workspace.h"
#include "app/core/Files.h"
#include "app/core/TimeText.h"

namespace testing_app {
namespace {

using namespace std::chrono_literals;

std::wstring SettingsFile() { return ProgramFolder() + app::kSettingsFile; }

std::wstring ReadSetting(const wchar_t* key)
{
    wchar_t value[64] = {};
    GetPrivateProfileStringW(app::kSettingsSection, key, L"(missing)", value, 64, SettingsFile().c_str());
    return value;
}

class Settings : public WorkspaceTest {};

TEST_F(Settings, TheDialogShowsTheFileAndTheNamesOfMissingKeys)
{
    WriteSettings(L"7", L"8", L"9");
    settings_->Show();
    Pump(50ms);
    EXPECT_EQ(settings_->Edit1->Text(), L"7");
    EXPECT_EQ(settings_->Edit2->Text(), L"8");
    EXPECT_EQ(settings_->Edit3->Text(), L"9");
    // Closed by its title-bar button: the edits are discarded.
    settings_->Edit1->SetText(L"99");
    settings_->Close();
    EXPECT_EQ(ReadSetting(app::kSkipKey), L"7");

    DeleteFileW(SettingsFile().c_str());
    settings_->Show();
    Pump(50ms);
    EXPECT_EQ(settings_->Edit1->Text(), L"shijian1");
    EXPECT_EQ(settings_->Edit2->Text(), L"shijian2");
    EXPECT_EQ(settings_->Edit3->Text(), L"shijian3");
    settings_->Close();
    Pump(50ms);
}

TEST_F(Settings, SavedDurationsReachTheNextHotKey)
{
    WriteSettings(L"5", L"3", L"5");
    WritePrivateProfileStringW(app::kSettingsSection, L"other", L"kept", SettingsFile().c_str());
    WriteSilentWav(Folder() / L"三十秒.wav", 30000);
    form_->MediaPlayer1->SetFileName((Folder() / L"三十秒.wav").wstring());
    form_->MediaPlayer1->Open();

    // Through the menu, modally, as the user meets it; the dialog is answered once it shows.
    bool answered = false;
    ui::TTimer answer(nullptr);
    answer.SetInterval(100);
    answer.OnTimer = [&](ui::TObject*) {
        if (answered || !settings_->Visible()) return;
        answered = true;
        settings_->Edit2->SetText(L"5");
        settings_->Edit3->SetText(L"3");
        settings_->Edit1->SetText(L"10");
        settings_->Button1->Click();
    };
    answer.SetEnabled(true);
    MenuCommand(form_->Handle(), form_->N3);
    answer.SetEnabled(false);

    ASSERT_TRUE(answered);
    EXPECT_FALSE(settings_->Visible());
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"更改时间成功!"});
    EXPECT_EQ(ReadSetting(app::kReplayKey), L"5");
    EXPECT_EQ(ReadSetting(app::kPlayKey), L"3");
    EXPECT_EQ(ReadSetting(app::kSkipKey), L"10");
    EXPECT_EQ(ReadSetting(L"other"), L"kept");

    form_->Memo1->SetEnabled(true);
    PressKey(form_->Memo1->Handle(), VK_F12);
    EXPECT_GE(form_->MediaPlayer1->Position(), 10000);
    EXPECT_LT(form_->MediaPlayer1->Position(), 11000);
    form_->MediaPlayer1->Stop();
}

TEST_F(Settings, ValuesAreStoredAsTypedInTheAnsiCodePage)
{
    DeleteFileW(SettingsFile().c_str());
    settings_->Show();
    Pump(50ms);
    settings_->Edit2->SetText(L"75");
    settings_->Edit3->SetText(L" 3 ");
    settings_->Edit1->SetText(L"快");
    settings_->Button1->Click();
    Pump(50ms);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"更改时间成功!"});
    EXPECT_EQ(ReadSetting(app::kReplayKey), L"75");
    EXPECT_EQ(ReadSetting(app::kSkipKey), L"快");
    std::ostringstream bytes;
    bytes << std::ifstream(fs::path(SettingsFile()), std::ios::binary).rdbuf();
    EXPECT_NE(bytes.str().find("[\xCA\xB1\xBC\xE4]"), std::string::npos);  // [时间] in GBK
    EXPECT_NE(bytes.str().find("shijian1=\xBF\xEC"), std::string::npos);   // 快 in GBK
    // A number typed between blanks reads back as the number (the profile functions drop the
    // blanks around a value), so the next F11 counts three seconds.
    EXPECT_EQ(ReadSetting(app::kPlayKey), L"3");
    EXPECT_EQ(app::CountdownSeconds(app::DurationSettings().ReadString(app::kSettingsSection, app::kPlayKey, L"")), 3);
}

}  // namespace
}  // namespace testing_app

// The media player against real MCI playback: the services' PulseAudio null sink plays in
// real time, so positions advance as on a sound card.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/MediaPlayer.h"

namespace {

using platform::TMediaPlayer;
using platform::TMPModes;
using platform_test::TempDir;
using platform_test::WriteBytes;

void PutLE(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A mono 16-bit PCM tone of `ms` milliseconds.
std::string ToneWav(int ms)
{
    constexpr std::uint32_t rate = 22050;
    std::uint32_t samples = rate * static_cast<std::uint32_t>(ms) / 1000;
    std::string wav = "RIFF";
    PutLE(wav, 36 + samples * 2, 4);
    wav += "WAVEfmt ";
    PutLE(wav, 16, 4);
    PutLE(wav, 1, 2);         // PCM
    PutLE(wav, 1, 2);         // channels
    PutLE(wav, rate, 4);
    PutLE(wav, rate * 2, 4);  // bytes per second
    PutLE(wav, 2, 2);         // block align
    PutLE(wav, 16, 2);        // bits per sample
    wav += "data";
    PutLE(wav, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        double s = 6000.0 * std::sin(2.0 * std::numbers::pi * 440.0 * i / rate);
        PutLE(wav, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)), 2);
    }
    return wav;
}

class MediaPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(dir_.Path() / L"三秒.wav", ToneWav(3000));
        WriteBytes(dir_.Path() / L"one.wav", ToneWav(1000));
        player_.SetName(L"MediaPlayer1");
    }

    void OpenFile(const wchar_t* name)
    {
        player_.SetFileName((dir_.Path() / name).wstring());
        player_.Open();
    }

    TempDir dir_;
    TMediaPlayer player_{nullptr};
};

void ExpectNoDevice(const std::function<void()>& operation, const char* name)
{
    try {
        operation();
        ADD_FAILURE() << name << " did not fail";
    } catch (const platform::EMCIDeviceError& e) {
        EXPECT_EQ(e.Message(), L"No MCI device open") << name;
    }
}

void ExpectEveryOperationNeedsADevice(TMediaPlayer& player)
{
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"Play", [&] { player.Play(); }},
        {"Pause", [&] { player.Pause(); }},
        {"Resume", [&] { player.Resume(); }},
        {"Stop", [&] { player.Stop(); }},
        {"SetPosition", [&] { player.SetPosition(0); }},
        {"Length", [&] { player.Length(); }},
    };
    for (const auto& [name, operation] : operations) ExpectNoDevice(operation, name);
    EXPECT_FALSE(player.IsOpen());
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
    player.Close();
}

TEST(MediaPlayerClosed, EveryOperationButPositionAndModeNeedsAnOpenDevice)
{
    TMediaPlayer player(nullptr);
    EXPECT_EQ(player.ClassName(), L"TMediaPlayer");
    ExpectEveryOperationNeedsADevice(player);
}

TEST_F(MediaPlayerTest, OpenFailsForMissingAndUnsupportedFilesAndClosesTheOldOne)
{
    WriteBytes(dir_.Path() / L"garbage.wav", std::string(4096, 'x'));
    // No device claims the extension, and the media-stream player reads no sound in it.
    WriteBytes(dir_.Path() / L"notes.xyz", std::string(4096, 'y'));
    for (const wchar_t* name : {L"missing.wav", L"garbage.wav", L"notes.xyz"}) {
        OpenFile(L"三秒.wav");
        ASSERT_TRUE(player_.IsOpen());
        std::wstring file = (dir_.Path() / name).wstring();
        player_.SetFileName(file);
        try {
            player_.Open();
            ADD_FAILURE() << "opened " << ::testing::PrintToString(file);
        } catch (const ui::Exception& e) {
            EXPECT_FALSE(e.Message().empty());
        }
        EXPECT_EQ(player_.FileName(), file);
        ExpectEveryOperationNeedsADevice(player_);
    }
}

TEST_F(MediaPlayerTest, OpenStopsAtZeroAndCloseKeepsTheName)
{
    OpenFile(L"三秒.wav");
    EXPECT_TRUE(player_.IsOpen());
    EXPECT_EQ(player_.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player_.Position(), 0);
    EXPECT_NEAR(player_.Length(), 3000, 1);

    OpenFile(L"one.wav");
    EXPECT_NEAR(player_.Length(), 1000, 1);

    std::wstring name = player_.FileName();
    player_.Close();
    EXPECT_EQ(player_.FileName(), name);
    ExpectEveryOperationNeedsADevice(player_);
}

TEST_F(MediaPlayerTest, PlayAdvancesPauseTogglesAndStopKeepsThePosition)
{
    OpenFile(L"三秒.wav");
    player_.Play();
    Sleep(600);
    EXPECT_EQ(player_.Mode(), TMPModes::mpPlaying);
    EXPECT_GT(player_.Position(), 200);

    player_.Pause();
    EXPECT_EQ(player_.Mode(), TMPModes::mpPaused);
    std::int64_t paused_at = player_.Position();
    Sleep(400);
    EXPECT_EQ(player_.Position(), paused_at);

    player_.Pause();
    EXPECT_EQ(player_.Mode(), TMPModes::mpPlaying);
    Sleep(400);
    EXPECT_GT(player_.Position(), paused_at + 100);

    player_.Pause();
    player_.Resume();
    EXPECT_EQ(player_.Mode(), TMPModes::mpPlaying);

    player_.Stop();
    EXPECT_EQ(player_.Mode(), TMPModes::mpStopped);
    std::int64_t stopped_at = player_.Position();
    EXPECT_GT(stopped_at, paused_at);
    Sleep(300);
    EXPECT_EQ(player_.Position(), stopped_at);

    // A stopped player is no toggle's business.
    player_.Pause();
    EXPECT_EQ(player_.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player_.Position(), stopped_at);

    player_.Play();
    Sleep(300);
    EXPECT_GT(player_.Position(), stopped_at + 100);
}

TEST_F(MediaPlayerTest, SetPositionLeavesStoppedAndIgnoresTargetsOutsideTheRecording)
{
    OpenFile(L"三秒.wav");
    player_.Play();
    Sleep(300);
    player_.SetPosition(2000);
    EXPECT_EQ(player_.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player_.Position(), 2000);

    player_.SetPosition(500);
    player_.Play();
    Sleep(300);
    for (std::int64_t target : {std::int64_t{-1}, std::int64_t{-5000}, player_.Length() + 1}) {
        std::int64_t before = player_.Position();
        player_.SetPosition(target);
        EXPECT_EQ(player_.Mode(), TMPModes::mpPlaying) << target;
        EXPECT_GE(player_.Position(), before) << target;
    }

    player_.Stop();
    std::int64_t stopped_at = player_.Position();
    player_.SetPosition(-1000);
    player_.SetPosition(99999);
    EXPECT_EQ(player_.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player_.Position(), stopped_at);
}

TEST_F(MediaPlayerTest, PlayAtTheVeryEndStartsAgainFromZero)
{
    OpenFile(L"one.wav");
    player_.Play();
    Sleep(1600);
    EXPECT_EQ(player_.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player_.Position(), player_.Length());

    player_.Play();
    Sleep(200);
    EXPECT_EQ(player_.Mode(), TMPModes::mpPlaying);
    EXPECT_LT(player_.Position(), 700);

    player_.SetPosition(player_.Length());
    player_.Play();
    Sleep(200);
    EXPECT_EQ(player_.Mode(), TMPModes::mpPlaying);
    EXPECT_LT(player_.Position(), 700);
}

}  // namespace

// TMediaPlayer: one recording at a time played through MCI, the device chosen by the file's
// type, positions and lengths in whole milliseconds. No window is needed: nothing asks the
// device for notifications.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/Component.h"
#include "ui/Exception.h"

namespace platform {

// Same order as the MCI modes, starting at not ready.
enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class EMCIDeviceError : public ui::Exception {
public:
    using Exception::Exception;
};

class TMediaPlayer : public ui::TComponent {
public:
    explicit TMediaPlayer(ui::TComponent* owner);
    ~TMediaPlayer() override;

    std::wstring_view ClassName() const override { return L"TMediaPlayer"; }

    const std::wstring& FileName() const { return file_name_; }
    void SetFileName(std::wstring file_name) { file_name_ = std::move(file_name); }

    // Closes any open recording first; throws for a missing or unsupported file.
    void Open();
    // The file name stays; does nothing when nothing is open.
    void Close();
    bool IsOpen() const { return device_ != 0; }

    // Every operation below throws "No MCI device open" when nothing is open.
    // From the current position; at the very end it starts again from 0.
    void Play();
    // Playing becomes paused, paused plays on, any other mode is left alone.
    void Pause();
    // Paused continues; if the device refuses, plays.
    void Resume();
    // Halts playback where it is.
    void Stop();
    // Leaves the player stopped at `ms`; a target outside the recording is ignored.
    void SetPosition(std::int64_t ms);
    std::int64_t Length() const;

    // Never fail: with nothing open the position is 0 and the mode mpNotReady.
    std::int64_t Position() const;
    TMPModes Mode() const;

private:
    void CheckOpen() const;
    unsigned device_ = 0;
    // Where the last seek went, until the next play starts there; the position meanwhile.
    std::optional<std::uint32_t> seek_pending_;
    std::wstring file_name_;
};

}  // namespace platform

#include "platform/MediaPlayer.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform {

namespace {

[[noreturn]] void ThrowMciError(MCIERROR error)
{
    wchar_t text[MAXERRORLENGTH] = L"";
    if (!mciGetErrorStringW(error, text, MAXERRORLENGTH))
        throw EMCIDeviceError(ui::Format(L"MCI error %lu", static_cast<unsigned long>(error)));
    throw EMCIDeviceError(text);
}

void Check(MCIERROR error)
{
    if (error) ThrowMciError(error);
}

MCIERROR Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* parameters)
{
    return mciSendCommandW(device, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
}

MCIERROR Status(MCIDEVICEID device, DWORD item, DWORD_PTR& value)
{
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    MCIERROR error = Send(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status);
    if (!error) value = status.dwReturn;
    return error;
}

}  // namespace

TMediaPlayer::TMediaPlayer(ui::TComponent* owner) : TComponent(owner) {}

TMediaPlayer::~TMediaPlayer() { Close(); }

void TMediaPlayer::CheckOpen() const
{
    if (!device_) throw EMCIDeviceError(L"No MCI device open");
}

void TMediaPlayer::Open()
{
    Close();
    // No device type: MCI picks the device registered for the file's extension. Extensions
    // that no device claims (.m4a and the like) go to the system's media-stream player,
    // which opens whatever its decoders read.
    MCI_OPEN_PARMSW open{};
    open.lpstrElementName = file_name_.c_str();
    MCIERROR error = Send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &open);
    if (error == MCIERR_EXTENSION_NOT_FOUND || error == MCIERR_INVALID_DEVICE_NAME) {
        open = MCI_OPEN_PARMSW{};
        open.lpstrElementName = file_name_.c_str();
        open.lpstrDeviceType = L"mpegvideo";
        const MCIERROR typed = Send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_TYPE | MCI_WAIT, &open);
        if (!typed) error = 0;
    }
    Check(error);
    device_ = open.wDeviceID;
    seek_pending_.reset();
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    if (MCIERROR error = Send(device_, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set)) {
        Close();
        ThrowMciError(error);
    }
}

void TMediaPlayer::Close()
{
    if (!device_) return;
    MCI_GENERIC_PARMS close{};
    Send(device_, MCI_CLOSE, MCI_WAIT, &close);
    device_ = 0;
    seek_pending_.reset();
}

void TMediaPlayer::Play()
{
    CheckOpen();
    std::int64_t length = Length();
    if (length > 0 && Position() >= length) {
        MCI_SEEK_PARMS seek{};
        Check(Send(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek));
        seek_pending_ = 0;
    }
    // A seek is played from explicitly: the media-stream player under Wine otherwise starts
    // from the beginning, not where it was sought to.
    MCI_PLAY_PARMS play{};
    DWORD flags = 0;
    if (seek_pending_) {
        play.dwFrom = *seek_pending_;
        flags = MCI_FROM;
        seek_pending_.reset();
    }
    Check(Send(device_, MCI_PLAY, flags, &play));
}

void TMediaPlayer::Pause()
{
    CheckOpen();
    switch (Mode()) {
    case TMPModes::mpPlaying: {
        MCI_GENERIC_PARMS pause{};
        Check(Send(device_, MCI_PAUSE, MCI_WAIT, &pause));
        break;
    }
    case TMPModes::mpPaused: Resume(); break;
    default: break;
    }
}

void TMediaPlayer::Resume()
{
    CheckOpen();
    MCI_GENERIC_PARMS resume{};
    if (Send(device_, MCI_RESUME, MCI_WAIT, &resume)) Play();
}

void TMediaPlayer::Stop()
{
    CheckOpen();
    MCI_GENERIC_PARMS stop{};
    Check(Send(device_, MCI_STOP, MCI_WAIT, &stop));
}

void TMediaPlayer::SetPosition(std::int64_t ms)
{
    CheckOpen();
    // Refused before the device sees it: some devices stop playback before checking the range.
    if (ms < 0 || ms > Length()) return;
    MCI_SEEK_PARMS seek{};
    seek.dwTo = static_cast<DWORD>(ms);
    MCIERROR error = Send(device_, MCI_SEEK, MCI_TO | MCI_WAIT, &seek);
    // Wine's media-stream player (MP3, M4A) stops the stream on a seek and answers with an
    // internal error, yet plays from the target when asked to: the target is kept for the
    // next play either way.
    if (error && error != MCIERR_OUTOFRANGE && error != MCIERR_INTERNAL) ThrowMciError(error);
    if (error != MCIERR_OUTOFRANGE) seek_pending_ = seek.dwTo;
}

std::int64_t TMediaPlayer::Length() const
{
    CheckOpen();
    DWORD_PTR length = 0;
    Check(Status(device_, MCI_STATUS_LENGTH, length));
    return static_cast<std::int64_t>(length);
}

std::int64_t TMediaPlayer::Position() const
{
    if (device_ && seek_pending_) return *seek_pending_;
    DWORD_PTR position = 0;
    if (!device_ || Status(device_, MCI_STATUS_POSITION, position)) return 0;
    return static_cast<std::int64_t>(position);
}

TMPModes TMediaPlayer::Mode() const
{
    DWORD_PTR mode = 0;
    if (!device_ || Status(device_, MCI_STATUS_MODE, mode)) return TMPModes::mpNotReady;
    if (mode < MCI_MODE_NOT_READY || mode > MCI_MODE_OPEN) return TMPModes::mpNotReady;
    return static_cast<TMPModes>(mode - MCI_MODE_NOT_READY);
}

}  // namespace platform

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
    // No device type: MCI picks the device registered for the file's extension.
    MCI_OPEN_PARMSW open{};
    open.lpstrElementName = file_name_.c_str();
    Check(Send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &open));
    device_ = open.wDeviceID;
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
}

void TMediaPlayer::Play()
{
    CheckOpen();
    std::int64_t length = Length();
    if (length > 0 && Position() >= length) {
        MCI_SEEK_PARMS seek{};
        Check(Send(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek));
    }
    MCI_PLAY_PARMS play{};
    Check(Send(device_, MCI_PLAY, 0, &play));
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
    if (error && error != MCIERR_OUTOFRANGE) ThrowMciError(error);
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

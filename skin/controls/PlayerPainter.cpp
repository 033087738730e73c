#include "skin/controls/PlayerPainter.h"

#include <windowsx.h>

#include "ui/MPlayer.h"

namespace skin {

// ---------------------------------------------------------------------------------------
// TWMediaPlayer

TWMediaPlayer::TWMediaPlayer() : ui::TCustomControl(nullptr) {}

void TWMediaPlayer::Attach(TSkinMP* painter, ui::TWinControl* player, TSkinData* skinData)
{
    painter_ = painter;
    player_ = player;
    skin_data_ = skinData;
    SetTag(skinData->DisableTag);
    SetParent(player->Parent());
    Follow();
}

void TWMediaPlayer::Follow()
{
    if (!player_) return;
    SetBounds(player_->Left(), player_->Top(), player_->Width(), player_->Height());
    if (HWND own = WindowHandle()) SetWindowPos(own, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TPlayerStripLook TWMediaPlayer::Look() const
{
    TPlayerStripLook look;
    const std::wstring visible = ui::GetTextProp(player_, L"VisibleButtons");
    const std::wstring enabled = ui::GetTextProp(player_, L"EnabledButtons");
    const std::wstring coloured = ui::GetTextProp(player_, L"ColoredButtons");
    for (int k = 0; k < kPlayerButtons; ++k) {
        const std::wstring_view name = ui::kMPBtnTypeIdents[k];
        look.Visible[k] = visible.find(name) != std::wstring::npos;
        look.Enabled[k] = enabled.find(name) != std::wstring::npos;
        look.Coloured[k] = coloured.find(name) != std::wstring::npos;
    }
    look.Pressed = pressed_;
    look.PressedButton = pressed_button_;
    return look;
}

void TWMediaPlayer::Paint()
{
    if (!skin_data_) return;
    const HDC dc = Canvas()->Handle();
    PaintPlayerStrip(dc, SIZE{Width(), Height()}, skin_data_->Elements(), glyphs_, Look());
}

void TWMediaPlayer::WndProc(ui::TMessage& message)
{
    const bool down = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
    if ((!down && message.Msg != WM_LBUTTONUP) || !player_ || !player_->WindowHandle()) {
        ui::TCustomControl::WndProc(message);
        return;
    }
    const int at = PlayerButtonAt(GET_X_LPARAM(message.LParam), Width(), Look().Visible);
    const HWND player = player_->WindowHandle();
    if (down) {
        pressed_ = true;
        SendMessageW(player, message.Msg, message.WParam, message.LParam);
        // The player may have taken the mouse; the overlay follows it from here.
        ReleaseCapture();
        current_button_ = pressed_button_ = at;
    } else {
        pressed_ = false;
        current_button_ = at;
        if (current_button_ == pressed_button_)
            SendMessageW(player, message.Msg, message.WParam, message.LParam);
        pressed_button_ = current_button_;
    }
    Invalidate();
    message.Result = 0;
}

// ---------------------------------------------------------------------------------------
// TSkinMP

TSkinMP::~TSkinMP() = default;

void TSkinMP::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    auto* player = dynamic_cast<ui::TWinControl*>(control_);
    if (!player || !player->Parent() || !skin_data_) return;
    overlay_ = std::make_unique<TWMediaPlayer>();
    overlay_->Attach(this, player, skin_data_);
    ShowOverlay();
}

void TSkinMP::ShowOverlay()
{
    if (!overlay_) return;
    const bool shown = active_ && control_ && control_->Visible();
    overlay_->SetVisible(shown);
    if (shown) overlay_->Follow();
}

void TSkinMP::Restore()
{
    TSkinControl::Restore();
    if (!Dead()) overlay_.reset();
}

void TSkinMP::ActiveChanged() { ShowOverlay(); }

void TSkinMP::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (overlay_) overlay_->Follow();
        break;
    case ui::CM_VISIBLECHANGED:
        ShowOverlay();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

}  // namespace skin

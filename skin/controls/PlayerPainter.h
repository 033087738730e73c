// The media player's painter: an overlay (TWMediaPlayer) lies over the player's button strip
// and draws the nine transport buttons on the skin's "Buttons" frames with glyphs of its own
// (PlayerSkins.h). Presses go on to the player, so its own click handling runs; a release
// goes on only over the button that was pressed.
#pragma once

#include <memory>

#include "skin/controls/PlayerSkins.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinMP;

class TWMediaPlayer : public ui::TCustomControl {
public:
    TWMediaPlayer();
    std::wstring_view ClassName() const override { return L"TWMediaPlayer"; }

    // Lies over player, a sibling of it, and is never classified itself.
    void Attach(TSkinMP* painter, ui::TWinControl* player, TSkinData* skinData);
    // Takes the player's bounds, on top of it.
    void Follow();
    // Visible, enabled and coloured buttons as the player's sets say, and the press.
    TPlayerStripLook Look() const;
    int PressedButton() const { return pressed_button_; }

    void WndProc(ui::TMessage& message) override;

protected:
    void Paint() override;
    void EraseBackground(HDC) override {}

private:
    TPlayerGlyphs glyphs_;
    TSkinData* skin_data_ = nullptr;
    TSkinMP* painter_ = nullptr;
    ui::TWinControl* player_ = nullptr;
    bool pressed_ = false;
    int pressed_button_ = kNoPlayerButton;
    int current_button_ = kNoPlayerButton;
};

class TSkinMP : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinMP() override;
    std::wstring_view ClassName() const override { return L"TSkinMP"; }
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void Restore() override;
    TWMediaPlayer* Overlay() const { return overlay_.get(); }

protected:
    void AfterMessage(ui::TMessage& message) override;
    void ActiveChanged() override;

private:
    void ShowOverlay();

    std::unique_ptr<TWMediaPlayer> overlay_;
};

}  // namespace skin

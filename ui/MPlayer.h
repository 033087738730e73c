// The media player's button strip: nine transport buttons in a row (play, pause, stop, next,
// previous, step, back, record, eject), each shown, enabled and coloured by its own set. It
// only reports clicks (OnClick with the button); what a button does is the owner's business,
// so the strip can steer any player.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/Controls.h"

namespace ui {

enum class TMPBtnType : std::uint8_t { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
inline constexpr std::wstring_view kMPBtnTypeIdents[] = {L"btPlay", L"btPause", L"btStop",   L"btNext", L"btPrev",
                                                         L"btStep", L"btBack",  L"btRecord", L"btEject"};
constexpr int kMPButtonCount = 9;

// A set of buttons, bit n for TMPBtnType n.
using TButtonSet = std::uint16_t;
constexpr TButtonSet kAllMPButtons = (1u << kMPButtonCount) - 1;
constexpr TButtonSet MPButton(TMPBtnType button) { return static_cast<TButtonSet>(1u << static_cast<int>(button)); }

// "[btPlay,btStop]" and back; unknown names are left out.
std::wstring ButtonSetText(TButtonSet set);
TButtonSet ButtonSetFromText(std::wstring_view text);

class TMediaPlayer : public TCustomControl {
public:
    explicit TMediaPlayer(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TMediaPlayer"; }

    TButtonSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(TButtonSet value);
    TButtonSet EnabledButtons() const { return enabled_; }
    void SetEnabledButtons(TButtonSet value);
    TButtonSet ColoredButtons() const { return coloured_; }
    void SetColoredButtons(TButtonSet value);
    // The visible button under x, or -1.
    int ButtonAt(int x) const;

    std::function<void(TObject* sender, TMPBtnType button)> OnClick;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    TButtonSet visible_ = kAllMPButtons;
    TButtonSet enabled_ = kAllMPButtons;
    TButtonSet coloured_ = kAllMPButtons;
    int pressed_ = -1;
};

}  // namespace ui

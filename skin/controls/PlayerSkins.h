// The media player's button strip drawn from the skin: nine transport buttons (play, pause,
// stop, next, previous, step, back, record, eject) on the "Buttons" element's frames, each
// with a glyph drawn here in three variants (enabled, disabled, coloured) on an olive
// background, the colour that is left out when a glyph is put on its button.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "skin/data/SkinElements.h"

namespace skin {

constexpr int kPlayerButtons = 9;
constexpr int kNoPlayerButton = 9;
constexpr ui::TColor kGlyphBackground = 0x008080;  // olive

enum TGlyphVariant : int { gvEnabled = 0, gvDisabled = 1, gvColoured = 2 };

// The 27 glyphs, made once per strip and freed with it.
class TPlayerGlyphs {
public:
    TPlayerGlyphs();
    const ui::TBitmap& Glyph(int button, TGlyphVariant variant) const { return *glyphs_[button][variant]; }

private:
    std::array<std::array<std::unique_ptr<ui::TBitmap>, 3>, kPlayerButtons> glyphs_;
};

struct TPlayerStripLook {
    std::array<bool, kPlayerButtons> Visible{};
    std::array<bool, kPlayerButtons> Enabled{};
    std::array<bool, kPlayerButtons> Coloured{};
    bool Pressed = false;
    int PressedButton = kNoPlayerButton;
};

// The visible button whose span holds x, walking from the left; kNoPlayerButton for none.
int PlayerButtonAt(int x, int width, const std::array<bool, kPlayerButtons>& visible);

// The whole strip `size` big; a plain face without visible buttons.
void PaintPlayerStrip(HDC dc, SIZE size, const TSkinElements& skin, const TPlayerGlyphs& glyphs,
                      const TPlayerStripLook& look);

}  // namespace skin

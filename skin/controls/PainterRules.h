// What the button, check-box and radio-button painters decide without a window: which frame
// of the "Buttons" element a state shows, which glyph and strip cell, where the glyph and
// the caption of a bit button or menu button go, and where a caption and its focus
// rectangle sit. The painters (ButtonSkins.h, CheckSkins.h) draw what these say.
#pragma once

#include <string>

#include "skin/data/SkinLayout.h"

namespace skin {

// Frames of the "Buttons" element, counted from 1.
enum TButtonFrame : int { bfNormal = 1, bfPressed = 2, bfDisabled = 3, bfHot = 4, bfFocused = 5 };

struct TButtonLook {
    bool Disabled = false;
    bool Pressed = false;
    bool Hot = false;
    // Push and bit buttons: the window has the focus or the button is the default one.
    bool FocusedOrDefault = false;
};
// Disabled 3, pressed 2, hot 4, focused or default 5, else 1: the first that holds.
int PushButtonFrame(const TButtonLook& look);
// A speed button that is down shows pressed in every state but disabled; it has no focus.
int SpeedButtonFrame(const TButtonLook& look, bool down);
// A menu button shows hot when it has the focus.
int MenuButtonFrame(const TButtonLook& look, bool focused);
// The glyph cell of a frame: 3 pressed, 2 disabled, else 1; 4 for a speed button that is
// down. A cell beyond the glyph's cell count falls back to 1.
int GlyphCell(int frame, bool down, int numGlyphs);

// Check state as the check-box painter reads it from window and control.
enum class TCheckValue : int { Unchecked = 1, Checked = 2, Grayed = 4 };
// The cell of a check-box strip of cellCount cells. Four cells: unchecked 1, checked 2,
// disabled 3 and 4, grayed or indeterminate 4. Twelve cells: 1, 5, disabled 4 and 8,
// grayed 8, indeterminate 9 (12 when disabled). The cell never leaves the strip.
int CheckBoxCell(TCheckValue value, bool disabled, bool indeterminate, int cellCount);
// Radio strips: unchecked 1, checked 2, disabled 3 and 4; eight cells: 1, 5, disabled 4 and 8.
int RadioButtonCell(bool checked, bool disabled, int cellCount);

// The first "||" of a caption becomes a line break (CR LF); a second stays as it is.
std::wstring BreakCaption(std::wstring caption);

enum class TGlyphLayout : int { Left, Right, Top, Bottom };
// "blGlyphRight" ... compared in any case; anything else is glyph-left.
TGlyphLayout GlyphLayoutFromText(std::wstring_view identifier);

struct TSizeI {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSizeI&) const = default;
};

// Placement of a bit button's glyph and caption in a client of size client. margin and
// spacing of -1 are automatic; centred (the "Alignment" taCenter) lays out as margin -1.
// Text flags: 0 left, 1 centred, 2 right-aligned.
struct TGlyphPlacement {
    TPointI Glyph;
    TRectI Text;
    int TextAlign = 0;
    bool operator==(const TGlyphPlacement&) const = default;
};
TGlyphPlacement PlaceBitButton(TSizeI client, TSizeI glyph, TSizeI text, int margin, int spacing,
                               TGlyphLayout layout, bool centred);
// A speed button: "Alignment" is not consulted, and a given spacing with margin -1 centres
// the group plus one pixel.
TGlyphPlacement PlaceSpeedButton(TSizeI client, TSizeI glyph, TSizeI text, int margin, int spacing,
                                 TGlyphLayout layout);

// A menu button: glyph, caption and the 8-pixel arrow in a row. Arrow is the centre of
// the arrow's top edge.
struct TMenuButtonPlacement {
    TPointI Glyph;
    TPointI Text;
    TPointI Arrow;
    bool operator==(const TMenuButtonPlacement&) const = default;
};
TMenuButtonPlacement PlaceMenuButton(TSizeI client, TSizeI glyph, TSizeI text, int margin, int spacing);

// A caption measured as measured (at the origin) placed in bounds: centred (alignment 1)
// both ways, one pixel up; otherwise spanning the bounds' width at the same height.
TRectI PlaceCaption(const TRectI& bounds, const TRectI& measured, int alignment);
// The focus rectangle around a caption measured at the bounds' top-left corner: moved as
// the centre (1) or right (2) flag says, grown by 2 across and 1 down, kept in bounds.
TRectI FocusAroundText(const TRectI& bounds, const TRectI& measured, unsigned flags);

}  // namespace skin

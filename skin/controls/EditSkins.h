// Drawing of the text-entry controls' borders and buttons from the skin: the border of
// edits, memos, combo boxes and date pickers, the up-down halves and the combo button.
#pragma once

#include <windows.h>

#include "skin/data/SkinElements.h"

namespace skin {

// Whether a window with this window and client size has a border to draw.
bool HasBorder(SIZE window, SIZE client);

// The border in a window device context: a frame in ButtonShadow round the window and a
// white one inside it; edits get a second white frame inside that. Nothing without a border.
void PaintControlBorder(HDC windowDc, SIZE window, SIZE client, const TSkinElements& skin, bool edit);

struct TUpDownLook {
    bool Horizontal = false;
    bool Enabled = true;
    int HalfUnderCursor = -1;  // 0 first (up or left), 1 second, -1 none
    bool Pressed = false;
    bool Over = false;
};

// Both halves of an up-down control filling `rect`, from "UpDown.Horz"/"UpDown.Vert" and their
// glyph strips, or drawn plainly when the skin has neither.
void PaintUpDown(HDC dc, const RECT& rect, const TSkinElements& skin, const TUpDownLook& look);

// Frame of a combo box or its button: 1 normal, 2 pressed, 3 disabled, 4 focused or hot.
int ComboFrame(bool pressed, bool focusedOrOver, bool enabled);

// A combo box's border and drop-down button over the whole window (window device context),
// leaving the text area to the control; `leftScroll` for combo boxes with the scroll bar on
// the left. Returns the button's rectangle, for the hot and pressed tests; empty when the
// skin has no combo button and the control draws itself.
RECT PaintComboBox(HDC windowDc, SIZE window, const TSkinElements& skin, int frame, bool leftScroll);

// The date picker's arrow button: the "ComboxArrow" cell 4 when the mouse is over it, else 1.
void PaintArrowButton(HDC dc, const RECT& rect, const TSkinElements& skin, bool over);

}  // namespace skin

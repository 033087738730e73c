// Drawing of the text-entry controls' borders and buttons from the skin: the border of
// edits, memos, combo boxes and date pickers, the up-down halves and the combo button.
#pragma once

#include <windows.h>

#include "skin/data/SkinElements.h"

namespace skin {

class TSkinData;

// Whether a window with this window and client size has a border to draw.
bool HasBorder(SIZE window, SIZE client);

// The border in a window device context: a frame in ButtonShadow round the window and a
// white one inside it; edits get a second white frame inside that. Nothing without a border.
void PaintControlBorder(HDC windowDc, SIZE window, SIZE client, const TSkinElements& skin, bool edit);

// The border an edit prints with its client (WM_PRINTCLIENT): skipped when the client and 2
// pixels reach the window's size in either direction; a frame a pixel inside the window in
// the device context's current brush, then the outer frame in ButtonShadow.
void PaintPrintedEditBorder(HDC dc, SIZE window, SIZE client, const TSkinElements& skin);

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

// An up-down window's picture in its client device context. In buddy mode (a spin button
// inside the edit it belongs to) its area is white and the buttons keep 3 pixels inside the
// edit's edges, so the edit's border stays visible.
void PaintUpDownWindow(HDC dc, HWND upDown, const TSkinElements& skin, TUpDownLook look, bool buddy);

// A combo box's border and button in its window device context, by its style and state;
// returns the button's rectangle (empty when the combo box draws itself).
RECT PaintComboWindow(HWND combo, const TSkinElements& skin, bool pressed, bool focusedOrOver);

// The date picker's drop-down arrow: a small window of the engine's own class over the
// picker's native arrow (a child of the picker, which then clips it), drawn from the skin. A
// press opens the picker's calendar as a press on the native arrow would.
class TArrowButton {
public:
    explicit TArrowButton(const TSkinData& skin);
    ~TArrowButton();
    TArrowButton(const TArrowButton&) = delete;
    TArrowButton& operator=(const TArrowButton&) = delete;

    void Attach(HWND picker);
    // Moves the button to its place for the picker's current width.
    void Place();
    HWND Handle() const { return window_; }
    bool Over() const { return over_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    const TSkinData& skin_;
    HWND window_ = nullptr;
    HWND picker_ = nullptr;
    int arrow_ = 0;
    bool over_ = false;
    bool added_clip_ = false;
};

}  // namespace skin

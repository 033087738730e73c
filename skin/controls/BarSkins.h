// Drawing of the bar-shaped controls from the skin: scroll bars (the overlay's and the combo
// list's picture), progress bars and the track bar's channel and thumb. Each function draws
// one whole picture off-screen and puts it in one copy, so nothing flickers; the painters
// that own the controls decide when and where.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "skin/controls/BarGeometry.h"
#include "skin/data/SkinElements.h"

namespace skin {

struct TScrollBarLook {
    bool Vertical = false;
    bool Enabled = true;
    int Arrow = 17;      // the platform's scroll-arrow size
    TBarThumb Thumb;     // along the axis, from the bar's start
    int HotPart = bpNone;
    bool Pressed = false;
};

// The bar over `bar` in dc. False (nothing drawn) when the skin has no "Scrollbar" strip.
bool PaintScrollBar(HDC dc, const RECT& bar, const TSkinElements& skin, const TScrollBarLook& look);

// A progress bar filling `rect`: the "Progress" nine-grid with the filled part over it
// (from the left, or from the bottom when vertical), or the chunk variant. False when the
// skin has no "Progress" image and the platform should paint.
bool PaintProgress(HDC dc, const RECT& rect, const TSkinElements& skin, int position, int lower, int upper,
                   bool vertical);

// The track bar's channel (the skin's track picture, at its own thickness, centred across
// the channel) and thumb (cell 2 of 5 of the thumb picture; a plain outline without one).
void PaintTrackChannel(HDC dc, const RECT& channel, const TSkinElements& skin, bool vertical);
void PaintTrackThumb(HDC dc, const RECT& thumb, const TSkinElements& skin, bool vertical);

// A progress-bar window's picture from its position, range and orientation (see
// PaintProgress); false when the skin leaves the bar to the platform.
bool PaintProgressWindow(HDC dc, HWND bar, const TSkinElements& skin);

// The answer to a track bar's custom-draw notification: the channel and the thumb are drawn
// from the skin (skip the default drawing), the ticks left to the track bar.
LRESULT AnswerTrackBarCustomDraw(const NMCUSTOMDRAW& draw, const TSkinElements& skin);

}  // namespace skin

// The arithmetic of the bar-shaped painters, free of the platform so it is tested natively:
// scroll-bar parts, thumbs and cells; the combo list's thumb drag; progress fills; the
// state of an up-down half. Lengths are pixels along the bar's axis, from its start.
#pragma once

namespace skin {

// Multiplies and divides with rounding half away from zero, as the platform's MulDiv;
// -1 for a zero denominator.
int MulDivRound(int number, int numerator, int denominator);

// Scroll-bar parts, numbered as the platform's scroll requests.
enum TBarPart : int { bpNone = -1, bpFirstArrow = 0, bpSecondArrow = 1, bpPageBefore = 2, bpPageAfter = 3, bpThumb = 5 };

struct TBarThumb {
    int Start = 0;
    int End = 0;
    int Length() const { return End - Start; }
    bool operator==(const TBarThumb&) const = default;
};

// The part under a point `along` the bar.
TBarPart BarHitTest(int along, int barLength, int arrow, TBarThumb thumb);

// The thumb of a stand-alone scroll-bar control, from its range, page and position. A zero
// range divides by 9999999; thumbs of 7 pixels or less are drawn 8 long.
TBarThumb StandaloneThumb(int barLength, int arrow, int min, int max, int page, int position);

// Where a dragged thumb is drawn: moved with the cursor, kept between the arrows.
TBarThumb FollowingThumb(int dragStartThumb, int cursorDelta, int thumbLength, int barLength, int arrow);

// Each arrow's length: the arrow size, or half a bar shorter than two arrows.
int ArrowLength(int barLength, int arrow);

// Cells of the 23-cell "Scrollbar" strip, counted from 1.
int ArrowCell(bool vertical, bool second, bool hot, bool pressed);
int GripCell(bool vertical, bool hot, bool pressed);
// Frame of the thumb element: 1, 3 hot, 2 hot and pressed.
int ThumbFrame(bool hot, bool pressed);

// The list position for a thumb dragged `delta` pixels from `thumbOffset` (its start minus
// the arrow) on a track of `track` pixels with a thumb `thumbLength` long.
int DragPosition(int thumbOffset, int delta, int track, int thumbLength, int min, int max, int page);

// Filled length of a progress bar `width` long; nothing for an empty range or a position at
// or below zero, never more than the width.
int ProgressFill(int width, int position, int lower, int upper);
// The chunk variant measures from zero to the upper limit.
int ChunkFill(int width, int position, int upper);

// Frame of an up-down half: 1 normal, 2 pressed, 3 disabled, 4 hot; only the half under the
// cursor is pressed or hot.
int UpDownHalfState(bool enabled, bool underCursor, bool pressed, bool over);

}  // namespace skin

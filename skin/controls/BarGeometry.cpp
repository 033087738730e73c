#include "skin/controls/BarGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace skin {

int MulDivRound(int number, int numerator, int denominator)
{
    if (denominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

TBarPart BarHitTest(int along, int barLength, int arrow, TBarThumb thumb)
{
    if (along < arrow) return bpFirstArrow;
    if (along < thumb.Start) return bpPageBefore;
    if (along < thumb.End) return bpThumb;
    if (along < barLength - arrow) return bpPageAfter;
    return bpSecondArrow;
}

TBarThumb StandaloneThumb(int barLength, int arrow, int min, int max, int page, int position)
{
    const int range = max == min ? 9999999 : max - min;
    const int track = barLength - 2 * arrow;
    const int offset = position - min;
    TBarThumb thumb;
    int length = 0;
    if (page != 0) {
        length = MulDivRound(track, page - 1, range);
        if (length > 7) {
            thumb.Start = position == min ? arrow : MulDivRound(track, offset, range) + arrow;
        } else {
            length = 8;
            thumb.Start = position == min ? arrow : MulDivRound(track - 8, offset, range) + arrow;
        }
    } else {
        length = arrow;
        thumb.Start = position == min ? arrow : MulDivRound(barLength - 3 * arrow, offset, range) + arrow;
    }
    thumb.End = thumb.Start + length;
    return thumb;
}

TBarThumb FollowingThumb(int dragStartThumb, int cursorDelta, int thumbLength, int barLength, int arrow)
{
    const int last = barLength - arrow - thumbLength;
    const int start = std::max(arrow, std::min(dragStartThumb + cursorDelta, last));
    return {start, start + thumbLength};
}

int ArrowLength(int barLength, int arrow) { return barLength < 2 * arrow ? barLength / 2 : arrow; }

int ArrowCell(bool vertical, bool second, bool hot, bool pressed)
{
    const int normal = (vertical ? 9 : 1) + (second ? 4 : 0);
    if (!hot) return normal;
    return normal + (pressed ? 1 : 3);
}

int GripCell(bool vertical, bool hot, bool pressed)
{
    const int normal = vertical ? 20 : 17;
    if (pressed) return normal + 1;
    return hot ? normal + 2 : normal;
}

int ThumbFrame(bool hot, bool pressed)
{
    if (!hot) return 1;
    return pressed ? 2 : 3;
}

int DragPosition(int thumbOffset, int delta, int track, int thumbLength, int min, int max, int page)
{
    const int room = track - thumbLength;
    int n = std::max(0, thumbOffset + delta);
    int position = min;
    if (page == 0) {
        if (track <= 0) return min;
        n = std::min(n, room);
        position = std::min(MulDivRound(n, max - min, track) + min, max);
    } else {
        if (room <= 0) return min;
        if (n > room) n = room + 1;
        position = MulDivRound(n, max - min - page, room) + min;
        if (position >= max - page) position = max - page + 1;
    }
    return std::max(position, min);
}

int ProgressFill(int width, int position, int lower, int upper)
{
    if (upper <= 0 || position <= 0 || upper <= lower || width <= 0) return 0;
    const int clamped = std::min(std::max(position, lower), upper);
    return std::clamp(MulDivRound(width, clamped - lower, upper - lower), 0, width);
}

int ChunkFill(int width, int position, int upper)
{
    if (upper <= 0 || position <= 0 || width <= 0) return 0;
    return std::clamp(MulDivRound(width, std::min(position, upper), upper), 0, width);
}

int UpDownHalfState(bool enabled, bool underCursor, bool pressed, bool over)
{
    if (!enabled) return 3;
    if (!underCursor) return 1;
    if (pressed) return 2;
    return over ? 4 : 1;
}

}  // namespace skin

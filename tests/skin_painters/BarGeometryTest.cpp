#include <gtest/gtest.h>

#include "skin/controls/BarGeometry.h"

namespace {

using namespace skin;

TEST(BarGeometry, MulDivRoundsHalfAwayFromZeroAndRefusesZero)
{
    EXPECT_EQ(MulDivRound(10, 1, 4), 3);    // 2.5
    EXPECT_EQ(MulDivRound(10, 1, 3), 3);    // 3.33
    EXPECT_EQ(MulDivRound(-10, 1, 4), -3);
    EXPECT_EQ(MulDivRound(2000000000, 3, 4), 1500000000);  // no overflow in between
    EXPECT_EQ(MulDivRound(5, 5, 0), -1);
}

TEST(BarGeometry, HitTestWalksArrowPageThumbPageArrow)
{
    const TBarThumb thumb{40, 70};
    struct Case {
        int along;
        TBarPart part;
    } cases[] = {{0, bpFirstArrow}, {16, bpFirstArrow}, {17, bpPageBefore}, {39, bpPageBefore}, {40, bpThumb},
                 {69, bpThumb},     {70, bpPageAfter},  {182, bpPageAfter}, {183, bpSecondArrow}, {199, bpSecondArrow}};
    for (const Case& c : cases) EXPECT_EQ(BarHitTest(c.along, 200, 17, thumb), c.part) << c.along;
}

TEST(BarGeometry, StandaloneThumbFromRangePageAndPosition)
{
    struct Case {
        int min, max, page, position;
        TBarThumb thumb;
    } cases[] = {
        {0, 100, 30, 0, {17, 17 + 48}},           // (200-34)*29/100 = 48.14
        {0, 100, 30, 50, {17 + 83, 17 + 83 + 48}},  // start 166*50/100 + 17
        {0, 1000, 3, 500, {17 + 79, 17 + 79 + 8}},  // a 7-pixel-or-less thumb is drawn 8 long
        {0, 100, 0, 0, {17, 34}},                  // no page: an arrow-long thumb
        {0, 100, 0, 100, {17 + 149, 17 + 149 + 17}},  // (200 - 51) over the whole range
        {5, 5, 10, 5, {17, 17 + 8}},               // a zero range neither divides by zero nor grows
    };
    for (const Case& c : cases) {
        const TBarThumb thumb = StandaloneThumb(200, 17, c.min, c.max, c.page, c.position);
        EXPECT_EQ(thumb.Start, c.thumb.Start) << c.max << "," << c.page << "," << c.position;
        EXPECT_EQ(thumb.End, c.thumb.End) << c.max << "," << c.page << "," << c.position;
    }
}

TEST(BarGeometry, FollowingThumbStaysBetweenTheArrows)
{
    EXPECT_EQ(FollowingThumb(50, 20, 30, 200, 17).Start, 70);
    EXPECT_EQ(FollowingThumb(50, -100, 30, 200, 17).Start, 17);
    EXPECT_EQ(FollowingThumb(50, 500, 30, 200, 17).Start, 200 - 17 - 30);
    EXPECT_EQ(FollowingThumb(50, 500, 30, 200, 17).End, 200 - 17);
}

TEST(BarGeometry, ShortBarsShareTheirLengthBetweenTwoArrows)
{
    EXPECT_EQ(ArrowLength(200, 17), 17);
    EXPECT_EQ(ArrowLength(34, 17), 17);
    EXPECT_EQ(ArrowLength(20, 17), 10);
    EXPECT_EQ(ArrowLength(7, 17), 3);
}

TEST(BarGeometry, StripCellsForArrowsAndGripsByState)
{
    struct Case {
        bool vertical, second, hot, pressed;
        int cell;
    } arrows[] = {
        {false, false, false, false, 1}, {false, false, true, true, 2},  {false, false, true, false, 4},
        {false, true, false, false, 5},  {false, true, true, true, 6},   {false, true, true, false, 8},
        {true, false, false, false, 9},  {true, false, true, true, 10},  {true, false, true, false, 12},
        {true, true, false, false, 13},  {true, true, true, true, 14},   {true, true, true, false, 16},
        {true, true, false, true, 13},  // pressed elsewhere: this arrow stays normal
    };
    for (const Case& c : arrows)
        EXPECT_EQ(ArrowCell(c.vertical, c.second, c.hot, c.pressed), c.cell)
            << c.vertical << c.second << c.hot << c.pressed;
    EXPECT_EQ(GripCell(false, false, false), 17);
    EXPECT_EQ(GripCell(false, true, true), 18);
    EXPECT_EQ(GripCell(false, true, false), 19);
    EXPECT_EQ(GripCell(true, false, false), 20);
    EXPECT_EQ(GripCell(true, true, true), 21);
    EXPECT_EQ(GripCell(true, true, false), 22);
    EXPECT_EQ(ThumbFrame(false, false), 1);
    EXPECT_EQ(ThumbFrame(true, false), 3);
    EXPECT_EQ(ThumbFrame(true, true), 2);
}

TEST(BarGeometry, DraggedComboThumbMapsToPositionsAndStopsAtTheLast)
{
    // Track 100, thumb 20, items 0..49 with 10 visible: the last top position is 41.
    EXPECT_EQ(DragPosition(0, 0, 100, 20, 0, 49, 10), 0);
    EXPECT_EQ(DragPosition(0, 40, 100, 20, 0, 49, 10), 20);  // 40 * 39 / 80 = 19.5
    EXPECT_EQ(DragPosition(0, 70, 100, 20, 0, 49, 10), 34);  // 70 * 39 / 80 = 34.1
    EXPECT_EQ(DragPosition(0, 79, 100, 20, 0, 49, 10), 40);  // reaching the last top item takes it
    EXPECT_EQ(DragPosition(0, 500, 100, 20, 0, 49, 10), 49 - 10 + 1);
    EXPECT_EQ(DragPosition(30, -500, 100, 20, 0, 49, 10), 0);
    // Without a page the thumb runs over the track less itself.
    EXPECT_EQ(DragPosition(0, 500, 100, 20, 0, 49, 0), 39);
    // No room for the thumb: the first position, no division by zero.
    EXPECT_EQ(DragPosition(0, 50, 20, 20, 3, 49, 10), 3);
}

TEST(BarGeometry, ProgressFillIsGuardedAndClamped)
{
    struct Case {
        int position, lower, upper, fill;
    } cases[] = {
        {0, 0, 100, 0},    {50, 0, 100, 100}, {100, 0, 100, 200}, {25, 0, 100, 50},
        {150, 0, 100, 200},  // past the end: the whole bar, not more
        {50, 50, 50, 0},     // empty range: nothing rather than a division by zero
        {60, 50, 40, 0},     // reversed range
        {20, 50, 100, 0},    // below the lower limit
        {75, 50, 100, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressFill(200, c.position, c.lower, c.upper), c.fill)
            << c.position << " in " << c.lower << ".." << c.upper;
    EXPECT_EQ(ChunkFill(200, 50, 100), 100);
    EXPECT_EQ(ChunkFill(200, 500, 100), 200);
    EXPECT_EQ(ChunkFill(200, 50, 0), 0);
}

TEST(BarGeometry, UpDownHalvesFollowTheCursor)
{
    EXPECT_EQ(UpDownHalfState(true, false, true, true), 1);
    EXPECT_EQ(UpDownHalfState(true, true, true, true), 2);
    EXPECT_EQ(UpDownHalfState(true, true, false, true), 4);
    EXPECT_EQ(UpDownHalfState(true, true, false, false), 1);
    EXPECT_EQ(UpDownHalfState(false, true, true, true), 3);
}

}  // namespace

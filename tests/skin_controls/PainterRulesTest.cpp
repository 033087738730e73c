// Frame, glyph-cell and strip-cell choice, and the placement of glyphs, captions and focus
// rectangles, as the button and check painters use them.
#include <gtest/gtest.h>

#include "skin/controls/PainterRules.h"

using namespace skin;

TEST(ButtonFrames, FirstRuleThatHoldsWins)
{
    struct Case {
        TButtonLook look;
        int push;
        int speedUp;
        int speedDown;
        int menuUnfocused;
    };
    const Case cases[] = {
        {{}, 1, 1, 2, 1},
        {{.Hot = true}, 4, 4, 2, 4},
        {{.Pressed = true, .Hot = true}, 2, 2, 2, 2},
        {{.FocusedOrDefault = true}, 5, 1, 2, 1},
        {{.Hot = true, .FocusedOrDefault = true}, 4, 4, 2, 4},
        {{.Disabled = true, .Pressed = true, .Hot = true, .FocusedOrDefault = true}, 3, 3, 3, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PushButtonFrame(c.look), c.push);
        EXPECT_EQ(SpeedButtonFrame(c.look, false), c.speedUp);
        EXPECT_EQ(SpeedButtonFrame(c.look, true), c.speedDown);
        EXPECT_EQ(MenuButtonFrame(c.look, false), c.menuUnfocused);
    }
    EXPECT_EQ(MenuButtonFrame({}, true), bfHot);
    EXPECT_EQ(MenuButtonFrame({.Disabled = true}, true), bfDisabled);
}

TEST(ButtonFrames, GlyphCellsFallBackToTheFirstCell)
{
    struct Case {
        int frame;
        bool down;
        int numGlyphs;
        int cell;
    };
    const Case cases[] = {
        {bfNormal, false, 4, 1}, {bfHot, false, 4, 1},      {bfFocused, false, 4, 1}, {bfPressed, false, 4, 3},
        {bfDisabled, false, 4, 2}, {bfNormal, true, 4, 4},  {bfPressed, false, 2, 1}, {bfDisabled, false, 2, 2},
        {bfDisabled, false, 1, 1}, {bfNormal, true, 3, 1},  {bfPressed, false, 0, 1}, {bfPressed, false, -2, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlyphCell(c.frame, c.down, c.numGlyphs), c.cell) << c.frame << " " << c.down << " " << c.numGlyphs;
}

TEST(StripCells, CheckBoxCellsFollowTheCellTableAndStayInTheStrip)
{
    using V = TCheckValue;
    struct Case {
        V value;
        bool disabled;
        bool indeterminate;
        int four;
        int twelve;
        int five;
        int two;
    };
    const Case cases[] = {
        {V::Unchecked, false, false, 1, 1, 1, 1},
        {V::Checked, false, false, 2, 5, 2, 2},
        {V::Unchecked, true, false, 3, 4, 3, 1},
        {V::Checked, true, false, 4, 8, 4, 2},
        {V::Grayed, false, false, 4, 8, 4, 2},
        // A grayed box on a disabled window keeps to the table: no cell 6 of four.
        {V::Grayed, true, false, 4, 8, 4, 2},
        {V::Unchecked, false, true, 4, 9, 4, 2},
        {V::Unchecked, true, true, 4, 12, 4, 2},
        {V::Checked, true, true, 4, 12, 4, 2},
    };
    for (const Case& c : cases) {
        const auto v = static_cast<int>(c.value);
        EXPECT_EQ(CheckBoxCell(c.value, c.disabled, c.indeterminate, 4), c.four) << v << c.disabled << c.indeterminate;
        EXPECT_EQ(CheckBoxCell(c.value, c.disabled, c.indeterminate, 12), c.twelve) << v << c.disabled << c.indeterminate;
        EXPECT_EQ(CheckBoxCell(c.value, c.disabled, c.indeterminate, 5), c.five) << v << c.disabled << c.indeterminate;
        EXPECT_EQ(CheckBoxCell(c.value, c.disabled, c.indeterminate, 2), c.two) << v << c.disabled << c.indeterminate;
    }
    EXPECT_EQ(CheckBoxCell(V::Checked, false, false, 0), 1);
}

TEST(StripCells, RadioCellsForFourAndEightCellStrips)
{
    struct Case {
        bool checked;
        bool disabled;
        int four;
        int eight;
        int two;
    };
    const Case cases[] = {
        {false, false, 1, 1, 1}, {true, false, 2, 5, 2}, {false, true, 3, 4, 1}, {true, true, 4, 8, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(RadioButtonCell(c.checked, c.disabled, 4), c.four);
        EXPECT_EQ(RadioButtonCell(c.checked, c.disabled, 8), c.eight);
        EXPECT_EQ(RadioButtonCell(c.checked, c.disabled, 2), c.two);
    }
}

TEST(Captions, OnlyTheFirstDoubleBarBreaksTheLine)
{
    EXPECT_EQ(BreakCaption(L"保存||文档"), L"保存\r\n文档");
    EXPECT_EQ(BreakCaption(L"a||b||c"), L"a\r\nb||c");
    EXPECT_EQ(BreakCaption(L"a|b"), L"a|b");
    EXPECT_EQ(BreakCaption(L""), L"");
    EXPECT_EQ(GlyphLayoutFromText(L"BLGLYPHRIGHT"), TGlyphLayout::Right);
    EXPECT_EQ(GlyphLayoutFromText(L"blGlyphTop"), TGlyphLayout::Top);
    EXPECT_EQ(GlyphLayoutFromText(L"blGlyphBottom"), TGlyphLayout::Bottom);
    EXPECT_EQ(GlyphLayoutFromText(L""), TGlyphLayout::Left);
}

TEST(Placement, BitButtonMarginsAndSpacing)
{
    const TSizeI client{100, 30};
    const TSizeI glyph{16, 16};
    const TSizeI text{40, 13};
    struct Case {
        int margin;
        int spacing;
        TGlyphLayout layout;
        bool centred;
        TGlyphPlacement want;
    };
    const Case cases[] = {
        // Both automatic: the free 44 pixels split in three (14 margin, 14 spacing, the rest).
        {-1, -1, TGlyphLayout::Left, false, {{14, 7}, {44, 9, 84, 22}, 0}},
        // Margin automatic, spacing given: the group centred.
        {-1, 4, TGlyphLayout::Left, false, {{20, 7}, {40, 9, 80, 22}, 0}},
        // Margin 4 but centred alignment: laid out as margin -1.
        {4, 4, TGlyphLayout::Left, true, {{20, 7}, {40, 9, 80, 22}, 0}},
        // Margin given, spacing automatic: half of what is left.
        {4, -1, TGlyphLayout::Left, false, {{4, 7}, {40, 9, 80, 22}, 0}},
        {4, 2, TGlyphLayout::Right, false, {{80, 7}, {38, 9, 78, 22}, 2}},
        {2, 1, TGlyphLayout::Top, false, {{42, 2}, {30, 19, 70, 32}, 1}},
        {2, 1, TGlyphLayout::Bottom, false, {{42, 12}, {30, -2, 70, 11}, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceBitButton(client, glyph, text, c.margin, c.spacing, c.layout, c.centred), c.want)
            << c.margin << " " << c.spacing << " " << static_cast<int>(c.layout);
    // Without a caption there is no spacing: the glyph alone is centred.
    EXPECT_EQ(PlaceBitButton(client, glyph, {}, -1, 4, TGlyphLayout::Left, false).Glyph, (TPointI{42, 7}));
    // Speed buttons with a given spacing centre one pixel further on.
    EXPECT_EQ(PlaceSpeedButton(client, glyph, text, -1, 4, TGlyphLayout::Left).Glyph, (TPointI{21, 7}));
    EXPECT_EQ(PlaceSpeedButton(client, glyph, text, -1, -1, TGlyphLayout::Left).Glyph, (TPointI{14, 7}));
}

TEST(Placement, MenuButtonRowOfGlyphCaptionAndArrow)
{
    const TSizeI client{100, 24};
    const TSizeI glyph{16, 16};
    const TSizeI text{40, 13};
    // (100 - 16 - 40 - 8) / 4 = 9 for margin and spacing.
    EXPECT_EQ(PlaceMenuButton(client, glyph, text, -1, -1), (TMenuButtonPlacement{{9, 4}, {34, 6}, {92, 10}}));
    EXPECT_EQ(PlaceMenuButton(client, glyph, text, -1, 4), (TMenuButtonPlacement{{14, 4}, {34, 6}, {82, 10}}));
    EXPECT_EQ(PlaceMenuButton(client, glyph, text, 2, -1), (TMenuButtonPlacement{{2, 4}, {42, 6}, {130, 10}}));
    EXPECT_EQ(PlaceMenuButton(client, {}, text, 5, 3), (TMenuButtonPlacement{{5, 12}, {8, 6}, {54, 10}}));
}

TEST(Placement, CaptionsAndFocusRectanglesStayInTheirBounds)
{
    const TRectI bounds{0, 0, 80, 24};
    EXPECT_EQ(PlaceCaption(bounds, {0, 0, 40, 13}, 1), (TRectI{20, 4, 60, 17}));
    EXPECT_EQ(PlaceCaption(bounds, {0, 0, 40, 13}, 0), (TRectI{0, 4, 80, 17}));
    EXPECT_EQ(PlaceCaption({10, 10, 90, 34}, {0, 0, 40, 13}, 1), (TRectI{30, 14, 70, 27}));

    struct Case {
        TRectI measured;
        unsigned flags;
        TRectI want;
    };
    const Case cases[] = {
        {{0, 0, 40, 13}, 0, {0, 0, 42, 14}},
        {{0, 0, 40, 13}, 1, {18, 3, 62, 18}},
        {{0, 0, 40, 13}, 2, {38, 0, 80, 14}},
        // A caption wider than the bounds: the rectangle is clamped to them.
        {{0, 0, 200, 40}, 1, {0, 0, 80, 24}},
        {{0, 0, 200, 40}, 0, {0, 0, 80, 24}},
    };
    for (const Case& c : cases) {
        const TRectI r = FocusAroundText(bounds, c.measured, c.flags);
        EXPECT_EQ(r, c.want) << c.flags << " " << c.measured.Width();
        EXPECT_GE(r.Left, bounds.Left);
        EXPECT_LE(r.Right, bounds.Right);
        EXPECT_GE(r.Top, bounds.Top);
        EXPECT_LE(r.Bottom, bounds.Bottom);
    }
}

#include <gtest/gtest.h>

#include "skin/data/SkinColor.h"

namespace {

using skin::BlendRGB;
using ui::RGBColor;

TEST(BlendRGB, WeightsArePerCentBelowHundredAndPerMilleFrom) {
    struct Case { const char* name; ui::TColor c1, c2; int weight; ui::TColor expected; };
    const Case cases[] = {
        {"black and white halves round up", 0x000000, 0xFFFFFF, 50, RGBColor(128, 128, 128)},
        {"150 is 15 per cent of colour1", RGBColor(200, 100, 0), RGBColor(0, 100, 200), 150,
         RGBColor(30, 100, 170)},
        {"100 is 10 per cent, not all of colour1", RGBColor(255, 0, 0), RGBColor(0, 0, 0), 100, RGBColor(26, 0, 0)},
        {"99 is 99 per cent", RGBColor(255, 0, 0), RGBColor(0, 0, 0), 99, RGBColor(252, 0, 0)},
        {"0 gives colour2", RGBColor(1, 2, 3), RGBColor(4, 5, 6), 0, RGBColor(4, 5, 6)},
        {"1000 gives colour1", RGBColor(1, 2, 3), RGBColor(4, 5, 6), 1000, RGBColor(1, 2, 3)},
        {"channels stay apart", RGBColor(255, 255, 0), RGBColor(0, 255, 255), 50, RGBColor(128, 255, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BlendRGB(c.c1, c.c2, c.weight), c.expected);
    }
}

TEST(ColorSaturation, TableOfColours) {
    struct Case { ui::TColor colour; int expected; };
    const Case cases[] = {
        {RGBColor(100, 150, 60), 200}, {RGBColor(159, 159, 159), 200}, {RGBColor(255, 0, 0), 255},
        {RGBColor(200, 200, 200), 0}, {RGBColor(160, 0, 0), 255},
        // 255 * 40 / 200 = 51 exactly; 255 * 1 / 170 = 1.5 rounds to even 2; 255 * 3 / 170 = 4.5 to 4
        {RGBColor(200, 160, 180), 51}, {RGBColor(170, 169, 169), 2}, {RGBColor(170, 167, 169), 4},
        {RGBColor(255, 254, 255), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour);
        EXPECT_EQ(skin::ColorSaturation(c.colour), c.expected);
    }
}

class GradientTest : public ::testing::Test {
protected:
    void SetUp() override { skin::ResetGradientCache(); }
    void TearDown() override { skin::ResetGradientCache(); }
    static const std::vector<ui::TColor>& Ramp(int count, ui::TColor from, ui::TColor to) {
        return skin::GradientRamp(skin::GetGradient(count, from, to));
    }
};

TEST_F(GradientTest, RampsEndExactlyOnBothColours) {
    const ui::TColor from = RGBColor(10, 200, 0), to = RGBColor(250, 3, 255);
    for (int count : {2, 3, 7, 10, 255, 1000}) {
        SCOPED_TRACE(count);
        const auto& ramp = Ramp(count, from, to);
        ASSERT_EQ(static_cast<int>(ramp.size()), count);
        EXPECT_EQ(ramp.front(), from);
        EXPECT_EQ(ramp.back(), to);
        EXPECT_EQ(Ramp(count, to, from).back(), from);
    }
    // Entry i is from + (i * delta + d / 2) / d: 10 entries of 0..100 in red.
    const auto& ten = Ramp(10, RGBColor(0, 0, 0), RGBColor(100, 0, 0));
    EXPECT_EQ(ten[1], RGBColor(11, 0, 0));
    EXPECT_EQ(ten[4], RGBColor(44, 0, 0));
    // Falling channels are rounded the same way, not one short.
    const auto& down = Ramp(10, RGBColor(100, 0, 0), RGBColor(0, 0, 0));
    EXPECT_EQ(down[1], RGBColor(89, 0, 0));
}

TEST_F(GradientTest, OneEntryIsTheMidpoint) {
    EXPECT_EQ(Ramp(1, RGBColor(0, 100, 255), RGBColor(100, 0, 0)), std::vector<ui::TColor>{RGBColor(50, 50, 128)});
}

TEST_F(GradientTest, CacheHitsAndRoundRobinReplacement) {
    const int first = skin::GetGradient(5, 0x000000, 0xFFFFFF);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(skin::GetGradient(5, 0x000000, 0xFFFFFF), first);
    EXPECT_EQ(skin::GetGradient(6, 0x000000, 0xFFFFFF), 1);
    EXPECT_EQ(skin::GetGradient(5, 0x000001, 0xFFFFFF), 2);
    for (int k = 3; k < skin::GradientSlots; ++k) EXPECT_EQ(skin::GetGradient(100 + k, 0, 0xFF), k);
    // The seventeenth ramp overwrites slot 0; the ramp that lived there is made again.
    EXPECT_EQ(skin::GetGradient(7, 0x000000, 0xFFFFFF), 0);
    EXPECT_EQ(skin::GetGradient(5, 0x000000, 0xFFFFFF), 1);
    EXPECT_EQ(skin::GetGradient(107, 0, 0xFF), 7);
}

TEST(GradientLines, ClipRestrictsTheLinesNotTheirColours) {
    struct Case { const char* name; int n, start, clipStart, clipEnd, first, last; };
    const Case cases[] = {
        {"clip covers all", 100, 10, 0, 500, 0, 99},
        {"clip starts later", 100, 10, 30, 500, 20, 99},
        {"clip ends earlier", 100, 10, 0, 50, 0, 39},
        {"clip inside", 100, 10, 30, 50, 20, 39},
        {"clip before the rectangle", 100, 10, 0, 5, 0, -6},
        {"clip after the rectangle", 100, 10, 200, 300, 190, 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const skin::TLineRange range = skin::GradientLines(c.n, c.start, c.clipStart, c.clipEnd);
        EXPECT_EQ(range.First, c.first);
        EXPECT_EQ(range.Last, c.last);
    }
}

}  // namespace

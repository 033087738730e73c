#include <gtest/gtest.h>

#include "skin/data/SkinPixels.h"

namespace {

// Every pixel distinct: blue = x, green = y, red = 7 * x + y.
ui::BmpImage Numbered(int width, int height, int bits = 24) {
    ui::BmpImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bits;
    image.pixels.assign(image.Stride() * static_cast<std::size_t>(height), 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.Row(y) + x * bits / 8;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(7 * x + y);
            if (bits == 32) p[3] = 0;
        }
    return image;
}

ui::TColor PixelOf(const ui::BmpImage& image, int x, int y) {
    const std::uint8_t* p = image.Row(y) + x * image.bitsPerPixel / 8;
    return ui::RGBColor(p[2], p[1], p[0]);
}

void ExpectSamePixels(const ui::BmpImage& a, const ui::BmpImage& b) {
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) ASSERT_EQ(PixelOf(a, x, y), PixelOf(b, x, y)) << x << "," << y;
}

TEST(SkinPixels, RotationsTurnTheCornersTheRightWay) {
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        const ui::BmpImage source = Numbered(5, 3, bits);
        const ui::BmpImage left = skin::RotatedLeft(source);
        ASSERT_EQ(left.width, 3);
        ASSERT_EQ(left.height, 5);
        EXPECT_EQ(left.bitsPerPixel, bits);
        EXPECT_EQ(PixelOf(left, 0, 0), PixelOf(source, 4, 0));  // top-right to top-left
        EXPECT_EQ(PixelOf(left, 0, 4), PixelOf(source, 0, 0));
        EXPECT_EQ(PixelOf(left, 2, 1), PixelOf(source, 3, 2));
        const ui::BmpImage right = skin::RotatedRight(source);
        EXPECT_EQ(PixelOf(right, 0, 0), PixelOf(source, 0, 2));  // bottom-left to top-left
        EXPECT_EQ(PixelOf(right, 2, 0), PixelOf(source, 0, 0));
        EXPECT_EQ(PixelOf(right, 1, 3), PixelOf(source, 3, 1));
    }
}

TEST(SkinPixels, RoundTripsRestoreTheImage) {
    for (auto [w, h] : {std::pair{5, 3}, std::pair{1, 7}, std::pair{6, 1}, std::pair{4, 4}}) {
        SCOPED_TRACE(::testing::Message() << w << "x" << h);
        const ui::BmpImage source = Numbered(w, h);
        ExpectSamePixels(skin::RotatedRight(skin::RotatedLeft(source)), source);
        ExpectSamePixels(skin::RotatedLeft(skin::RotatedRight(source)), source);
        ExpectSamePixels(skin::Mirrored(skin::Mirrored(source)), source);
        ExpectSamePixels(skin::Flipped(skin::Flipped(source)), source);
        ExpectSamePixels(skin::RotatedLeft(skin::RotatedLeft(skin::RotatedLeft(skin::RotatedLeft(source)))),
                         source);
        // Two quarter turns are a mirror and a flip.
        ExpectSamePixels(skin::RotatedLeft(skin::RotatedLeft(source)), skin::Flipped(skin::Mirrored(source)));
    }
}

TEST(SkinPixels, MirrorAndFlipMoveColumnsAndRows) {
    const ui::BmpImage source = Numbered(5, 3);
    const ui::BmpImage mirrored = skin::Mirrored(source);
    const ui::BmpImage flipped = skin::Flipped(source);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(PixelOf(mirrored, x, y), PixelOf(source, 4 - x, y));
            EXPECT_EQ(PixelOf(flipped, x, y), PixelOf(source, x, 2 - y));
        }
}

TEST(SkinPixels, MirroredFramesKeepTheirOrder) {
    // Four frames of 3 columns and one spare column: frame k stays frame k, turned around.
    const ui::BmpImage source = Numbered(13, 2);
    const ui::BmpImage mirrored = skin::MirroredFrames(source, 4);
    for (int y = 0; y < 2; ++y) {
        for (int frame = 0; frame < 4; ++frame)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(PixelOf(mirrored, frame * 3 + x, y), PixelOf(source, frame * 3 + 2 - x, y)) << frame;
        EXPECT_EQ(PixelOf(mirrored, 12, y), PixelOf(source, 12, y));
    }
    ExpectSamePixels(skin::MirroredFrames(source, 1), skin::Mirrored(Numbered(13, 2)));
}

TEST(SkinPixels, MagentaIsReplacedExactlyAndTheResultIs24Bit) {
    ui::BmpImage image = Numbered(3, 1, 32);
    auto set = [&](int x, int r, int g, int b) {
        std::uint8_t* p = image.Row(0) + x * 4;
        p[0] = static_cast<std::uint8_t>(b);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(r);
    };
    set(0, 255, 0, 255);
    set(1, 255, 1, 255);
    set(2, 254, 0, 255);
    const ui::BmpImage replaced = skin::MagentaReplaced(image, ui::RGBColor(1, 2, 3));
    EXPECT_EQ(replaced.bitsPerPixel, 24);
    EXPECT_EQ(PixelOf(replaced, 0, 0), ui::RGBColor(1, 2, 3));
    EXPECT_EQ(PixelOf(replaced, 1, 0), ui::RGBColor(255, 1, 255));
    EXPECT_EQ(PixelOf(replaced, 2, 0), ui::RGBColor(254, 0, 255));
}

TEST(SkinPixels, ColorRangeRunsCutTheRangeOut) {
    // One row: magenta, two near-magenta within tolerance, grey, magenta, grey grey.
    ui::BmpImage image = Numbered(7, 2);
    const ui::TColor row[7] = {0xFF00FF, 0xFE02FF, 0xFF03FD, 0x808080, 0xFF00FF, 0x808080, 0x808080};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 7; ++x) {
            std::uint8_t* p = image.Row(y) + x * 3;
            const ui::TColor c = y == 0 ? row[x] : 0xFF00FF;
            p[0] = static_cast<std::uint8_t>(c >> 16);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c);
        }
    // Base (253, 0, 253) with tolerance 2 in red and blue, 2 in green: range 253..255, 0..2.
    const auto runs = skin::ColorRangeRuns(image, 10, 20, 2, 2, 2, ui::RGBColor(253, 0, 253));
    // 0xFF03FD has green 3: outside.
    EXPECT_EQ(runs, (std::vector<skin::TRectI>{{12, 20, 14, 21}, {15, 20, 17, 21}}));
    // The range is capped at 255: a large tolerance on pure magenta takes magenta only.
    EXPECT_EQ(skin::ColorRangeRuns(image, 0, 0, 200, 0, 200, ui::RGBColor(255, 0, 255)),
              (std::vector<skin::TRectI>{{1, 0, 4, 1}, {5, 0, 7, 1}}));
}

}  // namespace

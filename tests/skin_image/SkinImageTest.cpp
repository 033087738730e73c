#include <gtest/gtest.h>

#include <memory>

#include "skin/data/SkinImage.h"

namespace {

using ui::RGBColor;
using ui::TBitmap;
using ui::TColor;
using ui::TPixelFormat;

TColor PixelAt(const TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    return RGBColor(p[2], p[1], p[0]);
}

void SetPixelAt(TBitmap& bitmap, int x, int y, TColor colour) {
    std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    p[0] = static_cast<std::uint8_t>(ui::ColorBlue(colour));
    p[1] = static_cast<std::uint8_t>(ui::ColorGreen(colour));
    p[2] = static_cast<std::uint8_t>(ui::ColorRed(colour));
}

// Column x, row y of an element image: red = x, green = y, blue = 77, so every source
// pixel can be recognised wherever it lands.
// Bitmaps are not copyable, so the helpers hand them out owned.
std::unique_ptr<TBitmap> Numbered(int width, int height, TPixelFormat format = TPixelFormat::pf24bit) {
    auto owned = std::make_unique<TBitmap>(width, height, format);
    TBitmap& bitmap = *owned;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixelAt(bitmap, x, y, RGBColor(x, y, 77));
    return owned;
}

std::unique_ptr<TBitmap> Filled(int width, int height, TColor colour) {
    auto owned = std::make_unique<TBitmap>(width, height, TPixelFormat::pf24bit);
    TBitmap& bitmap = *owned;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixelAt(bitmap, x, y, colour);
    return owned;
}

HDC Dc(const TBitmap& bitmap) { return bitmap.Canvas().Handle(); }

TEST(SkinImageDraw, FrameThreeOfFiveCopiesColumnsFortyToFiftyNine) {
    const auto imageOwner = Numbered(100, 10);
    const TBitmap& image = *imageOwner;
    const auto targetOwner = Filled(20, 10, RGBColor(1, 2, 3));
    TBitmap& target = *targetOwner;
    skin::DrawSkinElement(Dc(target), {0, 0, 20, 10}, image, {0, 0, 0, 0}, false, false, false, 5, 3);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(PixelAt(target, x, y), RGBColor(40 + x, y, 77)) << x << "," << y;
}

TEST(SkinImageDraw, NineGridKeepsMarginsAndStretchesTheRest) {
    const auto imageOwner = Numbered(20, 20);
    const TBitmap& image = *imageOwner;
    const auto grid = skin::BuildNineGrid({60, 40}, image, {3, 4, 5, 6}, false, false, 1, 1);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->Width(), 60);
    EXPECT_EQ(PixelAt(*grid, 0, 0), RGBColor(0, 0, 77));
    EXPECT_EQ(PixelAt(*grid, 2, 3), RGBColor(2, 3, 77));
    EXPECT_EQ(PixelAt(*grid, 59, 39), RGBColor(19, 19, 77));
    EXPECT_EQ(PixelAt(*grid, 55, 34), RGBColor(15, 14, 77));  // bottom-right corner, unscaled
    // Narrower than left + right margins: both are dropped and the whole frame width is
    // squeezed into 7 columns (which source columns a scaled copy samples is the platform's).
    const auto narrow = skin::BuildNineGrid({7, 40}, image, {4, 4, 4, 6}, false, false, 1, 1);
    ASSERT_TRUE(narrow);
    EXPECT_LE(ui::ColorRed(PixelAt(*narrow, 0, 0)), 2);
    EXPECT_GE(ui::ColorRed(PixelAt(*narrow, 6, 0)), 17);
    for (int x = 1; x < 7; ++x) EXPECT_GT(ui::ColorRed(PixelAt(*narrow, x, 0)), ui::ColorRed(PixelAt(*narrow, x - 1, 0)));
    // The top and bottom margins still fit and stay unscaled.
    for (int y = 0; y < 4; ++y) EXPECT_EQ(ui::ColorGreen(PixelAt(*narrow, 3, y)), y);
    for (int y = 34; y < 40; ++y) EXPECT_EQ(ui::ColorGreen(PixelAt(*narrow, 3, y)), y - 20);
}

TEST(SkinImageDraw, TiledCentreLeavesNoGapAndIsCutByTheBorders) {
    // A 10 x 10 frame: margins 2, centre 6 x 6 of colour (x, y) from the image.
    const auto imageOwner = Numbered(10, 10);
    const TBitmap& image = *imageOwner;
    const auto grid = skin::BuildNineGrid({23, 17}, image, {2, 2, 2, 2}, false, true, 1, 1);
    ASSERT_TRUE(grid);
    // Centre tiles repeat unscaled from (2, 2): target x 2..7 is source 2..7, 8..13 again.
    EXPECT_EQ(PixelAt(*grid, 2, 2), RGBColor(2, 2, 77));
    EXPECT_EQ(PixelAt(*grid, 8, 2), RGBColor(2, 2, 77));
    EXPECT_EQ(PixelAt(*grid, 20, 14), RGBColor(2, 2, 77));
    // The right and bottom pieces, copied after the centre, own the last two columns and rows.
    for (int y = 2; y < 15; ++y) EXPECT_EQ(ui::ColorRed(PixelAt(*grid, 21, y)), 8);
    for (int x = 2; x < 21; ++x) EXPECT_EQ(ui::ColorGreen(PixelAt(*grid, x, 16)), 9);
}

TEST(SkinImageDraw, TransparentCopyLeavesExactlyTheKeyColour) {
    const auto imageOwner = Filled(4, 1, RGBColor(10, 20, 30));
    TBitmap& image = *imageOwner;
    SetPixelAt(image, 1, 0, skin::TransparentMagenta);
    SetPixelAt(image, 2, 0, RGBColor(255, 1, 255));
    const auto targetOwner = Filled(6, 2, RGBColor(200, 100, 50));
    TBitmap& target = *targetOwner;
    // A rectangle larger than the bitmap copies only what the bitmap holds.
    skin::DrawTransparent(Dc(target), {1, 1, 6, 2}, image, skin::TransparentMagenta);
    EXPECT_EQ(PixelAt(target, 0, 1), RGBColor(200, 100, 50));
    EXPECT_EQ(PixelAt(target, 1, 1), RGBColor(10, 20, 30));
    EXPECT_EQ(PixelAt(target, 2, 1), RGBColor(200, 100, 50));
    EXPECT_EQ(PixelAt(target, 3, 1), RGBColor(255, 1, 255));
    EXPECT_EQ(PixelAt(target, 5, 1), RGBColor(200, 100, 50));
    EXPECT_EQ(PixelAt(target, 1, 0), RGBColor(200, 100, 50));
    // The source DC keeps its own background colour.
    EXPECT_EQ(GetBkColor(Dc(image)), GetBkColor(Dc(*Filled(1, 1, 0))));
}

TEST(SkinImageDraw, ElementDrawnTransparentlyOverABackground) {
    const auto imageOwner = Numbered(10, 10);
    TBitmap& image = *imageOwner;
    SetPixelAt(image, 5, 5, skin::TransparentMagenta);
    const auto targetOwner = Filled(10, 10, RGBColor(9, 9, 9));
    TBitmap& target = *targetOwner;
    skin::DrawSkinElement(Dc(target), {0, 0, 10, 10}, image, {2, 2, 2, 2}, false, false, true, 1, 1);
    EXPECT_EQ(PixelAt(target, 5, 5), RGBColor(9, 9, 9));
    EXPECT_EQ(PixelAt(target, 4, 5), RGBColor(4, 5, 77));
    // An inverted rectangle draws nothing.
    skin::DrawSkinElement(Dc(target), {8, 0, 2, 10}, *Filled(4, 4, 0), {0, 0, 0, 0}, false, false, false, 1, 1);
    EXPECT_EQ(PixelAt(target, 4, 5), RGBColor(4, 5, 77));
}

TEST(SkinImageDraw, StripsAndFrames) {
    const auto imageOwner = Numbered(24, 8);  // two frames of 12 side by side
    const TBitmap& image = *imageOwner;
    const auto targetOwner = Filled(40, 8, RGBColor(1, 1, 1));
    TBitmap& target = *targetOwner;
    // Second frame, caps 3 and 4, middle of 5 repeated.
    skin::DrawThreePartTiled(target.Canvas(), {0, 0, 40, 8}, image, false, false, 2, 2, {3, 0, 4, 0});
    EXPECT_EQ(PixelAt(target, 0, 0), RGBColor(12, 0, 77));
    EXPECT_EQ(PixelAt(target, 3, 0), RGBColor(15, 0, 77));
    EXPECT_EQ(PixelAt(target, 8, 0), RGBColor(15, 0, 77));
    EXPECT_EQ(PixelAt(target, 39, 7), RGBColor(23, 7, 77));

    skin::DrawThreePartStretched(Dc(target), {0, 0, 40, 8}, image, {3, 0, 4, 0}, 1, 2, false);
    EXPECT_EQ(PixelAt(target, 2, 0), RGBColor(2, 0, 77));
    EXPECT_EQ(PixelAt(target, 36, 0), RGBColor(8, 0, 77));
    EXPECT_EQ(PixelAt(target, 39, 0), RGBColor(11, 0, 77));

    const auto centredOwner = Filled(20, 12, RGBColor(1, 1, 1));
    TBitmap& centred = *centredOwner;
    skin::DrawFrameCentered(Dc(centred), {0, 0, 20, 12}, image, false, 2, 2);
    // 12 x 8 frame at ((20 - 12) / 2, (12 - 8) / 2) = (4, 2).
    EXPECT_EQ(PixelAt(centred, 3, 2), RGBColor(1, 1, 1));
    EXPECT_EQ(PixelAt(centred, 4, 2), RGBColor(12, 0, 77));
    EXPECT_EQ(PixelAt(centred, 15, 9), RGBColor(23, 7, 77));
    EXPECT_EQ(PixelAt(centred, 16, 10), RGBColor(1, 1, 1));

    const auto stretchedOwner = Filled(6, 16, RGBColor(1, 1, 1));
    TBitmap& stretched = *stretchedOwner;
    skin::DrawFrameStretched(Dc(stretched), {0, 0, 6, 16}, image, false, 2, 1);
    // First frame only, squeezed to 6 columns and doubled to 16 rows.
    EXPECT_LE(ui::ColorRed(PixelAt(stretched, 0, 0)), 1);
    EXPECT_GE(ui::ColorRed(PixelAt(stretched, 5, 0)), 10);
    EXPECT_LT(ui::ColorRed(PixelAt(stretched, 5, 0)), 12);
    EXPECT_EQ(ui::ColorGreen(PixelAt(stretched, 0, 15)), 7);
    EXPECT_EQ(ui::ColorGreen(PixelAt(stretched, 0, 0)), 0);
}

TEST(SkinImageGradient, ClippedLinesKeepTheirPlaceInTheRamp) {
    skin::ResetGradientCache();
    const auto targetOwner = Filled(10, 100, RGBColor(7, 7, 7));
    TBitmap& target = *targetOwner;
    HDC dc = Dc(target);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 30, 10, 60);
    skin::FillGradient(dc, {0, 0, 10, 100}, RGBColor(0, 0, 0), RGBColor(99, 198, 0), true);
    RestoreDC(dc, saved);
    const auto& ramp = skin::GradientRamp(skin::GetGradient(100, RGBColor(0, 0, 0), RGBColor(99, 198, 0)));
    EXPECT_EQ(PixelAt(target, 5, 29), RGBColor(7, 7, 7));
    EXPECT_EQ(PixelAt(target, 5, 30), ramp[30]);
    EXPECT_EQ(PixelAt(target, 0, 30), RGBColor(30, 60, 0));
    EXPECT_EQ(PixelAt(target, 9, 59), ramp[59]);
    EXPECT_EQ(PixelAt(target, 5, 60), RGBColor(7, 7, 7));
    // Horizontal ramps run left to right and accept system colours.
    skin::FillGradient(dc, {0, 0, 10, 1}, ui::clBtnFace, RGBColor(255, 255, 255), false);
    EXPECT_EQ(PixelAt(target, 0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(PixelAt(target, 9, 0), RGBColor(255, 255, 255));
    skin::ResetGradientCache();
}

TEST(SkinImageColour, BlendResolvesSystemColours) {
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(skin::BlendColors(ui::clBtnFace, RGBColor(0, 0, 0), 100), skin::BlendRGB(face, 0, 100));
    EXPECT_EQ(skin::BlendColors(RGBColor(0, 0, 0), RGBColor(255, 255, 255), 50), RGBColor(128, 128, 128));
}

TEST(SkinImageGeometry, InPlaceCopiesKeepTheBitmapAndItsFormat) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const auto bitmapOwner = Numbered(5, 3, format);
        TBitmap& bitmap = *bitmapOwner;
        skin::RotateLeft(bitmap);
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.Height(), 5);
        EXPECT_EQ(bitmap.PixelFormat(), format);
        EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(4, 0, 77));
        skin::RotateRight(bitmap);
        skin::MirrorHorizontal(bitmap);
        skin::MirrorHorizontal(bitmap);
        skin::FlipVertical(bitmap);
        EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(0, 2, 77));
        skin::FlipVertical(bitmap);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(bitmap, x, y), RGBColor(x, y, 77));
    }
    const auto keyedOwner = Numbered(2, 1, TPixelFormat::pf32bit);
    TBitmap& keyed = *keyedOwner;
    SetPixelAt(keyed, 1, 0, skin::TransparentMagenta);
    skin::ReplaceMagenta(keyed, RGBColor(5, 6, 7));
    EXPECT_EQ(keyed.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(PixelAt(keyed, 0, 0), RGBColor(0, 0, 77));
    EXPECT_EQ(PixelAt(keyed, 1, 0), RGBColor(5, 6, 7));
}

TEST(SkinImageRegion, ColourRangeIsCutOutAcrossBatches) {
    // A 120 x 60 checkerboard of magenta and grey: 3600 runs, so two batches are merged.
    TBitmap bitmap(120, 60, TPixelFormat::pf24bit);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            SetPixelAt(bitmap, x, y, (x + y) % 2 ? skin::TransparentMagenta : RGBColor(128, 128, 128));
    const ui::RegionHandle region =
        skin::RegionFromColorRange(bitmap, 5, 7, 0, 0, 0, skin::TransparentMagenta);
    ASSERT_TRUE(region);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(PtInRegion(region.get(), x + 5, y + 7) != 0, (x + y) % 2 == 0) << x << "," << y;
    RECT box{};
    GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.bottom, 67);
    // An image wholly in the range gives an empty region.
    const ui::RegionHandle none = skin::RegionFromColorRange(*Filled(8, 8, skin::TransparentMagenta), 0, 0, 0, 0, 0,
                                                             skin::TransparentMagenta);
    EXPECT_EQ(GetRgnBox(none.get(), &box), NULLREGION);
}

}  // namespace

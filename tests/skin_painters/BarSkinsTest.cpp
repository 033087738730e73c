// The painters' pictures on real device contexts: skin elements whose every cell or frame is
// one solid colour, so each pixel read back tells which cell or frame was drawn there.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/controls/BarSkins.h"
#include "skin/controls/EditSkins.h"
#include "skin/controls/PlayerSkins.h"

namespace {

using ui::RGBColor;
using ui::TColor;

constexpr TColor kFace = RGBColor(200, 190, 180);
constexpr TColor kShadow = RGBColor(90, 80, 70);
constexpr TColor kBlank = RGBColor(1, 2, 3);

// Cell c (1-based) of an element of `cells` cells has the colour (c, base, 0x40).
TColor CellColour(int base, int cell) { return RGBColor(cell, base, 0x40); }

void Strip(ui::TBitmap& image, int base, int cells, int cellWidth, int height)
{
    image.SetSize(cells * cellWidth, height);
    for (int c = 1; c <= cells; ++c) {
        const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(CellColour(base, c))));
        const RECT cell{(c - 1) * cellWidth, 0, c * cellWidth, height};
        FillRect(image.Canvas().Handle(), &cell, brush.get());
    }
}

template <class Element = skin::TDataSkinObject>
std::unique_ptr<Element> Solid(int base, int cells, int cellWidth, int height)
{
    auto element = std::make_unique<Element>("test");
    Strip(element->Image, base, cells, cellWidth, height);
    element->Frame = cells;
    return element;
}

TColor PixelAt(const ui::TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    return RGBColor(p[2], p[1], p[0]);
}

struct Canvas {
    Canvas(int width, int height) : bitmap(width, height, ui::TPixelFormat::pf24bit)
    {
        const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(kBlank)));
        const RECT all{0, 0, width, height};
        FillRect(Dc(), &all, brush.get());
    }
    HDC Dc() const { return bitmap.Canvas().Handle(); }
    TColor At(int x, int y) const { return PixelAt(bitmap, x, y); }
    ui::TBitmap bitmap;
};

// Scroll bar: 23 cells 16 x 16; tracks of 4 frames; thumbs of 3 (vertical) and 4 (horizontal).
std::unique_ptr<skin::TSkinElements> ScrollSkin()
{
    auto skin = std::make_unique<skin::TSkinElements>();
    skin->Colors.Colors[skin::csButtonFace] = kFace;
    skin->Colors.Colors[skin::csButtonShadow] = kShadow;
    skin->Scrollbar = Solid(10, 23, 16, 16);
    skin->HorzScroll = Solid(20, 4, 8, 16);
    skin->VertScroll = Solid(30, 4, 16, 8);
    skin->HorzScrollThumb = Solid(40, 4, 8, 16);
    skin->VertScrollThumb = Solid(50, 3, 16, 8);
    return skin;
}

TEST(ScrollBarPicture, ArrowsShowTheCellOfTheirState)
{
    const auto skin = ScrollSkin();
    struct Case {
        bool vertical;
        int hot;
        bool pressed;
        int firstCell, secondCell;
    } cases[] = {
        {false, skin::bpNone, false, 1, 5},           {false, skin::bpFirstArrow, true, 2, 5},
        {false, skin::bpSecondArrow, false, 1, 8},    {true, skin::bpNone, false, 9, 13},
        {true, skin::bpSecondArrow, false, 9, 16},    {true, skin::bpSecondArrow, true, 9, 14},
        {true, skin::bpFirstArrow, false, 12, 13},
    };
    for (const Case& c : cases) {
        Canvas target(c.vertical ? 16 : 200, c.vertical ? 200 : 16);
        skin::TScrollBarLook look;
        look.Vertical = c.vertical;
        look.Arrow = 16;
        look.Thumb = {60, 100};
        look.HotPart = c.hot;
        look.Pressed = c.pressed;
        const RECT bar{0, 0, c.vertical ? 16 : 200, c.vertical ? 200 : 16};
        ASSERT_TRUE(skin::PaintScrollBar(target.Dc(), bar, *skin, look));
        const POINT first = c.vertical ? POINT{8, 3} : POINT{3, 8};
        const POINT second = c.vertical ? POINT{8, 196} : POINT{196, 8};
        EXPECT_EQ(target.At(first.x, first.y), CellColour(10, c.firstCell)) << c.vertical << c.hot << c.pressed;
        EXPECT_EQ(target.At(second.x, second.y), CellColour(10, c.secondCell)) << c.vertical << c.hot << c.pressed;
    }
}

TEST(ScrollBarPicture, TrackAndThumbUseTheirOwnAxisElements)
{
    const auto skin = ScrollSkin();
    Canvas target(16, 200);
    skin::TScrollBarLook look;
    look.Vertical = true;
    look.Arrow = 16;
    look.Thumb = {60, 120};
    look.HotPart = skin::bpThumb;
    ASSERT_TRUE(skin::PaintScrollBar(target.Dc(), RECT{0, 0, 16, 200}, *skin, look));
    EXPECT_EQ(target.At(1, 30), CellColour(30, 1));   // vertical track, frame 1 of 4
    EXPECT_EQ(target.At(1, 150), CellColour(30, 1));
    // Hot thumb: frame 3 of the vertical thumb's own three, not of the horizontal one's four.
    EXPECT_EQ(target.At(1, 62), CellColour(50, 3));
    // The grip, centred: cell 22 (vertical, hot).
    EXPECT_EQ(target.At(8, 90), CellColour(10, 22));

    look.HotPart = skin::bpThumb;
    look.Pressed = true;
    ASSERT_TRUE(skin::PaintScrollBar(target.Dc(), RECT{0, 0, 16, 200}, *skin, look));
    EXPECT_EQ(target.At(1, 62), CellColour(50, 2));
    EXPECT_EQ(target.At(8, 90), CellColour(10, 21));

    look.Enabled = false;
    ASSERT_TRUE(skin::PaintScrollBar(target.Dc(), RECT{0, 0, 16, 200}, *skin, look));
    EXPECT_EQ(target.At(1, 90), CellColour(30, 3));  // a disabled bar: track frame 3, no thumb
}

TEST(ScrollBarPicture, AShortBarHasTwoHalfArrowsAndNoThumb)
{
    const auto skin = ScrollSkin();
    Canvas target(20, 16);
    skin::TScrollBarLook look;
    look.Arrow = 16;
    look.Thumb = {16, 4};
    ASSERT_TRUE(skin::PaintScrollBar(target.Dc(), RECT{0, 0, 20, 16}, *skin, look));
    EXPECT_EQ(target.At(2, 8), CellColour(10, 1));
    EXPECT_EQ(target.At(9, 8), CellColour(10, 1));
    EXPECT_EQ(target.At(10, 8), CellColour(10, 5));
    EXPECT_EQ(target.At(19, 8), CellColour(10, 5));
}

TEST(ScrollBarPicture, WithoutTheStripNothingIsDrawn)
{
    auto skin = ScrollSkin();
    skin->Scrollbar.reset();
    Canvas target(16, 100);
    EXPECT_FALSE(skin::PaintScrollBar(target.Dc(), RECT{0, 0, 16, 100}, *skin, skin::TScrollBarLook{}));
    EXPECT_EQ(target.At(8, 50), kBlank);
}

std::unique_ptr<skin::TSkinElements> ProgressSkin()
{
    auto skin = std::make_unique<skin::TSkinElements>();
    skin->Colors.Colors[skin::csButtonFace] = kFace;
    skin->Progress = Solid<skin::TDataSkinBorder>(60, 2, 10, 10);
    return skin;
}

TEST(ProgressPicture, FillsItsShareOfTheRangeFromTheStart)
{
    const auto skin = ProgressSkin();
    struct Case {
        bool vertical;
        int position, lower, upper;
        int filled;  // pixels from the start (left, or bottom when vertical) of 100
    } cases[] = {
        {false, 0, 0, 100, 0},   {false, 50, 0, 100, 50},  {false, 100, 0, 100, 100},
        {false, 250, 0, 100, 100},  // beyond the end: the bar, not past it
        {false, 7, 7, 7, 0},        // an empty range fills nothing
        {true, 50, 0, 100, 50},  {true, 25, 0, 100, 25},
    };
    for (const Case& c : cases) {
        const int w = c.vertical ? 20 : 100, h = c.vertical ? 100 : 20;
        Canvas target(w + 10, h + 10);
        ASSERT_TRUE(skin::PaintProgress(target.Dc(), RECT{0, 0, w, h}, *skin, c.position, c.lower, c.upper, c.vertical));
        for (int along = 0; along < 100; ++along) {
            const TColor expected = CellColour(60, along < c.filled ? 2 : 1);
            const TColor seen = c.vertical ? target.At(10, 99 - along) : target.At(along, 10);
            ASSERT_EQ(seen, expected) << c.vertical << " " << c.position << "/" << c.upper << " at " << along;
        }
        EXPECT_EQ(target.At(w + 2, h + 2), kBlank);  // nothing outside the bar
    }
}

TEST(ProgressPicture, WithoutTheImageThePlatformPaints)
{
    auto skin = ProgressSkin();
    skin->Progress.reset();
    Canvas target(50, 10);
    EXPECT_FALSE(skin::PaintProgress(target.Dc(), RECT{0, 0, 50, 10}, *skin, 5, 0, 10, false));
    EXPECT_EQ(target.At(2, 2), kBlank);
}

TEST(TrackPicture, ThumbIsCellTwoOfFiveOrAnOutline)
{
    auto skin = std::make_unique<skin::TSkinElements>();
    skin->Colors.Colors[skin::csButtonShadow] = kShadow;
    skin->ThumbHorz = Solid(70, 5, 11, 20);
    skin->ThumbVert = Solid(80, 5, 20, 11);
    skin->Track = Solid(90, 1, 30, 4);
    skin->Track->LeftWidth = 3;
    skin->Track->RightWidth = 3;
    Canvas target(100, 40);
    skin::PaintTrackThumb(target.Dc(), RECT{10, 5, 21, 25}, *skin, false);
    EXPECT_EQ(target.At(15, 15), CellColour(70, 2));
    skin::PaintTrackThumb(target.Dc(), RECT{40, 5, 60, 16}, *skin, true);
    EXPECT_EQ(target.At(50, 10), CellColour(80, 2));
    // The channel: the track picture at its own height, centred across a 20-pixel channel.
    skin::PaintTrackChannel(target.Dc(), RECT{60, 10, 100, 30}, *skin, false);
    EXPECT_EQ(target.At(80, 18), CellColour(90, 1));
    EXPECT_EQ(target.At(80, 21), CellColour(90, 1));
    EXPECT_EQ(target.At(80, 17), kBlank);
    EXPECT_EQ(target.At(80, 22), kBlank);

    skin->ThumbHorz.reset();
    skin->ThumbVert.reset();
    Canvas plain(30, 30);
    skin::PaintTrackThumb(plain.Dc(), RECT{5, 5, 25, 25}, *skin, false);
    EXPECT_EQ(plain.At(5, 15), kShadow);
    EXPECT_EQ(plain.At(15, 15), kBlank);
}

TEST(BorderPicture, EditsGetShadowThenTwoWhiteFramesOnlyWithABorder)
{
    skin::TSkinElements skin;
    skin.Colors.Colors[skin::csButtonShadow] = kShadow;
    const TColor white = RGBColor(255, 255, 255);
    Canvas edit(40, 20);
    skin::PaintControlBorder(edit.Dc(), SIZE{40, 20}, SIZE{36, 16}, skin, true);
    EXPECT_EQ(edit.At(0, 10), kShadow);
    EXPECT_EQ(edit.At(39, 19), kShadow);
    EXPECT_EQ(edit.At(1, 10), white);
    EXPECT_EQ(edit.At(2, 10), white);
    EXPECT_EQ(edit.At(3, 10), kBlank);
    Canvas combo(40, 20);
    skin::PaintControlBorder(combo.Dc(), SIZE{40, 20}, SIZE{36, 16}, skin, false);
    EXPECT_EQ(combo.At(1, 10), white);
    EXPECT_EQ(combo.At(2, 10), kBlank);
    Canvas bare(40, 20);
    skin::PaintControlBorder(bare.Dc(), SIZE{40, 20}, SIZE{40, 16}, skin, true);
    EXPECT_EQ(bare.At(0, 10), kBlank);
}

TEST(BorderPicture, PrintedEditBorderUsesTheCurrentBrushInsideTheShadow)
{
    skin::TSkinElements skin;
    skin.Colors.Colors[skin::csButtonShadow] = kShadow;
    const TColor brushColour = RGBColor(9, 99, 199);
    const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(brushColour)));
    Canvas edit(40, 20);
    const ui::ScopedSelect select(edit.Dc(), brush.get());
    skin::PaintPrintedEditBorder(edit.Dc(), SIZE{40, 20}, SIZE{36, 16}, skin);
    EXPECT_EQ(edit.At(0, 10), kShadow);
    EXPECT_EQ(edit.At(1, 10), brushColour);
    EXPECT_EQ(edit.At(2, 10), kBlank);
    Canvas thin(40, 20);
    skin::PaintPrintedEditBorder(thin.Dc(), SIZE{40, 20}, SIZE{38, 16}, skin);  // client + 2 reaches the width
    EXPECT_EQ(thin.At(0, 10), kBlank);
}

TEST(UpDownPicture, HalvesTakeTheirFramesOrTheDrawnFallback)
{
    auto skin = std::make_unique<skin::TSkinElements>();
    skin->Colors.Colors[skin::csButtonFace] = kFace;
    skin->Colors.Colors[skin::csButtonShadow] = kShadow;
    skin->UpDownVert = Solid<skin::TDataSkinBorder>(100, 8, 16, 10);
    Canvas target(16, 20);
    skin::TUpDownLook look;
    look.HalfUnderCursor = 1;
    look.Over = true;
    skin::PaintUpDown(target.Dc(), RECT{0, 0, 16, 20}, *skin, look);
    EXPECT_EQ(target.At(8, 4), CellColour(100, 1));      // up: normal
    EXPECT_EQ(target.At(8, 15), CellColour(100, 4 + 4));  // down: hot, second half's frames
    look.Pressed = true;
    skin::PaintUpDown(target.Dc(), RECT{0, 0, 16, 20}, *skin, look);
    EXPECT_EQ(target.At(8, 15), CellColour(100, 2 + 4));

    skin->UpDownVert.reset();
    skin::PaintUpDown(target.Dc(), RECT{0, 0, 16, 20}, *skin, look);
    EXPECT_EQ(target.At(2, 2), kFace);     // up: plain face
    EXPECT_EQ(target.At(2, 17), kShadow);  // down, pressed: shadow
}

TEST(ComboPicture, BorderAndButtonTakeTheStateFrameAndLeaveTheTextAlone)
{
    auto skin = std::make_unique<skin::TSkinElements>();
    skin->Colors.Colors[skin::csButtonFace] = kFace;
    skin->SunkEdge = Solid(110, 4, 10, 10);
    skin->SunkEdge->LeftWidth = skin->SunkEdge->TopHeight = skin->SunkEdge->RightWidth = skin->SunkEdge->BottomHeight = 2;
    skin->ComboButton = Solid<skin::TDataSkinBorder>(120, 4, 10, 10);
    Strip(skin->ComboButton->Image2, 130, 4, 10, 10);
    struct Case {
        bool left;
        int frame;
        int buttonX, borderX;
    } cases[] = {{false, 1, 95, 0}, {false, 4, 95, 0}, {true, 2, 5, 99}, {true, 3, 5, 99}};
    for (const Case& c : cases) {
        Canvas target(100, 21);
        const RECT button = skin::PaintComboBox(target.Dc(), SIZE{100, 21}, *skin, c.frame, c.left);
        EXPECT_TRUE(PtInRect(&button, POINT{c.buttonX, 10})) << c.left;
        EXPECT_EQ(target.At(c.buttonX, 10), CellColour(c.left ? 130 : 120, c.frame)) << c.left << c.frame;
        EXPECT_EQ(target.At(c.borderX, 10), CellColour(110, c.frame)) << c.left << c.frame;
        EXPECT_EQ(target.At(50, 10), kBlank) << c.left << c.frame;  // the text area stays the control's
    }
    EXPECT_EQ(skin::ComboFrame(true, true, true), 2);
    EXPECT_EQ(skin::ComboFrame(false, true, true), 4);
    EXPECT_EQ(skin::ComboFrame(false, false, true), 1);
    EXPECT_EQ(skin::ComboFrame(true, true, false), 3);

    skin->ComboButton.reset();
    Canvas bare(100, 21);
    const RECT none = skin::PaintComboBox(bare.Dc(), SIZE{100, 21}, *skin, 1, false);
    EXPECT_TRUE(IsRectEmpty(&none));
    EXPECT_EQ(bare.At(0, 10), kBlank);
}

TEST(ArrowButtonPicture, CellFourUnderTheMouseElseOne)
{
    skin::TSkinElements skin;
    skin.Colors.Colors[skin::csButtonFace] = kFace;
    skin.ComboxArrow = Solid(140, 4, 17, 17);
    Canvas target(17, 17);
    skin::PaintArrowButton(target.Dc(), RECT{0, 0, 17, 17}, skin, true);
    EXPECT_EQ(target.At(8, 8), CellColour(140, 4));
    skin::PaintArrowButton(target.Dc(), RECT{0, 0, 17, 17}, skin, false);
    EXPECT_EQ(target.At(8, 8), CellColour(140, 1));
}

TEST(PlayerPicture, TwentySevenDistinctGlyphsOnOlive)
{
    const skin::TPlayerGlyphs glyphs;
    std::vector<const ui::TBitmap*> all;
    for (int button = 0; button < skin::kPlayerButtons; ++button)
        for (int variant = 0; variant < 3; ++variant) {
            const ui::TBitmap& glyph = glyphs.Glyph(button, static_cast<skin::TGlyphVariant>(variant));
            EXPECT_EQ(PixelAt(glyph, 0, 0), skin::kGlyphBackground);
            all.push_back(&glyph);
        }
    int same = 0;
    for (std::size_t a = 0; a < all.size(); ++a)
        for (std::size_t b = a + 1; b < all.size(); ++b) {
            bool differ = false;
            for (int y = 0; y < all[a]->Height() && !differ; ++y)
                for (int x = 0; x < all[a]->Width() && !differ; ++x)
                    differ = PixelAt(*all[a], x, y) != PixelAt(*all[b], x, y);
            same += !differ;
        }
    EXPECT_EQ(same, 0);
}

TEST(PlayerPicture, VisibleButtonsShareTheWidthAndShowTheirState)
{
    auto skin = std::make_unique<skin::TSkinElements>();
    skin->Colors.Colors[skin::csButtonFace] = kFace;
    Strip(skin->Buttons->Image, 150, 5, 10, 10);
    skin->Buttons->Frame = 5;
    const skin::TPlayerGlyphs glyphs;
    skin::TPlayerStripLook look;
    look.Visible[0] = look.Visible[2] = look.Visible[8] = true;  // play, stop, eject
    look.Enabled[0] = look.Enabled[8] = true;
    look.Pressed = true;
    look.PressedButton = 8;
    Canvas target(90, 20);
    skin::PaintPlayerStrip(target.Dc(), SIZE{90, 20}, *skin, glyphs, look);
    EXPECT_EQ(target.At(2, 2), CellColour(150, 1));   // play
    EXPECT_EQ(target.At(32, 2), CellColour(150, 3));  // stop, disabled
    EXPECT_EQ(target.At(62, 2), CellColour(150, 2));  // eject, pressed
    EXPECT_EQ(target.At(7 + 8, 2 + 8), RGBColor(0, 0, 0));        // the play glyph in ink
    EXPECT_EQ(target.At(37 + 8, 2 + 8), RGBColor(128, 128, 128));  // the stop glyph greyed
    EXPECT_EQ(target.At(7 + 1, 2 + 1), CellColour(150, 1));        // olive left out

    for (int x : {0, 29, 30, 59, 61, 89}) EXPECT_NE(skin::PlayerButtonAt(x, 90, look.Visible), skin::kNoPlayerButton);
    EXPECT_EQ(skin::PlayerButtonAt(10, 90, look.Visible), 0);
    EXPECT_EQ(skin::PlayerButtonAt(45, 90, look.Visible), 2);
    EXPECT_EQ(skin::PlayerButtonAt(75, 90, look.Visible), 8);
    EXPECT_EQ(skin::PlayerButtonAt(95, 90, look.Visible), skin::kNoPlayerButton);

    look.Visible = {};
    skin::PaintPlayerStrip(target.Dc(), SIZE{90, 20}, *skin, glyphs, look);
    EXPECT_EQ(target.At(45, 10), kFace);
    EXPECT_EQ(skin::PlayerButtonAt(45, 90, look.Visible), skin::kNoPlayerButton);
}

}  // namespace

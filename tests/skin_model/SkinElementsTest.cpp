#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/skin_model/SkinFixture.h"

namespace {

using skintest::PixelAt;
using skintest::SkinPackage;
using ui::RGBColor;

constexpr ui::TColor kMagenta = RGBColor(255, 0, 255);

// Loads a package made in the test into a fresh component.
class ElementsTest : public ::testing::Test {
protected:
    const skin::TSkinElements& Load(const SkinPackage& package)
    {
        skintest::LoadPackage(skin_, package.Packed());
        EXPECT_FALSE(skin_.SkinEmpty());
        return skin_.Elements();
    }

    skin::TSkinData skin_{nullptr};
};

TEST_F(ElementsTest, CaptionButtonsAreFilteredFramedAndFollowedByTheChildButtons)
{
    SkinPackage package;
    package.Description =
        "[Button1]\nAction=0\nAlign=1\nXcoord=30\nButtonImage=wide.bmp\n"
        "[Button2]\nAction=1\nVisibility=2\nXcoord=60\nYcoord=3\nButtonImage=skins\\narrow.bmp\n"
        "[Button3]\nAction=-1\nVisibility=-1\nButtonImage=wide.bmp\n"
        "[Button5]\nAction=3\nButtonImage=wide.bmp\n"
        "[Button7]\nAction=4\nButtonImage=0\n"
        "[Button12]\nAction=200\nVisibility=-1\nframe=2\nButtonImage=narrow.bmp\n"
        "[MDICONTROLS]\nImage=mdi.bmp\n";
    package.Add("wide.bmp", 97, 17).Add("narrow.bmp", 51, 17);
    package.Add("mdi.bmp", 120, 10, [](int x, int) { return RGBColor(x, 0, 0); });
    const auto& e = Load(package);

    ASSERT_EQ(e.CaptionButtons.size(), 8u);
    const char* names[] = {"BUTTON1", "BUTTON2", "BUTTON5", "BUTTON7", "BUTTON12"};
    const int frames[] = {6, 3, 6, 6, 2};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(e.CaptionButtons[static_cast<std::size_t>(k)]->Name, names[k]);
        EXPECT_EQ(e.CaptionButtons[static_cast<std::size_t>(k)]->Frame, frames[k]) << names[k];
    }
    EXPECT_FALSE(e.CaptionButtons[1]->Image.Empty());      // a path in the value is dropped
    EXPECT_TRUE(e.CaptionButtons[2]->Image.Empty());       // the window icon is drawn instead
    EXPECT_TRUE(e.CaptionButtons[3]->Image.Empty());       // "0" names no bitmap
    EXPECT_EQ(e.CaptionButtons[3]->Xcoord, 60);            // help takes the maximise place
    EXPECT_EQ(e.CaptionButtons[3]->Ycoord, 3);
    EXPECT_EQ(e.CaptionButtons[4]->Visibility1, 0);

    for (int k = 0; k < 3; ++k) {
        const auto& child = *e.CaptionButtons[static_cast<std::size_t>(5 + k)];
        EXPECT_EQ(child.Action, 7 + k);
        EXPECT_EQ(child.Align, 100);
        EXPECT_EQ(child.Visibility, 100);
        EXPECT_EQ(child.Visibility1, 100);
        EXPECT_EQ(child.Frame, 4);
        EXPECT_EQ(child.Image.Width(), 40);
        EXPECT_EQ(child.Image.Height(), 10);
        EXPECT_EQ(child.Xcoord, 14 * (3 - k));
        EXPECT_EQ(PixelAt(child.Image, 0, 0), RGBColor(40 * k, 0, 0));  // its own four columns
    }
}

TEST_F(ElementsTest, CheckAndRadioCellsComeFromTheStripSize)
{
    SkinPackage package;
    package.Description = "[Buttons]\nBitmap=button.bmp\nRadioButton=radio.bmp\nCheckButton=check.bmp\nTile=2\n";
    package.Add("button.bmp", 50, 20).Add("radio.bmp", 68, 18).Add("check.bmp", 26, 13);
    const auto& e = Load(package);
    EXPECT_EQ(e.Buttons->RadioButtonFrame, 4);
    EXPECT_EQ(e.Buttons->CheckButtonFrame, 4);
    EXPECT_EQ(e.Buttons->Frame, 5);
    EXPECT_EQ(e.Buttons->Tile, 0);  // values above 1 clamp to 0
    EXPECT_FALSE(e.Buttons->NormalColour2Given);
    EXPECT_EQ(e.Buttons->NormalColour2, ui::SystemColor(18));  // ButtonText
}

TEST_F(ElementsTest, BordersCaptionAndFrameColour)
{
    SkinPackage package;
    package.Description =
        "[Personality]\nTop=top.bmp\nTopFrame=2\nTopTopHeight=41\nTopBotHeight=67\nTopStretch=0\n"
        "Left=left.bmp\nLeftTopHeight=30\nLeftBotHeight=4\nLeftStretch=5\n"
        "TextBack=back.bmp\nTextShift=6\nTextShiftVert=2\nTextRightClip=90\n"
        "ActiveTextR=1\nActiveTextG=2\nActiveTextB=3\nInActiveTextR=4\nInActiveTextG=-1\nInActiveTextB=6\n"
        "[Colours]\nButtonFace=240 240 240\n";
    // The frame colour is read a third into the first of the stacked frames: (98, 7).
    package.Add("top.bmp", 294, 46, [](int x, int y) { return x == 98 && y == 7 ? RGBColor(1, 99, 200) : RGBColor(9, 9, 9); });
    package.Add("left.bmp", 8, 40).Add("back.bmp", 20, 40);
    const auto& e = Load(package);

    EXPECT_EQ(e.Top->LeftWidth, 41);
    EXPECT_EQ(e.Top->RightWidth, 67);
    EXPECT_EQ(e.Top->TopHeight, 0);
    EXPECT_EQ(e.Top->BottomHeight, 0);
    EXPECT_EQ(e.Top->Frame, 2);
    EXPECT_EQ(e.Top->Tile, 0);
    EXPECT_EQ(e.Top->Trans, 1);
    EXPECT_EQ(e.Left->TopHeight, 30);
    EXPECT_EQ(e.Left->BottomHeight, 4);
    EXPECT_EQ(e.Left->LeftWidth, 0);
    EXPECT_EQ(e.Left->Tile, 1);
    EXPECT_EQ(e.Left->Frame, 1);
    EXPECT_TRUE(e.Right->Image.Empty());  // always there, empty without a bitmap

    EXPECT_EQ(e.Color(skin::csFrameColor), RGBColor(1, 99, 200));
    EXPECT_EQ(e.Color(skin::csButtonFace), RGBColor(240, 240, 240));
    EXPECT_EQ(e.Color(skin::csMenubar), RGBColor(240, 240, 240));

    EXPECT_EQ(e.Caption->LeftWidth, 6);
    EXPECT_EQ(e.Caption->TopHeight, 2);
    EXPECT_EQ(e.Caption->RightWidth, 90);
    EXPECT_EQ(e.Caption->Frame, 2);
    EXPECT_EQ(e.Caption->FontHeight, 14);
    EXPECT_EQ(e.Caption->ActiveText, RGBColor(1, 2, 3));
    EXPECT_EQ(e.Caption->InActiveText, skin::kNoTitleColor);
    EXPECT_FALSE(e.MenuBar);
}

TEST_F(ElementsTest, SectionRulesForMarginsAndFrameCounts)
{
    SkinPackage package;
    package.Description =
        "[Tab.Pane]\nImage=pane.bmp\nLeftWidth=7\nTopHeight=3\nRightWidth=4\nBottomHeight=9\n"
        "[Progress.Chunk]\nImage=chunk.bmp\nFrame=0\n"
        "[Progress]\nBitmap=progress.bmp\nStyle=1\nTile=3\n"
        "[Headerbar]\nImage=header.bmp\n"
        "[HorzScrollThumb]\nImage=thumb.bmp\nFrameCount=2\n"
        "[VertScrollThumb]\nImage=thumb.bmp\n"
        "[Scrollbar]\nImage=arrows.bmp\n"
        "[Tabs]\nImage=tabs.bmp\nBorder=pane.bmp\nNormalColour=1 2 3\n"
        "[UpDown.Vert]\nImage=updown.bmp\nGlyphImage=glyph.bmp\n"
        "[Personality]\nmenuBar=bar.bmp\n";
    for (const char* name : {"pane.bmp", "chunk.bmp", "progress.bmp", "header.bmp", "thumb.bmp", "arrows.bmp",
                             "tabs.bmp", "updown.bmp", "glyph.bmp", "bar.bmp"})
        package.Add(name, 40, 20);
    const auto& e = Load(package);

    ASSERT_TRUE(e.TabPane);
    EXPECT_EQ(e.TabPane->LeftWidth, 4);
    EXPECT_EQ(e.TabPane->TopHeight, 3);
    EXPECT_EQ(e.TabPane->RightWidth, 4);
    EXPECT_EQ(e.TabPane->BottomHeight, 4);
    ASSERT_TRUE(e.ProgressChunk);
    EXPECT_EQ(e.ProgressChunk->Frame, 0);  // the key's value stays...
    EXPECT_EQ(e.ProgressChunk->FrameWidth(), 40);  // ...and counts as one frame
    EXPECT_EQ(e.Progress->Frame, 1);
    EXPECT_EQ(e.Progress->Tile, 1);
    EXPECT_EQ(e.Headerbar->Frame, 5);
    EXPECT_EQ(e.HorzScrollThumb->Frame, 2);
    EXPECT_EQ(e.VertScrollThumb->Frame, 3);
    EXPECT_EQ(e.Scrollbar->Frame, 23);
    EXPECT_EQ(e.Tabs->Frame, 5);
    EXPECT_FALSE(e.Tabs->Image2.Empty());
    EXPECT_EQ(e.Tabs->NormalColour, RGBColor(1, 2, 3));
    EXPECT_EQ(e.Tabs->MouseOverColour, -1);
    EXPECT_EQ(e.UpDownVert->Frame, 8);
    EXPECT_FALSE(e.UpDownVert->Image2.Empty());
    ASSERT_TRUE(e.MenuBar);
    EXPECT_EQ(e.MenuBar->Name, "Personality");
    EXPECT_EQ(e.MenuBar->Frame, 2);
    EXPECT_EQ(e.MenuBar->LeftWidth, 1);
    EXPECT_EQ(e.MenuBar->Tile, 1);
    EXPECT_FALSE(e.SunkEdge);
    EXPECT_FALSE(e.GroupBox);
}

// The program's channel bitmaps, row by row as runs of (count, colour).
void ExpectRows(const ui::TBitmap& bitmap, const std::vector<std::vector<std::pair<int, char>>>& rows)
{
    const auto colour = [](char code) {
        return code == 'L' ? RGBColor(192, 192, 192) : code == 'D' ? RGBColor(128, 128, 128) : RGBColor(255, 255, 255);
    };
    ASSERT_EQ(bitmap.Height(), static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        int x = 0;
        for (const auto& [count, code] : rows[static_cast<std::size_t>(y)])
            for (int k = 0; k < count; ++k, ++x) EXPECT_EQ(PixelAt(bitmap, x, y), colour(code)) << x << "," << y;
        EXPECT_EQ(x, bitmap.Width()) << "row " << y;
    }
}

TEST_F(ElementsTest, WithoutChannelSectionsTheBuiltInBitmapsServe)
{
    SkinPackage package;
    package.Description = "[Colours]\nButtonFace=1 2 3\n";
    const auto& e = Load(package);
    for (const auto* channel : {e.Track.get(), e.TrackVert.get()}) {
        ASSERT_TRUE(channel);
        EXPECT_EQ(channel->Frame, 1);
        EXPECT_EQ(channel->Tile, 0);
        const RECT m = channel->Margins();
        EXPECT_EQ(m.left + m.top + m.right + m.bottom, 12);
    }
    ExpectRows(e.Track->Image, {{{2, 'L'}, {12, 'D'}, {2, 'W'}},
                                {{2, 'L'}, {14, 'W'}},
                                {{1, 'D'}, {1, 'L'}, {14, 'W'}},
                                {{2, 'L'}, {14, 'W'}}});
    std::vector<std::vector<std::pair<int, char>>> vertical{{{2, 'L'}, {1, 'D'}, {1, 'L'}}, {{4, 'L'}}};
    for (int k = 0; k < 12; ++k) vertical.push_back({{1, 'D'}, {3, 'W'}});
    vertical.push_back({{4, 'W'}});
    vertical.push_back({{4, 'W'}});
    ExpectRows(e.TrackVert->Image, vertical);
}

TEST_F(ElementsTest, ComboBoxIsComposedFromEditFrameButtonAndArrow)
{
    SkinPackage package;
    package.Description =
        "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\nTopHeight=2\nRightWidth=2\nBottomHeight=2\n"
        "[ComboButton]\nImage=button.bmp\nLeftWidth=1\nRightWidth=1\n"
        "[ExtraImages]\nImage=arrows.bmp\n"
        "[Colours]\nButtonFace=200 201 202\n";
    // Frame f of every strip has its own colour, so the composition can be traced.
    package.Add("sunk.bmp", 80, 21, [](int x, int) { return RGBColor(10 * (x / 20 + 1), 0, 0); });
    package.Add("button.bmp", 72, 21, [](int x, int) { return x % 18 < 9 ? RGBColor(0, 10 * (x / 18 + 1), 0) : kMagenta; });
    package.Add("arrows.bmp", 25, 5, [](int x, int) { return RGBColor(0, 0, 10 * (x / 5 + 1)); });
    const auto& e = Load(package);

    const int aw = GetSystemMetrics(SM_CXHSCROLL) + 2;
    ASSERT_TRUE(e.ComboButton && e.SunkEdge);
    EXPECT_EQ(e.ComboButton->Style, 2);
    EXPECT_EQ(e.ComboButton->Image.Width(), 200);
    EXPECT_EQ(e.ComboButton->Image.Height(), 21);
    EXPECT_EQ(e.ComboButton->LeftWidth, 2);
    EXPECT_EQ(e.ComboButton->RightWidth, aw + 2);
    EXPECT_EQ(e.ComboButton->TopHeight, 2);
    EXPECT_EQ(e.SunkEdge->LeftWidth, aw + 2);
    EXPECT_EQ(e.SunkEdge->RightWidth, 2);
    for (int f = 0; f < 4; ++f) {
        const ui::TBitmap& strip = e.ComboButton->Image;
        EXPECT_EQ(PixelAt(strip, 50 * f, 0), RGBColor(10 * (f + 1), 0, 0)) << f;       // edit frame
        EXPECT_EQ(PixelAt(strip, 50 * f + 10, 10), kMagenta) << f;                     // edit area cut out
        EXPECT_EQ(PixelAt(strip, 50 * f + 50 - aw, 10), RGBColor(0, 10 * (f + 1), 0)) << f;  // button
        EXPECT_EQ(PixelAt(strip, 50 * f + 50 - aw / 2, 10), RGBColor(0, 0, 10 * (f + 1))) << f;  // arrow
        // The edit frame's strip is the mirror of each state in its place: the button on the left.
        EXPECT_EQ(PixelAt(e.SunkEdge->Image, 50 * f + aw - 1, 10), RGBColor(0, 10 * (f + 1), 0)) << f;
    }
    ASSERT_TRUE(e.ComboxArrow);
    EXPECT_EQ(e.ComboxArrow->Frame, 4);
    EXPECT_EQ(e.ComboxArrow->Image.Width(), 68);
    EXPECT_EQ(e.ComboxArrow->Image.Height(), 17);
    // Cell i is cut at x = (i + 1) * 50 - 19 of the composed button strip.
    EXPECT_EQ(PixelAt(e.ComboxArrow->Image, 17 * 2, 0), PixelAt(e.ComboButton->Image, 3 * 50 - 19, 2));
    // The second image is the original button strip, each state mirrored in its place.
    EXPECT_EQ(e.ComboButton->Image2.Width(), 72);
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(PixelAt(e.ComboButton->Image2, 18 * f, 0), kMagenta) << f;
        EXPECT_EQ(PixelAt(e.ComboButton->Image2, 18 * f + 17, 0), RGBColor(0, 10 * (f + 1), 0)) << f;
    }
}

TEST_F(ElementsTest, ComboArrowWithoutEditFrameAndAfterASkinWithoutCombo)
{
    SkinPackage combo;
    combo.Description = "[ComboButton]\nImage=button.bmp\n[Colours]\nButtonFace=200 201 202\n";
    combo.Add("button.bmp", 36, 10, [](int x, int) { return x < 18 ? kMagenta : RGBColor(1, 2, 3); });
    const auto& e = Load(combo);
    ASSERT_TRUE(e.ComboxArrow);
    EXPECT_EQ(e.ComboxArrow->Frame, 4);
    EXPECT_EQ(PixelAt(e.ComboxArrow->Image, 0, 0), RGBColor(200, 201, 202));
    EXPECT_EQ(PixelAt(e.ComboxArrow->Image, 20, 0), RGBColor(1, 2, 3));
    EXPECT_EQ(e.ComboButton->Style, 0);

    SkinPackage plain;
    plain.Description = "[Colours]\nButtonFace=1 1 1\n";
    const auto& again = Load(plain);
    EXPECT_FALSE(again.ComboButton);
    ASSERT_TRUE(again.ComboxArrow);  // kept, but with no picture of the earlier skin
    EXPECT_TRUE(again.ComboxArrow->Image.Empty());
}

TEST_F(ElementsTest, ToolbarBackgroundRampsFromLightFaceToAShadeOfTheFrameColour)
{
    SkinPackage package;
    package.Description = "[Personality]\nTop=top.bmp\n[Colours]\nButtonFace=200 200 200\n";
    package.Add("top.bmp", 30, 30, RGBColor(0, 0, 255));  // saturation 255
    const auto& e = Load(package);
    ASSERT_TRUE(e.Toolbar);
    EXPECT_EQ(e.Toolbar->Image.Width(), 10);
    EXPECT_EQ(e.Toolbar->Image.Height(), 40);
    // Top: 15 % face, 85 % white. Bottom: 45 % blue, 55 % white.
    EXPECT_EQ(PixelAt(e.Toolbar->Image, 5, 0), RGBColor(247, 247, 247));
    EXPECT_EQ(PixelAt(e.Toolbar->Image, 5, 39), RGBColor(140, 140, 255));
}

// The system-menu glyphs: four 16 x 16 cells, black on white (white is transparent), each
// with its own picture.
TEST(ProgramBitmaps, SkinGlyphsAreFourDistinctGlyphsOnWhite)
{
    ui::TBitmap glyphs;
    glyphs.LoadFromResourceName(GetModuleHandleW(nullptr), L"SKINGLYPHS");
    ASSERT_EQ(glyphs.Width(), 64);
    ASSERT_EQ(glyphs.Height(), 16);
    std::vector<std::vector<bool>> ink(4);
    for (int k = 0; k < 4; ++k) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const ui::TColor c = PixelAt(glyphs, 16 * k + x, y);
                EXPECT_TRUE(c == RGBColor(0, 0, 0) || c == RGBColor(255, 255, 255)) << k << ": " << x << "," << y;
                ink[static_cast<std::size_t>(k)].push_back(c == RGBColor(0, 0, 0));
            }
        const auto& cell = ink[static_cast<std::size_t>(k)];
        EXPECT_GT(std::count(cell.begin(), cell.end(), true), 8) << k;
        EXPECT_FALSE(cell[0] || cell[15] || cell[15 * 16] || cell[255]) << k;  // white corners
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) EXPECT_NE(ink[static_cast<std::size_t>(a)], ink[static_cast<std::size_t>(b)]);
}

TEST(DefaultSkin, TheEmbeddedPackageLoadsCompletely)
{
    skin::TSkinData skin(nullptr);
    ASSERT_TRUE(skin.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM"));
    EXPECT_FALSE(skin.SkinEmpty());
    const auto& e = skin.Elements();
    EXPECT_EQ(e.SkinName, "Inkpaper");
    int elements = 0;
    e.ForEachElement([&](const skin::TDataSkinObject& element) {
        ++elements;
        // Window-icon and hidden buttons aside, every element the skin describes has its picture.
        EXPECT_FALSE(element.Image.Empty()) << element.Name;
        EXPECT_GT(element.FrameWidth(), 0) << element.Name;
    });
    EXPECT_EQ(elements, 7 + 8 + 30);  // every section but Progress.Chunk, plus the derived two
    EXPECT_EQ(e.CaptionButtons.size(), 8u);
    EXPECT_NE(e.Left->Image.Width(), 0);
    EXPECT_EQ(e.Top->Frame, 2);
    EXPECT_FALSE(e.ProgressChunk);
    EXPECT_EQ(e.Color(skin::csButtonFace), RGBColor(241, 236, 225));
    EXPECT_EQ(e.Colors.Extra.size(), 1u);
    for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 18})
        EXPECT_TRUE(e.Colors.Given[static_cast<std::size_t>(slot)]) << "slot " << slot;
}

}  // namespace

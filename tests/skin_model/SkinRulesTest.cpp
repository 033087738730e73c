#include <gtest/gtest.h>

#include <string>

#include "skin/data/SkinElementRules.h"
#include "skin/data/SkinSettings.h"

namespace {

using skin::TCaptionButtonKeys;
using ui::RGBColor;

TEST(ColorTriple, ReadsUpToThreeNumbersSeparatedByAnything)
{
    struct Case {
        const char* text;
        ui::TColor expected;
    };
    const ui::TColor fallback = ui::SystemColor(4);
    const Case cases[] = {
        {"94 174 255", RGBColor(94, 174, 255)},
        {"94,174,255", RGBColor(94, 174, 255)},
        {"  94 ; 174 ; 255  ", RGBColor(94, 174, 255)},
        {"255", RGBColor(0, 0, 0)},              // a lone number ends the text: black
        {"10 20", RGBColor(10, 0, 0)},           // the final run is taken only as the third number
        {"1 2 3 4", RGBColor(1, 2, 3)},
        {"300 256 511", RGBColor(44, 0, 255)},   // low 8 bits of each
        {"r=1;g=2;b=3;", RGBColor(1, 2, 3)},
        {"4294967297 0 1", RGBColor(1, 0, 1)},   // a run longer than 32 bits keeps its low byte
        {"", fallback},
        {" \t ", fallback},
    };
    for (const Case& c : cases) EXPECT_EQ(skin::ParseColorTriple(c.text, fallback), c.expected) << c.text;
}

TEST(SkinBitmapName, KeepsTheFileNamePartOfLowerCaseBmpNames)
{
    struct Case {
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"top.bmp", "top.bmp"},      {"C:\\skins\\blue\\top.bmp", "top.bmp"},
        {"d:top.bmp", "top.bmp"},    {"top.BMP", ""},
        {"top", ""},                 {"", ""},
        {"skins\\", ""},             {"top.bmp.txt", ""},
        {"0", ""},                   {".bmp", ".bmp"},
    };
    for (const Case& c : cases) EXPECT_EQ(skin::SkinBitmapName(c.value), c.expected) << c.value;
}

TEST(FrameCounts, CheckAndRadioStripsWithoutAKey)
{
    struct Case {
        int key, width, height, expected;
    };
    const Case cases[] = {
        {0, 68, 18, 4},   // 68 / 16
        {0, 26, 13, 4},   // 26 / 13 = 2, raised to 4
        {0, 96, 16, 6},   // 16 pixels high counts in 16-pixel cells
        {0, 78, 15, 6},   // under 16 high: 13-pixel cells
        {0, 0, 0, 4},     // no image
        {7, 26, 13, 7},   // a key wins
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::CheckRadioFrameCount(c.key, c.width, c.height), c.expected) << c.width << "x" << c.height;
}

TEST(FrameCounts, CaptionButtonsWithoutAFrameKey)
{
    struct Case {
        int key, action, width, height, expected;
    };
    const Case cases[] = {
        {0, 0, 97, 17, 6},   // ratio 5.7
        {0, 0, 51, 17, 3},   // ratio 3.0
        {0, 1, 76, 20, 3},   // ratio 3.8 exactly
        {0, -2, 51, 17, 6},  // negative actions always 6
        {0, 0, 0, 0, 6},     // no image
        {4, 0, 51, 17, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::CaptionButtonFrameCount(c.key, c.action, c.width, c.height), c.expected)
            << c.width << "x" << c.height;
}

TEST(FrameCounts, ZeroFramesNeverDivideByZero)
{
    EXPECT_EQ(skin::FrameExtent(100, 0), 100);
    EXPECT_EQ(skin::FrameExtent(100, -3), 100);
    EXPECT_EQ(skin::FrameExtent(100, 5), 20);
}

TEST(CaptionButtons, SectionsAreFilteredPlacedAndKeptInTextOrder)
{
    skin::TQuickIni ini;
    ini.LoadFromText(
        "[Buttons]\nAction=0\n"
        "[Button]\nAction=0\n"
        "[Button.Radio]\n[BUTTON.CHECKBOX]\n"
        "[Button1]\nAction=0\nAlign=1\nXcoord=30\nYcoord=4\nButtonImage=close.bmp\n"
        "[ButtonHelpFirst]\nAction=4\nXcoord=7\nYcoord=8\n"
        "[Button2]\nAction=-1\nVisibility=-1\n"
        "[Button3]\nAction=-1\n"
        "[Button4]\nAction=-1\nVisibility=0\n"
        "[Button5]\nAction=1\nVisibility=2\nXcoord=60\nYcoord=3\nframe=4\n"
        "[Button6]\nAction=1\nVisibility=1\nXcoord=90\nYcoord=9\n"
        "[Button7]\nAction=4\nXcoord=1\nYcoord=1\n"
        "[Button12]\nAction=200\nVisibility=-1\n"
        "[NotAButton]\nAction=0\n");
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    const std::vector<TCaptionButtonKeys> buttons = skin::ReadCaptionButtons(ini, sections);

    std::vector<std::string> names;
    for (const auto& b : buttons) names.push_back(b.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"BUTTON1", "BUTTONHELPFIRST", "BUTTON4", "BUTTON5", "BUTTON6",
                                               "BUTTON7", "BUTTON12"}));
    EXPECT_EQ(buttons[0].ImageValue, "close.bmp");
    EXPECT_EQ(buttons[0].Align, 1);
    EXPECT_EQ(buttons[0].CombineOp, -1);
    // A help button before any maximise button keeps its own place; a later one takes the
    // place of the last maximise button shown when not maximised.
    EXPECT_EQ(buttons[1].Place.Xcoord, 7);
    EXPECT_EQ(buttons[1].Place.Ycoord, 8);
    EXPECT_EQ(buttons[5].Place.Xcoord, 60);
    EXPECT_EQ(buttons[5].Place.Ycoord, 3);
    EXPECT_EQ(buttons[3].FrameKey, 4);
    EXPECT_EQ(buttons[2].Visibility1, -1);  // Action -1
    EXPECT_EQ(buttons[3].Visibility1, 0);
    EXPECT_EQ(buttons[6].Place.Visibility, -1);
}

TEST(ColorTable, DefaultsReadingOrderAndExtras)
{
    skin::TQuickIni ini;
    ini.LoadFromText(
        "[Colours]\nButtonFace=240 240 240\nActiveTitle=1 2 3\nInfoWindow=4 5 6\nMenuText=\n"
        "[Colour.Seal]\ncolor=176 46 38\n"
        "[COLOURS2]\n"
        "[Customcolors]\nColor0=1 1 1\nColor9=9,9,9,\n");
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    skin::TSkinColorTable table;
    skin::ReadColorTable(ini, sections, table);

    EXPECT_EQ(table.Colors[skin::csButtonFace], RGBColor(240, 240, 240));
    EXPECT_TRUE(table.Given[skin::csButtonFace]);
    EXPECT_EQ(table.Colors[skin::csMenubar], RGBColor(240, 240, 240));  // follows ButtonFace
    EXPECT_FALSE(table.Given[skin::csMenubar]);
    EXPECT_EQ(table.Colors[skin::csMenuText], ui::SystemColor(7));      // empty value: default
    EXPECT_FALSE(table.Given[skin::csMenuText]);
    const std::pair<int, int> defaults[] = {{skin::csWindowText, 8},   {skin::csTitleTextActive, 9},
                                            {skin::csTitleTextNoActive, 19}, {skin::csButtonText, 18},
                                            {skin::csButtonHilight, 20}, {skin::csButtonlight, 20},
                                            {skin::csButtonShadow, 16}, {skin::csButtonDkShadow, 21},
                                            {skin::csHilightText, 14}, {skin::csHilight, 13},
                                            {skin::csMenuBarText, 7},  {skin::csMenu, 4},
                                            {skin::csScrollbar, 0}};
    for (const auto& [slot, index] : defaults)
        EXPECT_EQ(table.Colors[static_cast<std::size_t>(slot)], ui::SystemColor(index)) << "slot " << slot;
    EXPECT_EQ(table.Colors[9], 0);
    EXPECT_EQ(table.Colors[10], 0);

    // ActiveTitle and InfoWindow are not colour-table keys; COLOUR... sections (but COLOURS)
    // give the extra list, a section without its key the window-text colour.
    EXPECT_EQ(table.Extra, (std::vector<ui::TColor>{RGBColor(176, 46, 38), ui::SystemColor(8)}));
    EXPECT_EQ(table.Custom[0], RGBColor(1, 1, 1));
    EXPECT_EQ(table.Custom[5], RGBColor(255, 255, 255));
    EXPECT_EQ(table.Custom[9], RGBColor(9, 9, 9));
}

TEST(MaximisedChildButtons, TwelveColumnsFourPerButton)
{
    const skin::TMdiButtonCut cuts[] = {skin::MdiButtonCut(120, 0), skin::MdiButtonCut(120, 1),
                                        skin::MdiButtonCut(120, 2)};
    EXPECT_EQ(cuts[0].SourceX, 0);
    EXPECT_EQ(cuts[1].SourceX, 40);
    EXPECT_EQ(cuts[2].SourceX, 80);
    for (const auto& cut : cuts) EXPECT_EQ(cut.Width, 40);
    EXPECT_EQ(cuts[0].Xcoord, 42);
    EXPECT_EQ(cuts[1].Xcoord, 28);
    EXPECT_EQ(cuts[2].Xcoord, 14);
}

TEST(ToolbarBackground, SaturatedFrameColoursBlendWithWhite)
{
    EXPECT_EQ(skin::ToolbarSaturatedWeight(110), -1);
    EXPECT_EQ(skin::ToolbarSaturatedWeight(200), 54);   // 625 / 140 + 50
    EXPECT_EQ(skin::ToolbarSaturatedWeight(255), 45);   // the quotient truncates toward zero
}

TEST(SkinSettings, SetsAtCreationHoldTheirBits)
{
    using skin::TSkinControlType;
    using skin::TSkinOption;
    for (int k = 0; k <= 21; ++k) {
        const auto member = static_cast<TSkinControlType>(k);
        const bool expected = member != TSkinControlType::xcMenuItem && member != TSkinControlType::xcFastReport;
        EXPECT_EQ(skin::kDefaultSkinControls.Contains(member), expected) << "bit " << k;
    }
    EXPECT_EQ(skin::kDefaultSkinOptions.Bits(), (1u << 3) | (1u << 6) | (1u << 10));
    skin::TSkinOptions options = skin::kDefaultSkinOptions;
    options.Exclude(TSkinOption::xoPreview);
    options.Include(TSkinOption::xoFormScrollbar);
    EXPECT_EQ(options.Bits(), (1u << 6) | (1u << 10) | (1u << 11));
}

TEST(SkinSettings, DefaultClassTableHas118LinesAndGroupBoxWinsOverPanel)
{
    ui::TStringList lines;
    skin::DefaultSkin3rd(lines);
    ASSERT_EQ(lines.Count(), 118);
    int groupBox = -1, panel = -1;
    for (int k = 0; k < lines.Count(); ++k) {
        const std::wstring line = lines[k];
        EXPECT_EQ(std::count(line.begin(), line.end(), L'='), 1) << k;
        if (line == L"TLMDGroupBox=Groupbox" && groupBox < 0) groupBox = k;
        if (line == L"TLMDGROUPBOX=Panel") panel = k;
    }
    ASSERT_GE(groupBox, 0);
    ASSERT_GE(panel, 0);
    EXPECT_LT(groupBox, panel);
}

TEST(SkinSettings, FormSkinRuleWithoutAHandler)
{
    using skin::TSkinControlType;
    skin::TSkinControlTypes withReports = skin::kDefaultSkinControls;
    withReports.Include(TSkinControlType::xcFastReport);
    struct Case {
        const wchar_t* className;
        bool reports, doSkin, expected;
    };
    const Case cases[] = {
        {L"SysMonthCal32", false, true, false}, {L"sysmonthcal32", false, true, true},
        {L"TForm1", false, true, true},         {L"TForm1", false, false, false},
        {L"TfrDesignerForm", true, true, false}, {L"TfrDesignerForm", false, true, true},
        {L"TFRDesignerForm", true, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::DefaultFormSkinDecision(c.className, c.reports ? withReports : skin::kDefaultSkinControls,
                                                c.doSkin),
                  c.expected)
            << static_cast<int>(c.className[0]) << " reports " << c.reports;
}

void Payload(ui::TMemoryStream& stream, std::int32_t length, const skin::TBytes& bytes)
{
    const auto n = static_cast<std::uint32_t>(length);
    const std::uint8_t word[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                  static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    stream.WriteBuffer(word, 4);
    stream.WriteBuffer(bytes.data(), bytes.size());
    stream.SetPosition(0);
}

TEST(SkinStreamPayload, RoundTripAndLengthsThatCarryNoPackage)
{
    const skin::TBytes package{1, 2, 3, 4, 5};
    ui::TMemoryStream written;
    skin::WriteSkinStream(written, package);
    EXPECT_EQ(written.Bytes(), (skin::TBytes{5, 0, 0, 0, 1, 2, 3, 4, 5}));

    written.SetPosition(0);
    skin::TBytes read;
    EXPECT_TRUE(skin::ReadSkinStream(written, read));
    EXPECT_EQ(read, package);

    for (std::int32_t length : {0, -1, -70000}) {
        ui::TMemoryStream stream;
        Payload(stream, length, {9, 9});
        skin::TBytes kept = package;
        EXPECT_FALSE(skin::ReadSkinStream(stream, kept)) << length;
        EXPECT_EQ(kept, package);
        EXPECT_EQ(stream.Position(), 4);  // nothing after the length is read
    }
}

TEST(SkinStreamPayload, ATruncatedPayloadFailsWithoutTouchingThePackage)
{
    for (std::int32_t length : {3, 0x7FFFFFFF}) {
        ui::TMemoryStream stream;
        Payload(stream, length, {7, 7});
        skin::TBytes kept{1};
        EXPECT_THROW(skin::ReadSkinStream(stream, kept), ui::EReadError) << length;
        EXPECT_EQ(kept, skin::TBytes{1});
    }
}

}  // namespace

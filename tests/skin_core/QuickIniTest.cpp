#include <gtest/gtest.h>

#include "skin/data/QuickIni.h"
#include "tests/skin_core/TestData.h"

namespace {

using skin::TQuickIni;

constexpr char kDescription[] =
    "Orphan=before any header\r\n"
    "  [personality]  \r\n"
    "\tTOPTOPHEIGHT = 41\r\n"
    "; Hex = 1\r\n"
    "   ;indented comment\r\n"
    "\r\n"
    "# kept=7\n"
    "Hex1=0x1F\r"
    "Hex2=$1F\n"
    "Hex3=0X1f\r\n"
    "Half=1.5\r\n"
    "Trailing=12px\r\n"
    "Blank=\r\n"
    "Blank=5\r\n"
    "Twice=first\r\n"
    "Twice=second\r\n"
    "Equation = a=b = c \r\n"
    "Comment=3 ; not a comment\r\n"
    "NoEquals\r\n"
    "Case=MixedValue\r\n"
    "[Colours]\r\n"
    "Twice=colours\r\n"
    "[ Spaced ]\r\n"
    "key=spaced\r\n"
    "[PERSONALITY]\r\n"
    "Late=never read\r\n"
    "TopTopHeight=99\r\n"
    "[Empty]\0[AfterNul]\r\nx=1\r\n";

class QuickIniTest : public ::testing::Test {
protected:
    void SetUp() override { ini_.LoadFromText(std::string_view(kDescription, sizeof kDescription - 1)); }
    TQuickIni ini_;
};

TEST_F(QuickIniTest, KeysAndSectionsIgnoreCaseAndBlanks) {
    EXPECT_EQ(ini_.ReadInteger("Personality", "TopTopHeight", 0), 41);
    EXPECT_EQ(ini_.ReadString("PERSONALITY", "case", "-"), "MixedValue");
    EXPECT_EQ(ini_.ReadString("personality", "# kept", "-"), "7");
    EXPECT_EQ(ini_.ReadString("Personality", "Comment", "-"), "3 ; not a comment");
    EXPECT_EQ(ini_.ReadString("Personality", "Equation", "-"), "a=b = c");
}

TEST_F(QuickIniTest, FirstSectionAndFirstKeyWin) {
    EXPECT_EQ(ini_.ReadString("Personality", "Twice", "-"), "first");
    EXPECT_EQ(ini_.ReadString("Personality", "Late", "-"), "-");
    EXPECT_EQ(ini_.ReadString("Colours", "Twice", "-"), "colours");
    // An empty value means the default, and the later non-empty copy is never consulted.
    EXPECT_EQ(ini_.ReadString("Personality", "Blank", "dflt"), "dflt");
    EXPECT_EQ(ini_.ReadInteger("Personality", "Blank", -4), -4);
}

TEST_F(QuickIniTest, WhatIsNeverFound) {
    struct Case { const char* section; const char* key; };
    const Case cases[] = {
        {"Personality", "Hex"},         // commented out
        {"Personality", "Orphan"},      // before the first header
        {"", "Orphan"},
        {"Spaced", "key"},              // the blank inside the brackets is part of the name
        {"Personality", "NoEquals"},
        {"Missing", "x"},
        {"AfterNul", "x"},              // a NUL ends the text
        {"Personality", "key"},         // belongs to a later section
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini_.ReadString(c.section, c.key, "absent"), "absent");
    }
    EXPECT_EQ(ini_.ReadString(" Spaced ", "KEY", "absent"), "spaced");
    EXPECT_EQ(ini_.FindSection("Missing"), -1);
    EXPECT_EQ(ini_.FindSection("personality"), 1);
    EXPECT_EQ(ini_.Lines()[1], "[personality]");
}

TEST_F(QuickIniTest, IntegersTakeDecimalAndBothHexForms) {
    struct Case { const char* key; std::int32_t expected; };
    const Case cases[] = {
        {"Hex1", 31}, {"Hex2", 31}, {"Hex3", 31},
        {"Half", -7}, {"Trailing", -7}, {"Case", -7}, {"Absent", -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini_.ReadInteger("Personality", c.key, -7), c.expected);
    }
}

TEST(QuickIniParse, Int32Text) {
    struct Case { const char* text; bool ok; std::int32_t value; };
    const Case cases[] = {
        {"0", true, 0}, {"-17", true, -17}, {"+5", true, 5}, {"007", true, 7},
        {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0}, {"-2147483649", false, 0},
        {"$7FFFFFFF", true, 0x7FFFFFFF}, {"$FFFFFFFF", true, -1}, {"$100000000", false, 0},
        {"-$10", true, -16}, {"$", false, 0}, {"", false, 0}, {"-", false, 0},
        {"0x10", false, 0}, {" 1", false, 0}, {"1 ", false, 0}, {"1e3", false, 0}, {"$G", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::int32_t value = 12345;
        EXPECT_EQ(skin::ParseInt32(c.text, value), c.ok);
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(QuickIniParse, ShortHexPrefixIsNotConverted) {
    TQuickIni ini;
    ini.LoadFromText("[s]\nA=0x\nB=0x0\nC=-0x5\n");
    EXPECT_EQ(ini.ReadInteger("s", "A", 9), 9);
    EXPECT_EQ(ini.ReadInteger("s", "B", 9), 0);
    EXPECT_EQ(ini.ReadInteger("s", "C", 9), 9);
}

TEST_F(QuickIniTest, SectionsAreListedBareAndRepeated) {
    std::vector<std::string> sections{"stale"};
    ini_.ReadSections(sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"personality", "Colours", "Spaced", "PERSONALITY", "Empty"}));
}

TEST(QuickIniLoad, ReloadingReplacesAndANullStreamKeeps) {
    TQuickIni ini;
    const std::vector<std::uint8_t> first = skintest::Bytes("[a]\nk=1\n");
    ini.LoadFromStream(&first);
    ini.LoadFromStream(nullptr);
    EXPECT_EQ(ini.ReadInteger("a", "k", 0), 1);
    const std::vector<std::uint8_t> second = skintest::Bytes("[b]\r\nk=2");
    ini.LoadFromStream(&second);
    EXPECT_EQ(ini.ReadInteger("a", "k", 0), 0);
    EXPECT_EQ(ini.ReadInteger("b", "k", 0), 2);
    const std::vector<std::uint8_t> empty;
    ini.LoadFromStream(&empty);
    EXPECT_TRUE(ini.Lines().empty());
    EXPECT_EQ(ini.ReadString("b", "k", "d"), "d");
}

}  // namespace

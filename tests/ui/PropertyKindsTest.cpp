// Properties by name keep their kinds: integers, enumerations (booleans included) with their
// identifiers, strings and objects; text is written by the kind the property has.
#include <gtest/gtest.h>

#include <windows.h>

#include "FormFixture.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

class PropertyKindsTest : public uitest::FormFixture {};

TEST_F(PropertyKindsTest, EachPropertyAnswersByItsKind)
{
    auto* check = Make<ui::TCheckBox>();
    auto* bit = Make<ui::TBitBtn>();
    auto* pages = Make<ui::TPageControl>();
    auto* panel = Make<ui::TPanel>();
    check->SetState(ui::TCheckBoxState::cbGrayed);
    bit->SetLayout(ui::TButtonLayout::blGlyphTop);
    panel->SetParentBackground(true);
    auto* item = new ui::TMenuItem(form);
    item->SetChecked(true);
    struct Case {
        ui::TObject* object;
        const wchar_t* name;
        std::int64_t integer;      // GetIntProp
        std::int64_t ordinal;      // GetOrdProp
        const wchar_t* identifier; // GetEnumPropText
        const wchar_t* text;       // GetTextProp
    };
    const Case cases[] = {
        {check, L"Checked", -1, 0, L"False", L""},
        {check, L"State", -1, 2, L"cbGrayed", L""},
        {check, L"Enabled", -1, 1, L"True", L""},
        {check, L"Width", 97, 97, L"", L""},
        {check, L"Alignment", -1, 1, L"taRightJustify", L""},
        {bit, L"Layout", -1, 2, L"blGlyphTop", L""},
        {bit, L"Margin", -1, -1, L"", L""},
        {bit, L"Default", -1, 0, L"False", L""},
        {pages, L"Style", -1, 0, L"tsTabs", L""},
        {panel, L"ParentBackground", -1, 1, L"True", L""},
        {panel, L"BevelOuter", -1, 2, L"bvRaised", L""},
        {form, L"BorderStyle", -1, 2, L"bsSizeable", L""},
        {form, L"Caption", -1, -1, L"", L""},
        {item, L"Checked", -1, 1, L"True", L""},
        {item, L"Enabled", -1, 1, L"True", L""},
        {item, L"Default", -1, 0, L"False", L""},
        {item, L"ShortCut", 0, 0, L"", L""},
        {check, L"NoSuchProperty", -1, -1, L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::GetIntProp(c.object, c.name), c.integer) << c.name;
        EXPECT_EQ(ui::GetOrdProp(c.object, c.name), c.ordinal) << c.name;
        EXPECT_EQ(ui::GetEnumPropText(c.object, c.name), c.identifier) << c.name;
        EXPECT_EQ(ui::GetTextProp(c.object, c.name), c.text) << c.name;
    }
    check->SetCaption(L"开启");
    EXPECT_EQ(ui::GetTextProp(check, L"Caption"), L"开启");
    EXPECT_EQ(ui::GetEnumPropText(check, L"Caption"), L"");
    EXPECT_NE(ui::GetObjectPropOf<ui::TFont>(check, L"Font"), nullptr);
    EXPECT_EQ(ui::GetObjectPropOf<ui::TBitmap>(check, L"Font"), nullptr);
    EXPECT_NE(ui::GetObjectPropOf<ui::TBitmap>(bit, L"Glyph"), nullptr);
    EXPECT_EQ(ui::GetIntProp(nullptr, L"Width"), -1);
    EXPECT_EQ(ui::GetEnumPropText(nullptr, L"Visible"), L"");
}

TEST_F(PropertyKindsTest, SetPropTextConvertsByKindAndLeavesMismatchesAlone)
{
    auto* check = Make<ui::TCheckBox>();
    auto* panel = Make<ui::TPanel>();
    auto* bit = Make<ui::TBitBtn>();
    check->HandleNeeded();

    EXPECT_TRUE(ui::SetPropText(check, L"Checked", L"true"));  // identifiers match in any case
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(ui::SetPropText(check, L"State", L"cbGrayed"));
    EXPECT_EQ(check->State(), ui::TCheckBoxState::cbGrayed);
    EXPECT_TRUE(ui::SetPropText(panel, L"ParentBackground", L"True"));
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_TRUE(ui::SetPropText(panel, L"ParentBackground", L"False"));
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_TRUE(ui::SetPropText(bit, L"Layout", L"blGlyphRight"));
    EXPECT_EQ(bit->Layout(), ui::TButtonLayout::blGlyphRight);
    EXPECT_TRUE(ui::SetPropText(panel, L"Width", L"123"));
    EXPECT_EQ(panel->Width(), 123);
    EXPECT_TRUE(ui::SetPropText(panel, L"Caption", L"面板"));
    EXPECT_EQ(panel->Caption(), L"面板");
    auto* item = new ui::TMenuItem(form);
    EXPECT_TRUE(ui::SetPropText(item, L"Visible", L"false"));
    EXPECT_FALSE(item->Visible());

    struct Miss {
        ui::TObject* object;
        const wchar_t* name;
        const wchar_t* text;
    };
    const Miss misses[] = {
        {check, L"Checked", L"1"},           // an enumeration takes identifiers only
        {check, L"State", L"cbSomething"},
        {panel, L"Width", L"12px"},          // an integer takes a whole number only
        {panel, L"Width", L""},
        {panel, L"Width", L"99999999999999999999"},
        {check, L"Font", L"Arial"},          // objects are not written from text
        {check, L"NoSuchProperty", L"x"},
        {nullptr, L"Width", L"1"},
    };
    for (const Miss& m : misses) EXPECT_FALSE(ui::SetPropText(m.object, m.name, m.text)) << m.name << L" " << m.text;
    EXPECT_EQ(check->State(), ui::TCheckBoxState::cbGrayed);
    EXPECT_EQ(panel->Width(), 123);
}

}  // namespace

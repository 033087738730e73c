// What the skin component stores with a form and decides without a window: the sets of
// skinned control kinds and behaviour switches, the component's scope, the built-in table
// of foreign control classes, the form-skin rule and the SkinStream payload.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "skin/data/SkinPackage.h"
#include "ui/Classes.h"

namespace skin {

// A set of small enumeration members stored as bits, member k being bit k.
template <typename Enum>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<Enum> members)
    {
        for (Enum m : members) Include(m);
    }
    static constexpr TEnumSet FromBits(std::uint32_t bits)
    {
        TEnumSet set;
        set.bits_ = bits;
        return set;
    }
    constexpr bool Contains(Enum m) const { return (bits_ >> static_cast<unsigned>(m)) & 1u; }
    constexpr void Include(Enum m) { bits_ |= 1u << static_cast<unsigned>(m); }
    constexpr void Exclude(Enum m) { bits_ &= ~(1u << static_cast<unsigned>(m)); }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    std::uint32_t bits_ = 0;
};

enum class TSkinControlType : std::uint8_t {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport,
};
using TSkinControlTypes = TEnumSet<TSkinControlType>;
// Every member but xcMenuItem and xcFastReport.
inline constexpr TSkinControlTypes kDefaultSkinControls = TSkinControlTypes::FromBits(0x1FFFFBu);

enum class TSkinOption : std::uint8_t {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
    xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoCaptionButtonHint, xoFormScrollbar,
};
using TSkinOptions = TEnumSet<TSkinOption>;
inline constexpr TSkinOptions kDefaultSkinOptions{TSkinOption::xoPreview, TSkinOption::xoToolbarBK,
                                                  TSkinOption::xoCaptionButtonHint};

enum class TSkinFormType : std::uint8_t { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// Lines "class=kind" that map foreign control classes to a skinned kind, written as the
// classes of each kind: every class becomes one line, in the order given.
struct TSkin3rdGroup {
    const wchar_t* Kind;
    std::initializer_list<const wchar_t*> Classes;
};
void WriteSkin3rd(std::span<const TSkin3rdGroup> groups, ui::TStrings& lines);

// The 118 built-in lines.
void DefaultSkin3rd(ui::TStrings& lines);

// The component's own refusals, applied when no OnFormSkin handler decides: month
// calendars, and report designer windows ("Tfr...") when xcFastReport is set. Otherwise
// doSkin is returned unchanged.
bool DefaultFormSkinDecision(std::wstring_view className, TSkinControlTypes controls, bool doSkin);

// The SkinStream payload: a signed 32-bit little-endian length n, then n package bytes.
// Reading gives false, and consumes only the length, when n <= 0 (no package follows);
// a stream that ends early throws ui::EReadError before `package` is touched.
bool ReadSkinStream(ui::TStream& stream, TBytes& package);
void WriteSkinStream(ui::TStream& stream, const TBytes& package);

}  // namespace skin

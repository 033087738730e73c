// The skin element model: one object per surface a skin describes, plus its colours.
//
//   TDataSkinObject     margins, Image with Frame state images, Trans, Tile, Style, colours
//   TDataSkinBorder     + a second image (frame borders, tabs, combo button, up-down glyphs)
//   TDataSkinButton     + check-box and radio strips and their cell counts
//   TDataSkinTitle      + caption text placement and colours
//   TDataSkinSysButton  + caption-button action, alignment, position and visibility codes
//   TDataSkinBoxLabel   + group-box label background placement
//   TSkinElements       every element of one loaded skin, the colour table and its extras
//   LoadSkinDescription builds a TSkinElements from a parsed description
//
// An absent element (null) means the skin does not cover that surface. Frame counts of 0,
// which a Frame key may give, count as 1 in FrameWidth/FrameHeight.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/QuickIni.h"
#include "skin/data/SkinElementRules.h"
#include "ui/Gdi.h"
#include "ui/Graphics.h"

namespace skin {

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name);
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;
    virtual ~TDataSkinObject() = default;

    // The margins as the drawing primitives take them: (left, top, right, bottom).
    RECT Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    int FrameWidth() const { return FrameExtent(Image.Width(), Frame); }
    int FrameHeight() const { return FrameExtent(Image.Height(), Frame); }

    std::int32_t LeftWidth = 0;
    std::int32_t TopHeight = 0;
    std::int32_t RightWidth = 0;
    std::int32_t BottomHeight = 0;
    ui::TBitmap Image;
    std::int32_t Trans = 0;
    std::int32_t Tile = 0;
    std::string Name;
    std::int32_t Frame = 1;
    std::int32_t Style = 0;
    ui::TColor NormalColour = -1;
    ui::TColor MouseOverColour = -1;
    ui::TColor PressedColour = -1;
    ui::TColor NormalColour2 = -1;
    ui::TColor MouseOverColour2 = -1;
    ui::TColor PressedColour2 = -1;
};

class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    ui::TBitmap Image2;
};

class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    ui::TBitmap CheckImage;
    ui::TBitmap RadioImage;
    std::int32_t RadioButtonFrame = 0;
    std::int32_t CheckButtonFrame = 0;
    bool NormalColour2Given = false;
    bool MouseOverColour2Given = false;
    bool PressedColour2Given = false;
};

// Marks a caption text colour the skin does not give.
inline constexpr ui::TColor kNoTitleColor = 0x1FFFFFFF;

class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t TextAlignment = 0;
    std::int32_t Textbackground = 0;
    std::int32_t FontHeight = 14;
    std::int32_t TXTBackleft = 0;
    std::int32_t TXTBackRight = 0;
    ui::TColor ActiveText = kNoTitleColor;
    ui::TColor InActiveText = kNoTitleColor;
};

class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t Xcoord = 0;
    std::int32_t Ycoord = 0;
    std::int32_t CombineOp = -1;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};

// Loads the bitmap an image key names into target, or empties target.
using TSkinBitmapLoader = std::function<void(ui::TBitmap& target, std::string_view value)>;

struct TSkinElements {
    TSkinElements();
    TSkinElements(const TSkinElements&) = delete;
    TSkinElements& operator=(const TSkinElements&) = delete;

    std::string SkinName;

    // Always present.
    std::unique_ptr<TDataSkinBorder> Left, Right, Top, Bottom;
    std::unique_ptr<TDataSkinTitle> Caption;
    std::unique_ptr<TDataSkinButton> Buttons;
    // Caption-button sections in text order, then the three maximised-child buttons.
    std::vector<std::unique_ptr<TDataSkinSysButton>> CaptionButtons;

    // Present when the skin has the section.
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> ThumbHorz, ThumbVert, ThumbLeft, ThumbRight, ThumbUp, ThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;
    // From the skin, else from the program's TRACK and TRACKVERT bitmaps.
    std::unique_ptr<TDataSkinObject> Track;
    std::unique_ptr<TDataSkinObject> TrackVert;

    // Derived; made on the first load and kept (their pictures are redone on every load).
    std::unique_ptr<TDataSkinObject> ComboxArrow;
    std::unique_ptr<TDataSkinObject> Toolbar;

    TSkinColorTable Colors;
    // A solid brush of ButtonFace, made again on every load.
    ui::BrushHandle FaceBrush;

    ui::TColor Color(int slot) const { return Colors.Colors[static_cast<std::size_t>(slot)]; }
    // Every element there is, with the section it stands for, in loading order.
    void ForEachElement(const std::function<void(const TDataSkinObject& element)>& visit) const;
};

// The frame colour: a pixel a third into the Top border's first frame; ButtonFace when
// there is no Top image.
ui::TColor FrameColor(const TSkinElements& elements);

// Builds every element from the description, as a skin load does (the caller has cleared
// nothing: elements of the same slot are replaced, derived ones reused).
void LoadSkinDescription(const TQuickIni& ini, const TSkinBitmapLoader& loadBitmap, TSkinElements& elements);

// Sets every element's frame count from the rules of its section.
void ApplyFrameCounts(const TQuickIni& ini, TSkinElements& elements);

}  // namespace skin

// The arithmetic of the skin element model that needs no bitmap and no window: colour
// triples, image key values, frame counts, which sections are caption buttons, the cut of
// the maximised-child buttons, and the built-in track channel pixels. SkinElements builds
// the elements on top of these; they are kept apart so they are tested and fuzzed natively.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/QuickIni.h"
#include "ui/Colors.h"

namespace skin {

// "94 174 255" -> (94, 174, 255): runs of digits separated by anything else. A run at the
// very end counts only as the third number; missing numbers are 0; only the low 8 bits of
// each are kept. An empty (or blank) text gives `fallback`.
ui::TColor ParseColorTriple(std::string_view text, ui::TColor fallback);

// A colour key of a section: its triple, or `fallback` when absent or empty; `given`
// tells which.
ui::TColor ReadColorKey(const TQuickIni& ini, std::string_view section, std::string_view key, ui::TColor fallback,
                        bool* given = nullptr);

// The package file named by an image key: the part after the last backslash or colon,
// which must end in ".bmp" (lower case). Empty when the value names no bitmap.
std::string SkinBitmapName(std::string_view value);

// Frame counts of 0 (a Frame key may say so) count as one frame wherever one is divided by.
constexpr int SafeFrameCount(int frames) { return frames > 0 ? frames : 1; }
constexpr int FrameExtent(int extent, int frames) { return extent / SafeFrameCount(frames); }

// The cells of a check-box or radio strip when no key gives them: one cell per 13 pixels
// of a strip under 16 pixels high, else per 16 pixels, and never fewer than 4.
int CheckRadioFrameCount(int keyFrames, int imageWidth, int imageHeight);

// A caption button's frames when its frame key is 0: 6, or from the image's proportions
// (3 up to a width/height ratio of 3.8, else 6), and 6 for any negative action.
int CaptionButtonFrameCount(int keyFrames, int action, int imageWidth, int imageHeight);

// Sections named BUTTON... that describe caption buttons (BUTTONS, BUTTON, BUTTON.RADIO and
// BUTTON.CHECKBOX describe controls). `upperName` is the upper-cased section name.
bool IsCaptionButtonSection(std::string_view upperName);
// A caption-button section is dropped when its Action is -1 and its Visibility (read with
// default -1) is not 0.
constexpr bool KeepsCaptionButton(int action, int visibility)
{
    return !(action == -1 && visibility != 0);
}

// Where a help button (Action 4) sits: at the position of the most recent preceding button
// with Action 1 and Visibility 2; it keeps its own when there is none.
struct TCaptionButtonPlace {
    int Action = 0;
    int Visibility = 0;
    int Xcoord = 0;
    int Ycoord = 0;
};

// The MDICONTROLS image is cut into 12 columns; child button k (0 minimise, 1 restore,
// 2 close) takes four of them as its four frames.
struct TMdiButtonCut {
    int SourceX = 0;
    int Width = 0;
    int Xcoord = 0;
};
TMdiButtonCut MdiButtonCut(int imageWidth, int k);

// Bottom colour of the default tool bar background, given the frame colour's saturation:
// the weight of the frame colour against white when saturated (above 110), else -1 (the
// caller blends grey 0x808080 with weight 150 instead).
int ToolbarSaturatedWeight(int saturation);

// Slots of the colour table.
enum TSkinColorSlot : int {
    csWindowText = 0,
    csTitleTextActive = 1,
    csTitleTextNoActive = 2,
    csButtonFace = 3,
    csButtonText = 4,
    csButtonHilight = 5,
    csButtonlight = 6,
    csButtonShadow = 7,
    csButtonDkShadow = 8,
    csHilightText = 11,
    csHilight = 12,
    csMenubar = 13,
    csMenuBarText = 14,
    csMenuText = 15,
    csMenu = 16,
    csFrameColor = 17,
    csScrollbar = 18,
};
inline constexpr int kSkinColorSlots = 19;

struct TSkinColorTable {
    std::array<ui::TColor, kSkinColorSlots> Colors{};
    // Whether the skin gave the slot (a non-empty key in [Colours]).
    std::array<bool, kSkinColorSlots> Given{};
    // One per section COLOUR... other than COLOURS, in text order.
    std::vector<ui::TColor> Extra;
    std::array<ui::TColor, 10> Custom{};
};

// Reads [Colours], the COLOUR... sections and [Customcolors]; slot 17 is left to the end of
// loading, slots 9 and 10 stay 0.
void ReadColorTable(const TQuickIni& ini, const std::vector<std::string>& sections, TSkinColorTable& table);

// A caption-button section's keys, read before its image is loaded.
struct TCaptionButtonKeys {
    std::string Name;  // the section name upper-cased
    TCaptionButtonPlace Place;
    int Align = 0;
    int Visibility1 = 0;
    int CombineOp = -1;
    int FrameKey = 0;
    std::string ImageValue;
};

// The caption buttons of a description in text order: sections BUTTON... that describe
// caption buttons and are not dropped, help buttons placed.
void PlaceHelpButtons(std::vector<TCaptionButtonKeys>& buttons);
std::vector<TCaptionButtonKeys> ReadCaptionButtons(const TQuickIni& ini, const std::vector<std::string>& sections);

// The built-in track channel bitmaps: 'L' light grey, 'D' dark grey, 'W' white, one
// string per row from the top.
inline constexpr std::array<std::string_view, 4> TrackPixels{
    "LLDDDDDDDDDDDDWW",
    "LLWWWWWWWWWWWWWW",
    "DLWWWWWWWWWWWWWW",
    "LLWWWWWWWWWWWWWW",
};
inline constexpr std::array<std::string_view, 16> TrackVertPixels{
    "LLDL", "LLLL", "DWWW", "DWWW", "DWWW", "DWWW", "DWWW", "DWWW",
    "DWWW", "DWWW", "DWWW", "DWWW", "DWWW", "DWWW", "WWWW", "WWWW",
};
ui::TColor TrackPixelColor(char code);

}  // namespace skin

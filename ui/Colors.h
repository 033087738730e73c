// TColor and its named values without the window system, so that colour maths (blending,
// ramps, skin colour tables) is tested natively. Resolving a system colour needs the
// system: ColorToRGB lives in ui/Graphics.h.
#pragma once

#include <cstdint>

namespace ui {

// 0x00BBGGRR; a negative value is a system colour, 0xFF000000 | its index.
using TColor = std::int32_t;

constexpr TColor RGBColor(int red, int green, int blue)
{
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int ColorRed(TColor c) { return c & 0xFF; }
constexpr int ColorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int ColorBlue(TColor c) { return (c >> 16) & 0xFF; }
constexpr bool IsSystemColor(TColor c) { return c < 0; }
constexpr int SystemColorIndex(TColor c) { return c & 0xFF; }

inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int index) { return clSystemColor | index; }

// System colours by their index (COLOR_* of the platform).
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(29);
inline constexpr TColor clMenuBar = SystemColor(30);

// Fixed colours.
inline constexpr TColor clBlack = RGBColor(0, 0, 0);
inline constexpr TColor clMaroon = RGBColor(128, 0, 0);
inline constexpr TColor clGreen = RGBColor(0, 128, 0);
inline constexpr TColor clOlive = RGBColor(128, 128, 0);
inline constexpr TColor clNavy = RGBColor(0, 0, 128);
inline constexpr TColor clPurple = RGBColor(128, 0, 128);
inline constexpr TColor clTeal = RGBColor(0, 128, 128);
inline constexpr TColor clGray = RGBColor(128, 128, 128);
inline constexpr TColor clSilver = RGBColor(192, 192, 192);
inline constexpr TColor clRed = RGBColor(255, 0, 0);
inline constexpr TColor clLime = RGBColor(0, 255, 0);
inline constexpr TColor clYellow = RGBColor(255, 255, 0);
inline constexpr TColor clBlue = RGBColor(0, 0, 255);
inline constexpr TColor clFuchsia = RGBColor(255, 0, 255);
inline constexpr TColor clAqua = RGBColor(0, 255, 255);
inline constexpr TColor clWhite = RGBColor(255, 255, 255);
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;

// Markers rather than colours: "paint nothing" and "use the owner's choice".
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

}  // namespace ui

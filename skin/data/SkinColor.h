// Colour arithmetic of the skin painters, free of the window system: mixing, the
// saturation measure and the cached colour ramps. Colours are ui::TColor (0x00BBGGRR);
// these functions take resolved RGB values (SkinImage.h resolves system colours first).
#pragma once

#include <vector>

#include "ui/Colors.h"

namespace skin {

using ui::TColor;

// Weights 0..99 are per cent, 100..1000 per mille; colour1 gets the weight, colour2 the
// rest, each channel rounded to nearest.
TColor BlendRGB(TColor colour1, TColor colour2, int weight);

// 200 when every channel is below 160, else 255 * (max - min) / max rounded half to even.
int ColorSaturation(TColor colour);

inline constexpr int GradientSlots = 16;

// The slot of a cached ramp of count colours from `from` to `to` (resolved RGB), made in
// the next slot round-robin when none matches.
int GetGradient(int count, TColor from, TColor to);
const std::vector<TColor>& GradientRamp(int slot);
// Empties every slot and restarts the round-robin, as at program start.
void ResetGradientCache();

// Which lines of an n-line ramp lie in the clip: lines run from the rectangle's start edge
// `start`; the clip covers [clipStart, clipEnd). Empty when First > Last.
struct TLineRange {
    int First = 0;
    int Last = -1;
};
TLineRange GradientLines(int n, int start, int clipStart, int clipEnd);

}  // namespace skin

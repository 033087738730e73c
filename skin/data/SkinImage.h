// The bitmap operations and drawing primitives every skin painter shares, so a skin looks
// the same wherever it is drawn (Windows only; the arithmetic behind them is in
// SkinColor.h, SkinLayout.h and SkinPixels.h and is tested natively):
//   colours     BlendColors, ColorSaturation (SkinColor.h), ReplaceMagenta
//   geometry    MirrorHorizontal, FlipVertical, RotateLeft, RotateRight (in place)
//   ramps       GetGradient (SkinColor.h), FillGradient
//   drawing     DrawSkinElement, BuildNineGrid, TileFill, DrawThreePartTiled,
//               DrawThreePartStretched, DrawFrameStretched, DrawFrameCentered,
//               DrawTransparent, RegionFromColorRange
// Margins are a RECT of (LeftWidth, TopHeight, RightWidth, BottomHeight). Frame indexes
// are 1-based; frames lie side by side unless `vertical`. An empty image draws nothing.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/data/SkinColor.h"
#include "skin/data/SkinPixels.h"
#include "ui/Gdi.h"
#include "ui/Graphics.h"

namespace skin {

// BlendRGB after resolving system colour references.
TColor BlendColors(TColor colour1, TColor colour2, int weight);
// Converts the bitmap to 24 bits per pixel and paints its pure magenta pixels in colour.
void ReplaceMagenta(ui::TBitmap& bitmap, TColor colour);

void MirrorHorizontal(ui::TBitmap& bitmap);
// Mirrors each of the strip's frames in its place (see MirroredFrames).
void MirrorFrames(ui::TBitmap& bitmap, int frameCount);
void FlipVertical(ui::TBitmap& bitmap);
void RotateLeft(ui::TBitmap& bitmap);
void RotateRight(ui::TBitmap& bitmap);

// Lines one pixel thick from `from` (top or left edge) to `to`, only those in the DC's
// clip box, each in the colour it has in the whole ramp. System colours are allowed.
void FillGradient(HDC dc, const RECT& rect, TColor from, TColor to, bool vertical);

// The nine-grid of one frame, composed off-screen and put at rect's corner in one copy;
// transparent leaves the pixels of the transparent colour 0xFF00FF unpainted.
void DrawSkinElement(HDC dc, const RECT& rect, const ui::TBitmap& image, const RECT& margins, bool vertical,
                     bool tile, bool transparent, int frameCount, int frameIndex);
// A new 24-bit bitmap of size holding the nine-grid; null for an empty size or image.
std::unique_ptr<ui::TBitmap> BuildNineGrid(SIZE size, const ui::TBitmap& image, const RECT& margins,
                                           bool vertical, bool tile, int frameCount, int frameIndex);
// Repeats image's source piece unscaled from target's corner; the last column and row
// may reach beyond target.
void TileFill(ui::TCanvas& canvas, const RECT& target, const ui::TBitmap& image, const RECT& source);
// Caption and menu-bar strips: caps of the left and right margins, the middle repeated.
void DrawThreePartTiled(ui::TCanvas& canvas, const RECT& rect, const ui::TBitmap& image, bool vertical,
                        bool transparent, int frameCount, int frameIndex, const RECT& margins);
void DrawThreePartStretched(HDC dc, const RECT& rect, const ui::TBitmap& image, const RECT& margins,
                            int frameIndex, int frameCount, bool vertical);
void DrawFrameStretched(HDC dc, const RECT& rect, const ui::TBitmap& image, bool transparent, int frameCount,
                        int frameIndex);
void DrawFrameCentered(HDC dc, const RECT& rect, const ui::TBitmap& image, bool transparent, int frameCount,
                       int frameIndex);
// Copies the bitmap's top-left part of rect's size (no more than the bitmap holds) to
// rect, leaving the destination where the bitmap has exactly the key colour.
void DrawTransparent(HDC dc, const RECT& rect, const ui::TBitmap& bitmap, TColor key);
// The region of the bitmap's pixels outside the colour range (see ColorRangeRuns), moved
// by (dx, dy). The caller owns it.
ui::RegionHandle RegionFromColorRange(const ui::TBitmap& bitmap, int dx, int dy, int blueTolerance,
                                      int greenTolerance, int redTolerance, TColor base);

// The bitmap's pixels as a plain image (24 or 32 bits), and back into the same bitmap.
ui::BmpImage ImageOf(const ui::TBitmap& bitmap);
void AssignImage(ui::TBitmap& bitmap, const ui::BmpImage& image);

}  // namespace skin

// Pixel operations on skin bitmaps held as ui::BmpImage (rows top first, 24 or 32 bits,
// blue first), free of the window system: the geometric copies, the magenta recolouring
// and the runs a window region is built from. SkinImage.h applies them to TBitmap.
#pragma once

#include <vector>

#include "skin/data/SkinColor.h"
#include "skin/data/SkinLayout.h"
#include "ui/BmpCodec.h"

namespace skin {

inline constexpr TColor TransparentMagenta = 0xFF00FF;

// Pixel (x, y) = source (width - 1 - x, y).
ui::BmpImage Mirrored(const ui::BmpImage& source);
// Each of `frames` state images side by side mirrored in its own place, so the frames keep
// their order; columns past the last whole frame stay where they are.
ui::BmpImage MirroredFrames(const ui::BmpImage& source, int frames);
// Row y = source row (height - 1 - y).
ui::BmpImage Flipped(const ui::BmpImage& source);
// A quarter turn counter-clockwise: the source's top-right corner becomes the top-left.
// Only blue, green and red are copied; the pixel format stays.
ui::BmpImage RotatedLeft(const ui::BmpImage& source);
// A quarter turn clockwise: the source's bottom-left corner becomes the top-left.
ui::BmpImage RotatedRight(const ui::BmpImage& source);

// The image as 24 bits per pixel with every pure magenta pixel in colour (an explicit RGB).
ui::BmpImage MagentaReplaced(const ui::BmpImage& source, TColor colour);

// Row runs of pixels outside the colour range base..base + tolerance (each channel on its
// own, capped at 255), as rectangles moved by (dx, dy): what stays of a window whose
// pixels in the range are cut away.
std::vector<TRectI> ColorRangeRuns(const ui::BmpImage& image, int dx, int dy, int blueTolerance,
                                   int greenTolerance, int redTolerance, TColor base);

}  // namespace skin

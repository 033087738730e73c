// Where the skin drawing primitives copy from and to, free of the window system: frame
// selection in a multi-frame element image, the nine-grid pieces, the three-part strips,
// tile positions and centring. SkinImage.h performs the copies these describe.
#pragma once

#include <vector>

namespace skin {

// A rectangle as the platform's RECT: right and bottom are exclusive.
struct TRectI {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Inverted() const { return Right < Left || Bottom < Top; }
    bool operator==(const TRectI&) const = default;
};

// Fixed borders of a frame: LeftWidth, TopHeight, RightWidth, BottomHeight.
struct TMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Frame index (1-based) of count frames side by side, or stacked when vertical. A count
// below 1 counts as 1 and the index is kept within 1..count, so no copy reaches outside
// the image.
TRectI SelectFrame(int imageWidth, int imageHeight, int count, int index, bool vertical);

// One copy: Source in image coordinates, Target in the destination's. Tiled pieces are
// repeated unscaled over Target (see TilePositions), the others stretched.
struct TPiece {
    TRectI Source;
    TRectI Target;
    bool Tiled = false;
    bool operator==(const TPiece&) const = default;
};

// The pieces of a width x height nine-grid of frame, in drawing order: the corners, left
// and top edges, the centre, then the right and bottom pieces, which cover a tiled
// centre's overhang. Margins that do not fit the target are dropped in pairs; negative
// margins count as 0; a piece with nothing to copy is left out.
std::vector<TPiece> NineGridPieces(int width, int height, const TRectI& frame, TMargins margins, bool tile);

// A horizontal strip of width x height: left cap, the middle repeated unscaled in width,
// right cap, each scaled to the height. A frame with no middle (fw <= left + right) gets
// the whole frame stretched between the caps.
std::vector<TPiece> ThreePartTiledPieces(int width, int height, const TRectI& frame, int left, int right);

// A strip into rect: caps at their own widths, the middle stretched; the whole frame
// stretched when it is wider than rect. All pieces take the rect's height.
std::vector<TPiece> ThreePartStretchedPieces(const TRectI& rect, const TRectI& frame, int left, int right);

struct TPointI {
    int X = 0;
    int Y = 0;
    bool operator==(const TPointI&) const = default;
};

// Top-left corners of unscaled pieces covering target from its top-left corner; the last
// column and row may reach beyond it. None for an empty piece.
std::vector<TPointI> TilePositions(const TRectI& target, int pieceWidth, int pieceHeight);

// Where a width x height picture goes when centred in rect (divisions toward zero).
TPointI CenteredOrigin(const TRectI& rect, int width, int height);

}  // namespace skin

// Where a balloon hint goes and how its tail is shaped: the corner rules as plain
// arithmetic, shared by the hint window and its tests.
#pragma once

#include <cstdint>

namespace hints {

// Where the balloon lies relative to the mouse: hcUpperRight is above and to the right, so
// its tail leaves the lower-left part of the box.
enum class THintCorner : std::uint8_t { hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight, hcNone };

struct BPoint {
    int x = 0;
    int y = 0;
    bool operator==(const BPoint&) const = default;
};

struct BRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const BRect&) const = default;
};

inline constexpr int kBalloonMinWidth = 55;
// Height given to the tail when the window is sized, and cut off for it when painted.
inline constexpr int kTailRoom = 28;
inline constexpr int kTailCut = 20;
inline constexpr int kShadowDepth = 2;

inline bool IsUpper(THintCorner c) { return c == THintCorner::hcUpperLeft || c == THintCorner::hcUpperRight; }
inline bool IsLower(THintCorner c) { return c == THintCorner::hcLowerLeft || c == THintCorner::hcLowerRight; }
// The balloon lies left of the mouse, so the tail leaves its right part.
inline bool IsLeft(THintCorner c) { return c == THintCorner::hcLowerLeft || c == THintCorner::hcUpperLeft; }

// The window's bounds for a hint rectangle: room for the tail and the shadow, then a
// 2-pixel margin all round.
BRect GrowForBalloon(BRect r, THintCorner corner, bool shadow);

struct BalloonPlacement {
    int x = 0;
    int y = 0;
    THintCorner corner = THintCorner::hcNone;
};

// Places a width x height balloon for the rectangle whose top-left corner is the anchor;
// when it would leave the screen, the corner flips so that the tail still points at the
// anchor. The preferred corner itself is never changed: the result carries this showing's.
BalloonPlacement PlaceBalloon(const BRect& anchored, int width, int height, THintCorner preferred, int screenWidth,
    int screenHeight);

// The body of a balloon within its client area.
BRect BalloonBody(const BRect& client, THintCorner corner, bool shadow);

struct TailShape {
    BPoint base1;
    BPoint tip;
    BPoint base2;
    // Filled with the balloon colour after the tail: hides the body's outline where the
    // tail joins it.
    BRect joint;
};

// The tail for a corner (none for hcNone).
TailShape BalloonTail(const BRect& client, const BRect& body, THintCorner corner);

// Whether the mouse is still within the 4 x 4 square centred on the anchor.
inline bool WithinAnchorSquare(BPoint anchor, BPoint mouse)
{
    const int dx = mouse.x - anchor.x;
    const int dy = mouse.y - anchor.y;
    return dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
}

}  // namespace hints

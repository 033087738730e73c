#include "hints/BalloonGeometry.h"

#include <algorithm>

namespace hints {

BRect GrowForBalloon(BRect r, THintCorner corner, bool shadow)
{
    const int extra = shadow ? kShadowDepth : 0;
    switch (corner) {
    case THintCorner::hcLowerRight:
    case THintCorner::hcLowerLeft:
        r.top -= kTailRoom;
        r.right += extra;
        r.bottom += extra;
        break;
    case THintCorner::hcUpperLeft:
    case THintCorner::hcUpperRight:
        r.bottom += kTailRoom;
        r.right += extra;
        break;
    case THintCorner::hcNone:
        r.right += extra;
        r.bottom += extra;
        break;
    }
    return {r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
}

BalloonPlacement PlaceBalloon(const BRect& r, int w, int h, THintCorner preferred, int screenWidth, int screenHeight)
{
    BalloonPlacement p{0, 0, preferred};
    const int rightOf = r.left + 1;
    const int leftOf = r.left - w - 1;
    switch (preferred) {
    case THintCorner::hcLowerLeft: p.x = leftOf, p.y = r.top; break;
    case THintCorner::hcUpperLeft: p.x = leftOf, p.y = r.top - h; break;
    case THintCorner::hcUpperRight: p.x = rightOf, p.y = r.top - h; break;
    case THintCorner::hcLowerRight:
    case THintCorner::hcNone: p.x = rightOf, p.y = r.top; break;
    }
    auto& c = p.corner;
    if (p.y < 0) {
        if (c == THintCorner::hcUpperRight) c = THintCorner::hcLowerRight;
        if (c == THintCorner::hcUpperLeft) c = THintCorner::hcLowerLeft;
        p.y = r.top;
    }
    if (p.y + h > screenHeight) {
        if (c == THintCorner::hcLowerRight) c = THintCorner::hcUpperRight;
        if (c == THintCorner::hcLowerLeft) c = THintCorner::hcUpperLeft;
        p.y = r.top - h;
    }
    if (p.x + w > screenWidth) {
        if (c == THintCorner::hcLowerRight) c = THintCorner::hcLowerLeft;
        if (c == THintCorner::hcUpperRight) c = THintCorner::hcUpperLeft;
        p.x = leftOf;
    }
    if (p.x < 0) {
        if (c == THintCorner::hcLowerLeft) c = THintCorner::hcLowerRight;
        if (c == THintCorner::hcUpperLeft) c = THintCorner::hcUpperRight;
        p.x = rightOf;
    }
    return p;
}

BRect BalloonBody(const BRect& client, THintCorner corner, bool shadow)
{
    BRect b = client;
    const int extra = shadow ? kShadowDepth : 0;
    if (IsLower(corner)) {
        b.top += kTailCut;
        b.right -= extra;
        b.bottom -= extra;
    } else if (IsUpper(corner)) {
        b.bottom -= kTailCut;
        b.right -= extra;
    } else {
        b.right -= extra;
        b.bottom -= extra;
    }
    return b;
}

TailShape BalloonTail(const BRect& client, const BRect& b, THintCorner corner)
{
    // The tail leaves the body 10 pixels in from the side facing the anchor and is 20 wide;
    // its base lies one row inside the body's outline, its tip one row inside the client
    // edge. The joint covers the two rows at the base across the tail's width, so the
    // body's outline does not cut the tail off, for every corner alike.
    const bool left = IsLeft(corner);
    const int edge = left ? b.right - 10 : b.left + 10;
    const int far = left ? b.right - 30 : b.left + 30;
    const int jointLeft = left ? far : edge;
    const int jointRight = (left ? edge : far) + 1;
    if (IsLower(corner)) {
        const int base = b.top + 1;
        return {{edge, base}, {edge, client.top + 1}, {far, base}, {jointLeft, base, jointRight, base + 2}};
    }
    const int base = b.bottom - 2;
    return {{edge, base}, {edge, client.bottom - 2}, {far, base}, {jointLeft, base - 1, jointRight, base + 1}};
}

}  // namespace hints

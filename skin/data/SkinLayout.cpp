#include "skin/data/SkinLayout.h"

#include <algorithm>

namespace skin {

namespace {

bool HasArea(const TRectI& rect) { return rect.Width() > 0 && rect.Height() > 0; }

void Add(std::vector<TPiece>& pieces, const TRectI& source, const TRectI& target, bool tiled = false) {
    if (HasArea(source) && HasArea(target)) pieces.push_back({source, target, tiled});
}

}  // namespace

TRectI SelectFrame(int imageWidth, int imageHeight, int count, int index, bool vertical) {
    count = std::max(count, 1);
    index = std::clamp(index, 1, count);
    if (vertical) {
        const int height = imageHeight / count;
        return {0, (index - 1) * height, imageWidth, index * height};
    }
    const int width = imageWidth / count;
    return {(index - 1) * width, 0, index * width, imageHeight};
}

std::vector<TPiece> NineGridPieces(int width, int height, const TRectI& frame, TMargins m, bool tile) {
    m.Left = std::max(m.Left, 0);
    m.Top = std::max(m.Top, 0);
    m.Right = std::max(m.Right, 0);
    m.Bottom = std::max(m.Bottom, 0);
    if (width < m.Left + m.Right) m.Left = m.Right = 0;
    if (height < m.Top + m.Bottom) m.Top = m.Bottom = 0;
    const int sx = frame.Left, sy = frame.Top, fw = frame.Width(), fh = frame.Height();
    const int l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
    const int w = width, h = height;
    std::vector<TPiece> pieces;
    Add(pieces, {sx, sy, sx + l, sy + t}, {0, 0, l, t});
    Add(pieces, {sx, sy + fh - b, sx + l, sy + fh}, {0, h - b, l, h});
    Add(pieces, {sx + fw - r, sy, sx + fw, sy + t}, {w - r, 0, w, t});
    Add(pieces, {sx, sy + t, sx + l, sy + fh - b}, {0, t, l, h - b});
    Add(pieces, {sx + l, sy, sx + fw - r, sy + t}, {l, 0, w - r, t});
    Add(pieces, {sx + l, sy + t, sx + fw - r, sy + fh - b}, {l, t, w - r, h - b}, tile);
    Add(pieces, {sx + fw - r, sy + fh - b, sx + fw, sy + fh}, {w - r, h - b, w, h});
    Add(pieces, {sx + fw - r, sy + t, sx + fw, sy + fh - b}, {w - r, t, w, h - b});
    Add(pieces, {sx + l, sy + fh - b, sx + fw - r, sy + fh}, {l, h - b, w - r, h});
    return pieces;
}

std::vector<TPiece> ThreePartTiledPieces(int width, int height, const TRectI& frame, int left, int right) {
    const int sx = frame.Left, sy = frame.Top, fw = frame.Width(), fh = frame.Height();
    std::vector<TPiece> pieces;
    Add(pieces, {sx, sy, sx + left, sy + fh}, {0, 0, left, height});
    const int middle = fw - left - right;
    if (middle > 0) {
        for (int x = left; x < width - right; x += middle)
            Add(pieces, {sx + left, sy, sx + left + middle, sy + fh}, {x, 0, x + middle, height});
    } else {
        Add(pieces, frame, {left, 0, width - right, height});
    }
    Add(pieces, {sx + fw - right, sy, sx + fw, sy + fh}, {width - right, 0, width, height});
    return pieces;
}

std::vector<TPiece> ThreePartStretchedPieces(const TRectI& rect, const TRectI& frame, int left, int right) {
    std::vector<TPiece> pieces;
    const int sx = frame.Left, sy = frame.Top, fw = frame.Width(), fh = frame.Height();
    if (fw > rect.Width()) {
        Add(pieces, frame, rect);
        return pieces;
    }
    Add(pieces, {sx, sy, sx + left, sy + fh}, {rect.Left, rect.Top, rect.Left + left, rect.Bottom});
    Add(pieces, {sx + left, sy, sx + fw - right, sy + fh},
        {rect.Left + left, rect.Top, rect.Right - right, rect.Bottom});
    Add(pieces, {sx + fw - right, sy, sx + fw, sy + fh}, {rect.Right - right, rect.Top, rect.Right, rect.Bottom});
    return pieces;
}

std::vector<TPointI> TilePositions(const TRectI& target, int pieceWidth, int pieceHeight) {
    std::vector<TPointI> positions;
    if (pieceWidth <= 0 || pieceHeight <= 0) return positions;
    for (int y = target.Top; y < target.Bottom; y += pieceHeight)
        for (int x = target.Left; x < target.Right; x += pieceWidth) positions.push_back({x, y});
    return positions;
}

TPointI CenteredOrigin(const TRectI& rect, int width, int height) {
    return {rect.Left + (rect.Width() - width) / 2, rect.Top + (rect.Height() - height) / 2};
}

}  // namespace skin

#include <gtest/gtest.h>

#include <set>

#include "skin/data/SkinLayout.h"

namespace {

using skin::TPiece;
using skin::TRectI;

TEST(SelectFrame, SideBySideAndStacked) {
    // Frame 3 of 5 in a 100-pixel-wide image: columns 40..59.
    EXPECT_EQ(skin::SelectFrame(100, 21, 5, 3, false), (TRectI{40, 0, 60, 21}));
    EXPECT_EQ(skin::SelectFrame(100, 21, 5, 1, false), (TRectI{0, 0, 20, 21}));
    EXPECT_EQ(skin::SelectFrame(30, 90, 3, 2, true), (TRectI{0, 30, 30, 60}));
    // A width that does not divide drops the remainder columns.
    EXPECT_EQ(skin::SelectFrame(103, 10, 5, 5, false), (TRectI{80, 0, 100, 10}));
    // Counts and indexes out of range stay inside the image.
    EXPECT_EQ(skin::SelectFrame(100, 10, 0, 1, false), (TRectI{0, 0, 100, 10}));
    EXPECT_EQ(skin::SelectFrame(100, 10, 4, 9, false), (TRectI{75, 0, 100, 10}));
    EXPECT_EQ(skin::SelectFrame(100, 10, 4, 0, false), (TRectI{0, 0, 25, 10}));
}

TEST(NineGrid, PiecesInOrderWithTheirRectangles) {
    const TRectI frame{40, 0, 60, 30};  // frame 3 of 5 of a 100 x 30 image
    const auto pieces = skin::NineGridPieces(200, 100, frame, {3, 4, 5, 6}, false);
    const std::vector<TPiece> expected{
        {{40, 0, 43, 4}, {0, 0, 3, 4}},          // top-left
        {{40, 24, 43, 30}, {0, 94, 3, 100}},     // bottom-left
        {{55, 0, 60, 4}, {195, 0, 200, 4}},      // top-right
        {{40, 4, 43, 24}, {0, 4, 3, 94}},        // left
        {{43, 0, 55, 4}, {3, 0, 195, 4}},        // top
        {{43, 4, 55, 24}, {3, 4, 195, 94}},      // centre
        {{55, 24, 60, 30}, {195, 94, 200, 100}}, // bottom-right
        {{55, 4, 60, 24}, {195, 4, 200, 94}},    // right
        {{43, 24, 55, 30}, {3, 94, 195, 100}},   // bottom
    };
    EXPECT_EQ(pieces, expected);
}

TEST(NineGrid, MarginsThatDoNotFitAreDroppedInPairs) {
    const TRectI frame{0, 0, 20, 20};
    // Narrower than left + right: the whole frame width is stretched, top and bottom stay.
    const auto narrow = skin::NineGridPieces(7, 50, frame, {4, 5, 4, 5}, false);
    ASSERT_EQ(narrow.size(), 3u);
    EXPECT_EQ(narrow[0], (TPiece{{0, 0, 20, 5}, {0, 0, 7, 5}}));
    EXPECT_EQ(narrow[1], (TPiece{{0, 5, 20, 15}, {0, 5, 7, 45}}));
    EXPECT_EQ(narrow[2], (TPiece{{0, 15, 20, 20}, {0, 45, 7, 50}}));
    // Lower than top + bottom: the same vertically.
    const auto low = skin::NineGridPieces(50, 9, frame, {4, 5, 4, 5}, false);
    ASSERT_EQ(low.size(), 3u);
    EXPECT_EQ(low[1], (TPiece{{4, 0, 16, 20}, {4, 0, 46, 9}}));
    // Exactly left + right still keeps the margins (the centre is empty and left out).
    EXPECT_EQ(skin::NineGridPieces(8, 10, frame, {4, 0, 4, 0}, false).size(), 2u);
    // Negative margins count as none.
    EXPECT_EQ(skin::NineGridPieces(8, 10, frame, {-3, -1, 0, 0}, false),
              (std::vector<TPiece>{{frame, {0, 0, 8, 10}}}));
}

TEST(NineGrid, TiledCentreOverhangIsCoveredByTheRightAndBottomPieces) {
    const TRectI frame{0, 0, 10, 10};  // centre 6 x 6 between margins of 2
    const int width = 23, height = 17;
    const auto pieces = skin::NineGridPieces(width, height, frame, {2, 2, 2, 2}, true);
    std::vector<int> owner(static_cast<std::size_t>(width * height), -1);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const TPiece& piece = pieces[k];
        std::vector<TRectI> drawn;
        if (piece.Tiled) {
            EXPECT_EQ(piece.Target, (TRectI{2, 2, 21, 15}));
            for (const auto& at : skin::TilePositions(piece.Target, piece.Source.Width(), piece.Source.Height()))
                drawn.push_back({at.X, at.Y, at.X + piece.Source.Width(), at.Y + piece.Source.Height()});
        } else {
            drawn.push_back(piece.Target);
        }
        for (const TRectI& r : drawn)
            for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, height); ++y)
                for (int x = std::max(r.Left, 0); x < std::min(r.Right, width); ++x)
                    owner[static_cast<std::size_t>(y * width + x)] = static_cast<int>(k);
    }
    // No gap, and the last writer of the right column and bottom row is never the centre.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int k = owner[static_cast<std::size_t>(y * width + x)];
            ASSERT_GE(k, 0) << x << "," << y;
            if (x >= width - 2 || y >= height - 2) {
                EXPECT_FALSE(pieces[static_cast<std::size_t>(k)].Tiled) << x << "," << y;
            }
        }
}

TEST(TilePositions, LastColumnAndRowMayOverhang) {
    const auto at = skin::TilePositions({5, 5, 16, 12}, 4, 5);
    EXPECT_EQ(at, (std::vector<skin::TPointI>{{5, 5}, {9, 5}, {13, 5}, {5, 10}, {9, 10}, {13, 10}}));
    EXPECT_TRUE(skin::TilePositions({0, 0, 10, 10}, 0, 5).empty());
    EXPECT_TRUE(skin::TilePositions({0, 0, 10, 10}, 3, -1).empty());
    EXPECT_TRUE(skin::TilePositions({0, 0, 0, 10}, 3, 3).empty());
}

TEST(ThreePart, TiledStripRepeatsTheMiddleUnscaledInWidth) {
    const TRectI frame{0, 10, 12, 20};  // second of two stacked frames, middle 12 - 3 - 4 = 5
    const auto pieces = skin::ThreePartTiledPieces(20, 30, frame, 3, 4);
    const std::vector<TPiece> expected{
        {{0, 10, 3, 20}, {0, 0, 3, 30}},
        {{3, 10, 8, 20}, {3, 0, 8, 30}},
        {{3, 10, 8, 20}, {8, 0, 13, 30}},
        {{3, 10, 8, 20}, {13, 0, 18, 30}},
        {{8, 10, 12, 20}, {16, 0, 20, 30}},
    };
    EXPECT_EQ(pieces, expected);
    // No middle piece: no endless loop, the frame fills the space between the caps.
    const auto capsOnly = skin::ThreePartTiledPieces(20, 30, {0, 0, 7, 10}, 3, 4);
    ASSERT_EQ(capsOnly.size(), 3u);
    EXPECT_EQ(capsOnly[1], (TPiece{{0, 0, 7, 10}, {3, 0, 16, 30}}));
}

TEST(ThreePart, StretchedStripOrWholeFrame) {
    const TRectI frame{20, 0, 40, 8};
    EXPECT_EQ(skin::ThreePartStretchedPieces({10, 5, 110, 25}, frame, 6, 4),
              (std::vector<TPiece>{{{20, 0, 26, 8}, {10, 5, 16, 25}},
                                   {{26, 0, 36, 8}, {16, 5, 106, 25}},
                                   {{36, 0, 40, 8}, {106, 5, 110, 25}}}));
    EXPECT_EQ(skin::ThreePartStretchedPieces({0, 0, 19, 8}, frame, 6, 4),
              (std::vector<TPiece>{{frame, {0, 0, 19, 8}}}));
}

TEST(CenteredOrigin, DivisionsTowardZero) {
    EXPECT_EQ(skin::CenteredOrigin({10, 20, 31, 41}, 10, 10), (skin::TPointI{15, 25}));
    EXPECT_EQ(skin::CenteredOrigin({10, 20, 15, 23}, 10, 10), (skin::TPointI{8, 17}));
}

}  // namespace

// A small 24-bit raster for drawing the default skin's bitmaps at build time: solid and
// graded fills, rounded boxes with smooth edges where they meet colour (hard where they meet
// the transparent magenta, so no pink fringe shows), lines, arrows and dots.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace skingen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb Magenta{255, 0, 255};

// weight 0..1 of `a` against `b`.
Rgb Mix(Rgb a, Rgb b, double weight);

using Shade = std::function<Rgb(int x, int y)>;
inline Shade Solid(Rgb c)
{
    return [c](int, int) { return c; };
}
// From `top` at row y0 to `bottom` at row y1 - 1.
Shade Vertical(Rgb top, Rgb bottom, int y0, int y1);
Shade Horizontal(Rgb left, Rgb right, int x0, int x1);

enum class Dir { Left, Right, Up, Down };

class Raster {
public:
    Raster(int width, int height, Rgb fill = Magenta);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb Get(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Rgb c);
    void Blend(int x, int y, Rgb c, double alpha);

    // Half-open rectangle [x0, x1) x [y0, y1).
    void Fill(int x0, int y0, int x1, int y1, const Shade& shade);
    // A rounded rectangle of corner radius r. `smooth` blends its edge with what is below;
    // otherwise a pixel is painted when at least half of it is covered.
    void RoundFill(int x0, int y0, int x1, int y1, double r, const Shade& shade, bool smooth);
    // A rounded box: 1-pixel `line` outline, `inner` inside. The outline's outer edge is
    // hard (it usually meets magenta), the inner one smooth.
    void Box(int x0, int y0, int x1, int y1, double r, Rgb line, const Shade& inner);
    void Line(int x0, int y0, int x1, int y1, Rgb c);
    // A filled triangle pointing `dir`, `size` rows deep, its base centred on (cx, cy).
    void Arrow(int cx, int cy, int size, Dir dir, Rgb c);
    void Paste(const Raster& piece, int dx, int dy);
    // Horizontal mirror in place.
    void Mirror();

    // 24-bit .bmp bytes.
    std::vector<std::uint8_t> Bmp() const;

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// `frames` cells of cellWidth x cellHeight side by side (or one above the other), each
// drawn by `draw` with its 1-based frame number onto a magenta cell.
Raster Strip(int frames, int cellWidth, int cellHeight, bool vertical,
             const std::function<void(Raster& cell, int frame)>& draw);

}  // namespace skingen

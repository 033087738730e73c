#include "skins/Raster.h"

#include <cmath>

#include "ui/BmpCodec.h"

namespace skingen {

namespace {

std::uint8_t Channel(double v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Share of a pixel inside the rounded rectangle, from 4 x 4 samples.
double Coverage(int x, int y, double x0, double y0, double x1, double y1, double r)
{
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4.0;
            const double py = y + (sy + 0.5) / 4.0;
            if (px < x0 || px > x1 || py < y0 || py > y1) continue;
            const double cx = std::clamp(px, x0 + r, x1 - r);
            const double cy = std::clamp(py, y0 + r, y1 - r);
            const double dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= r * r) ++inside;
        }
    }
    return inside / 16.0;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double weight)
{
    return {Channel(a.r * weight + b.r * (1 - weight)), Channel(a.g * weight + b.g * (1 - weight)),
            Channel(a.b * weight + b.b * (1 - weight))};
}

Shade Vertical(Rgb top, Rgb bottom, int y0, int y1)
{
    return [=](int, int y) {
        const double span = std::max(1, y1 - 1 - y0);
        return Mix(bottom, top, std::clamp((y - y0) / span, 0.0, 1.0));
    };
}

Shade Horizontal(Rgb left, Rgb right, int x0, int x1)
{
    return [=](int x, int) {
        const double span = std::max(1, x1 - 1 - x0);
        return Mix(right, left, std::clamp((x - x0) / span, 0.0, 1.0));
    };
}

Raster::Raster(int width, int height, Rgb fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill)
{
}

void Raster::Set(int x, int y, Rgb c)
{
    if (Inside(x, y)) pixels_[Index(x, y)] = c;
}

void Raster::Blend(int x, int y, Rgb c, double alpha)
{
    if (!Inside(x, y) || alpha <= 0) return;
    pixels_[Index(x, y)] = alpha >= 1 ? c : Mix(c, pixels_[Index(x, y)], alpha);
}

void Raster::Fill(int x0, int y0, int x1, int y1, const Shade& shade)
{
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) Set(x, y, shade(x, y));
}

void Raster::RoundFill(int x0, int y0, int x1, int y1, double r, const Shade& shade, bool smooth)
{
    r = std::min({r, (x1 - x0) / 2.0, (y1 - y0) / 2.0});
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) {
            const double c = Coverage(x, y, x0, y0, x1, y1, r);
            if (smooth)
                Blend(x, y, shade(x, y), c);
            else if (c >= 0.5)
                Set(x, y, shade(x, y));
        }
    }
}

void Raster::Box(int x0, int y0, int x1, int y1, double r, Rgb line, const Shade& inner)
{
    RoundFill(x0, y0, x1, y1, r, Solid(line), false);
    RoundFill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(0.0, r - 1), inner, true);
}

void Raster::Line(int x0, int y0, int x1, int y1, Rgb c)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Raster::Arrow(int cx, int cy, int size, Dir dir, Rgb c)
{
    // Row k of the triangle is 2k + 1 pixels long; the tip is row 0.
    for (int k = 0; k < size; ++k) {
        for (int t = -k; t <= k; ++t) {
            switch (dir) {
            case Dir::Up: Set(cx + t, cy - size / 2 + k, c); break;
            case Dir::Down: Set(cx + t, cy + size / 2 - k, c); break;
            case Dir::Left: Set(cx - size / 2 + k, cy + t, c); break;
            case Dir::Right: Set(cx + size / 2 - k, cy + t, c); break;
            }
        }
    }
}

void Raster::Paste(const Raster& piece, int dx, int dy)
{
    for (int y = 0; y < piece.height_; ++y)
        for (int x = 0; x < piece.width_; ++x) Set(dx + x, dy + y, piece.Get(x, y));
}

void Raster::Mirror()
{
    for (int y = 0; y < height_; ++y)
        std::reverse(pixels_.begin() + static_cast<std::ptrdiff_t>(Index(0, y)),
                     pixels_.begin() + static_cast<std::ptrdiff_t>(Index(0, y) + static_cast<std::size_t>(width_)));
}

std::vector<std::uint8_t> Raster::Bmp() const
{
    ui::BmpImage image;
    image.width = width_;
    image.height = height_;
    image.bitsPerPixel = 24;
    image.pixels.assign(image.Stride() * static_cast<std::size_t>(height_), 0);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = image.Row(y);
        for (int x = 0; x < width_; ++x) {
            const Rgb c = Get(x, y);
            row[3 * x] = c.b;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.r;
        }
    }
    return ui::EncodeBmp24(image);
}

Raster Strip(int frames, int cellWidth, int cellHeight, bool vertical,
             const std::function<void(Raster& cell, int frame)>& draw)
{
    Raster strip(vertical ? cellWidth : cellWidth * frames, vertical ? cellHeight * frames : cellHeight);
    for (int f = 1; f <= frames; ++f) {
        Raster cell(cellWidth, cellHeight);
        draw(cell, f);
        strip.Paste(cell, vertical ? 0 : (f - 1) * cellWidth, vertical ? (f - 1) * cellHeight : 0);
    }
    return strip;
}

}  // namespace skingen

#include "skin/data/SkinPixels.h"

#include <algorithm>
#include <cstring>

namespace skin {

namespace {

int BytesPerPixel(const ui::BmpImage& image) { return image.bitsPerPixel / 8; }

ui::BmpImage Blank(int width, int height, int bitsPerPixel) {
    ui::BmpImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bitsPerPixel;
    image.pixels.assign(image.Stride() * static_cast<std::size_t>(height), 0);
    return image;
}

const std::uint8_t* PixelAt(const ui::BmpImage& image, int x, int y) {
    return image.Row(y) + static_cast<std::size_t>(x) * static_cast<std::size_t>(BytesPerPixel(image));
}

std::uint8_t* PixelAt(ui::BmpImage& image, int x, int y) {
    return image.Row(y) + static_cast<std::size_t>(x) * static_cast<std::size_t>(BytesPerPixel(image));
}

// Fills a new image of the given size from source pixel pick(x, y), blue, green, red only.
template <typename Pick>
ui::BmpImage Remap(const ui::BmpImage& source, int width, int height, Pick pick) {
    ui::BmpImage result = Blank(width, height, source.bitsPerPixel);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto [sx, sy] = pick(x, y);
            std::memcpy(PixelAt(result, x, y), PixelAt(source, sx, sy), 3);
        }
    return result;
}

}  // namespace

ui::BmpImage Mirrored(const ui::BmpImage& source) {
    const int w = source.width;
    return Remap(source, source.width, source.height, [w](int x, int y) { return std::pair{w - 1 - x, y}; });
}

ui::BmpImage MirroredFrames(const ui::BmpImage& source, int frames) {
    const int w = source.width / (frames > 0 ? frames : 1);
    const int whole = w * (frames > 0 ? frames : 1);
    return Remap(source, source.width, source.height, [w, whole](int x, int y) {
        if (w <= 0 || x >= whole) return std::pair{x, y};
        const int start = x / w * w;
        return std::pair{start + w - 1 - (x - start), y};
    });
}

ui::BmpImage Flipped(const ui::BmpImage& source) {
    ui::BmpImage result = source;
    for (int y = 0; y < source.height; ++y)
        std::memcpy(result.Row(y), source.Row(source.height - 1 - y), source.Stride());
    return result;
}

ui::BmpImage RotatedLeft(const ui::BmpImage& source) {
    const int w = source.width;
    return Remap(source, source.height, source.width, [w](int x, int y) { return std::pair{w - 1 - y, x}; });
}

ui::BmpImage RotatedRight(const ui::BmpImage& source) {
    const int h = source.height;
    return Remap(source, source.height, source.width, [h](int x, int y) { return std::pair{y, h - 1 - x}; });
}

ui::BmpImage MagentaReplaced(const ui::BmpImage& source, TColor colour) {
    ui::BmpImage result = Blank(source.width, source.height, 24);
    const std::uint8_t replacement[3] = {static_cast<std::uint8_t>(colour >> 16),
                                         static_cast<std::uint8_t>(colour >> 8),
                                         static_cast<std::uint8_t>(colour)};
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const std::uint8_t* from = PixelAt(source, x, y);
            const bool magenta = from[0] == 255 && from[1] == 0 && from[2] == 255;
            std::memcpy(PixelAt(result, x, y), magenta ? replacement : from, 3);
        }
    return result;
}

std::vector<TRectI> ColorRangeRuns(const ui::BmpImage& image, int dx, int dy, int blueTolerance,
                                   int greenTolerance, int redTolerance, TColor base) {
    struct Range {
        int low, high;
        bool Holds(int value) const { return value >= low && value <= high; }
    };
    auto range = [](int low, int tolerance) { return Range{low, std::min(255, low + tolerance)}; };
    const Range blue = range((base >> 16) & 0xFF, blueTolerance);
    const Range green = range((base >> 8) & 0xFF, greenTolerance);
    const Range red = range(base & 0xFF, redTolerance);
    std::vector<TRectI> runs;
    for (int y = 0; y < image.height; ++y) {
        int x = 0;
        while (x < image.width) {
            auto inside = [&](int at) {
                const std::uint8_t* p = PixelAt(image, at, y);
                return blue.Holds(p[0]) && green.Holds(p[1]) && red.Holds(p[2]);
            };
            while (x < image.width && inside(x)) ++x;
            const int start = x;
            while (x < image.width && !inside(x)) ++x;
            if (x > start) runs.push_back({start + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    return runs;
}

}  // namespace skin

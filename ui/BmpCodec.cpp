#include "ui/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace ui {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;

std::uint16_t U16(std::span<const std::uint8_t> d, std::size_t at)
{
    return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}
std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at)
{
    return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8) |
           (static_cast<std::uint32_t>(d[at + 2]) << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}
std::int32_t I32(std::span<const std::uint8_t> d, std::size_t at) { return static_cast<std::int32_t>(U32(d, at)); }

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, static_cast<std::uint16_t>(v));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

struct Rgb {
    std::uint8_t b, g, r;
};

// One channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    std::uint8_t Get(std::uint32_t pixel) const
    {
        if (max == 0) return 0;
        std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: top-down
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    std::vector<Rgb> palette;
    std::size_t headerEnd = 0;
};

// Reads the info header at `at` and what follows it up to the pixels; returns the offset
// just past the palette, or 0 when the header is unusable. A palette ends at `pixelsAt`
// when that is known: writers of small palettes say so only by where the pixels start.
std::size_t ReadHeader(std::span<const std::uint8_t> d, std::size_t at, std::size_t pixelsAt, Layout& out)
{
    if (d.size() < at + 4) return 0;
    std::uint32_t headerSize = U32(d, at);
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) return 0;
    if (d.size() - at < headerSize) return 0;
    std::size_t paletteEntry = 4;
    std::uint32_t colorsUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        out.width = U16(d, at + 4);
        out.height = U16(d, at + 6);
        if (U16(d, at + 8) != 1) return 0;
        out.bits = U16(d, at + 10);
        paletteEntry = 3;
    } else {
        out.width = I32(d, at + 4);
        out.height = I32(d, at + 8);
        if (U16(d, at + 12) != 1) return 0;
        out.bits = U16(d, at + 14);
        out.compression = U32(d, at + 16);
        colorsUsed = U32(d, at + 32);
    }
    std::size_t next = at + headerSize;
    out.headerEnd = next;

    if (out.width <= 0 || out.width > kBmpMaxDimension) return 0;
    if (out.height == 0 || out.height > kBmpMaxDimension || out.height < -kBmpMaxDimension) return 0;
    switch (out.bits) {
    case 1: case 4: case 8: case 24:
        if (out.compression != kRgb) return 0;
        break;
    case 16: case 32:
        if (out.compression != kRgb && out.compression != kBitFields) return 0;
        break;
    default:
        return 0;
    }

    if (out.compression == kBitFields) {
        // Masks sit inside the larger headers, or follow a plain info header.
        std::size_t maskAt = at + kInfoHeaderSize;
        if (headerSize < kInfoHeaderSize + 12) {
            // A header too short to hold the masks but longer than an info header is damage.
            if (headerSize != kInfoHeaderSize || d.size() < next + 12) return 0;
            next += 12;
        }
        out.masks = {U32(d, maskAt), U32(d, maskAt + 4), U32(d, maskAt + 8)};
    } else if (out.bits == 16) {
        out.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (out.bits == 32) {
        out.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    }

    if (out.bits <= 8) {
        std::uint32_t capacity = 1u << out.bits;
        std::uint32_t count = (colorsUsed == 0 || colorsUsed > capacity) ? capacity : colorsUsed;
        // A claim beyond what the depth can index is damage; read no more than the depth needs.
        if (pixelsAt > next) count = std::min<std::uint32_t>(count, static_cast<std::uint32_t>((pixelsAt - next) / paletteEntry));
        std::size_t bytes = static_cast<std::size_t>(count) * paletteEntry;
        if (d.size() - next < bytes) return 0;
        out.palette.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::size_t p = next + i * paletteEntry;
            out.palette.push_back({d[p], d[p + 1], d[p + 2]});
        }
        next += bytes;
    }
    return next;
}

std::optional<BmpImage> DecodePixels(std::span<const std::uint8_t> d, std::size_t pixelsAt, const Layout& layout)
{
    const int width = static_cast<int>(layout.width);
    const bool topDown = layout.height < 0;
    const int height = static_cast<int>(topDown ? -layout.height : layout.height);
    const std::size_t srcStride = BmpRowStride(width, layout.bits);
    if (pixelsAt > d.size() || (d.size() - pixelsAt) / srcStride < static_cast<std::size_t>(height)) return std::nullopt;

    BmpImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = layout.bits == 32 ? 32 : 24;
    image.pixels.assign(image.Stride() * static_cast<std::size_t>(height), 0);

    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    const Rgb black{0, 0, 0};
    const std::size_t step = static_cast<std::size_t>(image.bitsPerPixel / 8);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = d.data() + pixelsAt + static_cast<std::size_t>(topDown ? y : height - 1 - y) * srcStride;
        std::uint8_t* dst = image.Row(y);
        if (layout.bits == 24) {
            std::memcpy(dst, src, static_cast<std::size_t>(width) * 3);
            continue;
        }
        if (layout.bits == 32 && layout.compression == kRgb) {
            std::memcpy(dst, src, static_cast<std::size_t>(width) * 4);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            Rgb c;
            if (layout.bits <= 8) {
                int perByte = 8 / layout.bits;
                int shift = 8 - layout.bits * (1 + x % perByte);
                unsigned index = (src[x / perByte] >> shift) & ((1u << layout.bits) - 1);
                // An index past a short palette shows black rather than reading beyond it.
                c = index < layout.palette.size() ? layout.palette[index] : black;
            } else {
                const std::uint8_t* p = src + static_cast<std::size_t>(x) * static_cast<std::size_t>(layout.bits / 8);
                std::uint32_t pixel = p[0] | (p[1] << 8);
                if (layout.bits == 32) pixel |= (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
                c = {blue.Get(pixel), green.Get(pixel), red.Get(pixel)};
            }
            std::uint8_t* out = dst + static_cast<std::size_t>(x) * step;
            out[0] = c.b;
            out[1] = c.g;
            out[2] = c.r;
        }
    }
    return image;
}

}  // namespace

std::size_t BmpRowStride(int width, int bitsPerPixel)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
}

std::size_t BmpImage::Stride() const { return BmpRowStride(width, bitsPerPixel); }

std::optional<BmpImage> DecodeBmp(std::span<const std::uint8_t> file)
{
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    Layout layout;
    std::uint32_t offBits = U32(file, 10);
    std::size_t afterHeader = ReadHeader(file, kFileHeaderSize, offBits, layout);
    if (afterHeader == 0) return std::nullopt;
    // Some writers leave the offset at 0; their pixels follow the palette.
    std::size_t pixelsAt = offBits == 0 ? afterHeader : offBits;
    if (pixelsAt < layout.headerEnd) return std::nullopt;
    return DecodePixels(file, pixelsAt, layout);
}

std::optional<BmpImage> DecodeDib(std::span<const std::uint8_t> dib)
{
    Layout layout;
    std::size_t afterHeader = ReadHeader(dib, 0, 0, layout);
    if (afterHeader == 0) return std::nullopt;
    return DecodePixels(dib, afterHeader, layout);
}

std::vector<std::uint8_t> EncodeBmp24(const BmpImage& image)
{
    const std::size_t stride = BmpRowStride(image.width, 24);
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(image.height);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(offset + pixelBytes));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, kRgb);
    Put32(out, static_cast<std::uint32_t>(pixelBytes));
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    const int step = image.bitsPerPixel / 8;
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* src = image.Row(y);
        std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = src + static_cast<std::size_t>(x) * static_cast<std::size_t>(step);
            out.insert(out.end(), p, p + 3);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

}  // namespace ui

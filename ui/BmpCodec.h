// Reading and writing Windows bitmap (.bmp) data without the window system, so that the
// bitmaps of untrusted skin packages are checked by code that is tested and fuzzed natively.
// Decoding yields rows of 24-bit (blue, green, red) or, for 32-bit sources, 32-bit
// (blue, green, red, x) pixels, top row first, each row padded to four bytes as in a DIB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ui {

struct BmpImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;  // 24 or 32
    std::vector<std::uint8_t> pixels;

    std::size_t Stride() const;
    std::uint8_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * Stride(); }
    const std::uint8_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * Stride(); }
};

// Bytes of one DIB row: bits rounded up to whole 32-bit words.
std::size_t BmpRowStride(int width, int bitsPerPixel);

// Largest width or height accepted; larger claims are taken as damage.
inline constexpr int kBmpMaxDimension = 32767;

// A .bmp file (with its "BM" file header). 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed or with bit-field masks, bottom-up or top-down; anything else, and any
// header, palette or pixel data that does not fit in the bytes given, gives nullopt.
std::optional<BmpImage> DecodeBmp(std::span<const std::uint8_t> file);
// A packed DIB (info header, masks, palette, pixels) as bitmap resources store it.
std::optional<BmpImage> DecodeDib(std::span<const std::uint8_t> dib);

// A 24-bit bottom-up .bmp file of the image (32-bit pixels lose their fourth byte).
std::vector<std::uint8_t> EncodeBmp24(const BmpImage& image);

}  // namespace ui

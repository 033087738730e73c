#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "ui/BmpCodec.h"

using namespace ui;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A .bmp file as a writer would lay it out: file header, info header of `headerSize`
// bytes, then `extra` (masks and palette) and the rows exactly as given.
struct BmpLayout {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    Bytes extra;
    Bytes rows;
};

Bytes MakeBmp(const BmpLayout& s)
{
    Bytes info;
    Put32(info, s.headerSize);
    if (s.headerSize == 12) {
        Put16(info, static_cast<std::uint32_t>(s.width));
        Put16(info, static_cast<std::uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bits);
    } else {
        Put32(info, static_cast<std::uint32_t>(s.width));
        Put32(info, static_cast<std::uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bits);
        Put32(info, s.compression);
        Put32(info, static_cast<std::uint32_t>(s.rows.size()));
        Put32(info, 0);
        Put32(info, 0);
        Put32(info, s.colorsUsed);
        Put32(info, 0);
        info.resize(s.headerSize, 0);
    }
    Bytes file{'B', 'M'};
    auto offset = static_cast<std::uint32_t>(14 + info.size() + s.extra.size());
    Put32(file, offset + static_cast<std::uint32_t>(s.rows.size()));
    Put32(file, 0);
    Put32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.extra.begin(), s.extra.end());
    file.insert(file.end(), s.rows.begin(), s.rows.end());
    return file;
}

Bytes Palette4(std::initializer_list<std::array<std::uint8_t, 3>> bgr)
{
    Bytes p;
    for (auto c : bgr) p.insert(p.end(), {c[0], c[1], c[2], 0});
    return p;
}

// Blue, green, red of pixel (x, y) counted from the top.
std::array<std::uint8_t, 3> Pixel(const BmpImage& image, int x, int y)
{
    const std::uint8_t* p = image.Row(y) + x * (image.bitsPerPixel / 8);
    return {p[0], p[1], p[2]};
}

using Rgb = std::array<std::uint8_t, 3>;
constexpr Rgb kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

}  // namespace

// Each case is a 2 × 2 image: top row red, green; bottom row blue, white (or what the
// format can hold), so that row order and pixel order both show.
TEST(BmpCodec, DecodesEveryDepthTopRowFirst)
{
    const Bytes palette = Palette4({{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}});
    const Bytes coreTriples = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
    Bytes bitMasks565;
    for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) Put32(bitMasks565, m);

    struct Case {
        const char* name;
        BmpLayout layout;
        std::array<Rgb, 4> expected;  // top-left, top-right, bottom-left, bottom-right
        int bitsPerPixel;
    };
    const Case cases[] = {
        {"1-bit", {.width = 2, .height = 2, .bits = 1, .extra = Palette4({{0, 0, 0}, {255, 255, 255}}),
                   .rows = {0b01000000, 0, 0, 0, 0b10000000, 0, 0, 0}},
         {kWhite, kBlack, kBlack, kWhite}, 24},
        {"4-bit", {.width = 2, .height = 2, .bits = 4, .colorsUsed = 4, .extra = palette, .rows = {0x23, 0, 0, 0, 0x01, 0, 0, 0}},
         {kRed, kGreen, kBlue, kWhite}, 24},
        {"8-bit", {.width = 2, .height = 2, .bits = 8, .colorsUsed = 4, .extra = palette, .rows = {2, 3, 0, 0, 0, 1, 0, 0}},
         {kRed, kGreen, kBlue, kWhite}, 24},
        {"8-bit core header", {.headerSize = 12, .width = 2, .height = 2, .bits = 8, .extra = coreTriples,
                               .rows = {2, 3, 0, 0, 0, 1, 0, 0}},
         {kRed, kGreen, kBlue, kWhite}, 24},
        {"8-bit short palette", {.width = 2, .height = 2, .bits = 8, .colorsUsed = 2,
                                 .extra = Palette4({{0, 0, 255}, {0, 255, 0}}), .rows = {200, 1, 0, 0, 0, 1, 0, 0}},
         {kRed, kGreen, kBlack, kGreen}, 24},
        {"16-bit 555", {.width = 2, .height = 2, .bits = 16, .rows = {0x1F, 0, 0xFF, 0x7F, 0, 0x7C, 0xE0, 0x03}},
         {kRed, kGreen, kBlue, kWhite}, 24},
        {"16-bit 565 masks", {.width = 2, .height = 2, .bits = 16, .compression = 3, .extra = bitMasks565,
                              .rows = {0x1F, 0, 0xFF, 0xFF, 0, 0xF8, 0xE0, 0x07}},
         {kRed, kGreen, kBlue, kWhite}, 24},
        {"24-bit", {.width = 2, .height = 2, .rows = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}},
         {kRed, kGreen, kBlue, kWhite}, 24},
        {"24-bit top-down", {.width = 2, .height = -2,
                             .rows = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}},
         {kRed, kGreen, kBlue, kWhite}, 24},
        {"32-bit", {.width = 2, .height = 2, .bits = 32,
                    .rows = {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0}},
         {kRed, kGreen, kBlue, kWhite}, 32},
        {"32-bit V5 header", {.headerSize = 124, .width = 2, .height = 2, .bits = 32,
                              .rows = {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0}},
         {kRed, kGreen, kBlue, kWhite}, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = DecodeBmp(MakeBmp(c.layout));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 2);
        EXPECT_EQ(image->height, 2);
        EXPECT_EQ(image->bitsPerPixel, c.bitsPerPixel);
        EXPECT_EQ(Pixel(*image, 0, 0), c.expected[0]);
        EXPECT_EQ(Pixel(*image, 1, 0), c.expected[1]);
        EXPECT_EQ(Pixel(*image, 0, 1), c.expected[2]);
        EXPECT_EQ(Pixel(*image, 1, 1), c.expected[3]);
    }
}

TEST(BmpCodec, EncodeDecodeRoundTripKeepsEveryPixel)
{
    for (int bits : {24, 32}) {
        for (auto [w, h] : {std::pair{1, 1}, {3, 5}, {17, 2}}) {
            BmpImage image{w, h, bits, {}};
            image.pixels.resize(image.Stride() * static_cast<std::size_t>(h));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    for (int c = 0; c < 3; ++c) image.Row(y)[x * bits / 8 + c] = static_cast<std::uint8_t>(x * 31 + y * 7 + c * 90);
            Bytes file = EncodeBmp24(image);
            EXPECT_EQ(file.size(), 54 + BmpRowStride(w, 24) * static_cast<std::size_t>(h));
            auto back = DecodeBmp(file);
            ASSERT_TRUE(back);
            ASSERT_EQ(back->bitsPerPixel, 24);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) EXPECT_EQ(Pixel(*back, x, y), Pixel(image, x, y)) << x << "," << y;
        }
    }
}

TEST(BmpCodec, DecodesPackedDibsAsResourcesHoldThem)
{
    Bytes file = MakeBmp({.width = 2, .height = 1, .bits = 8,
                          .colorsUsed = 2, .extra = Palette4({{1, 2, 3}, {4, 5, 6}}), .rows = {1, 0, 0, 0}});
    auto image = DecodeDib(Bytes(file.begin() + 14, file.end()));
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixel(*image, 0, 0), (Rgb{4, 5, 6}));
    EXPECT_EQ(Pixel(*image, 1, 0), (Rgb{1, 2, 3}));
}

TEST(BmpCodec, RejectsMalformedData)
{
    const BmpLayout good{.width = 2, .height = 2, .rows = Bytes(16, 7)};
    ASSERT_TRUE(DecodeBmp(MakeBmp(good)));

    struct Case {
        const char* name;
        Bytes file;
    };
    auto with = [&](auto change) {
        BmpLayout s = good;
        change(s);
        return MakeBmp(s);
    };
    auto patched = [&](std::size_t at, std::uint32_t value) {
        Bytes f = MakeBmp(good);
        for (int i = 0; i < 4; ++i) f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return f;
    };
    Bytes badMagic = MakeBmp(good);
    badMagic[1] = 'A';
    const Case cases[] = {
        {"empty", {}},
        {"magic", badMagic},
        {"zero width", with([](BmpLayout& s) { s.width = 0; })},
        {"negative width", with([](BmpLayout& s) { s.width = -2; })},
        {"zero height", with([](BmpLayout& s) { s.height = 0; })},
        {"huge width", with([](BmpLayout& s) { s.width = 1 << 20; })},
        {"most negative height", with([](BmpLayout& s) { s.height = std::numeric_limits<std::int32_t>::min(); })},
        {"2 bits", with([](BmpLayout& s) { s.bits = 2; })},
        {"0 bits", with([](BmpLayout& s) { s.bits = 0; })},
        {"run-length compressed", with([](BmpLayout& s) { s.bits = 8; s.compression = 1; })},
        {"bit fields on 24 bits", with([](BmpLayout& s) { s.compression = 3; })},
        {"unknown header size", with([](BmpLayout& s) { s.headerSize = 20; })},
        {"header larger than file", patched(14, 100000)},
        {"planes", patched(26, 2 | (24u << 16))},
        {"pixel offset past the end", patched(10, 1000)},
        {"pixel offset inside the header", patched(10, 20)},
        {"rows missing", with([](BmpLayout& s) { s.rows.resize(15); })},
        {"tall claim", with([](BmpLayout& s) { s.height = 30000; })},
        {"palette missing", with([](BmpLayout& s) { s.bits = 8; s.colorsUsed = 200; s.rows.resize(8); })},
        {"masks missing", with([](BmpLayout& s) { s.bits = 16; s.compression = 3; s.rows.clear(); })},
    };
    for (const auto& c : cases) EXPECT_FALSE(DecodeBmp(c.file)) << c.name;

    // Every cut of a good file is refused, never read beyond.
    Bytes full = MakeBmp(good);
    for (std::size_t n = 0; n < full.size(); ++n) EXPECT_FALSE(DecodeBmp(std::span(full.data(), n))) << n << " bytes";
    EXPECT_FALSE(DecodeDib(std::span(full.data() + 14, 10)));
}

TEST(BmpCodec, ZeroPixelOffsetMeansPixelsFollowThePalette)
{
    Bytes file = MakeBmp({.width = 1, .height = 1, .rows = {9, 8, 7, 0}});
    file[10] = file[11] = file[12] = file[13] = 0;
    auto image = DecodeBmp(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixel(*image, 0, 0), (Rgb{9, 8, 7}));
}

// Damage of every kind a package could carry: decoding either refuses or yields an image
// whose rows are all there.
TEST(BmpCodec, RandomDamageNeverReadsOrWritesOutOfBounds)
{
    const Bytes palette = Palette4({{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}});
    const Bytes seeds[] = {
        MakeBmp({.width = 3, .height = 2, .rows = Bytes(24, 9)}),
        MakeBmp({.width = 5, .height = -3, .bits = 4, .colorsUsed = 4, .extra = palette, .rows = Bytes(12, 0x31)}),
        MakeBmp({.width = 2, .height = 2, .bits = 16, .rows = Bytes(8, 0x55)}),
        MakeBmp({.width = 9, .height = 1, .bits = 1, .colorsUsed = 2, .extra = Bytes(8, 1), .rows = Bytes(4, 0xA5)}),
    };
    std::uint32_t state = 12345;
    auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    int decoded = 0;
    for (const Bytes& seed : seeds) {
        for (int round = 0; round < 3000; ++round) {
            Bytes file = seed;
            for (int n = 1 + static_cast<int>(next() % 4); n > 0; --n) {
                std::size_t at = next() % file.size();
                file[at] = (next() & 1) ? static_cast<std::uint8_t>(next()) : static_cast<std::uint8_t>(file[at] ^ (1u << (next() % 8)));
            }
            if (next() % 8 == 0) file.resize(next() % file.size());
            auto image = DecodeBmp(file);
            if (!image) continue;
            ++decoded;
            ASSERT_GT(image->width, 0);
            ASSERT_GT(image->height, 0);
            ASSERT_EQ(image->pixels.size(), image->Stride() * static_cast<std::size_t>(image->height));
        }
    }
    EXPECT_GT(decoded, 0) << "some damage leaves a readable picture";
}

#include <gtest/gtest.h>

#include "skin/data/SkinPackage.h"
#include "tests/skin_core/PlainLzh.h"
#include "tests/skin_core/TestData.h"
#include "tools/packer/LzhEncoder.h"

namespace {

using skin::TBytes;
using skintest::PseudoRandom;

TBytes RoundTrip(const TBytes& input, const skinpack::TLzhOptions& options = {}) {
    TBytes output;
    skin::TLZH().Decompress(skinpack::LzhCompress(input, options), output);
    return output;
}

// Mostly a handful of letters, sometimes any byte below 32: the tree keeps reordering and,
// with 120000 symbols, is rebuilt at its frequency limit several times.
TBytes SkewedText() {
    TBytes text = PseudoRandom(120000, 12345);
    for (auto& byte : text)
        if (byte >= 32) byte = static_cast<std::uint8_t>('A' + byte % 7);
    return text;
}

TEST(Lzh, LiteralStreamMatchesTheIndependentlyComputedModel) {
    // The hash of this stream was computed by a separate model of the adaptive tree, so an
    // error shared by the encoder and the decoder here cannot pass unnoticed.
    skinpack::TLzhOptions literals;
    literals.LiteralsOnly = true;
    const TBytes compressed = skinpack::LzhCompress(SkewedText(), literals);
    EXPECT_EQ(compressed.size(), 54973u);
    EXPECT_EQ(skintest::Fnv1a(compressed), 0x70675b78b0b14210ull);
    TBytes decoded;
    skin::TLZH().Decompress(compressed, decoded);
    EXPECT_EQ(decoded, SkewedText());
}

TEST(Lzh, RoundTripsPayloadsOfEveryShape) {
    TBytes repeating;
    for (int k = 0; k < 300000; ++k) repeating.push_back(static_cast<std::uint8_t>("abcdefgh"[k % 8]));
    TBytes mixed = PseudoRandom(50000, 7);
    mixed.insert(mixed.end(), repeating.begin(), repeating.begin() + 70000);
    mixed.insert(mixed.end(), mixed.begin(), mixed.begin() + 30000);
    struct Case { const char* name; TBytes input; };
    const Case cases[] = {
        {"empty", {}},
        {"one byte", {0x42}},
        {"spaces only, matched against the ring's initial spaces", TBytes(5000, ' ')},
        {"zeros", TBytes(70000, 0)},
        {"random", PseudoRandom(100000, 1)},
        {"repeating, longest matches", repeating},
        {"mixed, far and near matches", mixed},
        {"skewed, many rebuilds", SkewedText()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RoundTrip(c.input), c.input);
        skinpack::TLzhOptions shallow;
        shallow.ChainDepth = 1;
        EXPECT_EQ(RoundTrip(c.input, shallow), c.input);
    }
}

TEST(Lzh, MatchesShrinkRepetitiveData) {
    const TBytes spaces(60000, ' ');
    // A 60-byte match costs about 10 bits once the tree has learnt it.
    EXPECT_LT(skinpack::LzhCompress(spaces).size(), 2000u);
}

TEST(Lzh, ShortSourceDecodesAsIfPaddedWithZeros) {
    TBytes input = PseudoRandom(4000, 3);
    TBytes compressed = skinpack::LzhCompress(input);
    const TBytes whole = RoundTrip(input);
    compressed.resize(compressed.size() / 2);
    TBytes cut;
    skin::TLZH().Decompress(compressed, cut);
    ASSERT_EQ(cut.size(), input.size());
    // The part whose bits are all present is exact; the rest is whatever zeros decode to.
    EXPECT_TRUE(std::equal(input.begin(), input.begin() + 1000, cut.begin()));
    TBytes padded = compressed;
    padded.resize(padded.size() + 100000, 0);
    TBytes fromPadded;
    skin::TLZH().Decompress(padded, fromPadded);
    EXPECT_EQ(cut, fromPadded);
}

// Any source, well-formed or not, decodes exactly as the plain decoder of the same format
// decodes it: garbage bits, matches reaching back before the first byte (into the ring's
// initial spaces and zeros), a source cut short.
TEST(Lzh, AnySourceDecodesAsThePlainReferenceDecoderDoes) {
    auto declared = [](std::uint32_t size, TBytes stream) {
        TBytes source{static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                      static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
        source.insert(source.end(), stream.begin(), stream.end());
        return source;
    };
    TBytes cut = skinpack::LzhCompress(SkewedText());
    cut.resize(cut.size() / 3);
    struct Case { const char* name; TBytes source; };
    const Case cases[] = {
        {"garbage, short", declared(20000, PseudoRandom(1000, 11))},
        {"garbage, long", declared(400000, PseudoRandom(60000, 12))},
        {"all ones: far matches into the ring's start", declared(9000, TBytes(400, 0xFF))},
        {"zeros", declared(3000, TBytes(100, 0))},
        {"skewed text, many rebuilds", skinpack::LzhCompress(SkewedText())},
        {"cut short", cut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBytes ours;
        skin::TLZH().Decompress(c.source, ours);
        EXPECT_EQ(ours, plainlzh::Decode(c.source));
    }
}

TEST(Lzh, RefusesADeclaredSizeTheSourceCannotHold) {
    struct Case { const char* name; TBytes source; };
    const Case cases[] = {
        {"size only", {0x10, 0, 0, 0}},
        {"4 GiB from 8 bytes", {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}},
        {"just over 48 bytes per byte", {49, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBytes target{1, 2, 3};
        EXPECT_THROW(skin::TLZH().Decompress(c.source, target), skin::ElzhException);
        EXPECT_TRUE(target.empty());
    }
    TBytes target;
    skin::TLZH().Decompress(TBytes{48, 0, 0, 0, 0}, target);
    EXPECT_EQ(target.size(), 48u);
    skin::TLZH().Decompress(TBytes{}, target);
    EXPECT_TRUE(target.empty());
}

}  // namespace

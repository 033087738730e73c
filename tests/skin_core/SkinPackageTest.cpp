#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "skin/data/SkinPackage.h"
#include "tests/skin_core/TestData.h"
#include "tools/packer/LzhEncoder.h"
#include "tools/packer/PackageWriter.h"

namespace {

using skin::TBytes;
using skintest::Bytes;

void PutI32(TBytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A package laid out byte by byte, for layouts the package writer refuses to make.
struct RawPackage {
    std::int32_t version = 20000;
    std::string names;
    std::vector<std::int32_t> sizes;
    TBytes data;
    std::optional<std::int32_t> nameLength;  // the real length of names unless given

    TBytes Compressed() const {
        TBytes out;
        PutI32(out, static_cast<std::uint32_t>(version));
        PutI32(out, static_cast<std::uint32_t>(nameLength.value_or(static_cast<std::int32_t>(names.size()))));
        const int block = skin::SkinVersionBlockLength(version);
        out.insert(out.end(), 8 + static_cast<std::size_t>(block > 0 ? block : 0), 0xAB);
        out.insert(out.end(), names.begin(), names.end());
        for (std::int32_t size : sizes) PutI32(out, static_cast<std::uint32_t>(size));
        out.insert(out.end(), data.begin(), data.end());
        return skinpack::LzhCompress(out);
    }
};

// Captures what skin loading shows the user, and restores the previous service.
class SkinPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = skin::SetSkinMessageHandler([this](const std::wstring& text) { shown_.push_back(text); });
    }
    void TearDown() override { skin::SetSkinMessageHandler(std::move(previous_)); }

    std::vector<std::wstring> shown_;
    skin::TSkinReader reader_;

private:
    skin::TSkinMessageHandler previous_;
};

std::vector<skinpack::TPackedFile> SampleFiles() {
    return {{"Skin.INI", Bytes("[Personality]\r\nTop=top.bmp\r\n")},
            {"top.bmp", skintest::PseudoRandom(3000, 5)},
            {"empty.bmp", {}},
            {"Buttons.BMP", skintest::PseudoRandom(700, 6)}};
}

TEST_F(SkinPackageTest, EveryKnownVersionReads) {
    const std::vector<skinpack::TPackedFile> files = SampleFiles();
    for (std::int32_t version : skin::SkinPackageVersions) {
        SCOPED_TRACE(version);
        skinpack::TPackageLayout layout;
        layout.Version = version;
        layout.Filler = 0x5A;  // the free words and the block are skipped unread
        ASSERT_TRUE(reader_.ReadPackage(skinpack::PackSkin(files, layout)));
        EXPECT_EQ(reader_.Header().Version, version);
        EXPECT_EQ(reader_.Names(), (std::vector<std::string>{"skin.ini", "top.bmp", "empty.bmp", "buttons.bmp"}));
        ASSERT_EQ(reader_.FileCount(), 4);
        std::size_t total = 0;
        for (int k = 0; k < reader_.FileCount(); ++k) {
            const auto& expected = files[static_cast<std::size_t>(k)].Bytes;
            EXPECT_EQ(reader_.FileSize(k), static_cast<std::int32_t>(expected.size()));
            TBytes got;
            EXPECT_TRUE(reader_.GetFile(reader_.Names()[static_cast<std::size_t>(k)], got));
            EXPECT_EQ(got, expected);
            total += expected.size();
        }
        EXPECT_EQ(reader_.Data().size(), total);
    }
    EXPECT_TRUE(shown_.empty());
}

TEST_F(SkinPackageTest, UnknownVersionShowsTheMessageAndLoadsNothing) {
    ASSERT_TRUE(reader_.ReadPackage(skinpack::PackSkin(SampleFiles())));
    for (std::int32_t version : {10000, 80000, 0, 20001}) {
        SCOPED_TRACE(version);
        shown_.clear();
        RawPackage raw;
        raw.version = version;
        raw.names = "skin.ini\r\n";
        raw.sizes = {3};
        raw.data = Bytes("abc");
        EXPECT_FALSE(reader_.ReadPackage(raw.Compressed()));
        EXPECT_EQ(shown_, std::vector<std::wstring>{L"This is Older Skin File\rPlease update to new version !"});
        EXPECT_EQ(reader_.FileCount(), 0);
        EXPECT_TRUE(reader_.Names().empty());
        EXPECT_TRUE(reader_.Data().empty());
        TBytes target{1};
        std::string name = "unchanged";
        EXPECT_FALSE(reader_.FindFile(".ini", target, name));
        EXPECT_TRUE(target.empty());
        EXPECT_EQ(name, "unchanged");
    }
}

TEST_F(SkinPackageTest, NameListLineBreaksAllGiveTheSameNames) {
    const std::vector<std::string> expected{"skin.ini", "top.bmp", "", "left.bmp"};
    struct Case { const char* name; std::string list; };
    const Case cases[] = {
        {"CR LF, trailing break", "skin.ini\r\ntop.bmp\r\n\r\nleft.bmp\r\n"},
        {"LF only", "skin.ini\ntop.bmp\n\nleft.bmp\n"},
        {"lone CR", "skin.ini\rtop.bmp\r\rleft.bmp\r"},
        {"no break after the last name", "skin.ini\r\ntop.bmp\n\rleft.bmp"},
        {"a NUL ends the list", std::string("skin.ini\r\ntop.bmp\r\n\r\nleft.bmp\r\n\0junk.bmp\r\n", 44)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawPackage raw;
        raw.names = c.list;
        raw.sizes = {2, 3, 0, 1};
        raw.data = Bytes("iibbbl");
        ASSERT_TRUE(reader_.ReadPackage(raw.Compressed()));
        EXPECT_EQ(reader_.Names(), expected);
        TBytes got;
        EXPECT_TRUE(reader_.GetFile("left.bmp", got));
        EXPECT_EQ(got, Bytes("l"));
    }
}

TEST_F(SkinPackageTest, LookupsLowerCaseTheNameButNotTheFragment) {
    ASSERT_TRUE(reader_.ReadPackage(skinpack::PackSkin(SampleFiles())));
    TBytes got;
    EXPECT_TRUE(reader_.GetFile("TOP.BMP", got));
    EXPECT_EQ(got, SampleFiles()[1].Bytes);
    EXPECT_FALSE(reader_.GetFile("top", got));
    EXPECT_TRUE(got.empty());

    std::string name = "before";
    got = {9};
    EXPECT_FALSE(reader_.FindFile(".INI", got, name));
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(name, "before");
    EXPECT_TRUE(reader_.FindFile(".ini", got, name));
    EXPECT_EQ(name, "skin.ini");
    EXPECT_EQ(got, SampleFiles()[0].Bytes);
    EXPECT_TRUE(reader_.FindFile("tons", got, name));
    EXPECT_EQ(name, "buttons.bmp");

    // An empty file is found, and found empty.
    got = {1};
    EXPECT_TRUE(reader_.GetFile("EMPTY.bmp", got));
    EXPECT_TRUE(got.empty());
}

TEST_F(SkinPackageTest, FirstOfEqualNamesWinsAndOnlyAsciiIsLowerCased) {
    RawPackage raw;
    // "\xC6\xA4" is a GBK character whose bytes must survive lower-casing untouched.
    raw.names = "A.bmp\r\na.BMP\r\n\xC6\xA4Z.bmp\r\n";
    raw.sizes = {1, 2, 3};
    raw.data = Bytes("xyyzzz");
    ASSERT_TRUE(reader_.ReadPackage(raw.Compressed()));
    EXPECT_EQ(reader_.Names(), (std::vector<std::string>{"a.bmp", "a.bmp", "\xC6\xA4z.bmp"}));
    TBytes got;
    EXPECT_TRUE(reader_.GetFile("a.bmp", got));
    EXPECT_EQ(got, Bytes("x"));
    std::string name;
    EXPECT_TRUE(reader_.FindFile(".bmp", got, name));
    EXPECT_EQ(got, Bytes("x"));
    EXPECT_TRUE(reader_.GetFile("\xC6\xA4Z.BMP", got));
    EXPECT_EQ(got, Bytes("zzz"));
}

TEST_F(SkinPackageTest, TrailingBytesAfterTheLastFileAreKept) {
    RawPackage raw;
    raw.names = "a.bmp";
    raw.sizes = {2};
    raw.data = Bytes("aaTRAILING");
    ASSERT_TRUE(reader_.ReadPackage(raw.Compressed()));
    EXPECT_EQ(reader_.Data(), Bytes("aaTRAILING"));
    TBytes got;
    EXPECT_TRUE(reader_.GetFile("a.bmp", got));
    EXPECT_EQ(got, Bytes("aa"));
}

TEST_F(SkinPackageTest, LayoutsThatDoNotFitAreRefusedWithoutAMessage) {
    std::string thousandAndTwo;
    for (int k = 0; k < 1002; ++k) thousandAndTwo += "f" + std::to_string(k) + ".bmp\n";
    struct Case { const char* name; RawPackage raw; };
    const Case cases[] = {
        {"sizes add up to more than the data", {20000, "a.bmp\nb.bmp\n", {3, 4}, Bytes("abcdef")}},
        {"a negative size", {20000, "a.bmp\nb.bmp\n", {-1, 4}, Bytes("abcdef")}},
        {"a size table cut short", {20000, "a.bmp\nb.bmp\nc.bmp\n", {1}, {}}},
        {"a name list longer than the package", {20000, "a.bmp\n", {0}, {}, 5000}},
        {"a negative name-list length", {30000, "a.bmp\n", {0}, {}, -2}},
        {"more than 1001 files", {20000, thousandAndTwo, std::vector<std::int32_t>(1002, 0), {}}},
        {"a version block cut short", {30000, "", {}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBytes package = c.raw.Compressed();
        if (c.raw.version == 30000 && c.raw.names.empty()) {
            // Keep only the header and part of the block.
            TBytes plain;
            skin::TLZH().Decompress(package, plain);
            plain.resize(100);
            package = skinpack::LzhCompress(plain);
        }
        EXPECT_FALSE(reader_.ReadPackage(package));
        EXPECT_EQ(reader_.FileCount(), 0);
        EXPECT_TRUE(reader_.Data().empty());
    }
    EXPECT_TRUE(shown_.empty());

    RawPackage most;
    most.names = thousandAndTwo.substr(0, thousandAndTwo.rfind("f1001"));
    most.sizes.assign(1001, 0);
    EXPECT_TRUE(reader_.ReadPackage(most.Compressed()));
    EXPECT_EQ(reader_.FileCount(), 1001);
}

TEST_F(SkinPackageTest, BytesWithoutAHeaderShowTheMessage) {
    const std::vector<TBytes> cases{{}, {1, 2, 3}, {0, 0, 0, 0}, {15, 0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0x7F, 1, 2}};
    for (const TBytes& package : cases) {
        shown_.clear();
        EXPECT_FALSE(reader_.ReadPackage(package));
        EXPECT_EQ(shown_.size(), 1u);
    }
}

TEST_F(SkinPackageTest, DamagedPackagesFailSafely) {
    const TBytes good = skinpack::PackSkin(SampleFiles());
    std::vector<TBytes> damaged{{}, {1, 2, 3}, {0, 0, 0, 0}, {16, 0, 0, 0}};
    for (std::size_t cut : {5u, 20u, 100u, 1000u}) damaged.emplace_back(good.begin(), good.begin() + static_cast<long>(cut));
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        TBytes noise = skintest::PseudoRandom(64 + seed * 97, seed);
        noise[0] = static_cast<std::uint8_t>(seed * 13);
        noise[1] = noise[2] = noise[3] = 0;
        damaged.push_back(noise);
        TBytes flipped = good;
        flipped[4 + seed * 31 % (good.size() - 4)] ^= static_cast<std::uint8_t>(1u << (seed % 8));
        damaged.push_back(flipped);
    }
    for (const TBytes& package : damaged) {
        if (!reader_.ReadPackage(package)) {
            EXPECT_EQ(reader_.FileCount(), 0);
            EXPECT_TRUE(reader_.Data().empty());
            continue;
        }
        // Whatever was accepted serves only bytes it holds.
        std::uint64_t total = 0;
        for (int k = 0; k < reader_.FileCount(); ++k) total += static_cast<std::uint32_t>(reader_.FileSize(k));
        EXPECT_LE(total, reader_.Data().size());
    }
}

}  // namespace

// Small skin packages made in the test: a description and solid or patterned bitmaps,
// packed as the program's packages are, and handed to a TSkinData as its SkinStream.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "tools/packer/PackageWriter.h"
#include "ui/BmpCodec.h"

namespace skintest {

using Pixel = std::function<ui::TColor(int x, int y)>;

inline Pixel SolidPixel(ui::TColor color)
{
    return [color](int, int) { return color; };
}

// A 24-bit .bmp whose pixel (x, y) is pixel(x, y).
inline std::vector<std::uint8_t> Bitmap(int width, int height, const Pixel& pixel)
{
    ui::BmpImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(image.Stride() * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const ui::TColor c = pixel(x, y);
            std::uint8_t* p = image.Row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(ui::ColorBlue(c));
            p[1] = static_cast<std::uint8_t>(ui::ColorGreen(c));
            p[2] = static_cast<std::uint8_t>(ui::ColorRed(c));
        }
    }
    return ui::EncodeBmp24(image);
}

struct SkinPackage {
    std::string Description;
    std::vector<skinpack::TPackedFile> Files;

    SkinPackage& Add(const std::string& name, int width, int height, const Pixel& pixel)
    {
        Files.push_back({name, Bitmap(width, height, pixel)});
        return *this;
    }
    SkinPackage& Add(const std::string& name, int width, int height, ui::TColor color = ui::RGBColor(10, 20, 30))
    {
        return Add(name, width, height, SolidPixel(color));
    }

    // The compressed package. A version the writer does not know (10000) is patched into
    // a 20000 package, which carries no version block.
    skin::TBytes Packed(std::int32_t version = 70000) const
    {
        std::vector<skinpack::TPackedFile> files = Files;
        files.insert(files.begin(), {"skin.ini", {Description.begin(), Description.end()}});
        if (skin::SkinVersionBlockLength(version) >= 0) {
            skinpack::TPackageLayout layout;
            layout.Version = version;
            return skinpack::PackSkin(files, layout);
        }
        skinpack::TPackageLayout layout;
        layout.Version = 20000;
        std::vector<std::uint8_t> raw = skinpack::BuildPackage(files, layout);
        for (int k = 0; k < 4; ++k) raw[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(version >> (8 * k));
        return skinpack::LzhCompress(raw);
    }
};

// A skin of the frame alone, of other measures than the program's: side borders 6 wide, a
// title bar 22 high and a bottom border 5 high, each picture two frames of one colour.
inline constexpr ui::TColor kFrameSkinTitle = ui::RGBColor(90, 20, 20);
inline constexpr ui::TColor kFrameSkinLeft = ui::RGBColor(20, 90, 20);
inline skin::TBytes FrameSkin()
{
    SkinPackage package;
    package.Description =
        "[Version]\nVersion=70000\n[Personality]\nTop=t.bmp\nTopFrame=2\nLeft=l.bmp\nLeftFrame=2\nRight=r.bmp\nRightFrame=2\n"
        "Bottom=b.bmp\nBottomFrame=2\nLeftTrans=0\nRightTrans=0\nTopTrans=0\nBottomTrans=0\n";
    package.Add("t.bmp", 40, 44, kFrameSkinTitle)
        .Add("l.bmp", 12, 40, kFrameSkinLeft)
        .Add("r.bmp", 12, 40, ui::RGBColor(20, 20, 90))
        .Add("b.bmp", 40, 10, ui::RGBColor(90, 90, 20));
    return package.Packed();
}

// The SkinStream payload: length, then the bytes.
inline void WritePayload(ui::TMemoryStream& stream, std::int32_t length, const skin::TBytes& bytes)
{
    const auto n = static_cast<std::uint32_t>(length);
    const std::uint8_t word[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                  static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    stream.WriteBuffer(word, 4);
    stream.WriteBuffer(bytes.data(), bytes.size());
    stream.SetPosition(0);
}

// Reads the package into the component as a form read does.
inline void LoadPackage(skin::TSkinData& skin, const skin::TBytes& package)
{
    ui::TMemoryStream stream;
    WritePayload(stream, static_cast<std::int32_t>(package.size()), package);
    skin.ReadSkinStream(stream);
}

// The colour of a pixel of a loaded bitmap.
inline ui::TColor PixelAt(const ui::TBitmap& bitmap, int x, int y) { return bitmap.Canvas().Pixel(x, y); }

}  // namespace skintest

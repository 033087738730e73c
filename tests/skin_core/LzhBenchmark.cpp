// Decompression speed of a skin package: bench_lzh [package-file] [rounds]. Without a file
// a package shaped like the embedded skin is made (one description and 41 bitmaps,
// about 300 KB decompressed). Prints MB/s of decompressed output, and the time of a whole
// ReadPackage.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/data/SkinPackage.h"
#include "tests/skin_core/TestData.h"
#include "tools/packer/PackageWriter.h"

namespace {

// Bitmaps of skins are mostly flat fills, gradients and a little texture.
std::vector<std::uint8_t> SkinLikeBitmap(int width, int height, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(54, 0);
    const std::vector<std::uint8_t> noise = skintest::PseudoRandom(static_cast<std::size_t>(width * height), seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t shade = static_cast<std::uint8_t>(120 + y * 2 + (x % 16 == 0 ? 40 : 0));
            const std::uint8_t grain = noise[static_cast<std::size_t>(y * width + x)] % 4;
            bytes.insert(bytes.end(), {static_cast<std::uint8_t>(shade + grain), shade,
                                       static_cast<std::uint8_t>(shade / 2)});
        }
    return bytes;
}

std::vector<std::uint8_t> MadePackage() {
    std::vector<skinpack::TPackedFile> files;
    std::string description = "[Personality]\r\n";
    while (description.size() < 7973) description += "Key" + std::to_string(description.size()) + "=12 34 56\r\n";
    files.push_back({"skin.ini", {description.begin(), description.end()}});
    for (int k = 0; k < 41; ++k) files.push_back({"image" + std::to_string(k) + ".bmp", SkinLikeBitmap(60, 40, k + 1u)});
    return skinpack::PackSkin(files);
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::uint8_t> package;
    if (argc > 1 && std::string(argv[1]) != "-") {
        std::ifstream in(argv[1], std::ios::binary);
        package.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        package = MadePackage();
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;
    skin::TBytes plain;
    skin::TLZH().Decompress(package, plain);
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < rounds; ++k) skin::TLZH().Decompress(package, plain);
    const double decompress = Seconds(std::chrono::steady_clock::now() - start) / rounds;

    skin::TSkinReader reader;
    const auto readStart = std::chrono::steady_clock::now();
    bool ok = true;
    for (int k = 0; k < rounds; ++k) ok = reader.ReadPackage(package) && ok;
    const double read = Seconds(std::chrono::steady_clock::now() - readStart) / rounds;

    std::printf("package %zu bytes -> %zu bytes, %d files (%s)\n", package.size(), plain.size(),
                reader.FileCount(), ok ? "read" : "refused");
    std::printf("decompress %.3f ms, %.1f MB/s of output\n", decompress * 1e3, plain.size() / decompress / 1e6);
    std::printf("ReadPackage %.3f ms\n", read * 1e3);
    return ok ? 0 : 1;
}

// Decompression speed of a skin package: bench_lzh [package-file|-|repetitive] [rounds]
// [write-to]. Without a file ("-") a package shaped like the embedded skin is made (one
// description and 41 bitmaps, about 300 KB decompressed); "repetitive" makes one of about
// 2 MB of flat-filled bitmaps, where long matches dominate. Prints MB/s of decompressed
// output for TLZH and for a plain C decoder of the same format run alongside as the
// yardstick (their ratio is the figure that counts on a busy machine), and the time of a
// whole ReadPackage; write-to saves the package for comparisons.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/data/SkinPackage.h"
#include "tests/skin_core/PlainLzh.h"
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

// Large bitmaps of flat rows: nearly every symbol is a longest match.
std::vector<std::uint8_t> RepetitivePackage() {
    std::vector<skinpack::TPackedFile> files;
    for (int k = 0; k < 8; ++k) {
        std::vector<std::uint8_t> bytes(54, 0);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 340; ++x)
                bytes.insert(bytes.end(), {static_cast<std::uint8_t>(40 + k), static_cast<std::uint8_t>(y / 8),
                                           static_cast<std::uint8_t>(200 - k)});
        files.push_back({"flat" + std::to_string(k) + ".bmp", bytes});
    }
    return skinpack::PackSkin(files);
}


double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::uint8_t> package;
    const std::string source = argc > 1 ? argv[1] : "-";
    if (source == "repetitive") {
        package = RepetitivePackage();
    } else if (source != "-") {
        std::ifstream in(source, std::ios::binary);
        package.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        package = MadePackage();
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;
    if (argc > 3) std::ofstream(argv[3], std::ios::binary).write(reinterpret_cast<const char*>(package.data()),
                                                              static_cast<std::streamsize>(package.size()));
    skin::TBytes plain;
    skin::TLZH().Decompress(package, plain);
    if (plainlzh::Decode(package) != plain) {
        std::printf("TLZH and the plain decoder disagree\n");
        return 1;
    }
    // Interleaved rounds, so that both decoders meet the same load of a shared machine.
    double decompress = 0, yardstick = 0;
    for (int k = 0; k < rounds; ++k) {
        const auto start = std::chrono::steady_clock::now();
        skin::TLZH().Decompress(package, plain);
        const auto middle = std::chrono::steady_clock::now();
        const std::vector<std::uint8_t> reference = plainlzh::Decode(package);
        decompress += Seconds(middle - start);
        yardstick += Seconds(std::chrono::steady_clock::now() - middle);
    }
    decompress /= rounds;
    yardstick /= rounds;

    skin::TSkinReader reader;
    const auto readStart = std::chrono::steady_clock::now();
    bool ok = true;
    for (int k = 0; k < rounds; ++k) ok = reader.ReadPackage(package) && ok;
    const double read = Seconds(std::chrono::steady_clock::now() - readStart) / rounds;

    std::printf("package %zu bytes -> %zu bytes, %d files (%s)\n", package.size(), plain.size(),
                reader.FileCount(), ok ? "read" : "refused");
    std::printf("decompress %.3f ms, %.1f MB/s of output\n", decompress * 1e3, plain.size() / decompress / 1e6);
    std::printf("plain C decoder %.3f ms, %.1f MB/s; TLZH takes %.2f x its time\n", yardstick * 1e3,
                plain.size() / yardstick / 1e6, decompress / yardstick);
    std::printf("ReadPackage %.3f ms\n", read * 1e3);
    return ok ? 0 : 1;
}

// Decoding speed of skin-sized bitmaps: a skin package carries about forty 24-bit images,
// some 300 KB in all, decoded on every skin load.
#include <chrono>
#include <cstdio>
#include <vector>

#include "ui/BmpCodec.h"

int main()
{
    using Clock = std::chrono::steady_clock;
    struct Case {
        const char* name;
        int width, height, bits;
    };
    const Case cases[] = {{"24-bit 300x336 (one skin's worth)", 300, 336, 24}, {"32-bit 256x256", 256, 256, 32}};
    for (const auto& c : cases) {
        ui::BmpImage image{c.width, c.height, c.bits, {}};
        image.pixels.resize(image.Stride() * static_cast<std::size_t>(c.height));
        for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 31);
        std::vector<std::uint8_t> file = ui::EncodeBmp24(image);
        const int rounds = 2000;
        std::size_t checksum = 0;
        auto start = Clock::now();
        for (int i = 0; i < rounds; ++i) checksum += ui::DecodeBmp(file)->pixels[static_cast<std::size_t>(i) % 64];
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("%-36s %7.1f us per decode, %7.1f MB/s (checksum %zu)\n", c.name, seconds / rounds * 1e6,
                    static_cast<double>(file.size()) * rounds / seconds / 1e6, checksum);
    }
    return 0;
}

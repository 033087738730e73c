// Silent PCM recordings for the playback tests, 8-bit mono. The samples are left as a hole
// in the file, so a long recording costs almost no disk or time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testing_app {

inline void WriteSilentWav(const std::filesystem::path& path, std::int64_t milliseconds, std::uint32_t rate = 8000)
{
    const auto data_bytes = static_cast<std::uint32_t>(milliseconds * rate / 1000);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    auto u32 = [&](std::uint32_t v) {
        const char b[4] = {char(v & 0xFF), char(v >> 8 & 0xFF), char(v >> 16 & 0xFF), char(v >> 24 & 0xFF)};
        out.write(b, 4);
    };
    auto u16 = [&](std::uint16_t v) {
        const char b[2] = {char(v & 0xFF), char(v >> 8)};
        out.write(b, 2);
    };
    out.write("RIFF", 4);
    u32(36 + data_bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);     // PCM
    u16(1);     // mono
    u32(rate);  // samples per second
    u32(rate);  // bytes per second
    u16(1);     // block align
    u16(8);     // bits per sample
    out.write("data", 4);
    u32(data_bytes);
    if (data_bytes > 0) {
        out.seekp(data_bytes - 1, std::ios::cur);
        out.put('\x80');
    }
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace testing_app

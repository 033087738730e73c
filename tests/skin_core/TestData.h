// Deterministic test payloads shared by the skin core suites.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace skintest {

// Bytes from a linear congruential generator: the same on every platform.
inline std::vector<std::uint8_t> PseudoRandom(std::size_t count, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(count);
    for (auto& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(seed >> 16);
    }
    return bytes;
}

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

inline std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001b3ull;
    return hash;
}

}  // namespace skintest

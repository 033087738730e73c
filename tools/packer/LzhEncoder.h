// The LZHUF encoder of the skin packer: build-time and author tool only, the program
// itself only decodes. Output: the 4-byte little-endian input size, then the bit stream.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skinpack {

struct TLzhOptions {
    // How many earlier occurrences of a 3-byte prefix are tried per position.
    int ChainDepth = 256;
    // Literals only: every byte costs a symbol, the tree sees no match lengths.
    bool LiteralsOnly = false;
};

std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> input,
                                      const TLzhOptions& options = {});

}  // namespace skinpack

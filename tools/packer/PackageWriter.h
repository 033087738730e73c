// Writing skin packages: the uncompressed layout (header, version block, name list, size
// table, files) and the compressed package the program embeds or loads from disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/packer/LzhEncoder.h"

namespace skinpack {

struct TPackedFile {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
};

struct TPackageLayout {
    std::int32_t Version = 70000;
    // Written after every name, the last one included.
    std::string LineBreak = "\r\n";
    // Bytes of the two free header words and of the version block.
    std::uint8_t Filler = 0;
};

// The decompressed package. Throws std::invalid_argument for an unknown version, more
// files than a reader accepts, or a name that would split into other lines.
std::vector<std::uint8_t> BuildPackage(const std::vector<TPackedFile>& files,
                                       const TPackageLayout& layout = {});

// BuildPackage, then LZHUF.
std::vector<std::uint8_t> PackSkin(const std::vector<TPackedFile>& files,
                                   const TPackageLayout& layout = {},
                                   const TLzhOptions& options = {});

}  // namespace skinpack

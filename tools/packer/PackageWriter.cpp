#include "tools/packer/PackageWriter.h"

#include <stdexcept>

#include "skin/data/SkinPackage.h"

namespace skinpack {

namespace {

void PutI32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

std::vector<std::uint8_t> BuildPackage(const std::vector<TPackedFile>& files,
                                       const TPackageLayout& layout) {
    const int block = skin::SkinVersionBlockLength(layout.Version);
    if (block < 0) throw std::invalid_argument("unknown package version");
    if (files.size() > skin::SkinPackageMaxFiles) throw std::invalid_argument("too many files");
    if (layout.LineBreak.empty() && files.size() > 1)
        throw std::invalid_argument("names need a line break between them");
    std::string names;
    for (const TPackedFile& file : files) {
        if (file.Name.empty() || file.Name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw std::invalid_argument("file name unusable in a package: " + file.Name);
        names += file.Name + layout.LineBreak;
    }
    std::vector<std::uint8_t> out;
    PutI32(out, static_cast<std::uint32_t>(layout.Version));
    PutI32(out, static_cast<std::uint32_t>(names.size()));
    out.insert(out.end(), 8 + static_cast<std::size_t>(block), layout.Filler);
    out.insert(out.end(), names.begin(), names.end());
    for (const TPackedFile& file : files) PutI32(out, static_cast<std::uint32_t>(file.Bytes.size()));
    for (const TPackedFile& file : files) out.insert(out.end(), file.Bytes.begin(), file.Bytes.end());
    return out;
}

std::vector<std::uint8_t> PackSkin(const std::vector<TPackedFile>& files,
                                   const TPackageLayout& layout, const TLzhOptions& options) {
    return LzhCompress(BuildPackage(files, layout), options);
}

}  // namespace skinpack

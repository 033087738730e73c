// A package reader fed two ways: the input as a compressed package (the bit stream
// decoder in front), and, when the first byte is odd, the rest as the decompressed layout,
// compressed here so that the header, name list and size table parsing see every shape.
#include <cstdlib>

#include "skin/data/SkinPackage.h"
#include "tools/packer/LzhEncoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (skin::SetSkinMessageHandler([](const std::wstring&) {}), true);
    (void)quiet;
    skin::TSkinReader reader;
    skin::TBytes package(data, data + size);
    if (size > 0 && (data[0] & 1)) {
        skinpack::TLzhOptions fast;
        fast.ChainDepth = 4;
        package = skinpack::LzhCompress(skin::TByteSpan(data + 1, size - 1), fast);
    }
    if (!reader.ReadPackage(package)) {
        if (reader.FileCount() != 0 || !reader.Data().empty()) std::abort();
        return 0;
    }
    std::uint64_t total = 0;
    skin::TBytes file;
    for (int k = 0; k < reader.FileCount(); ++k) {
        total += static_cast<std::uint32_t>(reader.FileSize(k));
        if (!reader.GetFile(reader.Names()[static_cast<std::size_t>(k)], file)) std::abort();
    }
    if (total > reader.Data().size()) std::abort();
    std::string name;
    reader.FindFile(".ini", file, name);
    reader.FindFile(std::string_view(reinterpret_cast<const char*>(data), size < 8 ? size : 8), file, name);
    return 0;
}

// Arbitrary bytes as a compressed stream: decoding must stay inside its buffers and either
// deliver exactly the declared size or refuse it, and what it delivers is what the plain
// reference decoder makes of the same bytes.
#include <cstdlib>

#include "skin/data/SkinPackage.h"
#include "tests/skin_core/PlainLzh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skin::TBytes target;
    try {
        skin::TLZH().Decompress({data, size}, target);
    } catch (const skin::ElzhException&) {
        return 0;
    }
    const std::uint32_t declared = size >= 4 ? static_cast<std::uint32_t>(data[0] | data[1] << 8 |
                                                                          data[2] << 16 | data[3] << 24)
                                             : 0;
    if (size >= 4 && target.size() != declared) std::abort();
    if (target != plainlzh::Decode(skin::TBytes(data, data + size))) std::abort();
    return 0;
}

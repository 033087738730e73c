// skintool stream: a package as a form stores it in the skin component's SkinStream
// property, so that a window can carry it in its description.
#include <cstdio>

#include "skin/data/SkinSettings.h"
#include "tools/skintool/Command.h"
#include "tools/skintool/OpenPackage.h"

namespace skintool {

namespace {

int Stream(const std::vector<std::string>& args) {
    if (args.size() != 2) return UsageError("stream");
    // Only a package the program can read is worth embedding.
    skin::TSkinReader reader;
    OpenPackage(args[0], reader);
    ui::TMemoryStream payload;
    skin::WriteSkinStream(payload, ReadFileBytes(args[0]));
    WriteFileBytes(args[1], payload.Bytes());
    std::printf("%zu bytes of SkinStream payload\n", payload.Bytes().size());
    return 0;
}

const TCommandRegistrar registrar({"stream", "<package> <payload>",
                                   "writes the package as the SkinStream property stores it: a 32-bit length, then the bytes",
                                   Stream});

}  // namespace

}  // namespace skintool

#include <cstdio>

#include "skin/data/SkinPackage.h"
#include "tools/skintool/Command.h"
#include "tools/skintool/OpenPackage.h"

namespace skintool {

namespace {

int List(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError("list");
    skin::TSkinReader reader;
    OpenPackage(args[0], reader);
    std::printf("version %d\nfiles %d\n", reader.Header().Version, reader.FileCount());
    std::uint64_t total = 0;
    for (int k = 0; k < reader.FileCount(); ++k) {
        std::printf("%10d  %s\n", reader.FileSize(k), reader.Names()[static_cast<std::size_t>(k)].c_str());
        total += static_cast<std::uint32_t>(reader.FileSize(k));
    }
    std::printf("%10llu  bytes in files, data area %llu\n", static_cast<unsigned long long>(total),
                static_cast<unsigned long long>(reader.Data().size()));
    return 0;
}

const TCommandRegistrar registrar({"list", "<package>",
                                   "prints the version, then every contained file's size and name", List});

}  // namespace

}  // namespace skintool

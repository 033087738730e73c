#include <cstdio>
#include <set>

#include "skin/data/SkinPackage.h"
#include "tools/skintool/Command.h"
#include "tools/skintool/OpenPackage.h"

namespace skintool {

namespace {

int Extract(const std::vector<std::string>& args) {
    if (args.size() != 2) return UsageError("extract");
    skin::TSkinReader reader;
    OpenPackage(args[0], reader);
    const std::filesystem::path folder = args[1];
    std::filesystem::create_directories(folder);
    std::set<std::string> written;
    skin::TBytes bytes;
    for (const std::string& name : reader.Names()) {
        // Lookups serve the first of equal names; a later one is never seen by the program.
        if (!written.insert(name).second) {
            std::fprintf(stderr, "skipped duplicate %s\n", name.c_str());
            continue;
        }
        // Names are bare file names; anything that would leave the folder is refused.
        const std::filesystem::path target = std::filesystem::path(name).filename();
        if (target.empty() || target != std::filesystem::path(name) || name == "." || name == "..") {
            std::fprintf(stderr, "skipped unsafe name %s\n", name.c_str());
            continue;
        }
        reader.GetFile(name, bytes);
        WriteFileBytes(folder / target, bytes);
    }
    return 0;
}

const TCommandRegistrar registrar({"extract", "<package> <folder>",
                                   "writes every contained file into the folder", Extract});

}  // namespace

}  // namespace skintool

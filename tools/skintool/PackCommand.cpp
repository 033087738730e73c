#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "tools/packer/PackageWriter.h"
#include "tools/skintool/Command.h"

namespace skintool {

namespace {

int Pack(const std::vector<std::string>& args) {
    skinpack::TPackageLayout layout;
    std::vector<std::string> paths;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--version" && k + 1 < args.size())
            layout.Version = std::stoi(args[++k]);
        else
            paths.push_back(args[k]);
    }
    if (paths.size() != 2) return UsageError("pack");
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(paths[0]))
        if (entry.is_regular_file()) sources.push_back(entry.path());
    // A fixed order keeps the package byte-identical from one build to the next.
    std::sort(sources.begin(), sources.end(),
              [](const auto& a, const auto& b) { return a.filename().string() < b.filename().string(); });
    std::vector<skinpack::TPackedFile> files;
    for (const auto& source : sources) files.push_back({source.filename().string(), ReadFileBytes(source)});
    const std::vector<std::uint8_t> package = skinpack::PackSkin(files, layout);
    WriteFileBytes(paths[1], package);
    std::printf("%zu files, version %d, %zu bytes packed\n", files.size(), layout.Version, package.size());
    return 0;
}

const TCommandRegistrar registrar({"pack", "[--version N] <folder> <package>",
                                   "packs every file of the folder, in name order (version 70000 unless given)",
                                   Pack});

}  // namespace

}  // namespace skintool

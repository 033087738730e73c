// skintool: lists, extracts, packs and previews skin packages, and writes a package as a
// form stores it (SkinStream). The commands register themselves; see Command.h.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/skintool/Command.h"

namespace skintool {

namespace {

std::vector<TCommand>& Registry() {
    static std::vector<TCommand> commands;
    return commands;
}

void PrintHelp() {
    std::fprintf(stderr, "usage: skintool <command> [arguments]\n");
    for (const TCommand& command : Commands())
        std::fprintf(stderr, "  %s %s\n      %s\n", command.Name.c_str(), command.Usage.c_str(),
                     command.Summary.c_str());
}

}  // namespace

const std::vector<TCommand>& Commands() { return Registry(); }

TCommandRegistrar::TCommandRegistrar(TCommand command) { Registry().push_back(std::move(command)); }

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

int UsageError(const std::string& name) {
    for (const TCommand& command : Commands())
        if (command.Name == name)
            std::fprintf(stderr, "usage: skintool %s %s\n", name.c_str(), command.Usage.c_str());
    return 2;
}

}  // namespace skintool

int main(int argc, char** argv) {
    using namespace skintool;
    if (argc < 2) {
        PrintHelp();
        return 2;
    }
    const std::string name = argv[1];
    for (const TCommand& command : Commands()) {
        if (command.Name != name) continue;
        try {
            return command.Run(std::vector<std::string>(argv + 2, argv + argc));
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "skintool %s: %s\n", name.c_str(), failure.what());
            return 1;
        }
    }
    PrintHelp();
    return 2;
}

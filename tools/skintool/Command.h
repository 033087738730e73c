// The commands of skintool. Each command lives in a file of its own and registers itself
// with a static TCommandRegistrar; main() dispatches on the first argument.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace skintool {

struct TCommand {
    std::string Name;
    std::string Usage;  // arguments after the command name
    std::string Summary;
    // Arguments after the command name; returns the process exit code.
    int (*Run)(const std::vector<std::string>& args);
};

const std::vector<TCommand>& Commands();

struct TCommandRegistrar {
    explicit TCommandRegistrar(TCommand command);
};

// Whole-file helpers; both throw std::runtime_error naming the path.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Prints the command's usage line to standard error and returns exit code 2.
int UsageError(const std::string& command);

}  // namespace skintool

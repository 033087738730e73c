#include "TempDir.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace platform_test {

TempDir::TempDir() : previous_(std::filesystem::current_path())
{
    static unsigned counter = 0;
    std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
        path_ = base / (L"mj-platform-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    } while (!std::filesystem::create_directory(path_));
    std::filesystem::current_path(path_);
}

TempDir::~TempDir()
{
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace platform_test

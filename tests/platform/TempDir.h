// A fresh folder under the system's temporary folder, made the current working directory for
// the object's life (the database file is looked up there) and removed afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace platform_test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace platform_test

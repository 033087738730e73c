// Reading a package file for a command; throws std::runtime_error when it is not one.
#pragma once

#include <filesystem>

#include "skin/data/SkinPackage.h"

namespace skintool {

void OpenPackage(const std::filesystem::path& path, skin::TSkinReader& reader);

}  // namespace skintool

#include "tools/skintool/OpenPackage.h"

#include <stdexcept>

#include "tools/skintool/Command.h"

namespace skintool {

void OpenPackage(const std::filesystem::path& path, skin::TSkinReader& reader) {
    if (!reader.ReadPackage(ReadFileBytes(path)))
        throw std::runtime_error(path.string() + " is not a readable skin package");
}

}  // namespace skintool

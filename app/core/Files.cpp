#include "app/core/Files.h"

namespace app {

std::wstring ExtractFileName(std::wstring_view path)
{
    const size_t separator = path.find_last_of(L"\\/:");
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

}  // namespace app

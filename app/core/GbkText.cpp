#include <windows.h>

#include "app/core/WordCount.h"

namespace app {

namespace {

constexpr UINT kGbk = 936;
constexpr char kPlaceholder[] = "\xA1\xA1";

// Converts `text` into `out` (appending); false when some character had no GBK form.
bool AppendGbk(std::wstring_view text, std::string& out)
{
    const size_t start = out.size();
    // Code page 936 needs at most two bytes per UTF-16 unit.
    out.resize(start + text.size() * 2);
    BOOL used_default = FALSE;
    const int written = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                            out.data() + start, static_cast<int>(text.size() * 2), nullptr,
                                            &used_default);
    out.resize(start + static_cast<size_t>(written > 0 ? written : 0));
    return !used_default && (written > 0 || text.empty());
}

}  // namespace

std::string GbkBytesForCount(std::wstring_view text)
{
    std::string out;
    if (AppendGbk(text, out)) return out;
    // Rare: some character has no GBK form. Convert one character at a time so that each
    // such character gets the placeholder.
    out.clear();
    for (size_t i = 0; i < text.size();) {
        const bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const size_t units = pair ? 2 : 1;
        const size_t mark = out.size();
        if (!AppendGbk(text.substr(i, units), out)) {
            out.resize(mark);
            out += kPlaceholder;
        }
        i += units;
    }
    return out;
}

}  // namespace app

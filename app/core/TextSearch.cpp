#include "app/core/TextSearch.h"

#include "app/core/Documents.h"

namespace app {

namespace {

std::optional<TextMatch> FindFrom(std::wstring_view text, std::wstring_view word, size_t from)
{
    if (word.empty() || from > text.size()) return std::nullopt;
    const size_t at = text.find(word, from);
    if (at == std::wstring_view::npos) return std::nullopt;
    return TextMatch{at, word.size()};
}

}  // namespace

std::optional<TextMatch> FindFirst(std::wstring_view text, std::wstring_view word)
{
    return FindFrom(text, word, 0);
}

std::optional<TextMatch> FindNext(std::wstring_view text, std::wstring_view word, size_t from)
{
    return FindFrom(text, TrimView(word), from);
}

}  // namespace app

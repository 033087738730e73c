// Search in the transcript: exact, case-sensitive matches; positions are the memo's
// character indices (line breaks count as their two characters).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace app {

struct TextMatch {
    size_t start = 0;
    size_t length = 0;
};

// The first occurrence of the word as typed; none for an empty word.
std::optional<TextMatch> FindFirst(std::wstring_view text, std::wstring_view word);

// The next occurrence of the word without its surrounding blanks, searched from `from`
// (the end of the selection) to the end of the text; it does not wrap.
std::optional<TextMatch> FindNext(std::wstring_view text, std::wstring_view word, size_t from);

}  // namespace app

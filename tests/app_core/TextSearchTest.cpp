#include <gtest/gtest.h>

#include "app/core/TextSearch.h"

namespace {

constexpr std::wstring_view kText = L"今天 会议\r\n 会议 Meeting meeting";

TEST(FindFirst, ExactCaseSensitiveFirstOccurrence)
{
    const struct {
        const wchar_t* word;
        std::optional<size_t> start;
    } cases[] = {
        {L"会议", 3}, {L" 会议", 2}, {L"meeting", 19}, {L"Meeting", 11}, {L"MEETING", std::nullopt},
        {L"", std::nullopt}, {L"不存在", std::nullopt}, {L"\r\n ", 5},
    };
    for (const auto& c : cases) {
        const auto match = app::FindFirst(kText, c.word);
        ASSERT_EQ(match.has_value(), c.start.has_value()) << c.word;
        if (match) {
            EXPECT_EQ(match->start, *c.start) << c.word;
            EXPECT_EQ(match->length, std::wstring_view(c.word).size()) << c.word;
        }
    }
}

TEST(FindNext, TrimsTheWordAndSearchesFromTheSelectionEndWithoutWrapping)
{
    // A leading space: find first keeps it, find next drops it.
    auto first = app::FindFirst(kText, L" 会议");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->start, 2u);
    auto next = app::FindNext(kText, L" 会议", 0);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->start, 3u);
    EXPECT_EQ(next->length, 2u);

    next = app::FindNext(kText, L" 会议", next->start + next->length);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->start, 8u);
    EXPECT_FALSE(app::FindNext(kText, L" 会议", next->start + next->length));  // no wrap
    EXPECT_FALSE(app::FindNext(kText, L"  ", 0));
    EXPECT_FALSE(app::FindNext(kText, L"会议", kText.size() + 5));
    EXPECT_FALSE(app::FindNext(L"", L"x", 0));
}

}  // namespace

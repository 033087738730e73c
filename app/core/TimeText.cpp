#include "app/core/TimeText.h"

#include <array>
#include <limits>

#include "ui/Exception.h"

namespace app {

namespace {

constexpr std::int64_t kDayMs = 24LL * 60 * 60 * 1000;

bool IsBlank(wchar_t c) { return static_cast<unsigned>(c) <= 32; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring_view TrimBlanks(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

[[noreturn]] void ThrowInvalidTime(std::wstring_view text)
{
    throw ui::EConvertError(ui::Format(L"'%ls' is not a valid time", std::wstring(text).c_str()));
}

}  // namespace

std::wstring TimeText(std::int64_t milliseconds)
{
    std::int64_t ms = milliseconds % kDayMs;
    if (ms < 0) ms += kDayMs;
    const auto seconds = static_cast<int>(ms / 1000);
    return ui::Format(L"%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

std::int64_t ParseTimeOfDay(std::wstring_view text)
{
    std::wstring_view rest = TrimBlanks(text);
    std::array<int, 3> fields{};
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            if (rest.empty() || rest.front() != L':') ThrowInvalidTime(text);
            rest.remove_prefix(1);
        }
        size_t digits = 0;
        while (digits < rest.size() && IsDigit(rest[digits])) ++digits;
        if (digits == 0 || digits > 2) ThrowInvalidTime(text);
        int value = 0;
        for (size_t d = 0; d < digits; ++d) value = value * 10 + (rest[d] - L'0');
        fields[i] = value;
        rest.remove_prefix(digits);
    }
    if (!rest.empty() || fields[0] > 23 || fields[1] > 59 || fields[2] > 59) ThrowInvalidTime(text);
    return ((fields[0] * 60LL + fields[1]) * 60 + fields[2]) * 1000;
}

int StrToInt(std::wstring_view text)
{
    std::wstring_view rest = text;
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == L'+' || rest.front() == L'-')) {
        negative = rest.front() == L'-';
        rest.remove_prefix(1);
    }
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                        : std::numeric_limits<int>::max();
    std::int64_t value = 0;
    bool valid = !rest.empty();
    for (wchar_t c : rest) {
        if (!IsDigit(c) || (value = value * 10 + (c - L'0')) > limit) {
            valid = false;
            break;
        }
    }
    if (!valid) throw ui::EConvertError(ui::Format(L"'%ls' is not a valid integer value", std::wstring(text).c_str()));
    return static_cast<int>(negative ? -value : value);
}

int CountdownSeconds(std::wstring_view text)
{
    return static_cast<int>(ParseTimeOfDay(L"00:00:" + std::wstring(text)) / 1000);
}

std::wstring TimeStamp(std::wstring_view readout)
{
    return L"-" + std::wstring(readout) + L"-";
}

}  // namespace app

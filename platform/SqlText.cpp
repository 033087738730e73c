#include "platform/SqlText.h"

#include <algorithm>

#include "ui/Object.h"

namespace platform {

namespace {

std::wstring Trim(std::wstring_view text)
{
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return std::wstring(text.substr(first, text.find_last_not_of(L" \t") - first + 1));
}

bool IsNameChar(wchar_t c)
{
    return c >= 0x80 || (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' ||
           c == L'$';
}

}  // namespace

std::wstring DataSourceOf(std::wstring_view text)
{
    while (!text.empty()) {
        size_t end = text.find(L';');
        std::wstring_view item = text.substr(0, end);
        text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
        size_t equals = item.find(L'=');
        if (equals == std::wstring_view::npos || !ui::SameName(Trim(item.substr(0, equals)), L"Data Source"))
            continue;
        std::wstring value = Trim(item.substr(equals + 1));
        if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

std::vector<std::wstring> FindParameters(std::wstring_view text)
{
    std::vector<std::wstring> names;
    auto skip_to = [&](size_t from, std::wstring_view end) {
        size_t at = text.find(end, from);
        return at == std::wstring_view::npos ? text.size() : at + end.size();
    };
    size_t i = 0;
    while (i < text.size()) {
        wchar_t c = text[i];
        wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
        if (c == L'\'' || c == L'"' || c == L'`') {
            i = skip_to(i + 1, std::wstring_view(&text[i], 1));
        } else if (c == L'[') {
            i = skip_to(i + 1, L"]");
        } else if (c == L'-' && next == L'-') {
            i = skip_to(i + 2, L"\n");
        } else if (c == L'/' && next == L'*') {
            i = skip_to(i + 2, L"*/");
        } else if (c == L':') {
            size_t end = i + 1;
            while (end < text.size() && IsNameChar(text[end])) ++end;
            std::wstring name(text.substr(i + 1, end - i - 1));
            auto same = [&](const std::wstring& known) { return ui::SameName(known, name); };
            if (!name.empty() && std::none_of(names.begin(), names.end(), same)) names.push_back(name);
            i = end;
        } else {
            ++i;
        }
    }
    return names;
}

std::wstring QuoteName(std::wstring_view name)
{
    std::wstring out = L"\"";
    for (wchar_t c : name) {
        if (c == L'"') out += L'"';
        out += c;
    }
    return out + L'"';
}

}  // namespace platform

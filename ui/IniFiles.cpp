#include "ui/IniFiles.h"

#include <windows.h>

#include <climits>
#include <cwctype>
#include <vector>

#include "ui/Exception.h"

namespace ui {

namespace {

bool ParseInteger(std::wstring_view text, int& out)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    unsigned base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        unsigned digit = (c >= L'0' && c <= L'9')   ? static_cast<unsigned>(c - L'0')
                         : (c >= L'a' && c <= L'f') ? static_cast<unsigned>(c - L'a' + 10)
                         : (c >= L'A' && c <= L'F') ? static_cast<unsigned>(c - L'A' + 10)
                                                    : 99u;
        if (digit >= base) return false;
        value = value * base + digit;
        if (value > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue) const
{
    std::vector<wchar_t> buffer(256);
    for (;;) {
        DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file_name_.c_str());
        // A value that fills the buffer may have been cut: ask again with more room.
        if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 4);
    }
}

void TIniFile::Write(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    if (!WritePrivateProfileStringW(section, key, value, file_name_.c_str()))
        throw Exception(Format(L"Unable to write to %ls", file_name_.c_str()));
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    Write(section.c_str(), key.c_str(), value.c_str());
}

int TIniFile::ReadInteger(const std::wstring& section, const std::wstring& key, int defaultValue) const
{
    int value = defaultValue;
    return ParseInteger(ReadString(section, key, L""), value) ? value : defaultValue;
}

void TIniFile::WriteInteger(const std::wstring& section, const std::wstring& key, int value)
{
    WriteString(section, key, std::to_wstring(value));
}

bool TIniFile::ValueExists(const std::wstring& section, const std::wstring& key) const
{
    // No default can be told apart from every stored value, so ask for the key list.
    std::vector<wchar_t> keys(4096);
    for (;;) {
        DWORD n = GetPrivateProfileStringW(section.c_str(), nullptr, L"", keys.data(), static_cast<DWORD>(keys.size()),
                                           file_name_.c_str());
        if (n + 2 < keys.size() || keys.size() >= (1u << 22)) break;
        keys.resize(keys.size() * 4);
    }
    for (const wchar_t* p = keys.data(); *p; p += wcslen(p) + 1)
        if (CompareStringOrdinal(p, -1, key.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    return false;
}

void TIniFile::DeleteKey(const std::wstring& section, const std::wstring& key) { Write(section.c_str(), key.c_str(), nullptr); }

void TIniFile::EraseSection(const std::wstring& section) { Write(section.c_str(), nullptr, nullptr); }

}  // namespace ui

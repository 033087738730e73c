#include "skin/data/QuickIni.h"

#include <limits>

#include "skin/data/SkinPackage.h"

namespace skin {

namespace {

std::string_view Trim(std::string_view text) {
    auto blank = [](char ch) { return static_cast<unsigned char>(ch) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseInt32(std::string_view text, std::int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = !text.empty() && text.front() == '$';
    if (hex) text.remove_prefix(1);
    if (text.empty()) return false;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull
                                    : static_cast<std::uint64_t>(
                                          std::numeric_limits<std::int32_t>::max()) + negative;
    std::uint64_t magnitude = 0;
    for (char ch : text) {
        const int digit = hex ? HexDigit(ch) : (ch >= '0' && ch <= '9' ? ch - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (magnitude > limit) return false;
    }
    const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
    return true;
}

void TQuickIni::LoadFromStream(const std::vector<std::uint8_t>* stream) {
    if (!stream) return;
    LoadFromText(std::string_view(reinterpret_cast<const char*>(stream->data()), stream->size()));
}

void TQuickIni::LoadFromText(std::string_view text) {
    lines_.clear();
    sections_.clear();
    for (std::string_view raw : SplitLines(text)) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (IsHeader(line)) sections_.emplace_back(line, static_cast<int>(lines_.size()));
        lines_.emplace_back(line);
    }
}

int TQuickIni::FindSection(std::string_view section) const {
    std::string header;
    header.reserve(section.size() + 2);
    header.append(1, '[').append(section).append(1, ']');
    for (const auto& [name, position] : sections_)
        if (SameText(name, header)) return position;
    return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  const std::string& defaultValue) const {
    const int header = FindSection(section);
    if (header < 0) return defaultValue;
    const std::string wanted = AsciiLower(key);
    for (std::size_t at = static_cast<std::size_t>(header) + 1; at < lines_.size(); ++at) {
        const std::string_view line = lines_[at];
        if (IsHeader(line)) break;
        const std::size_t equals = line.find('=');
        const std::string_view lineKey = equals == std::string_view::npos
                                             ? std::string_view{}
                                             : Trim(line.substr(0, equals));
        if (AsciiLower(lineKey) != wanted) continue;
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view{} : Trim(line.substr(equals + 1));
        return value.empty() ? defaultValue : std::string(value);
    }
    return defaultValue;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
    std::string text = ReadString(section, key, std::string());
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
    std::int32_t value = 0;
    return ParseInt32(text, value) ? value : defaultValue;
}

void TQuickIni::ReadSections(std::vector<std::string>& target) const {
    target.clear();
    for (const auto& entry : sections_) {
        const std::string_view header = Trim(entry.first);
        target.emplace_back(Trim(header.substr(1, header.size() - 2)));
    }
}

}  // namespace skin

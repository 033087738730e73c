#include "app/core/Draft.h"

#include <algorithm>
#include <array>

#include "app/core/TimeText.h"

namespace app {

namespace {

constexpr std::string_view kMagic = "MJZSDRAFT1\n";
constexpr size_t kFields = 6;

std::uint32_t Fnv1a(std::string_view bytes)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char b : bytes) hash = (hash ^ b) * 16777619u;
    return hash;
}

void PutU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutUnit(std::string& out, std::uint32_t unit)
{
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; the file is UTF-16 either way.
void PutText(std::string& out, std::wstring_view text)
{
    std::string units;
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            PutUnit(units, 0xD800 + ((code - 0x10000) >> 10));
            PutUnit(units, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            PutUnit(units, code);
        }
    }
    PutU32(out, static_cast<std::uint32_t>(units.size() / 2));
    out += units;
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    bool U32(std::uint32_t& value)
    {
        if (rest_.size() < 4) return false;
        value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(rest_[static_cast<size_t>(i)]);
        rest_.remove_prefix(4);
        return true;
    }
    bool Text(std::wstring& text)
    {
        std::uint32_t units = 0;
        if (!U32(units) || units > rest_.size() / 2) return false;
        text.clear();
        text.reserve(units);
        for (std::uint32_t i = 0; i < units; ++i) {
            const auto unit = static_cast<std::uint32_t>(static_cast<unsigned char>(rest_[2 * i]) |
                                                         static_cast<unsigned char>(rest_[2 * i + 1]) << 8);
            if constexpr (sizeof(wchar_t) == 4) {
                if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
                    const auto low = static_cast<std::uint32_t>(static_cast<unsigned char>(rest_[2 * i + 2]) |
                                                                static_cast<unsigned char>(rest_[2 * i + 3]) << 8);
                    if (low >= 0xDC00 && low < 0xE000) {
                        text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                        ++i;
                        continue;
                    }
                }
            }
            text.push_back(static_cast<wchar_t>(unit));
        }
        rest_.remove_prefix(units * 2);
        return true;
    }
    bool AtEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

std::optional<std::int64_t> Milliseconds(std::wstring_view text)
{
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

}  // namespace

std::string SerializeDrafts(const std::vector<Draft>& drafts)
{
    std::string out(kMagic);
    PutU32(out, static_cast<std::uint32_t>(drafts.size()));
    for (const Draft& draft : drafts) {
        const Document& d = draft.document;
        for (const std::wstring* field : {&d.id, &d.date, &d.title, &d.content, &d.voice}) PutText(out, *field);
        PutText(out, std::to_wstring(draft.saved_at));
    }
    PutU32(out, Fnv1a(out));
    return out;
}

std::vector<Draft> ParseDrafts(std::string_view bytes)
{
    if (bytes.size() < kMagic.size() + 8 || bytes.substr(0, kMagic.size()) != kMagic) return {};
    const std::string_view body = bytes.substr(0, bytes.size() - 4);
    Reader checksum(bytes.substr(body.size()));
    std::uint32_t stored_sum = 0;
    if (!checksum.U32(stored_sum) || stored_sum != Fnv1a(body)) return {};

    Reader reader(body.substr(kMagic.size()));
    std::uint32_t count = 0;
    if (!reader.U32(count)) return {};
    std::vector<Draft> drafts;
    for (std::uint32_t r = 0; r < count; ++r) {
        std::array<std::wstring, kFields> fields;
        for (std::wstring& field : fields)
            if (!reader.Text(field)) return {};
        const auto saved_at = Milliseconds(fields[5]);
        if (!saved_at) return {};
        drafts.push_back(Draft{Document{std::move(fields[0]), std::move(fields[1]), std::move(fields[2]),
                                        std::move(fields[3]), std::move(fields[4])},
                               *saved_at});
    }
    if (!reader.AtEnd()) return {};
    return drafts;
}

bool DiffersFromStored(const Document& document, const std::optional<Document>& stored)
{
    if (!stored) return !TrimView(document.title).empty() || !TrimView(document.content).empty();
    return TrimView(document.title) != TrimView(stored->title) ||
           TrimView(document.content) != TrimView(stored->content) ||
           TrimView(document.voice) != TrimView(stored->voice);
}

const Draft* NewestDraft(const std::vector<Draft>& drafts)
{
    const auto newest = std::max_element(drafts.begin(), drafts.end(),
        [](const Draft& a, const Draft& b) { return a.saved_at < b.saved_at; });
    return newest == drafts.end() ? nullptr : &*newest;
}

int NextDocumentId(std::wstring_view max_text, const std::vector<Draft>& drafts)
{
    int next = NextDocumentId(max_text);
    for (const Draft& draft : drafts) {
        // A draft's id is one this program gave out; anything else in the file is passed over.
        try {
            next = std::max(next, NextDocumentId(draft.document.id));
        } catch (const std::exception&) {
        }
    }
    return next;
}

}  // namespace app

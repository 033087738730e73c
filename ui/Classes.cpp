#include "ui/Classes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace ui {

namespace {

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameText(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::filesystem::path ToPath(const std::wstring& path) { return std::filesystem::path(path); }

}  // namespace

void TStrings::IndexError(int index) { throw EStringListError(Format(L"List index out of bounds (%d)", index)); }

int TStrings::Add(const std::wstring& text)
{
    int index = Count();
    Insert(index, text);
    return index;
}

void TStrings::AddStrings(const TStrings& other)
{
    // Counted first: adding a list to itself doubles it once.
    int n = other.Count();
    for (int i = 0; i < n; ++i) Add(other.Get(i));
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this) return;
    Clear();
    AddStrings(other);
}

int TStrings::IndexOf(std::wstring_view text) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), text)) return i;
    return -1;
}

std::wstring TStrings::Text() const
{
    std::wstring out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += L"\r\n";
    }
    return out;
}

void TStrings::SetText(std::wstring_view text)
{
    Clear();
    if (auto nul = text.find(L'\0'); nul != std::wstring_view::npos) text = text.substr(0, nul);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            Add(std::wstring(text.substr(start)));
            break;
        }
        Add(std::wstring(text.substr(start, end - start)));
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
}

std::wstring TStrings::Names(int index) const
{
    std::wstring line = Get(index);
    auto eq = line.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : line.substr(0, eq);
}

std::wstring TStrings::ValueFromIndex(int index) const
{
    std::wstring line = Get(index);
    auto eq = line.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : line.substr(eq + 1);
}

int TStrings::IndexOfName(std::wstring_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        std::wstring line = Get(i);
        auto eq = line.find(L'=');
        if (eq != std::wstring::npos && SameText(std::wstring_view(line).substr(0, eq), name)) return i;
    }
    return -1;
}

std::wstring TStrings::Values(std::wstring_view name) const
{
    int index = IndexOfName(name);
    return index < 0 ? std::wstring() : ValueFromIndex(index);
}

void TStrings::SetValue(std::wstring_view name, const std::wstring& value)
{
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
        return;
    }
    std::wstring line = std::wstring(name) + L"=" + value;
    if (index < 0)
        Add(line);
    else
        Put(index, line);
}

const std::wstring& TStringList::At(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
    return lines_[static_cast<std::size_t>(index)];
}

std::wstring TStringList::Get(int index) const { return At(index); }

void TStringList::Put(int index, const std::wstring& text)
{
    if (index < 0 || index >= Count()) IndexError(index);
    lines_[static_cast<std::size_t>(index)] = text;
}

void TStringList::Insert(int index, const std::wstring& text)
{
    if (index < 0 || index > Count()) IndexError(index);
    lines_.insert(lines_.begin() + index, text);
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) IndexError(index);
    lines_.erase(lines_.begin() + index);
}

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (count != 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count)
{
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::int64_t copied = 0;
    std::vector<std::uint8_t> chunk(64 * 1024);
    while (copied < count) {
        auto n = static_cast<std::size_t>(std::min<std::int64_t>(count - copied, static_cast<std::int64_t>(chunk.size())));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        copied += static_cast<std::int64_t>(n);
    }
    return copied;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    if (position_ >= Size()) return 0;
    auto available = static_cast<std::size_t>(Size() - position_);
    std::size_t n = std::min(count, available);
    if (n) std::memcpy(buffer, data_.data() + position_, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0) return 0;
    // A position past what memory can address (a far seek on a 32-bit build) takes nothing.
    if (static_cast<std::uint64_t>(position_) > SIZE_MAX - count) return 0;
    auto end = static_cast<std::size_t>(position_) + count;
    if (end > data_.size()) data_.resize(end);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ = static_cast<std::int64_t>(end);
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position_ : Size();
    std::int64_t target = base + offset;
    if (target < 0) throw EReadError(L"Stream seek error");
    position_ = target;
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    if (size < 0) throw EWriteError(L"Stream write error");
    data_.resize(static_cast<std::size_t>(size));
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    auto size = source.Size();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    source.ReadBuffer(bytes.data(), bytes.size());
    data_ = std::move(bytes);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::wstring& path)
{
    data_ = ReadFileBytes(path);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& target) const { target.WriteBuffer(data_.data(), data_.size()); }

void TMemoryStream::SaveToFile(const std::wstring& path) const { WriteFileBytes(path, data_.data(), data_.size()); }

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(ToPath(path), std::ios::binary);
    if (!in) throw EFOpenError(Format(L"Cannot open file \"%ls\"", path.c_str()));
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EReadError(L"Stream read error");
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(ToPath(path), std::ios::binary | std::ios::trunc);
    if (!out) throw EFOpenError(Format(L"Cannot create file \"%ls\"", path.c_str()));
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) throw EWriteError(L"Stream write error");
}

}  // namespace ui

// General-purpose classes of the framework that need no window system:
//   TNotifyEvent   the event signature of handlers that only learn who raised them
//   TStrings       an indexed list of text lines with "name=value" access (abstract)
//   TStringList    TStrings held in memory
//   TStream        a byte stream with a position (abstract)
//   TMemoryStream  TStream over a growable buffer, loadable from and savable to files
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Exception.h"
#include "ui/Object.h"

namespace ui {

using TNotifyEvent = std::function<void(TObject* sender)>;

// An index outside a list.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};
// A stream that could not supply or take the bytes asked for.
class EReadError : public Exception {
public:
    using Exception::Exception;
};
class EWriteError : public Exception {
public:
    using Exception::Exception;
};
// A file that could not be opened or created.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// Lines of text as the framework passes them around (memo lines, query text, name lists).
// Lookups by text and by name ignore the case of ASCII letters.
class TStrings : public TObject {
public:
    std::wstring_view ClassName() const override { return L"TStrings"; }

    virtual int Count() const = 0;
    virtual std::wstring Get(int index) const = 0;
    virtual void Put(int index, const std::wstring& text) = 0;
    virtual void Insert(int index, const std::wstring& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::wstring operator[](int index) const { return Get(index); }
    int Add(const std::wstring& text);
    void AddStrings(const TStrings& other);
    void Assign(const TStrings& other);
    int IndexOf(std::wstring_view text) const;

    // Every line followed by CR LF.
    std::wstring Text() const;
    // Splits at CR LF, a lone CR or a lone LF; a NUL ends the text; a break after the last
    // line adds no empty line.
    void SetText(std::wstring_view text);

    // "name=value" lines: the name is the text before the first '='.
    std::wstring Names(int index) const;
    std::wstring ValueFromIndex(int index) const;
    int IndexOfName(std::wstring_view name) const;
    std::wstring Values(std::wstring_view name) const;
    // An empty value removes the line; a missing name is added at the end.
    void SetValue(std::wstring_view name, const std::wstring& value);

protected:
    [[noreturn]] static void IndexError(int index);
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    std::wstring_view ClassName() const override { return L"TStringList"; }

    int Count() const override { return static_cast<int>(lines_.size()); }
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& text) override;
    void Insert(int index, const std::wstring& text) override;
    void Delete(int index) override;
    void Clear() override { lines_.clear(); }

    // Direct access for callers that walk the lines without copying them.
    const std::wstring& At(int index) const;

private:
    std::vector<std::wstring> lines_;
};

enum class TSeekOrigin : std::uint8_t { soBeginning, soCurrent, soEnd };

// Bytes with a position. Read and Write move as far as they can and say how far;
// ReadBuffer and WriteBuffer insist on the whole count.
class TStream : public TObject {
public:
    std::wstring_view ClassName() const override { return L"TStream"; }

    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Returns the new position; positions before the start are refused (EReadError).
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size() const = 0;
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() const { return position_; }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
    // Copies count bytes from the source's position; count 0 copies the whole source from
    // its start. Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

protected:
    std::int64_t position_ = 0;
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    std::wstring_view ClassName() const override { return L"TMemoryStream"; }

    std::size_t Read(void* buffer, std::size_t count) override;
    // Writing past the end grows the stream; a gap left by a seek reads as zeros.
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t size) override;

    std::uint8_t* Memory() { return data_.data(); }
    const std::uint8_t* Memory() const { return data_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return data_; }
    void Clear();

    // Replace the whole content and rewind.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::wstring& path);
    void SaveToStream(TStream& target) const;
    void SaveToFile(const std::wstring& path) const;

private:
    std::vector<std::uint8_t> data_;
};

// Whole files as bytes, wide paths on every platform.
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::uint8_t* data, std::size_t size);

}  // namespace ui

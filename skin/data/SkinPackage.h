// TSkinReader: the skin package reader, and TLZH, its LZHUF decompressor.
//
// A skin package is a 4-byte decompressed size followed by an LZHUF bit stream. Once
// decompressed it holds a 16-byte header (version, name-list length, two free words), a
// version block, the name list, one size per name and the files back to back. The reader
// decompresses the whole package once and serves its files by name from that buffer.
//
// Streams are byte vectors: a source is read from its start, a target is cleared and
// filled (and so "rewound"). Everything here is plain C++ so it is tested and fuzzed
// natively; only the default message service shows a system box on Windows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Exception.h"

namespace skin {

using TBytes = std::vector<std::uint8_t>;
using TByteSpan = std::span<const std::uint8_t>;

class ElzhException : public ui::Exception {
public:
    using ui::Exception::Exception;
};

class TLZH {
public:
    // Decodes source (size word + bit stream) into target, which is cleared first. Bytes
    // past the end of the source read as 0. A declared size that the source cannot
    // possibly deliver (more than MaxExpansion bytes per source byte) is refused with
    // ElzhException before anything is allocated.
    void Decompress(TByteSpan source, TBytes& target);

    // Upper bound of one LZHUF source byte's output: a 60-byte match costs at least 10 bits
    // (a 1-bit symbol and a 9-bit position).
    static constexpr std::uint64_t MaxExpansion = 48;
};

// The package versions and the length of the block each carries after the header; -1
// for a version the reader does not know.
int SkinVersionBlockLength(std::int32_t version);
inline constexpr std::array<std::int32_t, 6> SkinPackageVersions{20000, 30000, 40000,
                                                                  50000, 60000, 70000};
inline constexpr std::size_t SkinPackageHeaderSize = 16;
inline constexpr std::size_t SkinPackageMaxFiles = 1001;

// The one message skin loading shows a user. The default service shows a message box on
// Windows and writes to standard error elsewhere; tests and the application replace it.
using TSkinMessageHandler = std::function<void(const std::wstring& text)>;
// Installs handler (an empty one restores the default) and returns the previous one.
TSkinMessageHandler SetSkinMessageHandler(TSkinMessageHandler handler);
void ShowSkinMessage(const std::wstring& text);
inline constexpr wchar_t OlderSkinMessage[] =
    L"This is Older Skin File\rPlease update to new version !";

struct TSkinPackageHeader {
    std::int32_t Version = 0;
    std::int32_t NameListLength = 0;
    std::uint32_t Reserved[2] = {0, 0};
};

// Splits text into lines as a string list does: CR LF, a lone CR or a lone LF ends a
// line, a NUL ends the text, and a break after the last line adds no empty entry.
std::vector<std::string_view> SplitLines(std::string_view text);
// Lower-cases ASCII letters only; other bytes (GBK included) stay as they are.
std::string AsciiLower(std::string_view text);

class TSkinReader {
public:
    // Reads a compressed package. True when its version is known and its layout fits.
    // OlderSkinMessage is shown for an unknown version and for bytes that decode to no
    // header at all; a known version whose sizes do not fit is refused without a message
    // (that text would be wrong). On false the reader stays empty.
    bool ReadPackage(TByteSpan compressed);

    // The first file whose name equals name lower-cased. Target is cleared either way.
    bool GetFile(std::string_view name, TBytes& target) const;
    // The first file whose name contains fragment as is (names are lower case, the
    // fragment is not converted). Target is cleared; foundName changes only on a match.
    bool FindFile(std::string_view fragment, TBytes& target, std::string& foundName) const;

    const std::vector<std::string>& Names() const { return names_; }
    int FileCount() const { return count_; }
    std::int32_t FileSize(int index) const { return sizes_[static_cast<std::size_t>(index)]; }
    const TSkinPackageHeader& Header() const { return header_; }
    // The data area: every file back to back, plus whatever trailing bytes it carried.
    const TBytes& Data() const { return data_; }

private:
    void Clear();
    void CopyEntry(std::size_t index, TBytes& target) const;

    std::vector<std::string> names_;
    int count_ = 0;
    std::array<std::int32_t, SkinPackageMaxFiles> sizes_{};
    TBytes data_;
    TSkinPackageHeader header_;
};

}  // namespace skin

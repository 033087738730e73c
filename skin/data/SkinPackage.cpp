#include "skin/data/SkinPackage.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace skin {

namespace {

constexpr int RingSize = 4096;
constexpr int RingMask = RingSize - 1;
constexpr int LookAhead = 60;
constexpr int Threshold = 2;
constexpr int SymbolCount = 256 - Threshold + LookAhead;  // 314
constexpr int TreeSize = 2 * SymbolCount - 1;              // 627
constexpr int Root = TreeSize - 1;                          // 626
constexpr std::uint16_t MaxFreq = 0x8000;

// The decoding tables of the upper six position bits, built from the run lengths that
// define them: d_code holds each value for 32, 16, 8, 4, 2 or 1 first bytes, and d_len is
// the number of bits its code and the following bits take.
struct PositionTables {
    std::array<std::uint8_t, 256> code{};
    std::array<std::uint8_t, 256> length{};
    constexpr PositionTables() {
        struct Run { int values, entriesEach; };
        constexpr Run codeRuns[] = {{1, 32}, {3, 16}, {8, 8}, {12, 4}, {24, 2}, {16, 1}};
        int at = 0, value = 0;
        for (const Run& run : codeRuns)
            for (int v = 0; v < run.values; ++v, ++value)
                for (int e = 0; e < run.entriesEach; ++e) code[static_cast<std::size_t>(at++)] =
                    static_cast<std::uint8_t>(value);
        struct LenRun { int bits, entries; };
        constexpr LenRun lengthRuns[] = {{3, 32}, {4, 48}, {5, 64}, {6, 48}, {7, 48}, {8, 16}};
        at = 0;
        for (const LenRun& run : lengthRuns)
            for (int e = 0; e < run.entries; ++e)
                length[static_cast<std::size_t>(at++)] = static_cast<std::uint8_t>(run.bits);
    }
};
constexpr PositionTables Positions;

// One decompression's state: the bit reader, the ring and the adaptive Huffman tree.
class Decoder {
public:
    explicit Decoder(TByteSpan stream) : stream_(stream) {
        for (int i = 0; i < SymbolCount; ++i) {
            freq_[i] = 1;
            son_[i] = static_cast<std::int16_t>(i + TreeSize);
            parent_[i + TreeSize] = static_cast<std::int16_t>(i);
        }
        for (int i = 0, j = SymbolCount; j < TreeSize; i += 2, ++j) {
            freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
            son_[j] = static_cast<std::int16_t>(i);
            parent_[i] = parent_[i + 1] = static_cast<std::int16_t>(j);
        }
        freq_[TreeSize] = 0xFFFF;
        parent_[Root] = 0;
        std::fill(ring_.begin(), ring_.begin() + (RingSize - LookAhead), std::uint8_t{' '});
    }

    void Run(std::uint32_t size, TBytes& target) {
        int r = RingSize - LookAhead;
        auto put = [&](std::uint8_t byte) {
            target.push_back(byte);
            ring_[static_cast<std::size_t>(r)] = byte;
            r = (r + 1) & RingMask;
        };
        while (target.size() < size) {
            const int c = DecodeSymbol();
            if (c < 256) {
                put(static_cast<std::uint8_t>(c));
                continue;
            }
            const int start = (r - DecodePosition() - 1) & RingMask;
            const int length = c - 255 + Threshold;
            for (int k = 0; k < length && target.size() < size; ++k)
                put(ring_[static_cast<std::size_t>((start + k) & RingMask)]);
        }
    }

private:
    void Fill() {
        while (bitCount_ <= 8) {
            const unsigned byte = next_ < stream_.size() ? stream_[next_++] : 0u;
            bits_ = static_cast<std::uint16_t>(bits_ | (byte << (8 - bitCount_)));
            bitCount_ += 8;
        }
    }
    int Bit() {
        Fill();
        const int bit = bits_ >> 15;
        bits_ = static_cast<std::uint16_t>(bits_ << 1);
        --bitCount_;
        return bit;
    }
    int Byte() {
        Fill();
        const int byte = bits_ >> 8;
        bits_ = static_cast<std::uint16_t>(bits_ << 8);
        bitCount_ -= 8;
        return byte;
    }

    int DecodeSymbol() {
        int c = son_[Root];
        while (c < TreeSize) c = son_[c + Bit()];
        c -= TreeSize;
        Update(c);
        return c;
    }

    int DecodePosition() {
        const int first = Byte();
        int i = first;
        for (int extra = Positions.length[static_cast<std::size_t>(first)] - 2; extra > 0; --extra)
            i = i * 2 + Bit();
        return (Positions.code[static_cast<std::size_t>(first)] << 6) | (i & 0x3F);
    }

    // A son value below TreeSize names the sibling pair son, son + 1.
    void Adopt(int child, int node) {
        parent_[child] = static_cast<std::int16_t>(node);
        if (child < TreeSize) parent_[child + 1] = static_cast<std::int16_t>(node);
    }

    void Update(int symbol) {
        if (freq_[Root] >= MaxFreq) Rebuild();
        int c = parent_[symbol + TreeSize];
        do {
            const std::uint16_t k = ++freq_[c];
            if (k > freq_[c + 1]) {
                int l = c + 1;
                while (k > freq_[l + 1]) ++l;
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int sonC = son_[c];
                const int sonL = son_[l];
                Adopt(sonC, l);
                Adopt(sonL, c);
                son_[l] = static_cast<std::int16_t>(sonC);
                son_[c] = static_cast<std::int16_t>(sonL);
                c = l;
            }
            c = parent_[c];
        } while (c != 0);
    }

    // Halves the leaf counts and rebuilds the internal nodes in ascending order.
    void Rebuild() {
        int j = 0;
        for (int i = 0; i < TreeSize; ++i) {
            if (son_[i] >= TreeSize) {
                freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
                son_[j] = son_[i];
                ++j;
            }
        }
        for (int i = 0, n = SymbolCount; n < TreeSize; i += 2, ++n) {
            const std::uint16_t f = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
            int k = n - 1;
            while (f < freq_[k]) --k;
            ++k;
            for (int m = n; m > k; --m) {
                freq_[m] = freq_[m - 1];
                son_[m] = son_[m - 1];
            }
            freq_[k] = f;
            son_[k] = static_cast<std::int16_t>(i);
        }
        for (int i = 0; i < TreeSize; ++i) Adopt(son_[i], i);
    }

    TByteSpan stream_;
    std::size_t next_ = 0;
    std::uint16_t bits_ = 0;
    int bitCount_ = 0;
    std::array<std::uint8_t, RingSize> ring_{};
    std::array<std::uint16_t, TreeSize + 1> freq_{};
    std::array<std::int16_t, TreeSize + SymbolCount> parent_{};
    std::array<std::int16_t, TreeSize> son_{};
};

std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::int32_t ReadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadU32(p)); }

TSkinMessageHandler& MessageHandler() {
    static TSkinMessageHandler handler;
    return handler;
}

}  // namespace

// Defined per platform in SkinMessage.cpp.
void ShowDefaultSkinMessage(const std::wstring& text);

void TLZH::Decompress(TByteSpan source, TBytes& target) {
    target.clear();
    std::uint8_t sizeWord[4] = {0, 0, 0, 0};
    std::copy_n(source.begin(), std::min<std::size_t>(4, source.size()), sizeWord);
    const std::uint32_t size = ReadU32(sizeWord);
    const std::uint64_t streamBytes = source.size() > 4 ? source.size() - 4 : 0;
    if (size > streamBytes * MaxExpansion)
        throw ElzhException(L"LZH : Declared size does not fit the compressed data");
    std::unique_ptr<Decoder> decoder;
    try {
        decoder = std::make_unique<Decoder>(source.subspan(std::min<std::size_t>(4, source.size())));
        target.reserve(size);
    } catch (const std::bad_alloc&) {
        throw ElzhException(L"LZH : Cannot get memory for dictionary tables");
    }
    decoder->Run(size, target);
}

int SkinVersionBlockLength(std::int32_t version) {
    switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
    }
}

TSkinMessageHandler SetSkinMessageHandler(TSkinMessageHandler handler) {
    return std::exchange(MessageHandler(), std::move(handler));
}

void ShowSkinMessage(const std::wstring& text) {
    if (MessageHandler())
        MessageHandler()(text);
    else
        ShowDefaultSkinMessage(text);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end;
        if (at < text.size() && text[at] == '\r') ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    return lines;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return lower;
}

void TSkinReader::Clear() {
    names_.clear();
    count_ = 0;
    sizes_.fill(0);
    data_.clear();
    header_ = {};
}

bool TSkinReader::ReadPackage(TByteSpan compressed) {
    Clear();
    TBytes package;
    try {
        TLZH().Decompress(compressed, package);
    } catch (const ElzhException&) {
        package.clear();
    }
    // Bytes that do not even decode to a header tell the user what any unreadable package
    // tells: the one skin message.
    if (package.size() < SkinPackageHeaderSize) {
        ShowSkinMessage(OlderSkinMessage);
        return false;
    }
    TSkinPackageHeader header;
    header.Version = ReadI32(&package[0]);
    header.NameListLength = ReadI32(&package[4]);
    header.Reserved[0] = ReadU32(&package[8]);
    header.Reserved[1] = ReadU32(&package[12]);
    const int block = SkinVersionBlockLength(header.Version);
    if (block < 0) {
        ShowSkinMessage(OlderSkinMessage);
        return false;
    }
    // The layout is checked before anything is kept, so a damaged package leaves the
    // reader empty instead of serving bytes that are not there.
    const std::size_t namesAt = SkinPackageHeaderSize + static_cast<std::size_t>(block);
    if (header.NameListLength < 0 || namesAt > package.size() ||
        static_cast<std::size_t>(header.NameListLength) > package.size() - namesAt)
        return false;
    const std::string_view listText(reinterpret_cast<const char*>(package.data()) + namesAt,
                                    static_cast<std::size_t>(header.NameListLength));
    const std::vector<std::string_view> lines = SplitLines(listText);
    const std::size_t sizesAt = namesAt + static_cast<std::size_t>(header.NameListLength);
    if (lines.size() > SkinPackageMaxFiles || lines.size() * 4 > package.size() - sizesAt)
        return false;
    const std::size_t dataAt = sizesAt + lines.size() * 4;
    std::uint64_t total = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::int32_t size = ReadI32(&package[sizesAt + 4 * k]);
        if (size < 0) return false;
        sizes_[k] = size;
        total += static_cast<std::uint32_t>(size);
    }
    if (total > package.size() - dataAt) {
        sizes_.fill(0);
        return false;
    }
    names_.reserve(lines.size());
    for (std::string_view line : lines) names_.push_back(AsciiLower(line));
    count_ = static_cast<int>(lines.size());
    data_.assign(package.begin() + static_cast<std::ptrdiff_t>(dataAt), package.end());
    header_ = header;
    return true;
}

void TSkinReader::CopyEntry(std::size_t index, TBytes& target) const {
    std::size_t offset = 0;
    for (std::size_t k = 0; k < index; ++k) offset += static_cast<std::size_t>(sizes_[k]);
    const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(offset);
    target.assign(begin, begin + sizes_[index]);
}

bool TSkinReader::GetFile(std::string_view name, TBytes& target) const {
    target.clear();
    const std::string wanted = AsciiLower(name);
    const auto it = std::find(names_.begin(), names_.end(), wanted);
    if (it == names_.end()) return false;
    CopyEntry(static_cast<std::size_t>(it - names_.begin()), target);
    return true;
}

bool TSkinReader::FindFile(std::string_view fragment, TBytes& target,
                           std::string& foundName) const {
    target.clear();
    const auto it = std::find_if(names_.begin(), names_.end(), [&](const std::string& entry) {
        return entry.find(fragment) != std::string::npos;
    });
    if (it == names_.end()) return false;
    foundName = *it;
    CopyEntry(static_cast<std::size_t>(it - names_.begin()), target);
    return true;
}

}  // namespace skin

#include "skin/data/SkinPackage.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

namespace skin {

namespace {

constexpr int RingSize = 4096;
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

// One decompression's state: the bit reader and the adaptive Huffman tree. The output
// buffer itself serves as the ring: a match reaching back before the first byte reads
// what the ring held at the start, spaces and, in its last LookAhead slots, zeros.
class Decoder {
public:
    explicit Decoder(TByteSpan stream) : next_(stream.data()), end_(stream.data() + stream.size()) {
        for (int i = 0; i < SymbolCount; ++i) {
            freq_[i] = 1;
            son_[i] = i + TreeSize;
            parent_[i + TreeSize] = i;
        }
        for (int i = 0, j = SymbolCount; j < TreeSize; i += 2, ++j) {
            freq_[j] = freq_[i] + freq_[i + 1];
            son_[j] = i;
            parent_[i] = parent_[i + 1] = j;
        }
        freq_[TreeSize] = 0xFFFF;
        parent_[Root] = 0;
    }

    void Run(std::uint8_t* out, std::size_t size) {
        std::size_t at = 0;
        while (at < size) {
            const int c = DecodeSymbol();
            if (c < 256) {
                out[at++] = static_cast<std::uint8_t>(c);
                continue;
            }
            const std::size_t distance = static_cast<std::size_t>(DecodePosition()) + 1;
            const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(c - 255 + Threshold), size - at);
            std::uint8_t* to = out + at;
            if (distance <= at) {
                // Byte by byte: a near match repeats what it has just written.
                const std::uint8_t* from = to - distance;
                for (std::size_t k = 0; k < length; ++k) to[k] = from[k];
            } else {
                for (std::size_t k = 0; k < length; ++k) to[k] = RingByte(at + k, distance, out);
            }
            at += length;
        }
    }

private:
    static std::uint8_t RingByte(std::size_t at, std::size_t distance, const std::uint8_t* out) {
        if (distance <= at) return out[at - distance];
        const std::size_t before = distance - at;  // slots before the first output byte
        return before <= RingSize - LookAhead ? std::uint8_t{' '} : std::uint8_t{0};
    }

    // Keeps at least 57 unread bits at the top of bits_; past the end of the source, zeros.
    void Refill() {
        while (count_ <= 56) {
            const std::uint64_t byte = next_ < end_ ? *next_++ : 0u;
            bits_ |= byte << (56 - count_);
            count_ += 8;
        }
    }
    int Bit() {
        if (count_ == 0) Refill();
        const int bit = static_cast<int>(bits_ >> 63);
        bits_ <<= 1;
        --count_;
        return bit;
    }
    int Byte() {
        if (count_ < 8) Refill();
        const int byte = static_cast<int>(bits_ >> 56);
        bits_ <<= 8;
        count_ -= 8;
        return byte;
    }

    int DecodeSymbol() {
        // The walk works on local copies of the bit buffer, refilled only when it runs dry.
        std::uint64_t bits = bits_;
        int count = count_;
        int c = son_[Root];
        while (c < TreeSize) {
            if (count == 0) {
                bits_ = bits;
                count_ = count;
                Refill();
                bits = bits_;
                count = count_;
            }
            c = son_[c + static_cast<int>(bits >> 63)];
            bits <<= 1;
            --count;
        }
        bits_ = bits;
        count_ = count;
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
        parent_[child] = node;
        if (child < TreeSize) parent_[child + 1] = node;
    }

    void Update(int symbol) {
        if (freq_[Root] >= MaxFreq) Rebuild();
        int c = parent_[symbol + TreeSize];
        do {
            const unsigned k = ++freq_[c];
            if (k > freq_[c + 1]) {
                int l = c + 1;
                while (k > freq_[l + 1]) ++l;
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int sonC = son_[c];
                const int sonL = son_[l];
                Adopt(sonC, l);
                Adopt(sonL, c);
                son_[l] = sonC;
                son_[c] = sonL;
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
                freq_[j] = (freq_[i] + 1) / 2;
                son_[j] = son_[i];
                ++j;
            }
        }
        for (int i = 0, n = SymbolCount; n < TreeSize; i += 2, ++n) {
            const unsigned f = freq_[i] + freq_[i + 1];
            int k = n - 1;
            while (f < freq_[k]) --k;
            ++k;
            for (int m = n; m > k; --m) {
                freq_[m] = freq_[m - 1];
                son_[m] = son_[m - 1];
            }
            freq_[k] = f;
            son_[k] = i;
        }
        for (int i = 0; i < TreeSize; ++i) Adopt(son_[i], i);
    }

    const std::uint8_t* next_;
    const std::uint8_t* end_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    // Counts never pass MaxFreq + 1 but are held in full words: no narrowing on the hot path.
    std::array<unsigned, TreeSize + 1> freq_{};
    std::array<int, TreeSize + SymbolCount> parent_{};
    std::array<int, TreeSize> son_{};
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
        target.resize(size);
    } catch (const std::bad_alloc&) {
        throw ElzhException(L"LZH : Cannot get memory for dictionary tables");
    } catch (const std::length_error&) {
        // A declared size beyond what a vector can hold (a 32-bit process).
        throw ElzhException(L"LZH : Cannot get memory for dictionary tables");
    }
    decoder->Run(target.data(), size);
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

#include "tools/packer/LzhEncoder.h"

#include <algorithm>
#include <array>

namespace skinpack {

namespace {

constexpr int Window = 4096;
constexpr int MaxMatch = 60;
constexpr int MinMatch = 3;
constexpr int Symbols = 256 + MaxMatch - MinMatch + 1;  // 314
constexpr int Nodes = 2 * Symbols - 1;                   // 627
constexpr int RootNode = Nodes - 1;
constexpr unsigned FreqLimit = 0x8000;
// The decoder's ring starts with this many spaces before the first written byte.
constexpr int SpacePrefix = Window - MaxMatch;

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Put(unsigned bit) {
        current_ = static_cast<std::uint8_t>(current_ << 1 | (bit & 1u));
        if (++used_ == 8) {
            out_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }
    void PutBits(unsigned value, int count) {
        for (int shift = count - 1; shift >= 0; --shift) Put(value >> shift);
    }
    void Flush() {
        while (used_ != 0) Put(0);
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// The adaptive Huffman model shared in lock step with the decoder: nodes sorted by
// count, sibling pairs at even and odd slots, leaves stored as child values >= Nodes.
class Model {
public:
    Model() {
        for (int s = 0; s < Symbols; ++s) {
            count_[s] = 1;
            child_[s] = Nodes + s;
            up_[Nodes + s] = s;
        }
        int pair = 0;
        for (int n = Symbols; n < Nodes; ++n, pair += 2) {
            count_[n] = count_[pair] + count_[pair + 1];
            child_[n] = pair;
            up_[pair] = up_[pair + 1] = n;
        }
        count_[Nodes] = 0xFFFF;
        up_[RootNode] = 0;
    }

    void Encode(int symbol, BitWriter& bits) {
        std::array<unsigned, Nodes> path{};
        int depth = 0;
        for (int node = up_[Nodes + symbol]; node != RootNode;) {
            const int above = up_[node];
            path[static_cast<std::size_t>(depth++)] = static_cast<unsigned>(node - child_[above]);
            node = above;
        }
        while (depth > 0) bits.Put(path[static_cast<std::size_t>(--depth)]);
        Learn(symbol);
    }

private:
    void SetChild(int node, int child) {
        child_[node] = child;
        up_[child] = node;
        if (child < Nodes) up_[child + 1] = node;
    }

    void Learn(int symbol) {
        if (count_[RootNode] >= FreqLimit) Reconstruct();
        // Slot 0 can hold a leaf, so the walk tests for the root's parent only after a step.
        int node = up_[Nodes + symbol];
        do {
            const unsigned grown = ++count_[node];
            if (grown > count_[node + 1]) {
                int swap = node + 1;
                while (count_[swap + 1] < grown) ++swap;
                count_[node] = count_[swap];
                count_[swap] = grown;
                const int mine = child_[node];
                SetChild(node, child_[swap]);
                SetChild(swap, mine);
                node = swap;
            }
            node = up_[node];
        } while (node != 0);
    }

    void Reconstruct() {
        std::array<unsigned, Nodes> counts{};
        std::array<int, Nodes> children{};
        int leaves = 0;
        for (int n = 0; n < Nodes; ++n) {
            if (child_[n] < Nodes) continue;
            counts[static_cast<std::size_t>(leaves)] = (count_[n] + 1) / 2;
            children[static_cast<std::size_t>(leaves)] = child_[n];
            ++leaves;
        }
        for (int n = Symbols, pair = 0; n < Nodes; ++n, pair += 2) {
            const unsigned sum = counts[static_cast<std::size_t>(pair)] +
                                 counts[static_cast<std::size_t>(pair) + 1];
            int at = n;
            while (at > 0 && counts[static_cast<std::size_t>(at) - 1] > sum) {
                counts[static_cast<std::size_t>(at)] = counts[static_cast<std::size_t>(at) - 1];
                children[static_cast<std::size_t>(at)] = children[static_cast<std::size_t>(at) - 1];
                --at;
            }
            counts[static_cast<std::size_t>(at)] = sum;
            children[static_cast<std::size_t>(at)] = pair;
        }
        for (int n = 0; n < Nodes; ++n) {
            count_[n] = counts[static_cast<std::size_t>(n)];
            SetChild(n, children[static_cast<std::size_t>(n)]);
        }
    }

    std::array<unsigned, Nodes + 1> count_{};
    std::array<int, Nodes> child_{};
    std::array<int, Nodes + Symbols> up_{};
};

// The codes of the upper six position bits: value u is sent as the top len bits of the
// first byte that decodes to u, so the decoder's byte-then-bits read returns it.
struct PositionCodes {
    std::array<unsigned, 64> firstByte{};
    std::array<int, 64> length{};
    PositionCodes() {
        struct Band { int values, bits; };
        constexpr Band bands[] = {{1, 3}, {3, 4}, {8, 5}, {12, 6}, {24, 7}, {16, 8}};
        unsigned byte = 0;
        int value = 0;
        for (const Band& band : bands)
            for (int v = 0; v < band.values; ++v, ++value) {
                firstByte[static_cast<std::size_t>(value)] = byte;
                length[static_cast<std::size_t>(value)] = band.bits;
                byte += 1u << (8 - band.bits);
            }
    }
};

void EncodePosition(unsigned position, BitWriter& bits) {
    static const PositionCodes codes;
    const std::size_t upper = position >> 6;
    const int length = codes.length[upper];
    bits.PutBits(codes.firstByte[upper] >> (8 - length), length);
    bits.PutBits(position & 0x3Fu, 6);
}

// Hash chains over the virtual text "spaces prefix + input" so that matches may reach
// back into the decoder's initial spaces.
class MatchFinder {
public:
    MatchFinder(const std::vector<std::uint8_t>& text, int depth)
        : text_(text), depth_(depth), head_(1 << 15, -1), previous_(text.size(), -1) {}

    void Insert(int at) {
        if (at + MinMatch > static_cast<int>(text_.size())) return;
        const std::size_t h = Hash(at);
        previous_[static_cast<std::size_t>(at)] = head_[h];
        head_[h] = at;
    }

    // Longest match for the text at `at`, as (length, distance back).
    std::pair<int, int> Find(int at) const {
        const int limit = std::min<int>(MaxMatch, static_cast<int>(text_.size()) - at);
        int bestLength = 0, bestDistance = 0;
        if (limit < MinMatch) return {0, 0};
        int candidate = head_[Hash(at)];
        for (int tries = 0; candidate >= 0 && tries < depth_; ++tries) {
            const int distance = at - candidate;
            if (distance >= Window) break;
            int length = 0;
            while (length < limit && text_[static_cast<std::size_t>(candidate + length)] ==
                                         text_[static_cast<std::size_t>(at + length)])
                ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = distance;
                if (length == limit) break;
            }
            candidate = previous_[static_cast<std::size_t>(candidate)];
        }
        return {bestLength, bestDistance};
    }

private:
    std::size_t Hash(int at) const {
        const auto* p = &text_[static_cast<std::size_t>(at)];
        return (static_cast<std::size_t>(p[0]) << 10 ^ static_cast<std::size_t>(p[1]) << 5 ^
                p[2]) & 0x7FFF;
    }

    const std::vector<std::uint8_t>& text_;
    int depth_;
    std::vector<int> head_;
    std::vector<int> previous_;
};

}  // namespace

std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> input,
                                      const TLzhOptions& options) {
    std::vector<std::uint8_t> out;
    const auto size = static_cast<std::uint32_t>(input.size());
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(size >> shift));

    std::vector<std::uint8_t> text(SpacePrefix + input.size(), ' ');
    std::copy(input.begin(), input.end(), text.begin() + SpacePrefix);
    MatchFinder finder(text, options.ChainDepth);
    for (int at = 0; at < SpacePrefix; ++at) finder.Insert(at);

    BitWriter bits(out);
    Model model;
    for (int at = SpacePrefix; at < static_cast<int>(text.size());) {
        const auto [length, distance] =
            options.LiteralsOnly ? std::pair{0, 0} : finder.Find(at);
        if (length >= MinMatch) {
            model.Encode(256 + length - MinMatch, bits);
            EncodePosition(static_cast<unsigned>(distance - 1), bits);
        } else {
            model.Encode(text[static_cast<std::size_t>(at)], bits);
        }
        const int step = std::max(length, 1);
        for (int k = 0; k < step; ++k) finder.Insert(at + k);
        at += step;
    }
    bits.Flush();
    return out;
}

}  // namespace skinpack

#include "skin/data/SkinColor.h"

#include <algorithm>
#include <array>

namespace skin {

namespace {

struct GradientCache {
    std::array<std::vector<TColor>, GradientSlots> slots;
    int next = 0;
};

GradientCache& Cache() {
    static GradientCache cache;
    return cache;
}

int Channel(TColor colour, int shift) { return (colour >> shift) & 0xFF; }

// Rounds numerator / denominator (denominator > 0) to nearest, halves away from zero, so a
// falling channel reaches its end value as exactly as a rising one.
int RoundedQuotient(int numerator, int denominator) {
    const int half = denominator / 2;
    return (numerator >= 0 ? numerator + half : numerator - half) / denominator;
}

}  // namespace

TColor BlendRGB(TColor colour1, TColor colour2, int weight) {
    const int scale = weight < 100 ? 100 : 1000;
    TColor result = 0;
    for (int shift : {0, 8, 16}) {
        const int mixed =
            (Channel(colour2, shift) * (scale - weight) + Channel(colour1, shift) * weight + scale / 2) / scale;
        result |= (mixed & 0xFF) << shift;
    }
    return result;
}

int ColorSaturation(TColor colour) {
    const int r = Channel(colour, 0), g = Channel(colour, 8), b = Channel(colour, 16);
    if (r < 160 && g < 160 && b < 160) return 200;
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    const int numerator = 255 * (high - low);
    const int quotient = numerator / high;
    const int twiceRest = 2 * (numerator % high);
    if (twiceRest > high || (twiceRest == high && quotient % 2 == 1)) return quotient + 1;
    return quotient;
}

int GetGradient(int count, TColor from, TColor to) {
    GradientCache& cache = Cache();
    for (int slot = GradientSlots - 1; slot >= 0; --slot) {
        const std::vector<TColor>& ramp = cache.slots[static_cast<std::size_t>(slot)];
        if (!ramp.empty() && static_cast<int>(ramp.size()) == count && ramp.front() == from &&
            ramp.back() == to)
            return slot;
    }
    const int slot = cache.next;
    cache.next = (cache.next + 1) % GradientSlots;
    std::vector<TColor>& ramp = cache.slots[static_cast<std::size_t>(slot)];
    ramp.assign(static_cast<std::size_t>(std::max(count, 0)), 0);
    const int d = count - 1;
    for (int i = 0; i < count; ++i) {
        TColor entry = 0;
        for (int shift : {0, 8, 16}) {
            const int start = Channel(from, shift);
            const int delta = Channel(to, shift) - start;
            const int value = d == 0 ? start + delta / 2 : start + RoundedQuotient(i * delta, d);
            entry |= (value & 0xFF) << shift;
        }
        ramp[static_cast<std::size_t>(i)] = entry;
    }
    return slot;
}

const std::vector<TColor>& GradientRamp(int slot) {
    return Cache().slots[static_cast<std::size_t>(slot)];
}

void ResetGradientCache() { Cache() = GradientCache{}; }

TLineRange GradientLines(int n, int start, int clipStart, int clipEnd) {
    TLineRange range;
    range.First = clipStart > start ? clipStart - start : 0;
    range.Last = n - 1;
    if (clipEnd < start + n) range.Last = clipEnd - start - 1;
    return range;
}

}  // namespace skin

#include "LZFSE/Fse.h"

#include <algorithm>
#include <cassert>

namespace lzfse {
namespace {

int log2Floor(uint32_t v) {
    return 31 - __builtin_clz(v);
}

// Shift that brings a frequency f into [stateCount, 2 * stateCount).
int stateShift(int stateCount, int f) {
    return log2Floor(static_cast<uint32_t>(stateCount)) - log2Floor(static_cast<uint32_t>(f));
}

// Hands each symbol its run of consecutive decoder states and tells `fill` how many bits each
// state reads and the delta to its next state; false when the frequencies sum to more than
// `stateCount`.
template <typename Entry, typename Fill>
bool spreadDecoderStates(int stateCount, std::span<const uint16_t> freq, std::span<Entry> table, Fill fill) {
    std::fill(table.begin(), table.end(), Entry{});
    int next = 0;
    for (size_t i = 0; i < freq.size(); ++i) {
        const int f = freq[i];
        if (f == 0) continue;
        if (next + f > stateCount) return false;
        const int k = stateShift(stateCount, f);
        const int firstLow = ((2 * stateCount) >> k) - f;  // states from here on read one bit less
        for (int j = 0; j < f; ++j) {
            Entry& e = table[static_cast<size_t>(next++)];
            if (j < firstLow) {
                fill(e, i, k, static_cast<int16_t>(((f + j) << k) - stateCount));
            } else {
                fill(e, i, k - 1, static_cast<int16_t>((j - firstLow) << (k - 1)));
            }
        }
    }
    return true;
}

}  // namespace

void normalizeFrequencies(std::span<const uint32_t> counts, int stateCount, std::span<uint16_t> freq) {
    assert(counts.size() == freq.size());
    uint64_t total = 0;
    for (uint32_t c : counts) total += c;
    std::fill(freq.begin(), freq.end(), uint16_t{0});
    if (total == 0) return;

    int assigned = 0;
    size_t largest = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] == 0) continue;
        // Round to nearest, but never below one state for a symbol that occurs.
        uint64_t f = (uint64_t{counts[i]} * static_cast<uint64_t>(stateCount) * 2 + total) / (2 * total);
        f = std::max<uint64_t>(f, 1);
        freq[i] = static_cast<uint16_t>(f);
        assigned += static_cast<int>(f);
        if (freq[i] > freq[largest]) largest = i;
    }
    int excess = assigned - stateCount;
    if (excess <= 0) {
        freq[largest] = static_cast<uint16_t>(freq[largest] - excess);
        return;
    }
    // Over-assigned because of rounding and the minimum of one: take states back from the most
    // frequent symbols, where one state less costs the least.
    while (excess > 0) {
        size_t top = 0;
        for (size_t i = 1; i < freq.size(); ++i) {
            if (freq[i] > freq[top]) top = i;
        }
        const int take = std::min(excess, std::max(1, (freq[top] - 1) / 8));
        freq[top] = static_cast<uint16_t>(freq[top] - take);
        excess -= take;
    }
}

void buildEncoderTable(int stateCount, std::span<const uint16_t> freq, std::span<FseEncoderEntry> table) {
    int offset = 0;
    for (size_t i = 0; i < freq.size(); ++i) {
        const int f = freq[i];
        if (f == 0) continue;
        const int k = stateShift(stateCount, f);
        FseEncoderEntry& e = table[i];
        e.threshold = static_cast<int16_t>((f << k) - stateCount);
        e.bits = static_cast<int16_t>(k);
        e.deltaHigh = static_cast<int16_t>(offset - f + (stateCount >> k));
        // A symbol owning every state (k == 0) never takes the low branch.
        e.deltaLow = k > 0 ? static_cast<int16_t>(offset - f + (stateCount >> (k - 1))) : e.deltaHigh;
        offset += f;
    }
}

bool buildDecoderTable(int stateCount, std::span<const uint16_t> freq, std::span<FseDecoderEntry> table) {
    return spreadDecoderStates(stateCount, freq, table,
                               [](FseDecoderEntry& e, size_t symbol, int stateBits, int16_t delta) {
                                   e.symbol = static_cast<uint8_t>(symbol);
                                   e.bits = static_cast<uint8_t>(stateBits);
                                   e.delta = delta;
                               });
}

bool buildValueDecoderTable(int stateCount, std::span<const uint16_t> freq,
                            std::span<const uint8_t> extraBits, std::span<const int32_t> baseValue,
                            std::span<FseValueDecoderEntry> table) {
    return spreadDecoderStates(stateCount, freq, table,
                               [&](FseValueDecoderEntry& e, size_t symbol, int stateBits, int16_t delta) {
                                   e.valueBits = extraBits[symbol];
                                   e.base = baseValue[symbol];
                                   e.totalBits = static_cast<uint8_t>(stateBits + extraBits[symbol]);
                                   e.delta = delta;
                               });
}

}  // namespace lzfse

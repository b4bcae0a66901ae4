// Finite-state entropy coding as LZFSE uses it: frequency normalization and the encoder and
// decoder tables derived from a normalized frequency table.
#pragma once

#include <cstdint>
#include <span>

#include "LZFSE/BitStream.h"

namespace lzfse {

// Scales symbol counts to frequencies that sum to exactly `stateCount` (a power of two), giving
// every symbol that occurs at least 1. All-zero counts give all-zero frequencies.
void normalizeFrequencies(std::span<const uint32_t> counts, int stateCount, std::span<uint16_t> freq);

// How to code one symbol from any encoder state.
struct FseEncoderEntry {
    int16_t threshold = 0;  // states at or above it write `bits` bits, below it `bits - 1`
    int16_t bits = 0;
    int16_t deltaHigh = 0;
    int16_t deltaLow = 0;
};

void buildEncoderTable(int stateCount, std::span<const uint16_t> freq, std::span<FseEncoderEntry> table);

// Codes `entry`'s symbol: writes the low bits of the state and moves to the next state.
inline void fseEncode(uint16_t& state, const FseEncoderEntry& entry, ForwardBitWriter& out) {
    const int s = state;
    const bool high = s >= entry.threshold;
    const int count = high ? entry.bits : entry.bits - 1;
    out.push(static_cast<uint64_t>(s) & ((uint64_t{1} << count) - 1), count);
    state = static_cast<uint16_t>((high ? entry.deltaHigh : entry.deltaLow) + (s >> count));
}

// A decoder state of the literal stream: read `bits`, add `delta`, emit `symbol`.
struct FseDecoderEntry {
    uint8_t bits = 0;
    uint8_t symbol = 0;
    int16_t delta = 0;
};

// A decoder state of the L, M or D stream: state bits and raw extra bits are read together.
struct FseValueDecoderEntry {
    uint8_t totalBits = 0;
    uint8_t valueBits = 0;
    int16_t delta = 0;
    int32_t base = 0;
};

// Both builders return false when the frequencies sum to more than `stateCount`. States left
// over by a smaller sum decode as symbol 0 and stay in range.
bool buildDecoderTable(int stateCount, std::span<const uint16_t> freq, std::span<FseDecoderEntry> table);
bool buildValueDecoderTable(int stateCount, std::span<const uint16_t> freq,
                            std::span<const uint8_t> extraBits, std::span<const int32_t> baseValue,
                            std::span<FseValueDecoderEntry> table);

inline uint8_t fseDecode(uint16_t& state, const FseDecoderEntry* table, BackwardBitReader& in) {
    const FseDecoderEntry e = table[state];
    state = static_cast<uint16_t>(e.delta + static_cast<int>(in.pull(e.bits)));
    return e.symbol;
}

inline int32_t fseValueDecode(uint16_t& state, const FseValueDecoderEntry* table, BackwardBitReader& in) {
    const FseValueDecoderEntry e = table[state];
    const uint32_t bits = in.pull(e.totalBits);
    state = static_cast<uint16_t>(e.delta + static_cast<int>(bits >> e.valueBits));
    return e.base + static_cast<int32_t>(bits & ((1u << e.valueBits) - 1));
}

}  // namespace lzfse

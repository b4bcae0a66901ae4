// The LZFSE stream format: block magics, header layouts and the value tables that every
// encoder and decoder of the format agrees on. Internal to the LZFSE module.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lzfse::format {

// A stream is a sequence of blocks, each introduced by a little-endian 32-bit magic.
inline constexpr uint32_t kEndOfStreamMagic = 0x24787662;  // "bvx$"
inline constexpr uint32_t kRawMagic = 0x2d787662;          // "bvx-": stored bytes
inline constexpr uint32_t kLzvnMagic = 0x6e787662;         // "bvxn": LZVN payload
inline constexpr uint32_t kV1Magic = 0x31787662;           // "bvx1": FSE, plain tables
inline constexpr uint32_t kV2Magic = 0x32787662;           // "bvx2": FSE, packed tables

inline constexpr size_t kRawHeaderSize = 8;       // magic, n_raw_bytes
inline constexpr size_t kLzvnHeaderSize = 12;     // magic, n_raw_bytes, n_payload_bytes
inline constexpr size_t kV1HeaderSize = 772;      // the v1 header is stored with its 2 trailing pad bytes
inline constexpr size_t kV2FixedHeaderSize = 32;  // magic, n_raw_bytes, three packed 64-bit words

// Inputs below this size are not worth a compressed block; the reference stores them raw.
inline constexpr size_t kLzvnMinInput = 8;
// Inputs below this size are coded as one LZVN block, larger ones as FSE blocks.
inline constexpr size_t kLzvnThreshold = 4096;
// The farthest back an LZVN match can reach (a 16-bit distance).
inline constexpr uint32_t kLzvnMaxDistance = 65535;

// Limits of one FSE block; decoders size their literal buffer from these.
inline constexpr uint32_t kMatchesPerBlock = 10000;
inline constexpr uint32_t kLiteralsPerBlock = 4 * kMatchesPerBlock;

inline constexpr int kLSymbols = 20;
inline constexpr int kMSymbols = 20;
inline constexpr int kDSymbols = 64;
inline constexpr int kLiteralSymbols = 256;
inline constexpr int kLStates = 64;
inline constexpr int kMStates = 64;
inline constexpr int kDStates = 256;
inline constexpr int kLiteralStates = 1024;
inline constexpr int kAllSymbols = kLSymbols + kMSymbols + kDSymbols + kLiteralSymbols;

inline constexpr uint32_t kMaxLValue = 315;
inline constexpr uint32_t kMaxMValue = 2359;
inline constexpr uint32_t kMaxDValue = 262139;

// L (literal run), M (match length) and D (distance) are coded as an FSE symbol that picks a
// base value, followed by raw extra bits added to that base.
inline constexpr std::array<uint8_t, kLSymbols> kLExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                               0, 0, 0, 0, 0, 0, 2, 3, 5, 8};
inline constexpr std::array<int32_t, kLSymbols> kLBaseValue = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                               10, 11, 12, 13, 14, 15, 16, 20, 28, 60};
inline constexpr std::array<uint8_t, kMSymbols> kMExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                               0, 0, 0, 0, 0, 0, 3, 5, 8, 11};
inline constexpr std::array<int32_t, kMSymbols> kMBaseValue = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                               10, 11, 12, 13, 14, 15, 16, 24, 56, 312};

// Distances come in groups of four symbols sharing a count of extra bits: 0,0,0,0,1,1,1,1,...,15.
inline constexpr std::array<uint8_t, kDSymbols> kDExtraBits = [] {
    std::array<uint8_t, kDSymbols> bits{};
    for (int s = 0; s < kDSymbols; ++s) bits[static_cast<size_t>(s)] = static_cast<uint8_t>(s >> 2);
    return bits;
}();
inline constexpr std::array<int32_t, kDSymbols> kDBaseValue = [] {
    std::array<int32_t, kDSymbols> base{};
    for (size_t s = 1; s < base.size(); ++s) base[s] = base[s - 1] + (int32_t{1} << kDExtraBits[s - 1]);
    return base;
}();
static_assert(kDBaseValue[63] + (1 << 15) - 1 == static_cast<int32_t>(kMaxDValue));

inline uint8_t lSymbol(uint32_t value) {
    if (value < 16) return static_cast<uint8_t>(value);
    if (value < 20) return 16;
    if (value < 28) return 17;
    if (value < 60) return 18;
    return 19;
}

inline uint8_t mSymbol(uint32_t value) {
    if (value < 16) return static_cast<uint8_t>(value);
    if (value < 24) return 16;
    if (value < 56) return 17;
    if (value < 312) return 18;
    return 19;
}

inline uint8_t dSymbol(uint32_t value) {
    if (value < 4) return static_cast<uint8_t>(value);
    // Group g starts at 4 * (2^g - 1) and spans four steps of 2^g.
    const uint32_t quarterPlusOne = (value >> 2) + 1;
    const int group = 31 - __builtin_clz(quarterPlusOne);
    const uint32_t groupBase = 4u * ((1u << group) - 1u);
    return static_cast<uint8_t>(4 * group + static_cast<int>((value - groupBase) >> group));
}

// The format is little-endian throughout.
inline uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    return v;
}

inline uint32_t load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
    return v;
}

inline uint16_t load16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline void store32(uint8_t* p, uint32_t v) {
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
    std::memcpy(p, &v, sizeof v);
}

inline void store64(uint8_t* p, uint64_t v) {
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    std::memcpy(p, &v, sizeof v);
}

}  // namespace lzfse::format

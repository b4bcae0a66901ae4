// Expanding a match in the decoder: copies `length` bytes from `distance` bytes back. Source
// and destination overlap when the distance is shorter than the length, and then the copy must
// repeat the pattern as a byte-by-byte copy would.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lzfse {

inline void copyMatch(uint8_t* dst, size_t distance, size_t length) {
    const uint8_t* src = dst - distance;
    if (distance >= length) {
        std::memcpy(dst, src, length);
        return;
    }
    if (distance >= 8) {
        for (size_t i = 0; i < length; i += 8) std::memcpy(dst + i, src + i, std::min<size_t>(8, length - i));
        return;
    }
    // Short period: lay down the first 16 bytes one at a time, after which any multiple of the
    // period of at least 8 is a safe distance for 8-byte copies.
    size_t i = 0;
    for (; i < length && i < 16; ++i) dst[i] = src[i];
    size_t period = distance;
    while (period < 8) period *= 2;
    for (; i < length; i += 8) std::memcpy(dst + i, dst + i - period, std::min<size_t>(8, length - i));
}

}  // namespace lzfse

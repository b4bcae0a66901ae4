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

// Bytes a wide copy may write past the end of its run; buffers written by wide copies carry at
// least this much room after their last byte, and buffers read by them as much readable room.
inline constexpr size_t kWideCopySlack = 16;

// Copies `length` bytes (more than 0) in 16-byte steps; may write up to kWideCopySlack - 1 bytes
// past `dst + length` and read as far past `src + length`. Each step reads only bytes written
// before it when `src` is a separate buffer or at least 16 bytes behind `dst`.
inline void copyWide(uint8_t* dst, const uint8_t* src, size_t length) {
    uint8_t* const end = dst + length;
    do {
        std::memcpy(dst, src, 16);
        dst += 16;
        src += 16;
    } while (dst < end);
}

// copyMatch for a destination with kWideCopySlack bytes of room past `dst + length`: whole
// 16- or 8-byte steps instead of exact lengths, which spares a library call per match.
inline void copyMatchWide(uint8_t* dst, size_t distance, size_t length) {
    const uint8_t* src = dst - distance;
    uint8_t* const end = dst + length;
    if (distance >= 16) {
        copyWide(dst, src, length);
        return;
    }
    if (distance >= 8) {
        do {
            std::memcpy(dst, src, 8);
            dst += 8;
            src += 8;
        } while (dst < end);
        return;
    }
    if (distance == 1) {
        std::memset(dst, *src, length);
        return;
    }
    // Short period: lay down the first 8 bytes one at a time; after them, the smallest multiple
    // of the period that is at least 8 is a safe distance for 8-byte copies.
    for (int i = 0; i < 8; ++i) dst[i] = src[i];
    const size_t period = (8 + distance - 1) / distance * distance;
    for (dst += 8; dst < end; dst += 8) std::memcpy(dst, dst - period, 8);
}

}  // namespace lzfse

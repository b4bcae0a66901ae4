// Bit streams of FSE payloads. The writer appends bits least-significant first; the reader
// walks the same bits back from the end, so the last bits written are the first read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "LZFSE/BlockFormat.h"

namespace lzfse {

// Writes into a buffer the caller has sized: every flush stores 8 bytes, so the buffer needs
// 8 bytes of slack past the last payload byte.
class ForwardBitWriter {
public:
    explicit ForwardBitWriter(uint8_t* out) : begin_(out), out_(out) {}

    // Appends the low `count` bits of `bits`; at most 56 bits may be pending between flushes.
    void push(uint64_t bits, int count) {
        accum_ |= bits << pending_;
        pending_ += count;
    }

    // Stores the whole bytes that are pending, keeping fewer than 8 bits back.
    void flush() {
        format::store64(out_, accum_);
        const int bytes = pending_ >> 3;
        out_ += bytes;
        // Fewer than 64 bits are ever pending, so the shift stays below 64.
        accum_ >>= bytes * 8;
        pending_ &= 7;
    }

    // Stores the final partial byte, padded with zeros. Returns the bit count the decoder starts
    // from: minus the number of padding bits, in [-7, 0].
    int finish() {
        flush();
        if (pending_ == 0) return 0;
        *out_++ = static_cast<uint8_t>(accum_);
        const int padding = 8 - pending_;
        accum_ = 0;
        pending_ = 0;
        return -padding;
    }

    size_t bytesWritten() const { return static_cast<size_t>(out_ - begin_); }

private:
    uint8_t* begin_;
    uint8_t* out_;
    uint64_t accum_ = 0;
    int pending_ = 0;
};

// Reads a payload backwards. Bytes before the payload's start read as zeros; a stream that
// actually consumes them is corrupt, which `overran()` reports once decoding is done.
class BackwardBitReader {
public:
    // `finalBits` is the header's bit count in [-8, 0]: minus the zero padding in the last byte.
    // Returns false when that count is out of range or the padding bits are not zero.
    bool init(const uint8_t* begin, size_t size, int finalBits) {
        begin_ = begin;
        remaining_ = size;
        if (finalBits > 0 || finalBits < -8) return false;
        refill();
        // Drop the padding bits at the top; they must be zero.
        const int padding = -finalBits;
        if (padding > 0) {
            available_ -= padding;
            if ((accum_ >> available_) != 0) return false;
        }
        return true;
    }

    // Brings the reader to at least 56 available bits. Bits above the available ones are
    // stale and never read: `pull` masks them off.
    void refill() {
        const int bytes = (63 - available_) >> 3;
        if (remaining_ >= 8) {
            // One unaligned load and no branch on how many bytes are taken (0 to 7); the
            // double shift keeps the count below 64 when none are.
            const uint64_t incoming = format::load64(begin_ + remaining_ - 8);
            const int shift = bytes * 8;
            accum_ = (accum_ << shift) | ((incoming >> 1) >> (63 - shift));
            remaining_ -= static_cast<size_t>(bytes);
        } else {
            for (int i = 0; i < bytes; ++i) {
                uint64_t byte = 0;
                if (remaining_ > 0) {
                    byte = begin_[--remaining_];
                } else {
                    phantomBits_ += 8;
                }
                accum_ = (accum_ << 8) | byte;
            }
        }
        available_ += bytes * 8;
    }

    // Takes the next `count` bits (count <= available, at most 32).
    uint32_t pull(int count) {
        available_ -= count;
        return static_cast<uint32_t>((accum_ >> available_) & ((uint64_t{1} << count) - 1));
    }

    // True when the decoder consumed bits from before the payload's start.
    bool overran() const { return available_ < phantomBits_; }

private:
    const uint8_t* begin_ = nullptr;
    size_t remaining_ = 0;
    uint64_t accum_ = 0;
    int available_ = 0;
    int phantomBits_ = 0;
};

}  // namespace lzfse

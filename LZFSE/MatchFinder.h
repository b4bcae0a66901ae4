// The LZ stage shared by the LZVN and FSE block encoders: finds earlier copies of the bytes
// ahead. A hash of the next four bytes selects a bucket of the four most recent positions with
// that hash; the longest verified match wins, one step of lazy evaluation lets a longer match
// starting a byte later replace it, and matches are extended backwards over literals.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "LZFSE/BlockFormat.h"

namespace lzfse {

// A sink receives the parse in order:
//   void match(size_t literalStart, size_t literalCount, size_t length, size_t distance);
//   void literals(size_t literalStart, size_t literalCount);  // the trailing run, once
template <class Sink>
void findMatches(std::span<const uint8_t> input, uint32_t maxDistance, Sink& sink);

namespace detail {

inline constexpr size_t kMinMatch = 4;
// A match this long is taken at once, without looking one byte ahead for a better one.
inline constexpr size_t kGoodMatch = 40;
inline constexpr int kWays = 4;
// A match this long ends the search among the bucket's other candidates.
inline constexpr size_t kNiceMatch = 256;
// How many positions at each end of a match are recorded for later searches.
inline constexpr size_t kRecordedEnds = 16;

struct Bucket {
    uint32_t position[kWays];  // position + 1; 0 is an empty slot
    uint32_t value[kWays];     // the four bytes at that position
};

struct Candidate {
    size_t position = 0;
    size_t reference = 0;
    size_t length = 0;
};

class MatchTable {
public:
    MatchTable(std::span<const uint8_t> input, uint32_t maxDistance)
        : data_(input.data()), size_(input.size()), maxDistance_(maxDistance) {
        // Small inputs get a small table: clearing it would otherwise cost more than the search.
        hashBits_ = std::clamp(static_cast<int>(std::bit_width(input.size())) - 2, 8, 14);
        buckets_.assign(size_t{1} << hashBits_, Bucket{});
    }

    // Looks for the longest match at `pos` (pos + 4 <= size), then records `pos`.
    Candidate findAndInsert(size_t pos) {
        const uint32_t x = format::load32(data_ + pos);
        Bucket& b = buckets_[hash(x)];
        Candidate best;
        for (int w = 0; w < kWays; ++w) {
            if (b.position[w] == 0 || b.value[w] != x) continue;
            const size_t ref = b.position[w] - 1;
            if (pos - ref > maxDistance_) continue;
            // Only a candidate that also matches the byte just past the best so far can beat it.
            if (best.length > 0 &&
                (pos + best.length >= size_ || data_[ref + best.length] != data_[pos + best.length])) {
                continue;
            }
            const size_t length = kMinMatch + commonLength(ref + kMinMatch, pos + kMinMatch);
            if (length > best.length) best = {pos, ref, length};
            if (length >= kNiceMatch) break;
        }
        insert(b, pos, x);
        return best;
    }

    void insert(size_t pos) {
        const uint32_t x = format::load32(data_ + pos);
        insert(buckets_[hash(x)], pos, x);
    }

private:
    uint32_t hash(uint32_t x) const { return (x * 2654435761u) >> (32 - hashBits_); }

    static void insert(Bucket& b, size_t pos, uint32_t x) {
        // Shift the slots by one, oldest out. Reading all slots before writing keeps this four
        // register moves instead of an overlapping memory move.
        static_assert(kWays == 4);
        const uint32_t p0 = b.position[0], p1 = b.position[1], p2 = b.position[2];
        const uint32_t v0 = b.value[0], v1 = b.value[1], v2 = b.value[2];
        b.position[0] = static_cast<uint32_t>(pos + 1);
        b.position[1] = p0;
        b.position[2] = p1;
        b.position[3] = p2;
        b.value[0] = x;
        b.value[1] = v0;
        b.value[2] = v1;
        b.value[3] = v2;
    }

    size_t commonLength(size_t a, size_t b) const {
        size_t n = 0;
        while (b + n + 8 <= size_) {
            const uint64_t diff = format::load64(data_ + a + n) ^ format::load64(data_ + b + n);
            if (diff != 0) return n + static_cast<size_t>(std::countr_zero(diff) >> 3);
            n += 8;
        }
        while (b + n < size_ && data_[a + n] == data_[b + n]) ++n;
        return n;
    }

    const uint8_t* data_;
    size_t size_;
    uint32_t maxDistance_;
    int hashBits_ = 14;
    std::vector<Bucket> buckets_;
};

}  // namespace detail

template <class Sink>
void findMatches(std::span<const uint8_t> input, uint32_t maxDistance, Sink& sink) {
    const size_t n = input.size();
    size_t literalStart = 0;
    if (n >= detail::kMinMatch + 1) {
        detail::MatchTable table(input, maxDistance);
        const size_t last = n - detail::kMinMatch;  // last position with four bytes ahead
        size_t pos = 0;
        while (pos <= last) {
            detail::Candidate m = table.findAndInsert(pos);
            if (m.length == 0) {
                ++pos;
                continue;
            }
            size_t inserted = pos + 1;  // positions below this are already in the table
            // Lazy step: a longer match one byte later is worth one more literal.
            while (m.length < detail::kGoodMatch && m.position + 1 <= last) {
                const detail::Candidate next = table.findAndInsert(m.position + 1);
                inserted = m.position + 2;
                if (next.length <= m.length) break;
                m = next;
            }
            while (m.position > literalStart && m.reference > 0 &&
                   input[m.reference - 1] == input[m.position - 1]) {
                --m.position;
                --m.reference;
                ++m.length;
            }
            sink.match(literalStart, m.position - literalStart, m.length, m.position - m.reference);
            const size_t end = m.position + m.length;
            // Inside a long match, recording its head and tail is nearly as good as every position
            // and saves a cache miss per byte.
            const size_t stop = std::min(end, last + 1);
            for (size_t p = inserted; p < stop; ++p) {
                if (p >= inserted + detail::kRecordedEnds && p + detail::kRecordedEnds < stop)
                    p = stop - detail::kRecordedEnds;
                table.insert(p);
            }
            pos = literalStart = end;
        }
    }
    if (literalStart < n) sink.literals(literalStart, n - literalStart);
}

}  // namespace lzfse

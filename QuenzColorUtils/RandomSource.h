#pragma once
// A source of uniformly random 64-bit words and the unbiased draws built on it. New colors
// use the operating system's cryptographic source; tests inject a scripted one.

#include <cstdint>

namespace quenz {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // 64 independent, uniformly random bits.
    virtual std::uint64_t nextWord() = 0;
};

// Draws from getrandom(2). Never fails: if the kernel source is unavailable it falls back to
// /dev/urandom and, as a last resort, to std::random_device.
class SystemRandomSource final : public RandomSource {
public:
    std::uint64_t nextWord() override;
};

// The process-wide system source.
RandomSource& systemRandomSource();

// A uniform integer in 0…upperBound, both ends included, without modulo bias (draws are
// masked to the bit width of upperBound and redrawn when above it).
std::uint64_t uniformInteger(RandomSource& source, std::uint64_t upperBound);

// A uniform double in lo…hi, both ends included: lo + (hi − lo)·n/2⁵³ for a uniform integer n
// in 0…2⁵³; n = 2⁵³ gives exactly hi.
double uniformDouble(RandomSource& source, double lo, double hi);

}  // namespace quenz

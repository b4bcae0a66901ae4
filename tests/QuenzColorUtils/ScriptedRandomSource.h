#pragma once
// A RandomSource that replays fixed words, for deterministic tests of random colors.

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

#include "QuenzColorUtils/RandomSource.h"

namespace quenz::testing {

class ScriptedRandomSource final : public RandomSource {
public:
    // Once the script has run out every draw gives 0.
    ScriptedRandomSource(std::initializer_list<std::uint64_t> words) : words_(words) {}
    explicit ScriptedRandomSource(const std::vector<std::uint64_t>& words) : words_(words.begin(), words.end()) {}
    std::uint64_t nextWord() override {
        ++draws_;
        if (words_.empty()) {
            return 0;
        }
        const std::uint64_t word = words_.front();
        words_.pop_front();
        return word;
    }
    int draws() const { return draws_; }

private:
    std::deque<std::uint64_t> words_;
    int draws_ = 0;
};

// The word that makes uniformDouble(lo, hi) return lo + (hi − lo)·fraction (fraction 1 gives hi).
inline std::uint64_t wordForFraction(double fraction) {
    return static_cast<std::uint64_t>(fraction * static_cast<double>(std::uint64_t{1} << 53));
}

}  // namespace quenz::testing

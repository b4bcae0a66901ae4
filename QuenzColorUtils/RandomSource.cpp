#include "QuenzColorUtils/RandomSource.h"

#include <sys/random.h>

#include <bit>
#include <cerrno>
#include <cstdio>
#include <random>

namespace quenz {

namespace {

bool readURandom(std::uint64_t& word) {
    std::FILE* file = std::fopen("/dev/urandom", "rb");
    if (file == nullptr) {
        return false;
    }
    const bool complete = std::fread(&word, sizeof word, 1, file) == 1;
    std::fclose(file);
    return complete;
}

}  // namespace

std::uint64_t SystemRandomSource::nextWord() {
    std::uint64_t word = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&word);
    std::size_t filled = 0;
    while (filled < sizeof word) {
        const ssize_t got = getrandom(bytes + filled, sizeof word - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    if (filled == sizeof word || readURandom(word)) {
        return word;
    }
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

RandomSource& systemRandomSource() {
    static SystemRandomSource source;
    return source;
}

std::uint64_t uniformInteger(RandomSource& source, std::uint64_t upperBound) {
    const int width = std::bit_width(upperBound);
    const std::uint64_t mask = width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    // Each draw is accepted with probability above 1/2, so this ends quickly.
    for (;;) {
        const std::uint64_t candidate = source.nextWord() & mask;
        if (candidate <= upperBound) {
            return candidate;
        }
    }
}

double uniformDouble(RandomSource& source, double lo, double hi) {
    constexpr std::uint64_t steps = std::uint64_t{1} << 53;
    const std::uint64_t n = uniformInteger(source, steps);
    if (n == steps) {
        return hi;
    }
    return lo + (hi - lo) * (static_cast<double>(n) / static_cast<double>(steps));
}

}  // namespace quenz

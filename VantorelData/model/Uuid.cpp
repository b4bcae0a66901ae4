#include "VantorelData/model/Uuid.h"

#include <sys/random.h>

#include <array>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <random>

namespace vantorel {
namespace {

// Fills the bytes from the kernel's random source; falls back to a seeded generator only if
// the system call is unavailable, so that creating an item never fails.
void fillFromKernel(std::uint8_t* bytes, std::size_t count) {
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t got = getrandom(bytes + filled, count - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno != EINTR) {
            break;
        }
    }
    if (filled < count) {
        static thread_local std::mt19937_64 fallback{std::random_device{}()};
        for (std::size_t i = filled; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(fallback());
    }
}

// Opening a document mints an identifier for every alias, set step and shadow. Drawing each
// from the kernel cost a system call, and even in batches the kernel's generator took a visible
// share of an open; identifiers need to be unique, not secret, so each thread draws them from
// its own xoshiro256** generator, seeded from the kernel and reseeded after every 4096 draws
// (which also keeps a forked process from repeating its parent's identifiers for long).
class IdentifierRandom {
public:
    void fill(std::array<std::uint8_t, 16>& bytes) {
        if (drawsLeft_ == 0) reseed();
        drawsLeft_ -= 1;
        const std::uint64_t high = next();
        const std::uint64_t low = next();
        for (std::size_t i = 0; i < 8; ++i) {
            bytes[i] = static_cast<std::uint8_t>(high >> (8 * i));
            bytes[8 + i] = static_cast<std::uint8_t>(low >> (8 * i));
        }
    }

private:
    void reseed() {
        do {
            fillFromKernel(reinterpret_cast<std::uint8_t*>(state_.data()), sizeof state_);
        } while (state_[0] == 0 && state_[1] == 0 && state_[2] == 0 && state_[3] == 0);  // the one stuck state
        drawsLeft_ = 4096;
    }

    std::uint64_t next() {
        const std::uint64_t result = std::rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t shifted = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= shifted;
        state_[3] = std::rotl(state_[3], 45);
        return result;
    }

    std::array<std::uint64_t, 4> state_{};
    std::size_t drawsLeft_ = 0;
};

void fillRandom(std::array<std::uint8_t, 16>& bytes) {
    static thread_local IdentifierRandom random;
    random.fill(bytes);
}

// The canonical text of sixteen bytes, with the version and variant bits set.
std::array<char, 36> canonicalText(std::array<std::uint8_t, 16> bytes) {
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    static constexpr char digits[] = "0123456789ABCDEF";
    std::array<char, 36> text;
    text.fill('-');
    std::size_t at = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) ++at;  // past a dash
        text[at++] = digits[bytes[i] >> 4];
        text[at++] = digits[bytes[i] & 0x0F];
    }
    return text;
}

std::array<char, 36> randomText() {
    std::array<std::uint8_t, 16> bytes{};
    fillRandom(bytes);
    return canonicalText(bytes);
}

// A bijection of 64-bit numbers that scatters neighbouring inputs (the finalizer of SplitMix64).
std::uint64_t scatter(std::uint64_t x) {
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

struct ProcessKeys {
    std::uint64_t first;
    std::uint64_t second;
};

const ProcessKeys& processKeys() {
    static const ProcessKeys keys = [] {
        std::array<std::uint8_t, 16> bytes{};
        fillFromKernel(bytes.data(), bytes.size());
        ProcessKeys drawn{};
        for (std::size_t i = 0; i < 8; ++i) {
            drawn.first = drawn.first << 8 | bytes[i];
            drawn.second = drawn.second << 8 | bytes[8 + i];
        }
        return drawn;
    }();
    return keys;
}

std::atomic<std::uint64_t> nextSerial{1};

}  // namespace

CompactUuid CompactUuid::random() {
    CompactUuid uuid;
    uuid.serial_ = nextSerial.fetch_add(1, std::memory_order_relaxed);
    return uuid;
}

std::string CompactUuid::text() const {
    // The first half is a bijection of the serial number, so two serials differ in it; the
    // version bits it gives up leave sixty bits, and the second half scatters them again.
    const ProcessKeys& keys = processKeys();
    const std::uint64_t first = scatter(serial_ ^ keys.first);
    const std::uint64_t second = scatter(serial_ + keys.second);
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first >> (56 - 8 * i));
        bytes[8 + i] = static_cast<std::uint8_t>(second >> (56 - 8 * i));
    }
    const auto text = canonicalText(bytes);
    return std::string(text.data(), text.size());
}

std::string makeUuid() {
    const auto text = randomText();
    return std::string(text.data(), text.size());
}

Identifier makeUuidIdentifier() {
    const auto text = randomText();
    return Identifier(std::string_view(text.data(), text.size()));
}

}  // namespace vantorel

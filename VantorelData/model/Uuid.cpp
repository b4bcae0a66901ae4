#include "VantorelData/model/Uuid.h"

#include <sys/random.h>

#include <array>
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

}  // namespace

UuidBytes UuidBytes::random() {
    UuidBytes uuid;
    fillRandom(uuid.bytes_);
    uuid.bytes_[6] = static_cast<std::uint8_t>((uuid.bytes_[6] & 0x0F) | 0x40);  // version 4
    uuid.bytes_[8] = static_cast<std::uint8_t>((uuid.bytes_[8] & 0x3F) | 0x80);  // RFC 4122 variant
    return uuid;
}

std::string UuidBytes::text() const {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text(36, '-');
    std::size_t at = 0;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) ++at;  // past a dash
        text[at++] = digits[bytes_[i] >> 4];
        text[at++] = digits[bytes_[i] & 0x0F];
    }
    return text;
}

std::string makeUuid() { return UuidBytes::random().text(); }

}  // namespace vantorel

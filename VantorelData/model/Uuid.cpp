#include "VantorelData/model/Uuid.h"

#include <sys/random.h>

#include <algorithm>
#include <array>
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

// Opening a document mints an identifier for every set step and shadow; one system call per
// identifier dominated reading large documents, so random bytes are drawn in batches.
void fillRandom(std::array<std::uint8_t, 16>& bytes) {
    static thread_local std::array<std::uint8_t, 4096> pool{};
    static thread_local std::size_t used = pool.size();
    if (used + bytes.size() > pool.size()) {
        fillFromKernel(pool.data(), pool.size());
        used = 0;
    }
    std::copy_n(pool.begin() + static_cast<std::ptrdiff_t>(used), bytes.size(), bytes.begin());
    used += bytes.size();
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

#pragma once
// Identifiers of new model objects: random version-4 UUIDs in canonical upper-case form
// ("8-4-4-4-12" hexadecimal digits, 36 characters).

#include <array>
#include <cstdint>
#include <string>

namespace vantorel {

// A version-4 UUID kept as its sixteen bytes, for values that mint an identifier each but are
// rarely asked for it (every step of every set read from a document): no text, no heap.
class UuidBytes {
public:
    // Fresh random bytes.
    static UuidBytes random();

    // The canonical text, e.g. "3F2504E0-4F89-41D3-9A0C-0305E82C3301".
    std::string text() const;

    friend bool operator==(const UuidBytes&, const UuidBytes&) = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

// A fresh random identifier in canonical text form.
std::string makeUuid();

}  // namespace vantorel

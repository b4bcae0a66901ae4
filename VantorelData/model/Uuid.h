#pragma once
// Identifiers of new model objects: random version-4 UUIDs in canonical upper-case form
// ("8-4-4-4-12" hexadecimal digits, 36 characters).

#include <cstdint>
#include <string>

#include "VantorelData/model/Identifier.h"

namespace vantorel {

// A version-4 UUID for values that mint an identifier each but are rarely asked for it (every
// step of every set read from a document): eight bytes, no text, no heap. It keeps a serial
// number drawn from a process-wide count; its text mixes that number with keys drawn at random
// once per process, so that distinct numbers give distinct texts that read as random ones.
class CompactUuid {
public:
    // A fresh identifier, distinct from every other one this process mints.
    static CompactUuid random();

    // The canonical text, e.g. "3F2504E0-4F89-41D3-9A0C-0305E82C3301".
    std::string text() const;

    friend bool operator==(const CompactUuid&, const CompactUuid&) = default;

private:
    std::uint64_t serial_ = 0;
};

// A fresh random identifier in canonical text form.
std::string makeUuid();
// The same, kept inline.
Identifier makeUuidIdentifier();

}  // namespace vantorel

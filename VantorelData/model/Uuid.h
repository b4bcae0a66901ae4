#pragma once
// Identifiers of new model objects: random version-4 UUIDs in canonical upper-case form
// ("8-4-4-4-12" hexadecimal digits, 36 characters).

#include <string>

namespace vantorel {

// A fresh random identifier, e.g. "3F2504E0-4F89-41D3-9A0C-0305E82C3301".
std::string makeUuid();

}  // namespace vantorel

#pragma once
// Template values from JSON, keeping the key order of objects as written.

#include <filesystem>

#include <nlohmann/json.hpp>

#include "Stencil/Error.h"
#include "Stencil/Value.h"

namespace stencil {

// Parts nested more than a few hundred levels deep become null.
Value valueFromJson(const nlohmann::ordered_json& json);

// Parses JSON text; a syntax error names the byte where it was found.
Result<Value> parseJsonValue(std::string_view text);
// Reads and parses a JSON file.
Result<Value> readJsonFile(const std::filesystem::path& file);

}  // namespace stencil

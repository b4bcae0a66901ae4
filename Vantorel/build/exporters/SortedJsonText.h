#pragma once
// The JSON text of design-token files and asset catalog "Contents.json" files, byte for byte
// as the platform JSON writer prints it with sorted keys and pretty printing: two-space
// indentation, " : " between key and value, keys in ascending byte order, "/" escaped as "\/",
// empty containers opened and closed on their own lines. Floating-point numbers stand bare in
// the short printf "%.4g" form of design tokens ("0.5", "1.234e+04"), whatever the locale.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace vantorel::build {

struct SortedJsonText {
    std::string text;            // empty when `error` is set
    std::optional<std::string> error;  // why the value cannot be written as JSON
};

// Writes `value`. Fails for numbers that JSON cannot hold (infinities, NaN) and for nesting
// deeper than the platform writer accepts; strings that are not valid UTF-8 are repaired
// with U+FFFD rather than refused.
SortedJsonText sortedJsonText(const nlohmann::json& value);

// printf "%.4g" in the "C" locale: at most four significant digits, exponent form below 1e-4
// and from 1e4 ("0.1235", "1", "1.234e+04"). Empty for a value that is not finite.
std::string shortGeneralNumberText(double value);

}  // namespace vantorel::build

#pragma once
// A printf-style template filler for color text, independent of the user's locale: numbers
// always use a full stop, exactly as printf does in the "C" locale. Color templates may carry a
// user-chosen prefix or suffix, so every placeholder a user can type is handled without
// crashing; the ones color forms use ("%g", "%u", "%02X", "%%") match printf exactly.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quenz {

// One value for a placeholder: a floating component or an integer (byte, percentage, degree).
struct PrintfValue {
    enum class Kind { real, integer };
    Kind kind = Kind::real;
    double real = 0;
    std::uint32_t integer = 0;

    static PrintfValue ofReal(double value) { return {Kind::real, value, 0}; }
    static PrintfValue ofInteger(std::uint32_t value) { return {Kind::integer, 0, value}; }
};

// Fills the placeholders of `format` from `values` in order. Surplus values are ignored; a
// placeholder with no value left writes nothing; an unknown conversion is copied as written.
// Integer placeholders given a real value round it half away from zero, and vice versa.
std::string printfFormat(std::string_view format, std::span<const PrintfValue> values);

// "%g" of one value: six significant digits, no trailing zeros, "C" locale.
std::string printfG(double value);

// Writes printfG(value) at `out` and returns the end; it may touch all maxPrintfGLength bytes
// at `out`, also past the end it returns (digits are copied in blocks). The writer of every
// color component, so it takes the shortest round-trip digits whenever they are the six-digit
// rounding already, and only rounds to six digits when they are not.
inline constexpr std::size_t maxPrintfGLength = 16;  // "-1.23457e+308"
char* writePrintfG(char* out, double value);
void appendPrintfG(std::string& out, double value);

// Writes printfG(whole / 10^places) at `out`, places 0…22, as roundTo divides a rounded whole
// number back, and returns the end; like writePrintfG it may touch maxPrintfGLength bytes.
// Knowing the places, it lays out the whole number's digits directly instead of looking for them.
char* writeRoundedWholeG(char* out, double whole, int places);

}  // namespace quenz

#include "QuenzColorUtils/ColorFormatPrintf.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

struct Spec {
    bool leftAlign = false;
    bool plusSign = false;
    bool spaceSign = false;
    bool alternate = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;  // -1: not given
    char conversion = 0;
};

constexpr int maxWidth = 4096;  // a typed-in width never allocates without bound

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Rounds half away from zero into the signed 64-bit range; NaN becomes 0.
std::int64_t toInteger(double value) {
    if (std::isnan(value)) return 0;
    double rounded = std::round(value);
    if (rounded >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (rounded <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

double realOf(const PrintfValue& v) { return v.kind == PrintfValue::Kind::real ? v.real : v.integer; }

std::int64_t signedOf(const PrintfValue& v) {
    return v.kind == PrintfValue::Kind::integer ? static_cast<std::int64_t>(v.integer) : toInteger(v.real);
}

// printf's unsigned conversions see the 32-bit pattern of the argument.
std::uint64_t unsignedOf(const PrintfValue& v) {
    if (v.kind == PrintfValue::Kind::integer) return v.integer;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(toInteger(v.real)));
}

// Pads `body` (sign or prefix first, then digits) to the conversion's field width.
void appendPadded(std::string& out, const Spec& spec, std::string_view signPart, std::string_view digits,
                  bool zeroPadAllowed) {
    auto length = static_cast<int>(signPart.size() + digits.size());
    int padding = std::max(0, std::min(spec.width, maxWidth) - length);
    if (spec.leftAlign) {
        out.append(signPart).append(digits).append(static_cast<std::size_t>(padding), ' ');
    } else if (spec.zeroPad && zeroPadAllowed) {
        out.append(signPart).append(static_cast<std::size_t>(padding), '0').append(digits);
    } else {
        out.append(static_cast<std::size_t>(padding), ' ').append(signPart).append(digits);
    }
}

void appendReal(std::string& out, const Spec& spec, double value) {
    std::array<char, 512> buffer{};
    char* first = buffer.data();
    char* last = buffer.data() + buffer.size();
    bool negative = std::signbit(value);
    double magnitude = std::fabs(value);
    char lower = static_cast<char>(spec.conversion | 0x20);
    int precision = spec.precision < 0 ? 6 : std::min(spec.precision, 300);

    std::to_chars_result result{};
    std::string digits;
    if (std::isnan(value) || std::isinf(value)) {
        digits = std::isnan(value) ? "nan" : "inf";
        negative = negative && !std::isnan(value);
    } else if (lower == 'f') {
        result = std::to_chars(first, last, magnitude, std::chars_format::fixed, precision);
    } else if (lower == 'e') {
        result = std::to_chars(first, last, magnitude, std::chars_format::scientific, precision);
    } else if (lower == 'a') {
        result = spec.precision < 0 ? std::to_chars(first, last, magnitude, std::chars_format::hex)
                                    : std::to_chars(first, last, magnitude, std::chars_format::hex, precision);
    } else {
        result = std::to_chars(first, last, magnitude, std::chars_format::general, precision == 0 ? 1 : precision);
    }
    if (digits.empty()) {
        if (result.ec != std::errc{}) return;
        digits.assign(first, result.ptr);
        if (lower == 'a') digits = "0x" + digits;
        if (spec.alternate && digits.find('.') == std::string::npos && lower != 'a') {
            auto exponent = digits.find('e');
            const auto point = exponent == std::string::npos ? digits.end()
                                                             : digits.begin() + static_cast<std::ptrdiff_t>(exponent);
            digits.insert(point, '.');
        }
    }
    if (spec.conversion == 'F' || spec.conversion == 'E' || spec.conversion == 'G' || spec.conversion == 'A') {
        std::transform(digits.begin(), digits.end(), digits.begin(), upper);
    }
    std::string_view sign = negative ? "-" : spec.plusSign ? "+" : spec.spaceSign ? " " : "";
    bool finite = std::isfinite(value);
    if (lower == 'a' && finite) {
        // Zero padding goes between "0x" and the digits.
        std::string signPart = std::string(sign) + digits.substr(0, 2);
        appendPadded(out, spec, signPart, std::string_view(digits).substr(2), true);
        return;
    }
    appendPadded(out, spec, sign, digits, finite);
}

void appendInteger(std::string& out, const Spec& spec, const PrintfValue& value) {
    std::array<char, 32> buffer{};
    std::string_view sign;
    std::string_view prefix;
    std::uint64_t magnitude = 0;
    int base = 10;
    switch (spec.conversion) {
        case 'd':
        case 'i': {
            std::int64_t v = signedOf(value);
            // Signed conversions see a 32-bit int, as printf does with "%d".
            auto narrowed = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
            magnitude = narrowed < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(narrowed))
                                     : static_cast<std::uint64_t>(narrowed);
            sign = narrowed < 0 ? "-" : spec.plusSign ? "+" : spec.spaceSign ? " " : "";
            break;
        }
        case 'o':
            base = 8;
            magnitude = unsignedOf(value);
            break;
        case 'x':
        case 'X':
            base = 16;
            magnitude = unsignedOf(value);
            if (spec.alternate && magnitude != 0) prefix = spec.conversion == 'x' ? "0x" : "0X";
            break;
        default:
            magnitude = unsignedOf(value);
            break;
    }
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, base);
    std::string digits(buffer.data(), result.ptr);
    if (spec.conversion == 'X') std::transform(digits.begin(), digits.end(), digits.begin(), upper);
    if (spec.precision >= 0) {
        if (spec.precision == 0 && magnitude == 0) digits.clear();
        int minimum = std::min(spec.precision, maxWidth);
        if (static_cast<int>(digits.size()) < minimum) {
            digits.insert(0, static_cast<std::size_t>(minimum) - digits.size(), '0');
        }
    }
    if (spec.conversion == 'o' && spec.alternate && (digits.empty() || digits.front() != '0')) digits.insert(digits.begin(), '0');
    std::string signPart = std::string(sign) + std::string(prefix);
    appendPadded(out, spec, signPart, digits, spec.precision < 0);
}

bool isPlainG(const Spec& spec) {
    return spec.conversion == 'g' && spec.width == 0 && spec.precision < 0 && !spec.leftAlign && !spec.plusSign &&
           !spec.spaceSign && !spec.alternate;
}

// Reads "*" or digits; "*" takes the next value.
int readCount(std::string_view format, std::size_t& i, std::span<const PrintfValue> values, std::size_t& next) {
    if (i < format.size() && format[i] == '*') {
        ++i;
        if (next >= values.size()) return 0;
        auto v = signedOf(values[next++]);
        return static_cast<int>(std::clamp<std::int64_t>(v, -maxWidth, maxWidth));
    }
    int count = 0;
    while (i < format.size() && isDigit(format[i])) {
        count = std::min(count * 10 + (format[i] - '0'), maxWidth);
        ++i;
    }
    return count;
}

}  // namespace

std::string printfFormat(std::string_view format, std::span<const PrintfValue> values) {
    std::string out;
    out.reserve(format.size() + 8 * values.size());
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (c != '%') {
            out.push_back(c);
            ++i;
            continue;
        }
        std::size_t start = i++;
        Spec spec;
        for (; i < format.size(); ++i) {
            char flag = format[i];
            if (flag == '-') spec.leftAlign = true;
            else if (flag == '+') spec.plusSign = true;
            else if (flag == ' ') spec.spaceSign = true;
            else if (flag == '#') spec.alternate = true;
            else if (flag == '0') spec.zeroPad = true;
            else if (flag == '\'') continue;  // grouping: none in the "C" locale
            else break;
        }
        spec.width = readCount(format, i, values, next);
        if (spec.width < 0) {
            spec.leftAlign = true;
            spec.width = -spec.width;
        }
        if (i < format.size() && format[i] == '.') {
            ++i;
            spec.precision = readCount(format, i, values, next);
            if (spec.precision < 0) spec.precision = -1;
        }
        while (i < format.size() && std::string_view("hlLqjzt").find(format[i]) != std::string_view::npos) ++i;
        if (i >= format.size()) {
            out.append(format.substr(start));
            break;
        }
        spec.conversion = format[i++];
        switch (spec.conversion) {
            case '%':
                out.push_back('%');
                break;
            case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
                if (next >= values.size()) break;
                if (isPlainG(spec)) {
                    appendPrintfG(out, realOf(values[next++]));
                } else {
                    appendReal(out, spec, realOf(values[next++]));
                }
                break;
            case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
                if (next < values.size()) appendInteger(out, spec, values[next++]);
                break;
            case 's': case '@': case 'c':
                // Object and text placeholders have no text value here: show the number.
                if (next < values.size()) {
                    const auto& v = values[next++];
                    Spec plain = spec;
                    if (v.kind == PrintfValue::Kind::integer) {
                        plain.conversion = 'u';
                        appendInteger(out, plain, v);
                    } else {
                        plain.conversion = 'g';
                        plain.precision = -1;
                        appendReal(out, plain, v.real);
                    }
                }
                break;
            default:
                out.append(format.substr(start, i - start));
                break;
        }
    }
    return out;
}

namespace {

constexpr std::size_t numberRoom = NumberText::numberRoom;

// Writes m / 10^places for a whole m from 1 to 999,999 that does not end in 0 (unless places is
// 0) in fixed notation: the "%g" text of every such value from 1e-4 up. The digits are copied
// in blocks of eight, which stay within the numberRoom bytes at `out`.
inline char* writeDecimal(char* out, std::uint32_t whole, int places, bool negative) {
    char digits[16] = {};
    const int count = static_cast<int>(std::to_chars(digits, digits + 8, whole).ptr - digits);
    *out = '-';
    out += negative ? 1 : 0;
    if (count > places) {
        std::memcpy(out, digits, 8);
        out += count - places;
        if (places == 0) return out;
        *out++ = '.';
        std::memcpy(out, digits + count - places, 8);
        return out + places;
    }
    // From 1e-4 up there are at most three zeros after the point.
    std::memcpy(out, "0.000", 5);
    out += 2 + (places - count);
    std::memcpy(out, digits, 8);
    return out + count;
}

// Values rounded to a few decimals, nearly every color component, are the double nearest
// m / 10^p for a whole m of at most `significant` digits. That decimal is both the shortest
// text of the value and its "%g" text, and it needs only integer arithmetic. Writes it and
// returns the end, or null when the value is not of that kind (or lies outside the range
// "%g" writes without an exponent).
char* writeFewDecimals(char* out, double value, int significant) {
    const double magnitude = std::fabs(value);
    const double limit = exactPowersOfTen[significant];
    if (!(magnitude >= 1e-4 && magnitude < limit)) return nullptr;
    for (int places = 0; places < 10; ++places) {
        const double scaled = magnitude * exactPowersOfTen[places];
        if (scaled >= limit) return nullptr;  // more significant digits than that
        const auto whole = static_cast<std::uint32_t>(scaled + 0.5);
        if (whole / exactPowersOfTen[places] != magnitude) continue;
        return writeDecimal(out, whole, places, value < 0);
    }
    return nullptr;
}

// Any other value from 1e-4 up to 10^significant rounded to its significant digits by integer
// arithmetic: the value scaled to 10^(significant-1)…10^significant and rounded. Scaling by an
// exact power of ten errs by far less than the margin kept around a rounding tie; values near
// a tie, and all others, are left to the library. Returns the end, or null when not handled.
char* writeRoundedDigits(char* out, double value, int significant) {
    const double magnitude = std::fabs(value);
    const double limit = exactPowersOfTen[significant];
    if (!(magnitude >= 1e-4 && magnitude < limit)) return nullptr;
    int exponent = significant - 1;  // of the leading digit
    while (exponent > -4 && magnitude < exactPowersOfTen[exponent + 4] / 1e4) --exponent;
    const double scaled = magnitude * exactPowersOfTen[significant - 1 - exponent];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return nullptr;
    auto digits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1 : 0);
    const auto lowest = static_cast<std::uint32_t>(exactPowersOfTen[significant - 1]);
    if (digits < lowest || digits > lowest * 10) return nullptr;
    if (digits == lowest * 10) {
        digits = lowest;
        if (++exponent >= significant) return nullptr;  // written with an exponent
    }
    int places = significant - 1 - exponent;
    while (places > 0 && digits % 10 == 0) {  // "%g" drops trailing zeros
        digits /= 10;
        --places;
    }
    return writeDecimal(out, digits, places, value < 0);
}

// The shortest digits that read back as `value`, as d[.ddd]e±XX. When there are at most
// `significant` of them they are also the rounding of the exact binary value to that many
// (a normal double lies far closer to them than to any midpoint of such decimals), so "%g"
// would show the same digits; it only remains to lay them out as "%g" does. Subnormal values
// carry too few bits for that and take the library's rounding.
char* writeShortestOrRounded(char* out, double value, int significant) {
    char shortest[32];
    char* const end = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific).ptr;
    const char* e = std::find(shortest, end, 'e');
    const bool negative = shortest[0] == '-';
    char digits[24];
    int digitCount = 0;
    for (const char* p = shortest + (negative ? 1 : 0); p < e; ++p) {
        if (*p != '.') digits[digitCount++] = *p;
    }
    if (digitCount > significant || (value != 0 && std::fabs(value) < std::numeric_limits<double>::min())) {
        return std::to_chars(out, out + numberRoom, value, std::chars_format::general, significant).ptr;
    }
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    if (exponent < -4 || exponent >= significant) return std::copy(shortest, end, out);  // "%g" lays exponents out alike
    if (negative) *out++ = '-';
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        return std::copy(digits, digits + digitCount, out);
    }
    const int whole = exponent + 1;
    if (digitCount <= whole) {
        out = std::copy(digits, digits + digitCount, out);
        return std::fill_n(out, whole - digitCount, '0');
    }
    out = std::copy(digits, digits + whole, out);
    *out++ = '.';
    return std::copy(digits + whole, digits + digitCount, out);
}

char* writeGeneralNumber(char* out, double value, int significant) {
    if (char* end = writeFewDecimals(out, value, significant)) return end;
    if (char* end = writeRoundedDigits(out, value, significant)) return end;
    if (!std::isfinite(value)) {
        std::string text;
        appendReal(text, Spec{.conversion = 'g'}, value);
        return std::copy(text.begin(), text.end(), out);
    }
    return writeShortestOrRounded(out, value, significant);
}

}  // namespace

char* NumberText::writeGeneral(char* out, double value, int significant) {
    return writeGeneralNumber(out, value, std::clamp(significant, 1, 6));
}

char* NumberText::writeRoundedWholeG(char* out, double whole, int places) {
    places = std::clamp(places, 0, static_cast<int>(std::size(exactPowersOfTen)) - 1);
    const double scale = exactPowersOfTen[places];
    const double magnitude = std::fabs(whole);
    // The double nearest m / 10^places, with m of at most six digits and the value at least
    // 1e-4, is written by "%g" as that very decimal. Zero (signed), NaN, infinities and longer
    // numbers take the general path.
    if (places < 10 && magnitude < 1e6 && magnitude * 1e4 >= scale) {
        auto digits = static_cast<std::uint32_t>(magnitude);
        while (places > 0 && digits % 10 == 0) {  // "%g" drops trailing zeros
            digits /= 10;
            --places;
        }
        return writeDecimal(out, digits, places, whole < 0);
    }
    return writeGeneralNumber(out, whole / scale, 6);
}

char* NumberText::writeUnsigned(char* out, std::uint32_t value) {
    return std::to_chars(out, out + numberRoom, value).ptr;
}

void NumberText::appendRoundedWholeG(double whole, int places) {
    if (char* out = room()) size_ = static_cast<std::size_t>(writeRoundedWholeG(out, whole, places) - text_);
}

void appendPrintfG(std::string& out, double value) {
    NumberText text;
    text.appendGeneral(value);
    out.append(text.view());
}

std::string printfG(double value) {
    std::string out;
    appendPrintfG(out, value);
    return out;
}

}  // namespace quenz

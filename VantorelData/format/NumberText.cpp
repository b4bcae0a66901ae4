#include "VantorelData/format/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>
#include <system_error>

namespace vantorel::format {
namespace {

constexpr int measuredFractionDigits = 4;
constexpr std::size_t measuredIntegerDigitLimit = 100;
constexpr double measuredAlwaysWritableBelow = 1e99;
// Above this magnitude plain doubles switch to the exponent form: beyond it not every
// integer is representable, so the integer digits would be misleading.
constexpr double plainDoubleExponentAbove = 9007199254740992.0;  // 2^53

// The shortest decimal form of a positive finite double: significant digits without leading
// or trailing zeros, and the power of ten of the first digit (value = d.ddd × 10^exponent).
struct ShortestDecimal {
    std::array<char, 24> digits{};
    int count = 0;
    int exponent = 0;
};

ShortestDecimal shortestDecimal(double positive) {
    std::array<char, 40> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), positive, std::chars_format::scientific);
    ShortestDecimal decimal;
    const char* p = buffer.data();
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && decimal.count < static_cast<int>(decimal.digits.size())) {
            decimal.digits[static_cast<std::size_t>(decimal.count++)] = *p;
        }
    }
    if (p < result.ptr) {
        int exponent = 0;
        const char* start = p + 1;
        if (start < result.ptr && *start == '+') ++start;
        std::from_chars(start, result.ptr, exponent);
        decimal.exponent = exponent;
    }
    while (decimal.count > 1 && decimal.digits[static_cast<std::size_t>(decimal.count - 1)] == '0') --decimal.count;
    return decimal;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// from_chars does not take a leading "+", which C-locale readers accept.
std::string_view withoutPlusSign(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    return text;
}

// Plain decimals ("0.5", "-12.25", "1") with at most fifteen-odd significant digits: the
// digits form an integer that a double holds exactly, and dividing it by an exactly held power
// of ten rounds once, correctly, so the result is the double the general parser gives. Reads
// from `position` up to the first byte that is no digit, or after the fraction's digits, and
// moves `position` there; false for anything else (exponents, long digit runs, a bare full
// stop), which is left to the general parser. Inlined where it is used: it runs four times per
// color, and returning an optional from a call went through memory, costing more than the digits.
[[gnu::always_inline]] inline bool parseShortDecimal(const char*& position, const char* end, double& value) {
    static constexpr std::array<double, 23> powersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t exactIntegerLimit = std::uint64_t{1} << 53;
    constexpr std::size_t digitLimit = 19;  // no overflow of the 64-bit accumulator
    const char* p = position;
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    std::uint64_t digits = 0;
    const char* const integerStart = p;
    for (; p < end && isDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    position = p;
    if (p == integerStart) return false;
    std::size_t digitCount = static_cast<std::size_t>(p - integerStart);
    std::size_t fractionDigits = 0;
    if (p < end && *p == '.') {
        const char* const fractionStart = ++p;
        for (; p < end && isDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        position = p;
        fractionDigits = static_cast<std::size_t>(p - fractionStart);
        if (fractionDigits == 0) return false;
        digitCount += fractionDigits;
    }
    if (digitCount > digitLimit || digits > exactIntegerLimit || fractionDigits >= powersOfTen.size()) return false;
    const double magnitude = static_cast<double>(digits) / powersOfTen[fractionDigits];
    value = negative ? -magnitude : magnitude;
    return true;
}

std::optional<double> parseShortDecimal(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    double value = 0;
    if (!parseShortDecimal(p, end, value) || p != end) return std::nullopt;
    return value;
}

}  // namespace

NumberText integerText(long long value) {
    NumberText text;
    const auto result = std::to_chars(text.end(), text.limit(), value);
    text.grow(result.ptr);
    return text;
}

std::optional<NumberText> measuredNumberText(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    NumberText text;
    if (value == 0) {
        text.append('0');
        return text;
    }
    const ShortestDecimal decimal = shortestDecimal(std::fabs(value));

    // Digits kept: everything up to the fourth fraction digit. integerDigits may be zero or
    // negative for values below one.
    int integerDigits = decimal.exponent + 1;
    const int keep = integerDigits + measuredFractionDigits;
    if (keep < 0) {
        text.append('0');
        return text;
    }
    std::array<char, 130> kept{};
    if (keep > static_cast<int>(kept.size()) - 1) return std::nullopt;  // far beyond 100 integer digits
    for (int i = 0; i < keep; ++i) {
        kept[static_cast<std::size_t>(i)] = i < decimal.count ? decimal.digits[static_cast<std::size_t>(i)] : '0';
    }
    // Round half to even on the decimal digits.
    bool roundUp = false;
    if (keep < decimal.count) {
        const char first = decimal.digits[static_cast<std::size_t>(keep)];
        bool restNonZero = false;
        for (int i = keep + 1; i < decimal.count; ++i) restNonZero |= decimal.digits[static_cast<std::size_t>(i)] != '0';
        const char lastKept = keep > 0 ? kept[static_cast<std::size_t>(keep - 1)] : '0';
        roundUp = first > '5' || (first == '5' && (restNonZero || (lastKept - '0') % 2 == 1));
    }
    int length = keep;
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            auto& digit = kept[static_cast<std::size_t>(i)];
            if (digit == '9') {
                digit = '0';
            } else {
                ++digit;
                break;
            }
        }
        if (i < 0) {  // carried past the first digit: one more leading digit
            for (int j = length; j > 0; --j) kept[static_cast<std::size_t>(j)] = kept[static_cast<std::size_t>(j - 1)];
            kept[0] = '1';
            ++length;
            ++integerDigits;
        }
    }
    if (integerDigits > static_cast<int>(measuredIntegerDigitLimit)) return std::nullopt;

    // Assemble: integer part (at least "0"), then the fraction without trailing zeros.
    int fractionEnd = length;
    while (fractionEnd > std::max(integerDigits, 0) && kept[static_cast<std::size_t>(fractionEnd - 1)] == '0') {
        --fractionEnd;
    }
    bool allZero = true;
    for (int i = 0; i < length; ++i) allZero &= kept[static_cast<std::size_t>(i)] == '0';
    if (allZero) {
        text.append('0');
        return text;
    }
    if (value < 0) text.append('-');
    if (integerDigits <= 0) {
        text.append('0');
    } else {
        text.append(std::string_view(kept.data(), static_cast<std::size_t>(integerDigits)));
    }
    const int fractionStart = std::max(integerDigits, 0);
    if (fractionEnd > fractionStart) {
        text.append('.');
        for (int i = integerDigits; i < 0; ++i) text.append('0');  // zeros before the first digit
        text.append(std::string_view(kept.data() + fractionStart, static_cast<std::size_t>(fractionEnd - fractionStart)));
    }
    return text;
}

NumberText plainDoubleText(double value) {
    NumberText text;
    if (std::isnan(value)) {
        text.append("nan");
        return text;
    }
    if (std::signbit(value)) text.append('-');
    const double magnitude = std::fabs(value);
    if (std::isinf(magnitude)) {
        text.append("inf");
        return text;
    }
    if (magnitude == 0) {
        text.append("0.0");
        return text;
    }
    const ShortestDecimal decimal = shortestDecimal(magnitude);
    const std::string_view digits(decimal.digits.data(), static_cast<std::size_t>(decimal.count));
    if (decimal.exponent < -4 || magnitude > plainDoubleExponentAbove) {
        text.append(digits[0]);
        if (digits.size() > 1) {
            text.append('.');
            text.append(digits.substr(1));
        }
        text.append('e');
        text.append(decimal.exponent < 0 ? '-' : '+');
        const int exponent = std::abs(decimal.exponent);
        if (exponent < 10) text.append('0');
        text.append(integerText(exponent).view());
        return text;
    }
    if (decimal.exponent < 0) {
        text.append("0.");
        for (int i = decimal.exponent + 1; i < 0; ++i) text.append('0');
        text.append(digits);
        return text;
    }
    const auto integerDigits = static_cast<std::size_t>(decimal.exponent + 1);
    for (std::size_t i = 0; i < integerDigits; ++i) text.append(i < digits.size() ? digits[i] : '0');
    text.append('.');
    if (digits.size() > integerDigits) {
        text.append(digits.substr(integerDigits));
    } else {
        text.append('0');
    }
    return text;
}

NumberText componentText(double value) {
    NumberText text;
    const auto result = std::to_chars(text.end(), text.limit(), value, std::chars_format::general, 5);
    text.grow(result.ptr);
    return text;
}

NumberText componentsText(double red, double green, double blue, double alpha) {
    NumberText text;
    const double components[] = {red, green, blue, alpha};
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0) text.append(' ');
        const auto result = std::to_chars(text.end(), text.limit(), components[i], std::chars_format::general, 5);
        text.grow(result.ptr);
    }
    return text;
}

NumberText autoContrastText(double amount) {
    NumberText text;
    const auto result = std::to_chars(text.end(), text.limit(), amount, std::chars_format::general, 2);
    text.grow(result.ptr);
    return text;
}

std::optional<double> parseDouble(std::string_view text) {
    text = withoutPlusSign(text);
    if (text.empty()) return std::nullopt;
    // Only decimal forms: from_chars would also take "inf", "nan" and "infinity".
    const char lead = text.front() == '-' && text.size() > 1 ? text[1] : text.front();
    if (!isDigit(lead) && lead != '.') return std::nullopt;
    if (const auto shortDecimal = parseShortDecimal(text)) return shortDecimal;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseMeasuredNumber(std::string_view text) {
    auto value = parseDouble(text);
    if (!value) return std::nullopt;
    // Below 10^99 a value has at most 99 integer digits, 100 if rounding carries: always
    // writable, so only huge values need the full test.
    if (std::fabs(*value) < measuredAlwaysWritableBelow) return value;
    if (!measuredNumberText(*value)) return std::nullopt;
    return value;
}

double measuredNumberOr(std::string_view text, double fallback) { return parseMeasuredNumber(text).value_or(fallback); }

std::optional<long long> parseInteger(std::string_view text) {
    text = withoutPlusSign(text);
    if (text.empty()) return std::nullopt;
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int> parseInt(std::string_view text) {
    const auto value = parseInteger(text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<std::array<double, 4>> parseComponents(std::string_view text) {
    std::array<double, 4> components{};
    std::size_t count = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        if (count == components.size()) return std::nullopt;
        // Written components are plain decimals, read where they stand; any other form is read
        // whole by the general parser.
        const char* const start = p;
        double& component = components[count++];
        if (!parseShortDecimal(p, end, component) || (p < end && *p != ' ')) {
            p = std::find(start, end, ' ');
            const auto general = parseDouble(std::string_view(start, static_cast<std::size_t>(p - start)));
            if (!general) return std::nullopt;
            component = *general;
        }
    }
    if (count != components.size()) return std::nullopt;
    return components;
}

}  // namespace vantorel::format

#include "Vantorel/testing/ContrastNumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>

namespace vantorel {
namespace {

std::string nonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-∞" : "∞";
}

std::string charsOf(double value, std::chars_format format) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return std::string(buffer, result.ptr);
}

std::string withSeparator(std::string text, std::string_view decimalSeparator) {
    if (auto dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
    return text;
}

// Adds one unit in the last place of a string of decimal digits, growing it on overflow.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

std::string shortestNumberText(double value) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    double magnitude = std::fabs(value);
    bool exponent = magnitude >= 1e16 || (magnitude != 0 && magnitude < 1e-4);
    std::string text = charsOf(value, exponent ? std::chars_format::scientific : std::chars_format::fixed);
    if (!exponent && text.find('.') == std::string::npos) text += ".0";
    return text;
}

std::string plainNumberText(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    if (value == 0) value = 0;  // no "-0"
    return withSeparator(charsOf(value, std::chars_format::fixed), decimalSeparator);
}

std::string oneDecimalHalfEvenText(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    // Round the decimal digits the user would read, not the binary value: 4.35 is a tie.
    std::string text = charsOf(std::fabs(value), std::chars_format::fixed);
    auto dot = text.find('.');
    std::string whole = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);

    std::string kept = whole + (fraction.empty() ? '0' : fraction[0]);  // value in tenths
    std::string dropped = fraction.size() > 1 ? fraction.substr(1) : std::string();
    bool roundUp = false;
    if (!dropped.empty()) {
        if (dropped[0] > '5') {
            roundUp = true;
        } else if (dropped[0] == '5') {
            bool beyondHalf = dropped.find_first_not_of('0', 1) != std::string::npos;
            bool keptIsOdd = (kept.back() - '0') % 2 == 1;
            roundUp = beyondHalf || keptIsOdd;
        }
    }
    if (roundUp) incrementDigits(kept);

    std::string tenths(1, kept.back());
    std::string units = kept.substr(0, kept.size() - 1);
    units.erase(0, std::min(units.find_first_not_of('0'), units.size() - 1));
    if (units.empty()) units = "0";
    bool isZero = units == "0" && tenths == "0";
    std::string result = (value < 0 && !isZero) ? "-" : "";
    result += units;
    if (tenths != "0") {
        result += decimalSeparator;
        result += tenths;
    }
    return result;
}

std::string decimalSeparatorOf(const std::string& localeName) {
    UErrorCode status = U_ZERO_ERROR;
    icu::DecimalFormatSymbols symbols(icu::Locale(localeName.c_str()), status);
    if (U_FAILURE(status)) return ".";
    std::string separator;
    symbols.getConstSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol).toUTF8String(separator);
    return separator.empty() ? "." : separator;
}

}  // namespace vantorel

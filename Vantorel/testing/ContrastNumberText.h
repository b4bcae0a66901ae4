#pragma once
// How contrast figures are written in test summaries and inspector tables. Every function
// writes the same text whatever the process locale; the decimal separator is passed in
// where the user's number style applies.

#include <string>
#include <string_view>

namespace vantorel {

// The shortest text that reads back to the same number, with ".0" on whole numbers:
// 3.0, 4.5, 107.9, -107.9. Very large or tiny values use exponent form (1e-05).
std::string shortestNumberText(double value);

// The shortest text without a trailing ".0": 21, 4.5. Never exponent form.
std::string plainNumberText(double value, std::string_view decimalSeparator = ".");

// At most one fraction digit, halves rounded to even on the written decimal value, no
// grouping: 4.25 → "4.2", 4.35 → "4.4", 21 → "21".
std::string oneDecimalHalfEvenText(double value, std::string_view decimalSeparator = ".");

// The decimal separator of an ICU locale ("de_DE" → ","); "." when the locale is unknown.
std::string decimalSeparatorOf(const std::string& localeName);

}  // namespace vantorel

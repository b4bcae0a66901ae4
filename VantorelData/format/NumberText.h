#pragma once
// The number texts of documents: how integers, measured numbers, plain doubles and color
// components are written and read. Every function here is independent of the process locale
// (a document written in Germany must read in the US), so none of them uses printf or streams.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel::format {

// A short text held in place, so that writing a number allocates nothing.
class NumberText {
public:
    static constexpr std::size_t capacity = 128;

    std::string_view view() const { return {data_.data(), size_}; }
    bool empty() const { return size_ == 0; }
    void append(char c) {
        if (size_ < capacity) data_[size_++] = c;
    }
    void append(std::string_view text) {
        for (char c : text) append(c);
    }
    char* end() { return data_.data() + size_; }
    char* limit() { return data_.data() + capacity; }
    void grow(char* newEnd) { size_ = static_cast<std::size_t>(newEnd - data_.data()); }

private:
    // Left uninitialised: only the first `size_` characters are ever read, and clearing all
    // of them cost more than writing the number.
    std::array<char, capacity> data_;
    std::size_t size_ = 0;
};

// Decimal digits, a minus sign for negative values, no grouping: "12", "-3".
NumberText integerText(long long value);

// A measured number (number values, ranges, shadow geometry, test thresholds): at most four
// fraction digits, rounded half to even on the shortest decimal form of the double, trailing
// zeros dropped, full stop as decimal separator ("12", "0.5", "2.7183", "1000000"). None for
// values that cannot be written: not finite, or more than 100 integer digits after rounding.
std::optional<NumberText> measuredNumberText(double value);

// A plain double (curve amounts, middle locations): the shortest text that reads back as the
// same double, always with a fractional part or an exponent ("1.0", "0.5", "1e-05", "1e+16").
NumberText plainDoubleText(double value);

// One color component as printf "%.5g" would print it in the C locale ("0.12346", "1", "0.5").
NumberText componentText(double value);
// The four components separated by single spaces: "1 0.5 0 1".
NumberText componentsText(double red, double green, double blue, double alpha);
// An automatic contrast amount as printf "%.2g" in the C locale ("0.5", "0.33").
NumberText autoContrastText(double amount);

// A complete finite decimal number in the C locale, with an optional leading sign ("+1.5",
// "-2", ".5", "1e-05"); none for anything else, including surrounding blanks, "inf" and "nan".
std::optional<double> parseDouble(std::string_view text);

// A measured number as stored: a double that can also be written again. Values too large to
// write read as unparsable, so that what is read can always be saved unchanged.
std::optional<double> parseMeasuredNumber(std::string_view text);
// The same, or `fallback` when it does not read: for the many measures of shadows, returned
// in a register rather than as an optional.
double measuredNumberOr(std::string_view text, double fallback);

// A complete decimal integer with an optional leading "+" or "-"; none when it does not fit.
std::optional<long long> parseInteger(std::string_view text);
std::optional<int> parseInt(std::string_view text);

// The four components of an `rgba` text: pieces separated by runs of spaces, exactly four,
// each a number as parseDouble reads it. None otherwise.
std::optional<std::array<double, 4>> parseComponents(std::string_view text);

}  // namespace vantorel::format

#pragma once
// A forward-only reader over color text, used by the color parser to match the written forms
// piece by piece: literal words (case-sensitive), whitespace, plain decimal numbers and the
// separators between them. Each method either consumes what it recognised and returns true (or
// a value), or leaves the position where it was.

#include <cstddef>
#include <optional>
#include <string_view>

namespace quenz {

class ColorFormatScanner {
public:
    explicit ColorFormatScanner(std::string_view text, std::size_t position = 0) : text_(text), position_(position) {}

    std::size_t position() const { return position_; }
    bool atEnd() const { return position_ >= text_.size(); }

    // Consumes `word` when the text continues with it exactly.
    bool literal(std::string_view word);
    // Consumes any ASCII whitespace; returns whether there was some.
    bool skipSpace();
    // An optional "-", then digits with an optional "." and more digits, or "." and digits. No
    // "+" and no exponent. Digits that do not make a finite double read as 0.
    std::optional<double> number();
    // "," with optional whitespace on either side, or whitespace alone.
    bool separator();
    // Consumes a run of ASCII letters, digits and "_" and returns it.
    std::string_view identifier();
    // Consumes the longest run of hexadecimal digits, up to `maximum` + 1 of them, and returns it.
    std::string_view hexDigits(std::size_t maximum);

private:
    std::string_view text_;
    std::size_t position_;
};

bool isAsciiSpace(char c);
bool isHexDigit(char c);
// 0…15 for a hexadecimal digit of either case.
int hexValue(char c);

}  // namespace quenz

#include "QuenzColorUtils/ColorFormatScanner.h"

#include <charconv>
#include <cmath>

namespace quenz {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

bool ColorFormatScanner::literal(std::string_view word) {
    if (text_.substr(position_).starts_with(word)) {
        position_ += word.size();
        return true;
    }
    return false;
}

bool ColorFormatScanner::skipSpace() {
    std::size_t start = position_;
    while (position_ < text_.size() && isAsciiSpace(text_[position_])) ++position_;
    return position_ != start;
}

std::optional<double> ColorFormatScanner::number() {
    std::size_t start = position_;
    std::size_t i = position_;
    if (i < text_.size() && text_[i] == '-') ++i;
    if (i < text_.size() && isDigit(text_[i])) {
        while (i < text_.size() && isDigit(text_[i])) ++i;
        if (i < text_.size() && text_[i] == '.') {
            ++i;
            while (i < text_.size() && isDigit(text_[i])) ++i;
        }
    } else if (i + 1 < text_.size() && text_[i] == '.' && isDigit(text_[i + 1])) {
        i += 2;
        while (i < text_.size() && isDigit(text_[i])) ++i;
    } else {
        return std::nullopt;
    }
    position_ = i;
    double value = 0;
    auto result = std::from_chars(text_.data() + start, text_.data() + i, value, std::chars_format::fixed);
    if (result.ec != std::errc{} || !std::isfinite(value)) return 0.0;
    return value;
}

bool ColorFormatScanner::separator() {
    std::size_t start = position_;
    bool spaced = skipSpace();
    if (position_ < text_.size() && text_[position_] == ',') {
        ++position_;
        skipSpace();
        return true;
    }
    if (spaced) return true;
    position_ = start;
    return false;
}

std::string_view ColorFormatScanner::identifier() {
    std::size_t start = position_;
    while (position_ < text_.size()) {
        char c = text_[position_];
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !isDigit(c) && c != '_') break;
        ++position_;
    }
    return text_.substr(start, position_ - start);
}

std::string_view ColorFormatScanner::hexDigits(std::size_t maximum) {
    std::size_t start = position_;
    while (position_ < text_.size() && position_ - start <= maximum && isHexDigit(text_[position_])) ++position_;
    return text_.substr(start, position_ - start);
}

}  // namespace quenz

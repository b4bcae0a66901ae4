#pragma once
// A printf-style template filler for color text, independent of the user's locale: numbers
// always use a full stop, exactly as printf does in the "C" locale. Color templates may carry a
// user-chosen prefix or suffix, so every placeholder a user can type is handled without
// crashing; the ones color forms use ("%g", "%u", "%02X", "%%") match printf exactly.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Color text made of numbers and a few literal pieces, written in place without allocating.
// The number writers copy digits in blocks and may touch more bytes than the text they leave;
// this is the only way to reach them, and it begins a number only where all the bytes a
// writer may touch are free. A piece that does not fit marks the text `full` and is left out.
class NumberText {
public:
    static constexpr std::size_t capacity = 256;
    // The most bytes a number writer touches at its start: "-1.23457e+308" and the blocks of
    // digits it copies whole beyond the end of shorter numbers.
    static constexpr std::size_t numberRoom = 16;

    void append(char c) {
        if (size_ < capacity) {
            text_[size_++] = c;
        } else {
            full_ = true;
        }
    }
    void append(std::string_view piece) {
        if (capacity - size_ < piece.size()) {
            full_ = true;
            return;
        }
        std::memcpy(text_ + size_, piece.data(), piece.size());
        size_ += piece.size();
    }
    // printf "%.<significant>g" in the "C" locale, significant 1…6 ("%g" is 6). The digits are
    // the shortest round-trip ones whenever they are the rounding already, integer arithmetic
    // wherever the value is not near a rounding tie, and the library's rounding otherwise.
    void appendGeneral(double value, int significant = 6) {
        if (char* out = room()) size_ = static_cast<std::size_t>(writeGeneral(out, value, significant) - text_);
    }
    // printfG(whole / 10^places), places 0…22, as roundTo divides a rounded whole number back.
    // Knowing the places, it lays out the whole number's digits directly instead of looking for them.
    void appendRoundedWholeG(double whole, int places);

    // A stretch of the text with room for a whole color form: its literal pieces and, for each
    // number, all the bytes a number writer may touch. The room is checked once, when the
    // stretch is taken; the appends inside it are unchecked (debug builds assert the room), and
    // the text takes their length when the stretch ends.
    class Stretch {
    public:
        Stretch(const Stretch&) = delete;
        Stretch& operator=(const Stretch&) = delete;
        ~Stretch() {
            if (text_) text_->size_ = static_cast<std::size_t>(out_ - text_->text_);
        }
        // False when the text had no room for it: then nothing may be appended.
        explicit operator bool() const { return text_ != nullptr; }

        void append(char c) {
            assert(out_ < end_);
            *out_++ = c;
        }
        void append(std::string_view piece) {
            assert(piece.size() <= static_cast<std::size_t>(end_ - out_));
            std::memcpy(out_, piece.data(), piece.size());
            out_ += piece.size();
        }
        void appendGeneral(double value, int significant = 6) { out_ = writeGeneral(numberAt(), value, significant); }
        void appendRoundedWholeG(double whole, int places) { out_ = writeRoundedWholeG(numberAt(), whole, places); }
        void appendUnsigned(std::uint32_t value) { out_ = writeUnsigned(numberAt(), value); }

    private:
        friend class NumberText;
        Stretch(NumberText* text, char* out, char* end) : text_(text), out_(out), end_(end) {}
        char* numberAt() const {
            assert(end_ - out_ >= static_cast<std::ptrdiff_t>(numberRoom));
            return out_;
        }

        NumberText* text_;
        char* out_;
        [[maybe_unused]] char* end_;
    };

    // Room for `literalBytes` of pieces and `numbers` numbers, or (when the text lacks it) an
    // empty stretch, and the text is marked full.
    Stretch reserve(std::size_t literalBytes, std::size_t numbers) {
        const std::size_t bytes = literalBytes + numbers * numberRoom;
        if (bytes > capacity - size_) {
            full_ = true;
            return {nullptr, nullptr, nullptr};
        }
        return {this, text_ + size_, text_ + size_ + bytes};
    }

    std::string_view view() const { return {text_, size_}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return size_; }
    bool full() const { return full_; }

private:
    // Where a number may be written with all the bytes its writer may touch; null when full.
    char* room() {
        if (capacity - size_ >= numberRoom) return text_ + size_;
        full_ = true;
        return nullptr;
    }
    // The writers behind the appends of numbers; each may touch numberRoom bytes at `out`.
    static char* writeGeneral(char* out, double value, int significant);
    static char* writeRoundedWholeG(char* out, double whole, int places);
    static char* writeUnsigned(char* out, std::uint32_t value);

    char text_[capacity];
    std::size_t size_ = 0;
    bool full_ = false;
};

void appendPrintfG(std::string& out, double value);

}  // namespace quenz

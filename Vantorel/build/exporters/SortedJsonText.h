#pragma once
// The JSON text of design-token files and asset catalog "Contents.json" files, byte for byte
// as the platform JSON writer prints it with sorted keys and pretty printing: two-space
// indentation, " : " between key and value, keys in ascending byte order, "/" escaped as "\/",
// empty containers opened and closed on their own lines. Floating-point numbers stand bare in
// the short printf "%.4g" form of design tokens ("0.5", "1.234e+04"), whatever the locale.

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::build {

struct SortedJsonText {
    std::string text;            // empty when `error` is set
    std::optional<std::string> error;  // why the value cannot be written as JSON
};

// Writes `value`. Fails for numbers that JSON cannot hold (infinities, NaN) and for nesting
// deeper than the platform writer accepts; strings that are not valid UTF-8 are repaired
// with U+FFFD rather than refused.
SortedJsonText sortedJsonText(const nlohmann::json& value);

// Writes JSON text in that layout as it goes: containers are opened and closed, each member
// or element is begun with `key` or `element` and then given its value. Both sortedJsonText
// and the design-token writer print through it, so their layout cannot drift apart. The
// caller gives object members in key order.
class JsonStream {
public:
    JsonStream() = default;
    // Writes into `buffer`'s room (its text is dropped).
    explicit JsonStream(std::string buffer) : out_(std::move(buffer)) { out_.clear(); }

    void openObject() { open('{'); }
    void openArray() { open('['); }
    void close();
    void key(std::string_view name);
    // A key of plain ASCII that needs no escaping ("$value", "hex"), written as it is.
    void plainKey(std::string_view name) {
        separate();
        char* out = room(name.size() + 5);
        *out++ = '"';
        out = copy(out, name);
        moveTo(copy(out, "\" : "));
    }
    void element() { separate(); }
    void string(std::string_view text);
    void number(double value);  // "%.4g"; a value that is not finite fails the stream
    void integer(std::int64_t value);
    void unsignedInteger(std::uint64_t value);
    void boolean(bool value) { append(value ? "true" : "false"); }
    void null() { append("null"); }
    void fail(std::string message) {
        if (!error_) error_ = std::move(message);
    }

    // Room for about this much text, so that a long document is not copied as it grows.
    void reserve(std::size_t bytes) { out_.reserve(used_ + bytes); }

    const std::optional<std::string>& error() const { return error_; }
    std::string take() {
        out_.resize(used_);
        used_ = 0;
        return std::move(out_);
    }

private:
    void open(char bracket);
    void separate() {
        const std::size_t indent = closers_.size() * 2;
        char* out = room(indent + 2 + indentBlock);
        if (!first_) {
            *out++ = ',';
            *out++ = '\n';
        }
        first_ = false;
        moveTo(writeIndent(out, indent));
    }
    // Writes `indent` spaces in whole blocks, the last reaching up to indentBlock - 1 bytes
    // past the end it returns: callers keep that much room.
    static constexpr std::size_t indentBlock = 16;
    static char* writeIndent(char* out, std::size_t indent) {
        for (std::size_t written = 0; written < indent; written += indentBlock) {
            std::memcpy(out + written, "                ", indentBlock);
        }
        return out + indent;
    }
    void append(std::string_view text) { moveTo(copy(room(text.size()), text)); }
    void moveTo(char* end) { used_ = static_cast<std::size_t>(end - out_.data()); }
    static char* copy(char* out, std::string_view text) {
        std::memcpy(out, text.data(), text.size());
        return out + text.size();
    }
    // Where `bytes` more may be written; the text is written in place and `used_` moved past it.
    char* room(std::size_t bytes) {
        if (out_.size() - used_ < bytes) grow(bytes);
        return out_.data() + used_;
    }
    void grow(std::size_t bytes);

    std::string out_;            // the text is its first used_ bytes; the rest is room
    std::size_t used_ = 0;
    std::vector<char> closers_;  // the closing bracket of each open container
    bool first_ = true;          // nothing written yet in the innermost container
    std::optional<std::string> error_;
};

// printf "%.4g" in the "C" locale: at most four significant digits, exponent form below 1e-4
// and from 1e4 ("0.1235", "1", "1.234e+04"). Empty for a value that is not finite.
std::string shortGeneralNumberText(double value);

}  // namespace vantorel::build

#pragma once
// Identifier: the identifier of an item or of an alias's target, in 16 bytes.
//
// Nearly every identifier a document holds is one the system minted: a version-4 UUID in
// canonical upper-case form ("3F2504E0-4F89-41D3-9A0C-0305E82C3301"). Such a text is kept as its
// 31 free hexadecimal digits, packed two to a byte in text order (the version digit '4' and the
// dashes are implied). Any other text (lower case, another version, a short hand-written name,
// the empty text, a long one) is kept verbatim, inline up to 15 characters and on the heap
// beyond. Either way the text reads back byte for byte, and equal texts always take the same
// form, so that comparing two identifiers compares their bytes.
//
// A packed identifier holds no characters to point at: its text is read through `text()`, a
// small value that can be viewed while it lives, or copied out with `str()` and `appendTo`.

#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "VantorelData/model/CompactText.h"

namespace vantorel {

class Identifier {
public:
    // The length of the canonical UUID text.
    static constexpr std::size_t uuidLength = 36;

    // An identifier's characters, held by value (or, for a verbatim text, viewed where the
    // identifier keeps it). Read it while it lives: a view of a temporary would dangle, so a
    // temporary does not convert.
    class Text {
    public:
        std::string_view view() const& noexcept { return {external_ ? external_ : chars_, size_}; }
        std::string_view view() const&& = delete;
        operator std::string_view() const& noexcept { return view(); }
        operator std::string_view() const&& = delete;
        std::string str() const { return std::string(external_ ? external_ : chars_, size_); }
        std::size_t size() const noexcept { return size_; }

    private:
        friend class Identifier;
        Text() = default;
        const char* external_ = nullptr;
        std::size_t size_ = 0;
        char chars_[uuidLength];
    };

    Identifier() noexcept = default;
    Identifier(std::string_view text) { assign(text); }
    Identifier(const std::string& text) { assign(text); }
    Identifier(const char* text) { assign(text); }

    Text text() const;
    std::string str() const;
    operator std::string() const { return str(); }
    // Appends the text, for writers that build output in one string.
    void appendTo(std::string& out) const;

    std::size_t size() const noexcept;
    bool empty() const noexcept { return !isPacked() && storage_.isInline() && storage_.inlineSize() == 0; }
    // True when the text is a canonical UUID, kept packed.
    bool isPacked() const noexcept { return (storage_.tag() & tagMask) == packedTag; }

    // Two identifiers compare without a conversion, so neither argument order is preferred; the
    // template keeps other arguments (literals, strings) to the string_view forms. Order is the
    // order of the texts.
    template <std::same_as<Identifier> Other>
    friend bool operator==(const Identifier& a, const Other& b) noexcept {
        return equal(a, b);
    }
    template <std::same_as<Identifier> Other>
    friend std::strong_ordering operator<=>(const Identifier& a, const Other& b) noexcept {
        return compare(a, b);
    }
    friend bool operator==(const Identifier& a, std::string_view b) noexcept { return equal(a, b); }
    friend std::strong_ordering operator<=>(const Identifier& a, std::string_view b) noexcept {
        return compare(a, b);
    }

    friend std::string operator+(const Identifier& a, std::string_view b) {
        std::string out = a.str();
        return out.append(b);
    }
    friend std::string operator+(std::string a, const Identifier& b) {
        b.appendTo(a);
        return a;
    }
    friend std::string operator+(const char* a, const Identifier& b) { return std::string(a) + b; }
    friend std::ostream& operator<<(std::ostream& out, const Identifier& identifier);

    // Consistent with ==; not the hash of the text.
    std::size_t hash() const noexcept;

private:
    // The last storage byte of a packed identifier: this tag in its high half, the last digit in
    // its low half. A verbatim text's last byte is below 16 (inline) or 0xFF (heap).
    static constexpr unsigned char tagMask = 0xF0;
    static constexpr unsigned char packedTag = 0x80;
    static constexpr std::size_t packedBytes = 15;  // digits 1 to 30, two to a byte

    static bool equal(const Identifier& a, const Identifier& b) noexcept;
    static bool equal(const Identifier& a, std::string_view b) noexcept;
    static std::strong_ordering compare(const Identifier& a, const Identifier& b) noexcept;
    static std::strong_ordering compare(const Identifier& a, std::string_view b) noexcept;

    void assign(std::string_view text);
    // Packs a canonical UUID text into `bytes` (16 bytes); false for any other text.
    static bool pack(std::string_view text, unsigned char* bytes) noexcept;
    const unsigned char* bytes() const noexcept { return reinterpret_cast<const unsigned char*>(storage_.inline_); }
    // The verbatim text of an identifier that is not packed.
    std::string_view verbatim() const noexcept { return storage_.view(); }
    void unpackInto(char* chars) const noexcept;

    CompactText<16> storage_;
};

static_assert(sizeof(Identifier) == 16);

}  // namespace vantorel

template <>
struct std::hash<vantorel::Identifier> {
    std::size_t operator()(const vantorel::Identifier& identifier) const noexcept { return identifier.hash(); }
};

#pragma once
// Identifier: an item's identifier, kept inside the object that holds it. The identifiers the
// system mints are 36 ASCII characters and fit the inline room, so a document's items carry
// theirs without a heap allocation each; a longer text (hand-written documents may use any)
// is kept on the heap. It reads as a std::string_view and converts to std::string where a
// copy is wanted.

#include <compare>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace vantorel {

class Identifier {
public:
    Identifier() noexcept { clear(); }
    Identifier(std::string_view text) { assign(text); }
    Identifier(const std::string& text) { assign(text); }
    Identifier(const char* text) { assign(text); }
    Identifier(const Identifier& other) { assign(other.view()); }
    Identifier(Identifier&& other) noexcept;
    Identifier& operator=(const Identifier& other);
    Identifier& operator=(Identifier&& other) noexcept;
    ~Identifier() { release(); }

    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    operator std::string() const { return std::string(view()); }
    std::string str() const { return std::string(view()); }

    const char* data() const noexcept { return isInline() ? inline_ : heap_.data; }
    // Always terminated by a null character.
    const char* c_str() const noexcept { return data(); }
    std::size_t size() const noexcept { return isInline() ? inlineSize() : heap_.size; }
    bool empty() const noexcept { return size() == 0; }

    friend bool operator==(const Identifier& a, std::string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const Identifier& a, std::string_view b) noexcept {
        return a.view().compare(b) <=> 0;
    }
    friend std::ostream& operator<<(std::ostream& out, const Identifier& identifier);

private:
    // Forty bytes in all. Inline, the last byte holds the room left (capacity minus length), so
    // that a text of full capacity ends in that byte's zero; a heap text is marked there instead.
    static constexpr std::size_t footprint = 40;
    static constexpr std::size_t inlineCapacity = footprint - 1;
    static constexpr unsigned char onHeap = 0xFF;

    unsigned char& tag() noexcept { return reinterpret_cast<unsigned char&>(inline_[inlineCapacity]); }
    unsigned char tag() const noexcept { return static_cast<unsigned char>(inline_[inlineCapacity]); }
    bool isInline() const noexcept { return tag() != onHeap; }
    std::size_t inlineSize() const noexcept { return inlineCapacity - tag(); }
    void clear() noexcept {
        inline_[0] = '\0';
        tag() = static_cast<unsigned char>(inlineCapacity);
    }
    void assign(std::string_view text);
    void release() noexcept;

    struct HeapText {
        char* data;
        std::size_t size;
    };
    union {
        char inline_[footprint];
        HeapText heap_;
    };
};
static_assert(sizeof(Identifier) == 40);

}  // namespace vantorel

template <>
struct std::hash<vantorel::Identifier> {
    std::size_t operator()(const vantorel::Identifier& identifier) const noexcept {
        return std::hash<std::string_view>{}(identifier.view());
    }
};

#pragma once
// CompactText: a short text kept inside the object that holds it, in a fixed footprint; a
// longer one goes to the heap. A document holds one identifier and one name per item, and one
// name per step of every set: the texts the system writes fit inline (identifiers it mints are
// 36 ASCII characters, names such as "Color 12" or "500" are short), so a document's items
// carry theirs without a heap allocation each. It reads as a std::string_view, compares with
// strings and converts to std::string where a copy is wanted.
//
// ItemName: the name of an item or of a set's step. (Identifier keeps its verbatim texts in the
// same storage, beside a packed form of its own.)

#include <algorithm>
#include <compare>
#include <concepts>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace vantorel {

class Identifier;

template <std::size_t Footprint>
class CompactText {
public:
    CompactText() noexcept { clear(); }
    CompactText(std::string_view text) { assign(text); }
    CompactText(const std::string& text) { assign(text); }
    CompactText(const char* text) { assign(text); }
    CompactText(const CompactText& other);
    CompactText(CompactText&& other) noexcept;
    CompactText& operator=(const CompactText& other);
    CompactText& operator=(CompactText&& other) noexcept;
    ~CompactText() { release(); }

    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    operator std::string() const { return std::string(view()); }
    std::string str() const { return std::string(view()); }

    const char* data() const noexcept { return isInline() ? inline_ : heapText(); }
    // Always terminated by a null character.
    const char* c_str() const noexcept { return data(); }
    std::size_t size() const noexcept { return isInline() ? inlineSize() : heapSize(); }
    std::size_t length() const noexcept { return size(); }
    bool empty() const noexcept { return size() == 0; }
    const char* begin() const noexcept { return data(); }
    const char* end() const noexcept { return data() + size(); }
    char operator[](std::size_t index) const noexcept { return data()[index]; }
    bool starts_with(std::string_view prefix) const noexcept { return view().starts_with(prefix); }
    bool ends_with(std::string_view suffix) const noexcept { return view().ends_with(suffix); }
    std::size_t find(std::string_view part, std::size_t from = 0) const noexcept { return view().find(part, from); }

    // Two texts of one footprint compare without a conversion, so neither argument order is
    // preferred; the template keeps other arguments (literals, strings) to the string_view forms.
    template <std::same_as<CompactText> Other>
    friend bool operator==(const CompactText& a, const Other& b) noexcept {
        return a.view() == b.view();
    }
    template <std::same_as<CompactText> Other>
    friend std::strong_ordering operator<=>(const CompactText& a, const Other& b) noexcept {
        return a.view().compare(b.view()) <=> 0;
    }
    friend bool operator==(const CompactText& a, std::string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const CompactText& a, std::string_view b) noexcept {
        return a.view().compare(b) <=> 0;
    }
    friend std::string operator+(const CompactText& a, std::string_view b) { return a.str().append(b); }
    friend std::string operator+(std::string a, const CompactText& b) { return std::move(a.append(b.view())); }
    friend std::string operator+(const char* a, const CompactText& b) { return std::string(a).append(b.view()); }
    friend std::string operator+(char a, const CompactText& b) { return std::string(1, a).append(b.view()); }
    friend std::ostream& operator<<(std::ostream& out, const CompactText& text) { return out << text.view(); }

private:
    friend class Identifier;

    // Inline, the last byte holds the room left (capacity minus length), so that a text of full
    // capacity ends in that byte's zero; a heap text is marked there instead, and its first
    // bytes point to a block that holds its length before the characters. Unused inline bytes
    // are zero, so that two inline texts are equal exactly when their bytes are. Any other
    // value of the last byte marks bytes that its owner reads in a form of its own; they are
    // copied as they are.
    static constexpr std::size_t inlineCapacity = Footprint - 1;
    static constexpr unsigned char onHeap = 0xFF;
    static_assert(Footprint > sizeof(char*) && inlineCapacity < onHeap);

    unsigned char& tag() noexcept { return reinterpret_cast<unsigned char&>(inline_[inlineCapacity]); }
    unsigned char tag() const noexcept { return static_cast<unsigned char>(inline_[inlineCapacity]); }
    bool isInline() const noexcept { return tag() != onHeap; }
    std::size_t inlineSize() const noexcept { return inlineCapacity - tag(); }
    std::size_t heapSize() const noexcept;
    const char* heapText() const noexcept { return heap_ + sizeof(std::size_t); }
    void clear() noexcept {
        std::fill(inline_, inline_ + inlineCapacity, '\0');
        tag() = static_cast<unsigned char>(inlineCapacity);
    }
    void assign(std::string_view text);
    void release() noexcept;

    union {
        char inline_[Footprint];
        char* heap_;
    };
};

extern template class CompactText<16>;

using ItemName = CompactText<16>;
static_assert(sizeof(ItemName) == 16);

}  // namespace vantorel

template <std::size_t Footprint>
struct std::hash<vantorel::CompactText<Footprint>> {
    std::size_t operator()(const vantorel::CompactText<Footprint>& text) const noexcept {
        return std::hash<std::string_view>{}(text.view());
    }
};

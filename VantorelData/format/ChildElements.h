#pragma once
// The children of one element, taken in a single pass: for each name a reader knows, the first
// child of that name. An item element has a dozen optional fields; asking pugixml for each by
// name scans the siblings once per field, which made opening large documents several times
// slower than parsing them. Lookups keep the meaning of `childText`: the first child of a name
// counts, and a child without text counts as missing.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "VantorelData/format/PugiElement.h"

namespace vantorel::format {

// A fixed vocabulary of element names, one per value of `Field` (an enumeration whose last
// value is `count`). Built at compile time into a small open-addressed table keyed by a name's
// length and its first and last bytes, which tell the names of a vocabulary apart almost always:
// a lookup is one slot and one comparison, in a few wide loads rather than a byte loop.
template <class Field>
class ElementNames {
public:
    static constexpr std::size_t size = static_cast<std::size_t>(Field::count);
    // Names longer than this cannot be in a vocabulary (none of the document's come close).
    static constexpr std::size_t lengthLimit = 48;

    struct Entry {
        Field field;
        std::string_view name;
    };

    // Every field exactly once, with a non-empty name shorter than `lengthLimit`; anything
    // else fails to compile.
    consteval explicit ElementNames(const std::array<Entry, size>& entries) {
        std::array<bool, size> seen{};
        for (const Entry& entry : entries) {
            const auto index = static_cast<std::size_t>(entry.field);
            if (index >= size || seen[index] || entry.name.empty() || entry.name.size() >= lengthLimit) {
                throw "element vocabulary: each field needs exactly one short name";
            }
            seen[index] = true;
            names_[index] = entry.name;
        }
        slots_.fill(emptySlot);
        for (std::size_t index = 0; index < size; ++index) {
            std::size_t slot = slotOf(names_[index]);
            while (slots_[slot] != emptySlot) slot = (slot + 1) % slotCount;
            slots_[slot] = static_cast<std::uint8_t>(index);
        }
    }

    // The field named `name`; none for names outside the vocabulary.
    std::optional<Field> find(std::string_view name) const {
        if (name.empty() || name.size() >= lengthLimit) return std::nullopt;
        for (std::size_t slot = slotOf(name);; slot = (slot + 1) % slotCount) {
            const std::uint8_t index = slots_[slot];
            if (index == emptySlot) return std::nullopt;
            if (sameName(names_[index], name)) return static_cast<Field>(index);
        }
    }

    std::string_view name(Field field) const { return names_[static_cast<std::size_t>(field)]; }

private:
    // At least four slots per name, so that runs of taken slots stay short.
    static constexpr std::size_t slotCount = std::bit_ceil(size * 4 < 16 ? std::size_t{16} : size * 4);
    static constexpr std::uint8_t emptySlot = 0xFF;
    static_assert(size < emptySlot, "element vocabulary: too many names");

    static constexpr std::size_t slotOf(std::string_view name) {
        const auto first = static_cast<unsigned char>(name.front());
        const auto last = static_cast<unsigned char>(name.back());
        return (name.size() * 97 + first * 31 + last * 7) % slotCount;
    }

    // Names of equal length compared by the words at both ends, which overlap for names of up
    // to sixteen bytes and so cover them whole; the names of a document are almost all that short.
    static bool sameName(std::string_view known, std::string_view name) {
        const std::size_t length = name.size();
        if (known.size() != length) return false;
        const char* a = known.data();
        const char* b = name.data();
        if (length >= 8 && length <= 16) {
            return word<std::uint64_t>(a) == word<std::uint64_t>(b) &&
                   word<std::uint64_t>(a + length - 8) == word<std::uint64_t>(b + length - 8);
        }
        if (length >= 4 && length < 8) {
            return word<std::uint32_t>(a) == word<std::uint32_t>(b) &&
                   word<std::uint32_t>(a + length - 4) == word<std::uint32_t>(b + length - 4);
        }
        return std::memcmp(a, b, length) == 0;
    }

    template <class Word>
    static Word word(const char* bytes) {
        Word value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    std::array<std::string_view, size> names_{};
    std::array<std::uint8_t, slotCount> slots_{};
};

// The first child element of each name of a vocabulary, over either element view (`PugiElement`, `FlatXmlElement`).
template <class Field, class Element = PugiElement>
class ChildElements {
public:
    ChildElements(Element element, const ElementNames<Field>& names) {
        for (Element child = element.firstChild(); child; child = child.nextSibling()) take(child, names);
    }

    // None yet: a reader that walks the children anyway offers them one by one with `take`,
    // rather than walking them twice.
    ChildElements() = default;

    // The next child, in document order.
    void take(Element child, const ElementNames<Field>& names) {
        if (const auto field = names.find(child.name())) {
            const std::uint64_t bit = std::uint64_t{1} << static_cast<std::size_t>(*field);
            if (taken_ & bit) return;
            taken_ |= bit;
            slots_.elements[static_cast<std::size_t>(*field)] = child;
        }
    }

    // The first child of the field's name; empty when there is none.
    Element node(Field field) const {
        const auto index = static_cast<std::size_t>(field);
        return taken_ & (std::uint64_t{1} << index) ? slots_.elements[index] : Element();
    }

    // Its text (the first text node, past any comments); none when the child is missing or
    // has no text.
    std::optional<std::string_view> text(Field field) const { return textOf(node(field)); }

    // The text as a string, or `fallback` when missing.
    std::string textOr(Field field, std::string_view fallback = {}) const {
        const auto value = text(field);
        return std::string(value ? *value : fallback);
    }

    // True when the text is exactly `expected`.
    bool textIs(Field field, std::string_view expected) const {
        const auto value = text(field);
        return value && *value == expected;
    }


private:
    static_assert(ElementNames<Field>::size <= 64, "one bit per field");
    static_assert(std::is_trivially_copyable_v<Element>);
    // Only the slots of taken fields are written and read: an item is read by the hundred
    // thousand, and clearing its forty slots each time cost more than taking its fields.
    union Slots {
        Slots() {}  // NOLINT(modernize-use-equals-default): left unwritten on purpose
        std::array<Element, ElementNames<Field>::size> elements;
    };
    Slots slots_;
    std::uint64_t taken_ = 0;
};

}  // namespace vantorel::format

#pragma once
// The children of one element, taken in a single pass: for each name a reader knows, the first
// child of that name. An item element has a dozen optional fields; asking pugixml for each by
// name scans the siblings once per field, which made opening large documents several times
// slower than parsing them. Lookups keep the meaning of `childText`: the first child of a name
// counts, and a child without text counts as missing.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "VantorelData/format/PugiElement.h"

namespace vantorel::format {

// A fixed vocabulary of element names, one per value of `Field` (an enumeration whose last
// value is `count`). Built at compile time; a name is found by its length and then a comparison
// among the few names of that length.
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
        // Positions grouped by name length: firstOfLength_[n] .. firstOfLength_[n + 1].
        std::size_t next = 0;
        for (std::size_t length = 0; length < lengthLimit; ++length) {
            firstOfLength_[length] = next;
            for (std::size_t index = 0; index < size; ++index) {
                if (names_[index].size() == length) byLength_[next++] = index;
            }
        }
        firstOfLength_[lengthLimit] = next;
    }

    // The field named `name`; none for names outside the vocabulary.
    std::optional<Field> find(std::string_view name) const {
        if (name.size() >= lengthLimit) return std::nullopt;
        const std::size_t end = firstOfLength_[name.size() + 1];
        for (std::size_t position = firstOfLength_[name.size()]; position < end; ++position) {
            const std::size_t index = byLength_[position];
            const std::string_view candidate = names_[index];
            // Names are short: comparing in place beats a library call.
            std::size_t same = 0;
            while (same < name.size() && candidate[same] == name[same]) ++same;
            if (same == name.size()) return static_cast<Field>(index);
        }
        return std::nullopt;
    }

    std::string_view name(Field field) const { return names_[static_cast<std::size_t>(field)]; }

private:
    std::array<std::string_view, size> names_{};
    std::array<std::size_t, size> byLength_{};
    std::array<std::size_t, lengthLimit + 1> firstOfLength_{};
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
            Element& slot = elements_[static_cast<std::size_t>(*field)];
            if (!slot) slot = child;
        }
    }

    // The first child of the field's name; empty when there is none.
    Element node(Field field) const { return elements_[static_cast<std::size_t>(field)]; }

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
    // Both views are a single pointer, cheap to clear for the forty fields of an item.
    std::array<Element, ElementNames<Field>::size> elements_{};
};

}  // namespace vantorel::format

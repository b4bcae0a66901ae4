#pragma once
// Lookups the document reader makes on pugixml elements: the first child element of a name
// and its text, where the text of a missing element, or of one without text, counts as
// missing; and the enumeration cases that elements store as numeric codes.

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "VantorelData/format/NumberText.h"

namespace vantorel::format {

// The text of the first child element named `name`; none when there is no such element or
// it holds no text.
inline std::optional<std::string_view> childText(pugi::xml_node element, const char* name) {
    const pugi::xml_node child = element.child(name);
    if (!child) return std::nullopt;
    const char* text = child.child_value();  // the first text node, past any comments
    if (*text == '\0') return std::nullopt;
    return std::string_view(text);
}

// The text as a string, or `fallback` when missing.
inline std::string childTextOr(pugi::xml_node element, const char* name, std::string_view fallback = {}) {
    const auto text = childText(element, name);
    return std::string(text ? *text : fallback);
}

// True when the element's text is exactly `expected`.
inline bool childTextIs(pugi::xml_node element, const char* name, std::string_view expected) {
    const auto text = childText(element, name);
    return text && *text == expected;
}

// The case whose numeric code `text` holds, looked up by `lookup` (code to case); none when the
// text is missing, not a whole number, or no case has that code.
template <class E, class Lookup>
std::optional<E> codedCase(std::optional<std::string_view> text, Lookup lookup) {
    if (!text) return std::nullopt;
    const auto number = parseInteger(*text);
    return number ? lookup(*number) : std::nullopt;
}

}  // namespace vantorel::format

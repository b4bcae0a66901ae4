#pragma once
// An element of a pugixml tree, seen the way the element readers look at every element: its
// name, its child elements, its text and its `type` attribute. The readers are written once
// over this small view; the document's own flat reader (`FlatXmlElement`) offers the same one,
// so both give the same model from the same bytes.

#include <pugixml.hpp>

#include <cstring>
#include <optional>
#include <string_view>

namespace vantorel::format {

class PugiElement {
public:
    PugiElement() = default;
    // Implicit, so that callers holding pugixml nodes pass them as they are.
    PugiElement(pugi::xml_node node) : node_(node.internal_object()) {}  // NOLINT(google-explicit-constructor)

    explicit operator bool() const { return node_ != nullptr; }
    bool operator==(const PugiElement&) const = default;
    pugi::xml_node node() const { return pugi::xml_node(node_); }

    std::string_view name() const { return node_ ? std::string_view(node().name()) : std::string_view(); }

    // Child elements in order; text and other nodes between them are passed over.
    PugiElement firstChild() const { return node_ ? elementFrom(node().first_child()) : PugiElement(); }
    PugiElement nextSibling() const { return node_ ? elementFrom(node().next_sibling()) : PugiElement(); }

    // The first child element named `name`; empty when there is none.
    PugiElement child(std::string_view name) const {
        for (PugiElement element = firstChild(); element; element = element.nextSibling()) {
            if (element.name() == name) return element;
        }
        return {};
    }

    // The element's text: its first text node, past any comments; empty when it has none.
    std::string_view value() const { return node_ ? std::string_view(node().child_value()) : std::string_view(); }

    bool hasAttributes() const { return node_ && node().first_attribute(); }
    // The first `type` attribute's value; none without one.
    std::optional<std::string_view> typeAttribute() const {
        const pugi::xml_attribute type = node_ ? node().attribute("type") : pugi::xml_attribute();
        if (!type) return std::nullopt;
        return std::string_view(type.value());
    }

private:
    static PugiElement elementFrom(pugi::xml_node node) {
        while (node && node.type() != pugi::node_element) node = node.next_sibling();
        return node;
    }

    pugi::xml_node_struct* node_ = nullptr;
};

// The text of an element, where an element without text, or a missing one, has none.
template <class Element>
std::optional<std::string_view> textOf(Element element) {
    const std::string_view value = element.value();
    if (value.empty()) return std::nullopt;
    return value;
}

}  // namespace vantorel::format

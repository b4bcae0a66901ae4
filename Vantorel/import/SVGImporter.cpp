#include "Vantorel/import/SVGImporter.h"

#include <algorithm>
#include <pugixml.hpp>
#include <vector>

#include "Vantorel/import/ColorText.h"

namespace vantorel::import {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string withoutComments(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 2;
        } else {
            result.push_back(text[i++]);
        }
    }
    return result;
}

// The index of the "}" that closes the block opened before `from`, or the end of the text.
std::size_t blockEnd(std::string_view text, std::size_t from) {
    int depth = 1;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '{') ++depth;
        if (text[i] == '}' && --depth == 0) return i;
    }
    return text.size();
}

void parseRules(std::string_view text, SVGStyleSheet& sheet, int depth) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find_first_of("{;", at);
        if (open == std::string_view::npos) break;
        const std::string_view prelude = trimmed(text.substr(at, open - at));
        if (text[open] == ';') {  // an at-rule statement, or a stray declaration
            at = open + 1;
            continue;
        }
        const std::size_t close = blockEnd(text, open + 1);
        const std::string_view body = text.substr(open + 1, close - open - 1);
        at = close + 1;
        if (!prelude.empty() && prelude.front() == '@') {
            if (depth < 8) parseRules(body, sheet, depth + 1);
            continue;
        }
        std::vector<std::string> selectors;
        for (std::size_t start = 0; start <= prelude.size();) {
            std::size_t comma = prelude.find(',', start);
            if (comma == std::string_view::npos) comma = prelude.size();
            if (const auto selector = trimmed(prelude.substr(start, comma - start)); !selector.empty()) {
                selectors.emplace_back(selector);
            }
            start = comma + 1;
        }
        for (std::size_t start = 0; start < body.size();) {
            std::size_t end = body.find(';', start);
            if (end == std::string_view::npos) end = body.size();
            const std::string_view declaration = body.substr(start, end - start);
            start = end + 1;
            const std::size_t colon = declaration.find(':');
            if (colon == std::string_view::npos) continue;
            const std::string property(trimmed(declaration.substr(0, colon)));
            const std::string value(trimmed(declaration.substr(colon + 1)));
            if (property.empty()) continue;
            for (const std::string& selector : selectors) sheet.styles[selector][property] = value;
        }
    }
}

// Adds the value's color, when it is one, under `name`.
void addColor(DistinctColorRecords& colors, const char* name, std::string_view value) {
    if (const auto color = svgColor(value)) colors.add(name, *color);
}

std::string textOf(const pugi::xml_node& element) {
    std::string text;
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
    }
    return text;
}

bool named(const pugi::xml_node& element, const char* name) {
    // Elements may carry a namespace prefix ("svg:stop").
    const std::string_view full = element.name();
    const std::size_t colon = full.rfind(':');
    return (colon == std::string_view::npos ? full : full.substr(colon + 1)) == name;
}

}  // namespace

SVGStyleSheet SVGStyleSheet::parse(std::string_view text) {
    SVGStyleSheet sheet;
    parseRules(withoutComments(text), sheet, 0);
    return sheet;
}

std::optional<quenz::ColorValue> svgColor(std::string_view value) {
    value = trimmed(value);
    if (value.empty()) return std::nullopt;
    if (auto named = namedCSSColor(value)) return named;
    // References to paint servers and keywords that are not colors.
    if (value.substr(0, 4) == "url(" || value == "none" || value == "currentColor" || value == "inherit") {
        return std::nullopt;
    }
    return colorFromText(std::string(value));
}

std::optional<ImportError> SVGImporter::importText(std::string_view text, QuenzColorGroup& group) {
    pugi::xml_document document;
    document.load_buffer(text.data(), text.size(), pugi::parse_default);
    const pugi::xml_node root = document.document_element();
    if (!root) return ImportError{"SVG has no root element, unable to parse"};

    DistinctColorRecords colors;
    // Depth first without recursion, each element before its children in document order.
    std::vector<pugi::xml_node> pending{root};
    while (!pending.empty()) {
        const pugi::xml_node element = pending.back();
        pending.pop_back();
        if (named(element, "style")) {
            const SVGStyleSheet sheet = SVGStyleSheet::parse(textOf(element));
            for (const auto& [selector, properties] : sheet.styles) {
                for (const auto& [property, value] : properties) addColor(colors, "Style Color", value);
            }
        } else {
            if (named(element, "stop"))
                addColor(colors, "Gradient Color", element.attribute("stop-color").value());
            addColor(colors, "stroke", element.attribute("stroke").value());
            addColor(colors, "fill", element.attribute("fill").value());
        }
        std::vector<pugi::xml_node> children;
        for (const pugi::xml_node& child : element.children()) {
            if (child.type() == pugi::node_element) children.push_back(child);
        }
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    addImportedColors(colors.records(), group);
    return std::nullopt;
}

std::optional<ImportError> SVGImporter::importFile(const std::filesystem::path& file,
                                                   QuenzColorGroup& group) {
    const auto bytes = readFileBytes(file);
    if (!bytes) return ImportError{"The file \"" + file.filename().string() + "\" couldn't be opened."};
    return importText(*bytes, group);
}

}  // namespace vantorel::import

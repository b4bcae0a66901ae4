// Filters that write names and texts the way each generated language accepts them
// ("swiftName", "kotlinString", "lineComment", …), and "anyHas", which tells whether any
// element of a list has a field (a ramp with a dark value on some step).

#include <functional>
#include <string>

#include "Vantorel/build/SourceText.h"
#include "Vantorel/build/templates/TemplateTags.h"

namespace vantorel::build {
namespace {

using stencil::Value;
using Filter = std::function<stencil::Result<Value>(const Value&, std::span<const Value>)>;

// The text of a string argument; nothing for any other value.
std::string argumentText(std::span<const Value> arguments, std::size_t index) {
    const std::string* text = index < arguments.size() ? arguments[index].string() : nullptr;
    return text ? *text : std::string();
}

// A filter over string values; anything else passes through unchanged.
template <typename Rewrite>
Filter textFilter(Rewrite rewrite) {
    return [rewrite](const Value& value, std::span<const Value> arguments) -> stencil::Result<Value> {
        const std::string* text = value.string();
        if (!text) return value;
        return Value(rewrite(*text, arguments));
    };
}

// `name|swiftName:"Dark"`: the suffix joins the name before it is made an identifier, so that a
// reserved word with a suffix ("classDark") needs no quoting.
Filter identifierFilter(IdentifierLanguage language) {
    return textFilter([language](const std::string& text, std::span<const Value> arguments) {
        return identifierIn(language, text + argumentText(arguments, 0));
    });
}

Filter stringFilter(StringLanguage language) {
    return textFilter([language](const std::string& text, std::span<const Value>) {
        return stringLiteralContents(language, text);
    });
}

stencil::Result<Value> anyHas(const Value& value, std::span<const Value> arguments) {
    const std::string field = argumentText(arguments, 0);
    const auto elements = stencil::iterationElements(value);
    if (!elements || field.empty()) return Value(false);
    for (const auto& element : *elements) {
        if (!stencil::lookupMember(element, field).isNull()) return Value(true);
    }
    return Value(false);
}

}  // namespace

void registerSourceTextFilters(stencil::Extension& extension) {
    extension.registerFilter("swiftName", identifierFilter(IdentifierLanguage::swift));
    extension.registerFilter("kotlinName", identifierFilter(IdentifierLanguage::kotlin));
    extension.registerFilter("metalName", identifierFilter(IdentifierLanguage::metal));
    extension.registerFilter("glslName", identifierFilter(IdentifierLanguage::glsl));
    extension.registerFilter("cssName", textFilter([](const std::string& text, std::span<const Value>) {
                                 return cssIdentifier(text, true);
                             }));
    extension.registerFilter("cssNamePart", textFilter([](const std::string& text, std::span<const Value>) {
                                 return cssIdentifier(text, false);
                             }));
    extension.registerFilter("lessName", textFilter([](const std::string& text, std::span<const Value>) {
                                 return lessVariableName(text);
                             }));
    extension.registerFilter("swiftString", stringFilter(StringLanguage::swift));
    extension.registerFilter("kotlinString", stringFilter(StringLanguage::kotlin));
    extension.registerFilter("metalString", stringFilter(StringLanguage::cpp));
    extension.registerFilter("cssString", stringFilter(StringLanguage::css));
    extension.registerFilter("scssString", stringFilter(StringLanguage::scss));
    extension.registerFilter("lessString", stringFilter(StringLanguage::less));
    extension.registerFilter("lineComment", textFilter([](const std::string& text, std::span<const Value>) {
                                 return lineCommentText(text);
                             }));
    extension.registerFilter("blockComment", textFilter([](const std::string& text, std::span<const Value>) {
                                 return blockCommentText(text);
                             }));
    extension.registerFilter("anyHas", Filter(anyHas));
}

}  // namespace vantorel::build

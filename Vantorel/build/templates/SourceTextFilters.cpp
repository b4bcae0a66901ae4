// Filters that write names and texts the way each generated language accepts them
// ("swiftName", "kotlinString", "lineComment", …), and "anyHas", which tells whether any
// element of a list has a field (a ramp with a dark value on some step). The name filters are
// also tags (`{%+ swiftName item.name "Dark" +%}` writes what `{{ item.name|swiftName:"Dark" }}`
// does): built-in templates write a name per item and appearance, and a tag writes it straight
// into the output where a filter makes a new text value each time.

#include <functional>
#include <memory>
#include <string>

#include "Vantorel/build/SourceText.h"
#include "Vantorel/build/templates/TagArgument.h"
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

// How each name filter and tag rewrites a name.
using NameWriter = void (*)(std::string& out, std::string_view name);

template <IdentifierLanguage Language>
void identifierName(std::string& out, std::string_view name) {
    appendIdentifierIn(out, Language, name);
}
void cssStartName(std::string& out, std::string_view name) { appendCssIdentifier(out, name, true); }
void cssNamePart(std::string& out, std::string_view name) { appendCssIdentifier(out, name, false); }
void lessName(std::string& out, std::string_view name) { out += lessVariableName(name); }

struct NameForm {
    std::string_view name;
    NameWriter write;
    bool takesSuffix;  // the identifier forms join a suffix before rewriting, as their filters do
};
constexpr NameForm nameForms[] = {
    {"swiftName", identifierName<IdentifierLanguage::swift>, true},
    {"kotlinName", identifierName<IdentifierLanguage::kotlin>, true},
    {"metalName", identifierName<IdentifierLanguage::metal>, true},
    {"glslName", identifierName<IdentifierLanguage::glsl>, true},
    {"cssName", cssStartName, false},
    {"cssNamePart", cssNamePart, false},
    {"lessName", lessName, false},
};

// A name tag writes what `{{ value|filter }}` or `{{ value|filter:suffix }}` writes: the
// rewritten name for a string, any other value as it prints, and nothing for a missing one.
class NameNode final : public stencil::Node {
public:
    NameNode(const NameForm& form, TagArgument value, TagArgument suffix)
        : form_(form), value_(std::move(value)), suffix_(std::move(suffix)) {}

    stencil::Status render(stencil::Context& context, std::string& out) const override {
        Value holder;
        const Value* value = value_.find(context, holder);
        if (!value) return std::nullopt;
        const std::string* text = value->string();
        if (!text) {
            value->appendText(out);
            return std::nullopt;
        }
        Value suffixHolder;
        const Value* suffix = form_.takesSuffix ? suffix_.find(context, suffixHolder) : nullptr;
        const std::string* suffixText = suffix ? suffix->string() : nullptr;
        if (suffixText && !suffixText->empty()) {
            form_.write(out, *text + *suffixText);
        } else {
            form_.write(out, *text);
        }
        return std::nullopt;
    }

private:
    const NameForm& form_;
    TagArgument value_;
    TagArgument suffix_;
};

}  // namespace

void registerSourceNameTags(stencil::Extension& extension) {
    for (const NameForm& form : nameForms) {
        extension.registerTag(std::string(form.name),
                              [&form](stencil::TokenParser& parser, const stencil::Token& token)
                                  -> stencil::Result<std::unique_ptr<stencil::Node>> {
                                  return std::unique_ptr<stencil::Node>(std::make_unique<NameNode>(
                                      form, TagArgument::at(parser, token, 0), TagArgument::at(parser, token, 1)));
                              });
    }
}

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

// "codeSafeName" and the "replace" filter: text helpers for naming things in generated code.

#include <memory>
#include <string>

#include "Vantorel/build/CodeNames.h"
#include "Vantorel/build/templates/TagArgument.h"
#include "Vantorel/build/templates/TemplateTags.h"

namespace vantorel::build {
namespace {

using stencil::Value;

class CodeNameFormatterNode final : public stencil::Node {
public:
    CodeNameFormatterNode(TagArgument text) : text_(std::move(text)) {}

    stencil::Status render(stencil::Context& context, std::string& out) const override {
        Value holder;
        const Value* value = text_.find(context, holder);
        const std::string* text = value ? value->string() : nullptr;
        out += text ? codeSafe(*text, "color") : std::string(nameTagFailure);
        return std::nullopt;
    }

private:
    TagArgument text_;
};

// Every occurrence of the first argument replaced by the second, exactly as written; anything
// but a string with two string arguments passes through unchanged.
stencil::Result<Value> replaceFilter(const Value& value, std::span<const Value> arguments) {
    const std::string* text = value.string();
    if (!text || arguments.size() != 2) return value;
    const std::string* target = arguments[0].string();
    const std::string* replacement = arguments[1].string();
    if (!target || !replacement || target->empty()) return value;
    std::string result;
    result.reserve(text->size());
    std::size_t from = 0;
    for (std::size_t at = text->find(*target); at != std::string::npos; at = text->find(*target, from)) {
        result.append(*text, from, at - from);
        result += *replacement;
        from = at + target->size();
    }
    result.append(*text, from);
    return Value(std::move(result));
}

}  // namespace

void registerNameTags(stencil::Extension& extension) {
    extension.registerTag("codeSafeName",
                          [](stencil::TokenParser& parser,
                             const stencil::Token& token) -> stencil::Result<std::unique_ptr<stencil::Node>> {
                              return std::unique_ptr<stencil::Node>(
                                  std::make_unique<CodeNameFormatterNode>(TagArgument::at(parser, token, 0)));
                          });
}

void registerReplaceFilter(stencil::Extension& extension) {
    extension.registerFilter("replace",
                             std::function<stencil::Result<Value>(const Value&, std::span<const Value>)>(replaceFilter));
}

stencil::Extension makeTemplateExtension() {
    stencil::Extension extension;
    registerColorTags(extension);
    registerShadowTags(extension);
    registerNameTags(extension);
    registerReplaceFilter(extension);
    registerSourceTextFilters(extension);
    return extension;
}

}  // namespace vantorel::build

#include "Vantorel/build/templates/TagArgument.h"

#include <vector>

namespace vantorel::build {

TagArgument TagArgument::at(const stencil::TokenParser& parser, const stencil::Token& token, std::size_t index) {
    TagArgument argument;
    const std::vector<std::string> words = token.components();
    if (index + 1 >= words.size()) return argument;
    argument.word_ = words[index + 1];
    auto compiled = parser.compileFilter(argument.word_);
    if (compiled) argument.expression_ = std::move(compiled).value();
    return argument;
}

std::optional<stencil::Value> TagArgument::resolve(stencil::Context& context) const {
    if (!expression_) return std::nullopt;
    auto value = expression_->resolve(context);
    if (!value || value->isNull()) return std::nullopt;
    return std::move(value).value();
}

}  // namespace vantorel::build

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

const stencil::Value* TagArgument::find(stencil::Context& context, stencil::Value& holder) const {
    if (!expression_) return nullptr;
    auto found = expression_->find(context, holder);
    if (!found || !*found || (*found)->isNull()) return nullptr;
    return *found;
}

}  // namespace vantorel::build

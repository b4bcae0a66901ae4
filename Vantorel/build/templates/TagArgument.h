#pragma once
// One argument of a build-template tag: a variable expression (filters allowed) resolved in
// the render context. An argument that is missing, does not compile or resolves to nothing is
// not an engine error: the tag writes its failure note instead.

#include <cstddef>
#include <optional>
#include <string>

#include "Stencil/Expression.h"
#include "Stencil/Parser.h"
#include "Stencil/Token.h"

namespace vantorel::build {

class TagArgument {
public:
    // The argument after the tag name at `index` (0 is the first argument).
    static TagArgument at(const stencil::TokenParser& parser, const stencil::Token& token, std::size_t index);

    // The resolved value without copying: where the context or a record keeps it, or `holder`
    // filled with one made on the spot; null when the argument is missing, unresolvable or null.
    const stencil::Value* find(stencil::Context& context, stencil::Value& holder) const;

    // The argument as written; empty when missing.
    const std::string& word() const { return word_; }

    // The record the argument resolves to when it is of type R (a record type with `from`).
    template <class R>
    const R* resolveRecord(stencil::Context& context, stencil::Value& holder) const {
        const stencil::Value* value = find(context, holder);
        return value ? R::from(value->object()) : nullptr;
    }

private:
    std::string word_;
    std::optional<stencil::FilterExpression> expression_;
};

}  // namespace vantorel::build

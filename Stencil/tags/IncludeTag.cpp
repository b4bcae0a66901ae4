// `{% include "name" %}` and `{% include "name" context %}`: renders another template from the
// environment's loader, with the current context or with a value from it as an extra scope.

#include "Stencil/Parser.h"
#include "Stencil/tags/BuiltinTags.h"

namespace stencil::detail {

namespace {

class IncludeNode final : public Node {
public:
    IncludeNode(FilterExpression name, std::optional<FilterExpression> subContext, SourcePlace place)
        : name_(std::move(name)), subContext_(std::move(subContext)), place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        RenderState* state = context.renderState();
        if (!state) {
            return place_.attach(makeError(ErrorKind::render, "'include' works only inside a template render"), context);
        }
        auto name = name_.resolve(context);
        if (!name) {
            return place_.attach(std::move(name).error(), context);
        }
        if (!name->string()) {
            return place_.attach(makeError(ErrorKind::render, "'include' needs a template name, got '" + name->text() + "'"),
                                 context);
        }
        std::size_t maxDepth = state->environment->limits.maxIncludeDepth;
        if (state->includeDepth >= maxDepth) {
            return place_.attach(makeError(ErrorKind::nestingTooDeep,
                                           "Templates include each other more than " + std::to_string(maxDepth) +
                                               " levels deep; does '" + *name->string() + "' include itself?"),
                                 context);
        }
        auto included = state->environment->load(*name->string());
        if (!included) {
            return place_.attach(std::move(included).error(), context);
        }
        Value scopeBase;
        if (subContext_) {
            auto value = subContext_->resolve(context);
            if (!value) {
                return place_.attach(std::move(value).error(), context);
            }
            scopeBase = std::move(value).value();
        }

        // The included template starts an inheritance of its own, apart from the includer's.
        auto savedLayers = std::move(state->blockLayers);
        auto savedChain = std::move(state->extendsChain);
        state->blockLayers.clear();
        state->extendsChain.clear();
        ++state->includeDepth;
        Status status;
        {
            Context::Scope scope(context, std::move(scopeBase));
            status = renderCompiled(**included, context, out);
        }
        --state->includeDepth;
        state->blockLayers = std::move(savedLayers);
        state->extendsChain = std::move(savedChain);
        return status;
    }

private:
    FilterExpression name_;
    std::optional<FilterExpression> subContext_;
    SourcePlace place_;
};

Result<std::unique_ptr<Node>> parseInclude(TokenParser& parser, const Token& token) {
    auto words = token.components();
    if (words.size() != 2 && words.size() != 3) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "Expected '{% include \"name\" %}' or '{% include \"name\" context %}'");
    }
    auto name = parser.compileFilter(words[1]);
    if (!name) {
        return std::move(name).error();
    }
    std::optional<FilterExpression> subContext;
    if (words.size() == 3) {
        auto value = parser.compileFilter(words[2]);
        if (!value) {
            return std::move(value).error();
        }
        subContext = std::move(value).value();
    }
    return std::unique_ptr<Node>(
        std::make_unique<IncludeNode>(std::move(name).value(), std::move(subContext), SourcePlace::of(token)));
}

}  // namespace

void addIncludeTag(TagTable& tags) { tags["include"] = parseInclude; }

}  // namespace stencil::detail

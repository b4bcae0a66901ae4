// `{% filter lowercase|capitalize %}...{% endfilter %}`: filters the rendered body.

#include "Stencil/Parser.h"
#include "Stencil/tags/BuiltinTags.h"

namespace stencil::detail {

namespace {

class FilterNode final : public Node {
public:
    FilterNode(FilterExpression filters, NodeList body, SourcePlace place)
        : filters_(std::move(filters)), body_(std::move(body)), place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        std::string body;
        if (auto error = renderNodes(body_, context, body)) {
            return error;
        }
        auto filtered = filters_.applyFilters(Value(std::move(body)), context);
        if (!filtered) {
            return place_.attach(std::move(filtered).error(), context);
        }
        filtered->appendText(out);
        return std::nullopt;
    }

private:
    FilterExpression filters_;
    NodeList body_;
    SourcePlace place_;
};

Result<std::unique_ptr<Node>> parseFilter(TokenParser& parser, const Token& token) {
    auto words = token.components();
    if (words.size() != 2) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "Expected '{% filter name|name %}'");
    }
    auto filters = parser.compileFilterChain(words[1]);
    if (!filters) {
        return std::move(filters).error();
    }
    auto body = parser.parse({"endfilter"}, &token);
    if (!body) {
        return std::move(body).error();
    }
    parser.nextToken();
    return std::unique_ptr<Node>(
        std::make_unique<FilterNode>(std::move(filters).value(), std::move(body).value(), SourcePlace::of(token)));
}

}  // namespace

void addFilterTag(TagTable& tags) { tags["filter"] = parseFilter; }

}  // namespace stencil::detail

// `{% if %}` with `elif` and `else` branches, and the older `{% ifnot %}`.

#include "Stencil/Parser.h"
#include "Stencil/tags/BuiltinTags.h"

namespace stencil::detail {

namespace {

class IfNode final : public Node {
public:
    struct Branch {
        std::unique_ptr<Condition> condition;  // null for `else`
        bool negated = false;
        NodeList body;
    };

    IfNode(std::vector<Branch> branches, SourcePlace place) : branches_(std::move(branches)), place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        for (const auto& branch : branches_) {
            if (branch.condition) {
                auto holds = branch.condition->evaluate(context);
                if (!holds) {
                    return place_.attach(std::move(holds).error(), context);
                }
                if (*holds == branch.negated) {
                    continue;
                }
            }
            return renderNodes(branch.body, context, out);
        }
        return std::nullopt;
    }

private:
    std::vector<Branch> branches_;
    SourcePlace place_;
};

Result<std::unique_ptr<Node>> parseIf(TokenParser& parser, const Token& token, bool negated) {
    std::vector<IfNode::Branch> branches;
    Token current = token;
    bool sawElse = false;
    while (true) {
        auto words = current.components();
        std::string_view name = words.front();
        IfNode::Branch branch;
        if (name == "else") {
            if (words.size() > 1) {
                return TokenParser::errorAt(current, ErrorKind::syntax, "'else' takes no condition; use 'elif'");
            }
            sawElse = true;
        } else {
            if (words.size() < 2) {
                return TokenParser::errorAt(current, ErrorKind::syntax, "'" + std::string(name) + "' needs a condition");
            }
            auto condition = parser.compileCondition({words.begin() + 1, words.end()});
            if (!condition) {
                return TokenParser::errorAt(current, condition.error().kind, condition.error().message);
            }
            branch.condition = std::move(condition).value();
            branch.negated = negated && branches.empty();
        }
        std::vector<std::string_view> closers = sawElse ? std::vector<std::string_view>{"endif"}
                                                        : std::vector<std::string_view>{"elif", "else", "endif"};
        auto body = parser.parse(closers, &token);
        if (!body) {
            return std::move(body).error();
        }
        branch.body = std::move(body).value();
        branches.push_back(std::move(branch));
        auto next = parser.nextToken();
        if (!next || tagName(*next) == "endif") {
            break;
        }
        current = std::move(*next);
    }
    return std::unique_ptr<Node>(std::make_unique<IfNode>(std::move(branches), SourcePlace::of(token)));
}

}  // namespace

void addConditionTags(TagTable& tags) {
    tags["if"] = [](TokenParser& parser, const Token& token) { return parseIf(parser, token, false); };
    tags["ifnot"] = [](TokenParser& parser, const Token& token) { return parseIf(parser, token, true); };
}

}  // namespace stencil::detail

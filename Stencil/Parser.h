#pragma once
// Turns the tokens of one template into its node tree. Custom tags that parse their own
// arguments or bodies receive the parser and use it to read on.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Stencil/Condition.h"
#include "Stencil/Error.h"
#include "Stencil/Expression.h"
#include "Stencil/Node.h"
#include "Stencil/Token.h"

namespace stencil {

namespace detail {
struct EnvironmentState;
struct ParseRecords;
}  // namespace detail

class TokenParser {
public:
    TokenParser(std::vector<Token> tokens, const detail::EnvironmentState& environment, detail::ParseRecords& records);

    // Parses nodes until a block tag whose name is in `until`, which is left unread, or until
    // the tokens run out. When `until` is not empty, running out is an unclosed-block error
    // placed at `opener`.
    Result<NodeList> parse(const std::vector<std::string_view>& until = {}, const Token* opener = nullptr);

    // The next token, consumed; nothing at the end.
    std::optional<Token> nextToken();

    Result<Variable> compileVariable(std::string_view text) const;
    Result<FilterExpression> compileFilter(std::string_view text) const;
    Result<FilterExpression> compileFilterChain(std::string_view text) const;
    Result<std::unique_ptr<Condition>> compileCondition(const std::vector<std::string>& words) const;

    // An error placed at the token.
    static Error errorAt(const Token& token, ErrorKind kind, std::string message);

    // How many bodies the parser is inside; 1 at the top level of a template.
    std::size_t depth() const { return depth_; }

    // The loops around the tokens being parsed, so that `break` and `continue` know theirs.
    // A loop is entered with its label, empty when it has none.
    void enterLoop(std::string label) { loops_.push_back(std::move(label)); }
    void leaveLoop() { loops_.pop_back(); }
    // Whether a loop encloses the current token; with a label, a loop of that label.
    bool insideLoop(std::string_view label = {}) const;

    const FilterTable& filters() const;
    detail::ParseRecords& records() { return records_; }

private:
    // Moves the label of `{% name: for ... %}` out of the token's contents into its label.
    static Status takeLabel(Token& token);

    std::vector<Token> tokens_;
    std::size_t position_ = 0;
    std::size_t depth_ = 0;
    std::vector<std::string> loops_;
    const detail::EnvironmentState& environment_;
    detail::ParseRecords& records_;
};

// The name of a block tag: the first word of its contents.
std::string_view tagName(const Token& token);

}  // namespace stencil

#include "Stencil/Parser.h"

#include <algorithm>

#include "Stencil/Output.h"
#include "Stencil/detail/EnvironmentState.h"

namespace stencil {

namespace {

class TextNode final : public Node {
public:
    explicit TextNode(std::string text) : text_(std::move(text)) {}
    Status render(Context&, std::string& out) const override {
        out += text_;
        return std::nullopt;
    }

private:
    std::string text_;
};

bool isCloser(std::string_view name) {
    return name == "else" || name == "elif" || name == "empty" || name.starts_with("end");
}

bool isLabel(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               static_cast<unsigned char>(c) >= 0x80;
    });
}

Error placed(Error error, const Token& token) {
    if (error.line == 0) {
        error.line = token.line;
        error.column = token.column;
        error.token = token.source;
    }
    return error;
}

}  // namespace

std::string_view tagName(const Token& token) {
    std::string_view contents = token.contents;
    std::size_t end = contents.find_first_of(" \t\r\n");
    return contents.substr(0, end);
}

TokenParser::TokenParser(std::vector<Token> tokens, const detail::EnvironmentState& environment,
                         detail::ParseRecords& records)
    : tokens_(std::move(tokens)), environment_(environment), records_(records) {}

const FilterTable& TokenParser::filters() const { return environment_.filters; }

Error TokenParser::errorAt(const Token& token, ErrorKind kind, std::string message) {
    return placed(makeError(kind, std::move(message)), token);
}

std::optional<Token> TokenParser::nextToken() {
    if (position_ >= tokens_.size()) {
        return std::nullopt;
    }
    return tokens_[position_++];
}

bool TokenParser::insideLoop(std::string_view label) const {
    return label.empty() ? !loops_.empty() : std::find(loops_.begin(), loops_.end(), label) != loops_.end();
}

Status TokenParser::takeLabel(Token& token) {
    std::string_view name = tagName(token);
    if (name.size() < 2 || name.back() != ':') {
        return std::nullopt;
    }
    std::string label(name.substr(0, name.size() - 1));
    if (!isLabel(label)) {
        return errorAt(token, ErrorKind::syntax, "'" + label + "' cannot label a loop");
    }
    std::size_t rest = token.contents.find_first_not_of(" \t\r\n", name.size());
    token.contents.erase(0, rest);
    token.label = std::move(label);
    if (tagName(token) != "for") {
        return errorAt(token, ErrorKind::syntax, "Only a 'for' loop can have a label");
    }
    return std::nullopt;
}

Result<Variable> TokenParser::compileVariable(std::string_view text) const {
    return Variable::parse(text, 0, environment_.limits.maxNestingDepth);
}

Result<FilterExpression> TokenParser::compileFilter(std::string_view text) const {
    return FilterExpression::parse(text, environment_.filters, environment_.limits.maxNestingDepth);
}

Result<FilterExpression> TokenParser::compileFilterChain(std::string_view text) const {
    return FilterExpression::parseFilterChain(text, environment_.filters, environment_.limits.maxNestingDepth);
}

Result<std::unique_ptr<Condition>> TokenParser::compileCondition(const std::vector<std::string>& words) const {
    return parseCondition(words, environment_.filters, environment_.limits.maxNestingDepth);
}

Result<NodeList> TokenParser::parse(const std::vector<std::string_view>& until, const Token* opener) {
    struct DepthGuard {
        std::size_t& depth;
        explicit DepthGuard(std::size_t& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(depth_);

    if (depth_ > environment_.limits.maxNestingDepth) {
        const Token* at = opener ? opener : position_ < tokens_.size() ? &tokens_[position_] : nullptr;
        Error error = makeError(ErrorKind::nestingTooDeep,
                                "Tags are nested more than " + std::to_string(environment_.limits.maxNestingDepth) +
                                    " levels deep");
        return at ? placed(std::move(error), *at) : error;
    }

    NodeList nodes;
    while (position_ < tokens_.size()) {
        const Token& token = tokens_[position_];
        switch (token.kind) {
        case Token::Kind::text:
            nodes.push_back(std::make_unique<TextNode>(token.contents));
            ++position_;
            break;
        case Token::Kind::variable: {
            auto node = compileOutput(*this, token);
            if (!node) {
                return placed(std::move(node).error(), token);
            }
            nodes.push_back(std::move(node).value());
            ++position_;
            break;
        }
        case Token::Kind::block: {
            if (std::string_view name = tagName(token); std::find(until.begin(), until.end(), name) != until.end()) {
                return nodes;
            }
            ++position_;
            Token copy = token;  // the tag's parser may read on; keep its own token
            if (auto error = takeLabel(copy)) {
                return std::move(*error);
            }
            std::string_view name = tagName(copy);
            if (name.empty()) {
                return errorAt(token, ErrorKind::syntax, "Empty tag");
            }
            auto tag = environment_.tags.find(name);
            if (tag == environment_.tags.end()) {
                if (isCloser(name)) {
                    std::string expected;
                    for (std::string_view closer : until) {
                        expected += expected.empty() ? " (expected '" : "', '";
                        expected += closer;
                    }
                    if (!expected.empty()) {
                        expected += "')";
                    }
                    return errorAt(token, ErrorKind::syntax, "Unexpected '" + std::string(name) + "'" + expected);
                }
                return errorAt(token, ErrorKind::unknownTag, "Unknown tag '" + std::string(name) + "'");
            }
            auto node = tag->second(*this, copy);
            if (!node) {
                return placed(std::move(node).error(), copy);
            }
            if (*node) {
                nodes.push_back(std::move(node).value());
            }
            break;
        }
        case Token::Kind::comment:
            ++position_;
            break;
        }
    }
    if (!until.empty()) {
        std::string expected;
        for (std::string_view closer : until) {
            if (closer.starts_with("end")) {
                expected += expected.empty() ? "" : " or ";
                expected += "{% " + std::string(closer) + " %}";
            }
        }
        Error error = makeError(ErrorKind::unclosedBlock, "Block is never closed; expected " + expected);
        return opener ? placed(std::move(error), *opener) : error;
    }
    return nodes;
}

}  // namespace stencil

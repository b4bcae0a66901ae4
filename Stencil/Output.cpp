#include "Stencil/Output.h"

#include <algorithm>
#include <optional>

namespace stencil {

namespace {

Status write(Result<const Value*> value, const SourcePlace& place, Context& context, std::string& out) {
    if (!value) {
        return place.attach(std::move(value).error(), context);
    }
    if (*value) {
        (*value)->appendText(out);
    }
    return std::nullopt;
}

// The common case, kept lean: one variable with its filters.
class VariableNode final : public Node {
public:
    VariableNode(FilterExpression expression, SourcePlace place)
        : expression_(std::move(expression)), place_(std::move(place)) {}
    Status render(Context& context, std::string& out) const override {
        Value holder;
        return write(expression_.find(context, holder), place_, context, out);
    }

private:
    FilterExpression expression_;
    SourcePlace place_;
};

// A value to write: a filter expression, or a boolean expression that stands for its truth.
class Operand {
public:
    explicit Operand(FilterExpression expression) : expression_(std::move(expression)) {}
    explicit Operand(std::unique_ptr<Condition> condition) : condition_(std::move(condition)) {}

    Result<const Value*> find(Context& context, Value& holder) const {
        if (!condition_) {
            return expression_->find(context, holder);
        }
        auto holds = condition_->evaluate(context);
        if (!holds) {
            return std::move(holds).error();
        }
        holder = Value(*holds);
        return &holder;
    }

private:
    std::optional<FilterExpression> expression_;
    std::unique_ptr<Condition> condition_;
};

class ExpressionNode final : public Node {
public:
    ExpressionNode(Operand value, std::unique_ptr<Condition> test, std::optional<Operand> otherwise, SourcePlace place)
        : value_(std::move(value)), test_(std::move(test)), otherwise_(std::move(otherwise)), place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        const Operand* chosen = &value_;
        if (test_) {
            auto holds = test_->evaluate(context);
            if (!holds) {
                return place_.attach(std::move(holds).error(), context);
            }
            chosen = *holds ? &value_ : otherwise_ ? &*otherwise_ : nullptr;
        }
        Value holder;
        return chosen ? write(chosen->find(context, holder), place_, context, out) : std::nullopt;
    }

private:
    Operand value_;
    std::unique_ptr<Condition> test_;  // null when the value is written unconditionally
    std::optional<Operand> otherwise_;
    SourcePlace place_;
};

using Words = std::vector<std::string>;

bool isOperatorWord(const std::string& word) {
    static const char* const operators[] = {"not", "and", "or", "in", "==", "!=", "<", ">", "<=", ">="};
    return std::any_of(std::begin(operators), std::end(operators), [&](const char* op) { return word == op; }) ||
           word.starts_with('(') || word.ends_with(')');
}

Result<Operand> compileOperand(const TokenParser& parser, const Words& words) {
    bool expression = std::any_of(words.begin(), words.end(), isOperatorWord);
    if (!expression) {
        std::string text;
        for (const auto& word : words) {
            text += (text.empty() ? "" : " ") + word;
        }
        auto filter = parser.compileFilter(text);
        if (!filter) {
            return std::move(filter).error();
        }
        return Operand(std::move(filter).value());
    }
    auto condition = parser.compileCondition(words);
    if (!condition) {
        return std::move(condition).error();
    }
    return Operand(std::move(condition).value());
}

// A variable with filters and nothing else, told apart without splitting the text into words:
// no whitespace, and no opening parenthesis or closing one.
bool isPlainVariable(std::string_view contents) {
    return contents.find_first_of(" \t\r\n") == std::string_view::npos && !contents.starts_with('(') &&
           !contents.ends_with(')');
}

}  // namespace

Result<std::unique_ptr<Node>> compileOutput(const TokenParser& parser, const Token& token) {
    Words words = isPlainVariable(token.contents) ? Words{} : token.components();
    if (words.size() <= 1 && !(words.size() == 1 && isOperatorWord(words.front()))) {
        auto expression = parser.compileFilter(token.contents);
        if (!expression) {
            return std::move(expression).error();
        }
        return std::unique_ptr<Node>(std::make_unique<VariableNode>(std::move(expression).value(), SourcePlace::of(token)));
    }

    std::unique_ptr<Condition> test;
    std::optional<Operand> otherwise;
    Words shown = words;
    if (words.size() > 2 && words[1] == "if") {
        shown.assign(words.begin(), words.begin() + 1);
        auto elseWord = std::find(words.begin() + 2, words.end(), "else");
        auto condition = parser.compileCondition(Words(words.begin() + 2, elseWord));
        if (!condition) {
            return std::move(condition).error();
        }
        test = std::move(condition).value();
        if (elseWord != words.end()) {
            if (elseWord + 1 == words.end()) {
                return makeError(ErrorKind::syntax, "Expected a value after 'else'");
            }
            auto alternative = compileOperand(parser, Words(elseWord + 1, words.end()));
            if (!alternative) {
                return std::move(alternative).error();
            }
            otherwise = std::move(alternative).value();
        }
    }
    auto value = compileOperand(parser, shown);
    if (!value) {
        return std::move(value).error();
    }
    return std::unique_ptr<Node>(std::make_unique<ExpressionNode>(std::move(value).value(), std::move(test),
                                                                  std::move(otherwise), SourcePlace::of(token)));
}

}  // namespace stencil

#include "Stencil/Condition.h"

#include <algorithm>

namespace stencil {

namespace {

enum class Comparison { equal, notEqual, less, greater, lessOrEqual, greaterOrEqual, in };

class TruthCondition final : public Condition {
public:
    explicit TruthCondition(FilterExpression operand) : operand_(std::move(operand)) {}
    Result<bool> evaluate(Context& context) const override {
        Value holder;
        auto value = operand_.find(context, holder);
        if (!value) {
            return std::move(value).error();
        }
        return *value && (*value)->truthy();
    }

private:
    FilterExpression operand_;
};

class NotCondition final : public Condition {
public:
    explicit NotCondition(std::unique_ptr<Condition> operand) : operand_(std::move(operand)) {}
    Result<bool> evaluate(Context& context) const override {
        auto value = operand_->evaluate(context);
        if (!value) {
            return value;
        }
        return !*value;
    }

private:
    std::unique_ptr<Condition> operand_;
};

// Operands joined by one operator, kept flat so that long chains do not nest.
class JunctionCondition final : public Condition {
public:
    JunctionCondition(bool isAnd, std::vector<std::unique_ptr<Condition>> operands)
        : isAnd_(isAnd), operands_(std::move(operands)) {}
    Result<bool> evaluate(Context& context) const override {
        for (const auto& operand : operands_) {
            auto value = operand->evaluate(context);
            if (!value || *value != isAnd_) {
                return value;  // an error, or the answer without looking further
            }
        }
        return isAnd_;
    }

private:
    bool isAnd_;
    std::vector<std::unique_ptr<Condition>> operands_;
};

bool contains(const Value& collection, const Value& needle) {
    switch (collection.kind()) {
    case Value::Kind::array:
        return std::find(collection.array()->begin(), collection.array()->end(), needle) != collection.array()->end();
    case Value::Kind::dictionary:
        return needle.string() && collection.dictionary()->find(*needle.string()) != nullptr;
    case Value::Kind::string:
        return needle.string() && collection.string()->find(*needle.string()) != std::string::npos;
    case Value::Kind::object:
        if (auto elements = collection.object()->elements()) {
            return std::find(elements->begin(), elements->end(), needle) != elements->end();
        }
        return false;
    default:
        return false;
    }
}

class ComparisonCondition final : public Condition {
public:
    ComparisonCondition(Comparison comparison, FilterExpression left, FilterExpression right)
        : comparison_(comparison), left_(std::move(left)), right_(std::move(right)) {}

    Result<bool> evaluate(Context& context) const override {
        // Both sides are read where they are kept; a missing one is null.
        static const Value nothing;
        Value leftHolder;
        auto leftFound = left_.find(context, leftHolder);
        if (!leftFound) {
            return std::move(leftFound).error();
        }
        Value rightHolder;
        auto rightFound = right_.find(context, rightHolder);
        if (!rightFound) {
            return std::move(rightFound).error();
        }
        const Value& left = *leftFound ? **leftFound : nothing;
        const Value& right = *rightFound ? **rightFound : nothing;
        switch (comparison_) {
        case Comparison::equal:
            return left == right;
        case Comparison::notEqual:
            return !(left == right);
        case Comparison::in:
            return contains(right, left);
        default:
            break;
        }
        // Ordering is defined for numbers only; anything else compares as false.
        auto x = left.number();
        auto y = right.number();
        if (!x || !y) {
            return false;
        }
        switch (comparison_) {
        case Comparison::less:
            return *x < *y;
        case Comparison::greater:
            return *x > *y;
        case Comparison::lessOrEqual:
            return *x <= *y;
        default:
            return *x >= *y;
        }
    }

private:
    Comparison comparison_;
    FilterExpression left_;
    FilterExpression right_;
};

std::optional<Comparison> comparisonOf(const std::string& word) {
    if (word == "==") return Comparison::equal;
    if (word == "!=") return Comparison::notEqual;
    if (word == "<") return Comparison::less;
    if (word == ">") return Comparison::greater;
    if (word == "<=") return Comparison::lessOrEqual;
    if (word == ">=") return Comparison::greaterOrEqual;
    if (word == "in") return Comparison::in;
    return std::nullopt;
}

// How many more ')' than '(' the text holds outside its quoted strings.
std::ptrdiff_t unmatchedClosing(std::string_view text) {
    std::ptrdiff_t balance = 0;
    char quote = 0;
    for (char c : text) {
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else {
            balance += c == ')' ? 1 : c == '(' ? -1 : 0;
        }
    }
    return balance;
}

// Separates parentheses from the words they are written against: "(one" becomes "(" "one",
// and "two))" becomes "two" ")" ")", while parentheses that the word itself holds (in quotes, or
// balanced) stay with it.
std::vector<std::string> separateParentheses(const std::vector<std::string>& words) {
    std::vector<std::string> separated;
    for (const auto& word : words) {
        std::string_view rest = word;
        while (!rest.empty() && rest.front() == '(') {
            separated.emplace_back("(");
            rest.remove_prefix(1);
        }
        std::size_t closing = 0;
        while (!rest.empty() && rest.back() == ')' && unmatchedClosing(rest) > 0) {
            rest.remove_suffix(1);
            ++closing;
        }
        if (!rest.empty()) {
            separated.emplace_back(rest);
        }
        separated.insert(separated.end(), closing, ")");
    }
    return separated;
}

class ConditionParser {
public:
    ConditionParser(std::vector<std::string> words, const FilterTable& filters, std::size_t maxDepth)
        : words_(std::move(words)), filters_(filters), maxDepth_(maxDepth) {}

    Result<std::unique_ptr<Condition>> parse() {
        if (words_.empty()) {
            return makeError(ErrorKind::syntax, "Expected a condition");
        }
        auto condition = parseOr(0);
        if (condition && position_ < words_.size()) {
            return makeError(ErrorKind::syntax, "Unexpected '" + words_[position_] + "' in condition");
        }
        return condition;
    }

private:
    const std::string* peek() const { return position_ < words_.size() ? &words_[position_] : nullptr; }

    Result<std::unique_ptr<Condition>> parseOr(std::size_t depth) { return parseJunction(depth, false); }

    Result<std::unique_ptr<Condition>> parseJunction(std::size_t depth, bool isAnd) {
        const char* joiner = isAnd ? "and" : "or";
        std::vector<std::unique_ptr<Condition>> operands;
        do {
            if (!operands.empty()) {
                ++position_;
            }
            auto operand = isAnd ? parseNot(depth) : parseJunction(depth, true);
            if (!operand) {
                return operand;
            }
            operands.push_back(std::move(operand).value());
        } while (peek() && *peek() == joiner);
        if (operands.size() == 1) {
            return std::move(operands.front());
        }
        return std::unique_ptr<Condition>(std::make_unique<JunctionCondition>(isAnd, std::move(operands)));
    }

    Result<std::unique_ptr<Condition>> parseNot(std::size_t depth) {
        if (depth > maxDepth_) {
            return makeError(ErrorKind::nestingTooDeep, "Condition is nested too deeply");
        }
        const std::string* word = peek();
        if (!word) {
            return makeError(ErrorKind::syntax, "Condition ends where an operand was expected");
        }
        if (*word == "not") {
            ++position_;
            auto operand = parseNot(depth + 1);
            if (!operand) {
                return operand;
            }
            return std::unique_ptr<Condition>(std::make_unique<NotCondition>(std::move(operand).value()));
        }
        if (*word == "(") {
            ++position_;
            auto inner = parseOr(depth + 1);
            if (!inner) {
                return inner;
            }
            if (!peek() || *peek() != ")") {
                return makeError(ErrorKind::syntax, "Missing ')' in condition");
            }
            ++position_;
            return inner;
        }
        return parseComparison();
    }

    Result<FilterExpression> parseOperand() {
        const std::string* word = peek();
        if (!word || *word == ")" || *word == "and" || *word == "or" || comparisonOf(*word)) {
            return makeError(ErrorKind::syntax,
                             word ? "Expected an operand before '" + *word + "'" : "Condition ends with an operator");
        }
        ++position_;
        return FilterExpression::parse(*word, filters_, maxDepth_);
    }

    Result<std::unique_ptr<Condition>> parseComparison() {
        auto left = parseOperand();
        if (!left) {
            return std::move(left).error();
        }
        const std::string* word = peek();
        auto comparison = word ? comparisonOf(*word) : std::nullopt;
        if (!comparison) {
            return std::unique_ptr<Condition>(std::make_unique<TruthCondition>(std::move(left).value()));
        }
        ++position_;
        auto right = parseOperand();
        if (!right) {
            return std::move(right).error();
        }
        return std::unique_ptr<Condition>(
            std::make_unique<ComparisonCondition>(*comparison, std::move(left).value(), std::move(right).value()));
    }

    std::vector<std::string> words_;
    const FilterTable& filters_;
    std::size_t maxDepth_;
    std::size_t position_ = 0;
};

}  // namespace

Result<std::unique_ptr<Condition>> parseCondition(const std::vector<std::string>& words, const FilterTable& filters,
                                                  std::size_t maxDepth) {
    return ConditionParser(separateParentheses(words), filters, maxDepth).parse();
}

}  // namespace stencil

#include "Stencil/Expression.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "Stencil/detail/EnvironmentState.h"

namespace stencil {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

Error syntaxError(std::string message) { return makeError(ErrorKind::syntax, std::move(message)); }

std::optional<Value> numberLiteral(std::string_view text) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (!text.empty() && text.front() == '+') {
        ++begin;
    }
    std::int64_t integer = 0;
    if (auto [stop, ec] = std::from_chars(begin, end, integer); ec == std::errc{} && stop == end) {
        return Value(integer);
    }
    double number = 0;
    if (auto [stop, ec] = std::from_chars(begin, end, number, std::chars_format::fixed); ec == std::errc{} && stop == end) {
        return Value(number);
    }
    return std::nullopt;
}

bool isNameCharacter(char c) {
    switch (c) {
    case ' ': case '\t': case '\n': case '\r': case '"': case '\'': case '|': case ',': case ':':
    case '[': case ']': case '(': case ')': case '{': case '}':
        return false;
    default:
        return true;
    }
}

// Walks `text` past its quoted strings and asks `found(position, nesting)` about every other
// character, where nesting counts the subscripts around it: a '[' or ']' stands outside the
// subscript it opens or closes. Returns the first position `found` accepts, or npos.
template <typename Found>
std::size_t findOutsideQuotes(std::string_view text, Found found) {
    char quote = 0;
    int nesting = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        if (c == ']') {
            --nesting;
        }
        if (found(i, nesting)) {
            return i;
        }
        if (c == '[') {
            ++nesting;
        }
    }
    return std::string_view::npos;
}

// Finds "..." outside quotes and brackets.
std::size_t findRangeOperator(std::string_view text) {
    return findOutsideQuotes(text, [text](std::size_t i, int nesting) {
        return nesting == 0 && text.substr(i, 3) == "...";
    });
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The value that a find gave, taken out of `holder` when it was made there; null when missing.
Result<Value> valueOf(Result<const Value*> found, Value& holder) {
    if (!found) {
        return std::move(found).error();
    }
    if (*found == &holder) {
        return std::move(holder);
    }
    return *found ? **found : Value();
}

}  // namespace

std::vector<std::string_view> splitOutside(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    findOutsideQuotes(text, [&](std::size_t i, int nesting) {
        if (nesting == 0 && text[i] == separator) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
        return false;  // every separator cuts, so the walk goes to the end
    });
    pieces.push_back(text.substr(start));
    return pieces;
}

Error unknownFilterError(std::string_view name, const FilterTable& filters) {
    std::string message = "Unknown filter '" + std::string(name) + "'.";
    std::vector<std::string> similar;
    for (const auto& [known, function] : filters) {
        if (editDistance(name, known) <= std::max<std::size_t>(1, name.size() / 3)) {
            similar.push_back("'" + known + "'");
        }
    }
    if (!similar.empty()) {
        message += " Found similar filters: ";
        for (std::size_t i = 0; i < similar.size(); ++i) {
            message += (i ? ", " : "") + similar[i];
        }
        message += ".";
    }
    return makeError(ErrorKind::unknownFilter, message);
}

Result<Variable> Variable::parse(std::string_view text, std::size_t depth, std::size_t maxDepth) {
    if (depth > maxDepth) {
        return makeError(ErrorKind::nestingTooDeep, "Variable subscripts are nested too deeply");
    }
    text = trimmed(text);
    Variable variable;
    if (text.empty()) {
        return syntaxError("Expected a variable or a literal");
    }
    char first = text.front();
    if (first == '"' || first == '\'') {
        if (text.size() < 2 || text.back() != first || text.substr(1, text.size() - 2).find(first) != std::string_view::npos) {
            return syntaxError("Malformed string literal " + std::string(text));
        }
        variable.literal_ = Value(text.substr(1, text.size() - 2));
        return variable;
    }
    if (text == "true" || text == "false") {
        variable.literal_ = Value(text == "true");
        return variable;
    }
    if (std::size_t range = findRangeOperator(text); range != std::string_view::npos) {
        auto from = parse(text.substr(0, range), depth + 1, maxDepth);
        if (!from) {
            return std::move(from).error();
        }
        auto to = parse(text.substr(range + 3), depth + 1, maxDepth);
        if (!to) {
            return std::move(to).error();
        }
        variable.rangeFrom_ = std::make_shared<const Variable>(std::move(from).value());
        variable.rangeTo_ = std::make_shared<const Variable>(std::move(to).value());
        return variable;
    }
    if (auto number = numberLiteral(text)) {
        variable.literal_ = std::move(number);
        return variable;
    }

    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '[') {
            if (variable.path_.empty()) {
                return syntaxError("'" + std::string(text) + "' must start with a name before '['");
            }
            std::string_view onward = text.substr(i);
            std::size_t close = findOutsideQuotes(onward, [onward](std::size_t k, int nesting) {
                return nesting == 0 && onward[k] == ']';  // the bracket that closes this subscript
            });
            if (close == std::string_view::npos) {
                return syntaxError("Missing ']' in '" + std::string(text) + "'");
            }
            close += i;
            auto subscript = parse(text.substr(i + 1, close - i - 1), depth + 1, maxDepth);
            if (!subscript) {
                return std::move(subscript).error();
            }
            variable.path_.push_back({{}, std::make_shared<const Variable>(std::move(subscript).value()), {}, 0});
            i = close + 1;
            if (i < text.size() && text[i] == '.') {
                ++i;
                if (i == text.size()) {
                    return syntaxError("'" + std::string(text) + "' ends with '.'");
                }
            } else if (i < text.size() && text[i] != '[') {
                return syntaxError("Expected '.' or '[' after ']' in '" + std::string(text) + "'");
            }
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] != '.' && text[end] != '[') {
            if (!isNameCharacter(text[end])) {
                return syntaxError("'" + std::string(text) + "' is not a valid variable");
            }
            ++end;
        }
        if (end == i) {
            return syntaxError("'" + std::string(text) + "' has an empty name between dots");
        }
        variable.path_.push_back({std::string(text.substr(i, end - i)), nullptr, {}, 0});
        i = end;
        if (i < text.size() && text[i] == '.') {
            ++i;
            if (i == text.size()) {
                return syntaxError("'" + std::string(text) + "' ends with '.'");
            }
        }
    }
    if (!variable.path_.empty()) {
        variable.path_.front().site = Context::newSite();
    }
    variable.namesBlock_ = variable.path_.size() == 2 && variable.path_[0].name == "block" &&
                           !variable.path_[0].subscript && !variable.path_[1].subscript;
    variable.bareName_ = variable.path_.size() == 1 && !variable.path_[0].subscript;
    return variable;
}

Result<Value> Variable::resolve(const Context& context) const {
    Value holder;
    return valueOf(find(context, holder), holder);
}

Result<const Value*> Variable::findPath(const Context& context, Value& holder) const {
    if (literal_) {
        return &*literal_;
    }
    if (rangeFrom_) {
        return findRange(context, holder);
    }
    const Step* const steps = path_.data();
    const std::size_t count = path_.size();
    const Value* current = context.find(steps[0].name, holder, steps[0].site);
    // Steps into records whose shape this path met before go straight to their slots.
    std::size_t next = 1;
    for (; next < count && current; ++next) {
        const Value* slot = steps[next].slot.slotIn(*current);
        if (!slot) {
            break;
        }
        current = slot;
    }
    if (next < count && current && !current->isNull()) {
        return walk(context, holder, current, next);
    }
    if ((!current || current->isNull()) && namesBlock_) {
        return blockOutput(context, holder, current);
    }
    return current;
}

Result<const Value*> Variable::walk(const Context& context, Value& holder, const Value* current,
                                    std::size_t next) const {
    // The walk keeps pointers to values where their containers hold them; members made on the
    // spot go to `holder` or `spare`, never to the one that keeps the current value alive.
    Value spare;
    bool inSpare = false;  // whether the current value lives in or under `spare` rather than `holder`
    for (std::size_t i = next; i < path_.size() && current && !current->isNull(); ++i) {
        const Step& step = path_[i];
        Value& target = inSpare ? holder : spare;
        if (step.subscript) {
            auto key = step.subscript->resolve(context);
            if (!key) {
                return std::move(key).error();
            }
            current = findMember(*current, key->text(), target);
        } else {
            current = step.slot.findMember(*current, step.name, target);
        }
        if (current == &target) {
            inSpare = !inSpare;
        }
    }
    if ((!current || current->isNull()) && namesBlock_) {
        if (const Value* block = blockOutput(context, holder, nullptr)) {
            return block;
        }
    }
    if (current && inSpare) {
        // Containers are shared, so a member found under `spare` stays where it is when
        // `spare` moves.
        bool isSpare = current == &spare;
        holder = std::move(spare);
        return isSpare ? &holder : current;
    }
    return current;
}

// `block.name` that no value answers: the named block's output the last time it rendered.
const Value* Variable::blockOutput(const Context& context, Value& holder, const Value* current) const {
    if (const detail::RenderState* state = context.renderState()) {
        if (auto found = state->renderedBlocks.find(path_[1].name); found != state->renderedBlocks.end()) {
            holder = Value(found->second);
            return &holder;
        }
    }
    return current;
}

Result<const Value*> Variable::findRange(const Context& context, Value& holder) const {
    auto from = rangeFrom_->resolve(context);
    if (!from) {
        return std::move(from).error();
    }
    auto to = rangeTo_->resolve(context);
    if (!to) {
        return std::move(to).error();
    }
    auto low = from->integer();
    auto high = to->integer();
    if (!low || !high) {
        return makeError(ErrorKind::render, "A range needs whole numbers at both ends, got '" + from->text() +
                                                "' and '" + to->text() + "'");
    }
    std::uint64_t span = *low <= *high ? static_cast<std::uint64_t>(*high) - static_cast<std::uint64_t>(*low)
                                       : static_cast<std::uint64_t>(*low) - static_cast<std::uint64_t>(*high);
    if (span >= maxRangeLength) {
        return makeError(ErrorKind::limitExceeded,
                         "A range may hold at most " + std::to_string(maxRangeLength) + " numbers");
    }
    Value::Array numbers;
    numbers.reserve(static_cast<std::size_t>(span) + 1);
    std::int64_t step = *low <= *high ? 1 : -1;
    for (std::int64_t n = *low;; n += step) {
        numbers.emplace_back(n);
        if (n == *high) {
            break;
        }
    }
    holder = Value(std::move(numbers));
    return &holder;
}

Result<FilterExpression> FilterExpression::parse(std::string_view text, const FilterTable& filters,
                                                 std::size_t maxDepth) {
    auto pieces = splitOutside(text, '|');
    auto variable = Variable::parse(pieces.front(), 0, maxDepth);
    if (!variable) {
        return std::move(variable).error();
    }
    FilterExpression expression;
    expression.variable_ = std::move(variable).value();
    pieces.erase(pieces.begin());
    return parseFilters(std::move(pieces), std::move(expression), filters, maxDepth);
}

Result<FilterExpression> FilterExpression::parseFilterChain(std::string_view text, const FilterTable& filters,
                                                            std::size_t maxDepth) {
    return parseFilters(splitOutside(text, '|'), FilterExpression{}, filters, maxDepth);
}

Result<FilterExpression> FilterExpression::parseFilters(std::vector<std::string_view> pieces,
                                                        FilterExpression expression, const FilterTable& filters,
                                                        std::size_t maxDepth) {
    for (std::string_view piece : pieces) {
        piece = trimmed(piece);
        auto colon = splitOutside(piece, ':');
        std::string_view name = trimmed(colon.front());
        if (name.empty()) {
            return syntaxError("Expected a filter name after '|'");
        }
        auto found = filters.find(name);
        if (found == filters.end()) {
            return unknownFilterError(name, filters);
        }
        AppliedFilter filter{std::string(name), &found->second, {}, std::nullopt};
        if (colon.size() > 1) {
            std::string_view arguments = piece.substr(colon.front().size() + 1);
            for (std::string_view argument : splitOutside(arguments, ',')) {
                auto variable = Variable::parse(argument, 0, maxDepth);
                if (!variable) {
                    return std::move(variable).error();
                }
                filter.arguments.push_back(std::move(variable).value());
            }
        }
        if (std::all_of(filter.arguments.begin(), filter.arguments.end(),
                        [](const Variable& argument) { return argument.literal().has_value(); })) {
            filter.literalArguments.emplace();
            for (const auto& argument : filter.arguments) {
                filter.literalArguments->push_back(*argument.literal());
            }
        }
        expression.filters_.push_back(std::move(filter));
    }
    return expression;
}

Result<Value> FilterExpression::resolve(Context& context) const {
    Value holder;
    return valueOf(find(context, holder), holder);
}

Result<const Value*> FilterExpression::findFiltered(Context& context, Value& holder) const {
    static const Value nothing;
    const Value* value = &nothing;
    if (variable_) {
        auto found = variable_->find(context, holder);
        if (!found || filters_.empty()) {
            return found;
        }
        value = *found ? *found : &nothing;
    }
    if (auto error = applyFiltersInto(*value, holder, context)) {
        return std::move(*error);
    }
    return &holder;
}

Result<Value> FilterExpression::applyFilters(Value value, Context& context) const {
    Value holder;
    if (auto error = applyFiltersInto(value, holder, context)) {
        return std::move(*error);
    }
    if (filters_.empty()) {
        return value;
    }
    return holder;
}

Status FilterExpression::applyFiltersInto(const Value& value, Value& holder, Context& context) const {
    const Value* input = &value;
    std::vector<Value> arguments;
    for (const auto& filter : filters_) {
        arguments.clear();
        for (const auto& argument : filter.literalArguments ? std::span<const Variable>() : filter.arguments) {
            auto resolved = argument.resolve(context);
            if (!resolved) {
                return std::move(resolved).error();
            }
            arguments.push_back(std::move(resolved).value());
        }
        auto result = (*filter.function)(
            *input, filter.literalArguments ? std::span<const Value>(*filter.literalArguments) : arguments, context);
        if (!result) {
            Error error = std::move(result).error();
            if (error.message.find(filter.name) == std::string::npos) {
                error.message = "Filter '" + filter.name + "': " + error.message;
            }
            return error;
        }
        // The input may live in `holder`; the result is out of the filter already.
        holder = std::move(result).value();
        input = &holder;
    }
    return std::nullopt;
}

}  // namespace stencil

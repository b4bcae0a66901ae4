#pragma once
// Variable expressions as templates write them: literals ("text", 'text', 42, 4.5, true,
// false, 1...5), lookups by dot and subscript (`item.name`, `people.first`, `item[key]`), and
// filters applied in turn (`name|lowercase|default:"none"`).

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Stencil/Context.h"
#include "Stencil/Error.h"
#include "Stencil/Value.h"

namespace stencil {

// A filter gets the value, the values of its arguments and the render's context.
using FilterFunction =
    std::function<Result<Value>(const Value& value, std::span<const Value> arguments, Context& context)>;
using FilterTable = std::map<std::string, FilterFunction, std::less<>>;

// The longest range literal that `a...b` may produce.
inline constexpr std::size_t maxRangeLength = 1'000'000;

class Variable {
public:
    // `depth` counts the subscripts around this one; parsing stops with an error past `maxDepth`.
    static Result<Variable> parse(std::string_view text, std::size_t depth = 0, std::size_t maxDepth = 64);

    // Null when a name is missing anywhere along the path; errors only for a bad range literal.
    // `block.name`, unless the context has a `block` that answers it, is the output of the
    // block of that name the last time it rendered.
    Result<Value> resolve(const Context& context) const;
    // The same without copying: the value where the context or its container keeps it, or
    // `holder` filled with a value made on the spot; null when a name is missing.
    Result<const Value*> find(const Context& context, Value& holder) const {
        if (bareName_) {
            return context.find(path_.front().name, holder, path_.front().site);  // as `absent` is read
        }
        return findPath(context, holder);
    }

    // The literal's value when the expression is a literal.
    const std::optional<Value>& literal() const { return literal_; }

private:
    struct Step {
        std::string name;
        std::shared_ptr<const Variable> subscript;  // set for `[expression]`
        SlotCache slot;                             // where records of one shape keep `name`
        std::uint64_t site = 0;                     // this place and name, for the context (first step)
    };
    Result<const Value*> findPath(const Context& context, Value& holder) const;
    // The path from step `next` on, `current` being the value reached so far.
    Result<const Value*> walk(const Context& context, Value& holder, const Value* current, std::size_t next) const;
    const Value* blockOutput(const Context& context, Value& holder, const Value* current) const;
    Result<const Value*> findRange(const Context& context, Value& holder) const;

    std::optional<Value> literal_;
    std::vector<Step> path_;
    bool namesBlock_ = false;  // `block.name`, which falls back to the named block's last output
    bool bareName_ = false;    // one name and nothing else: the context answers it alone
    std::shared_ptr<const Variable> rangeFrom_;
    std::shared_ptr<const Variable> rangeTo_;
};

class FilterExpression {
public:
    // `variable|filter:argument,argument|filter`; every filter must be in the table.
    static Result<FilterExpression> parse(std::string_view text, const FilterTable& filters,
                                          std::size_t maxDepth = 64);
    // Only filters, no variable: `lowercase|capitalize`, as the `filter` tag takes them.
    static Result<FilterExpression> parseFilterChain(std::string_view text, const FilterTable& filters,
                                                     std::size_t maxDepth = 64);

    Result<Value> resolve(Context& context) const;
    // The same without copying when there are no filters to run, as Variable::find; the
    // result of the last filter goes to `holder`.
    Result<const Value*> find(Context& context, Value& holder) const {
        if (variable_ && filters_.empty()) {
            return variable_->find(context, holder);  // a bare variable, as most are
        }
        return findFiltered(context, holder);
    }
    // Runs the filters on a given value, in order.
    Result<Value> applyFilters(Value value, Context& context) const;

private:
    struct AppliedFilter {
        std::string name;
        const FilterFunction* function = nullptr;
        std::vector<Variable> arguments;
        // The arguments' values when every one is a literal, as most are: made once, not per render.
        std::optional<std::vector<Value>> literalArguments;
    };
    Result<const Value*> findFiltered(Context& context, Value& holder) const;
    // Runs the filters on `value`, which may live in `holder`, leaving the result there.
    Status applyFiltersInto(const Value& value, Value& holder, Context& context) const;
    static Result<FilterExpression> parseFilters(std::vector<std::string_view> pieces, FilterExpression expression,
                                                 const FilterTable& filters, std::size_t maxDepth);

    std::optional<Variable> variable_;
    std::vector<AppliedFilter> filters_;
};

// The error for a filter name that the table lacks, suggesting the closest known names.
Error unknownFilterError(std::string_view name, const FilterTable& filters);

// Splits at `separator` where it stands outside quotes and brackets.
std::vector<std::string_view> splitOutside(std::string_view text, char separator);

}  // namespace stencil

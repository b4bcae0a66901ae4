#pragma once
// The conditions of `if`, `elif`, `ifnot` and `for ... where`: operands joined by `or`,
// `and` and `not` (in rising precedence), comparisons with ==, !=, <, >, <=, >= and `in`,
// and parentheses.

#include <memory>
#include <string>
#include <vector>

#include "Stencil/Context.h"
#include "Stencil/Error.h"
#include "Stencil/Expression.h"

namespace stencil {

class Condition {
public:
    virtual ~Condition() = default;
    virtual Result<bool> evaluate(Context& context) const = 0;
};

// Parses the words of a condition (as Token::components splits them).
Result<std::unique_ptr<Condition>> parseCondition(const std::vector<std::string>& words, const FilterTable& filters,
                                                  std::size_t maxDepth = 64);

}  // namespace stencil

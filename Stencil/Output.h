#pragma once
// What `{{ ... }}` writes: a variable with its filters (`{{ name|uppercase }}`), the truth of a
// boolean expression as "true" or "false" (`{{ count > 1 and not hidden }}`), or a value
// chosen by a condition (`{{ name if flag }}`, `{{ name if flag else other }}`).

#include <memory>

#include "Stencil/Error.h"
#include "Stencil/Node.h"
#include "Stencil/Parser.h"

namespace stencil {

Result<std::unique_ptr<Node>> compileOutput(const TokenParser& parser, const Token& token);

}  // namespace stencil

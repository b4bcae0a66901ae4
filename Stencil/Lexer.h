#pragma once
// Splits template source into tokens and applies the trim behaviour around block tags.

#include <string_view>
#include <vector>

#include "Stencil/Error.h"
#include "Stencil/Token.h"
#include "Stencil/TrimBehaviour.h"

namespace stencil {

// Fails with a syntax error, placed at the opening delimiter, when a `{{`, `{%` or `{#` is
// never closed.
Result<std::vector<Token>> tokenize(std::string_view source, TrimBehaviour trim);

}  // namespace stencil

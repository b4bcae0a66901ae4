#pragma once
// The filters every environment knows: capitalize, uppercase, lowercase, default, join,
// split, indent and filter.

#include "Stencil/Expression.h"

namespace stencil {

void addBuiltinFilters(FilterTable& filters);

// The error of a filter that takes no arguments but was written with some.
Error noArgumentsError(std::string_view name);

// Upper- and lower-case mapping of UTF-8 text by the Unicode rules.
std::string upperCased(std::string_view text);
std::string lowerCased(std::string_view text);
// The first character upper-cased, the rest as it is.
std::string capitalized(std::string_view text);

}  // namespace stencil

#pragma once
// Renders template text in one call for the engine's tests.

#include <string>

#include "Stencil/Environment.h"

namespace stencil::testing {

// The output, or "ERROR: " and the error's description.
inline std::string renderOrError(const Environment& environment, const std::string& source, const Value& context) {
    auto rendered = environment.renderString(source, context);
    return rendered ? *rendered : "ERROR: " + rendered.error().describe();
}

inline std::string render(const std::string& source, const Value& context = Value(Dictionary{}),
                          TrimBehaviour trim = TrimBehaviour::nothing()) {
    return renderOrError(Environment(nullptr, {}, trim), source, context);
}

}  // namespace stencil::testing

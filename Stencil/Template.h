#pragma once
// A compiled template: parsed once, rendered any number of times against different contexts.
// Copies share the compiled tree; a template keeps its environment's tables alive.

#include <memory>
#include <string>

#include "Stencil/Context.h"
#include "Stencil/Error.h"
#include "Stencil/Value.h"

namespace stencil {

namespace detail {
struct EnvironmentState;
struct CompiledTemplate;
}  // namespace detail

class Template {
public:
    Template(std::shared_ptr<const detail::EnvironmentState> environment,
             std::shared_ptr<const detail::CompiledTemplate> compiled);

    // The name it was loaded or created under; empty for an unnamed string template.
    const std::string& name() const;

    // Renders against a root value, usually a dictionary.
    Result<std::string> render(const Value& context) const;
    // Renders against a prepared context, appending to `out`.
    Status render(Context& context, std::string& out) const;

private:
    std::shared_ptr<const detail::EnvironmentState> environment_;
    std::shared_ptr<const detail::CompiledTemplate> compiled_;
};

}  // namespace stencil

#pragma once
// The configuration that templates compile and render under: where included and extended
// templates come from (no loader means none can be), the custom filters and tags, the trim
// behaviour around block tags, and the limits on hostile templates.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Stencil/Error.h"
#include "Stencil/Extension.h"
#include "Stencil/Limits.h"
#include "Stencil/Loader.h"
#include "Stencil/Template.h"
#include "Stencil/TrimBehaviour.h"
#include "Stencil/Value.h"

namespace stencil {

class Environment {
public:
    explicit Environment(std::shared_ptr<const Loader> loader = nullptr, std::vector<Extension> extensions = {},
                         TrimBehaviour trim = TrimBehaviour::nothing(), Limits limits = {});

    // Compiles source text; the name appears in error messages and lets it extend by name.
    Result<Template> templateFromString(std::string_view source, std::string name = {}) const;
    // Compiles the named template from the loader; compiled templates are kept for reuse.
    Result<Template> loadTemplate(std::string_view name) const;

    Result<std::string> renderString(std::string_view source, const Value& context) const;
    Result<std::string> renderTemplate(std::string_view name, const Value& context) const;

    TrimBehaviour trimBehaviour() const;

private:
    std::shared_ptr<detail::EnvironmentState> state_;
};

}  // namespace stencil

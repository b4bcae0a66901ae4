#pragma once
// Rendering a template file against a context, with an optional template folder for include
// and extends: the core of `vantorel render`, shared with callers that build their context
// another way.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Stencil/Error.h"
#include "Stencil/Extension.h"
#include "Stencil/Limits.h"
#include "Stencil/TrimBehaviour.h"
#include "Stencil/Value.h"

namespace stencil {

struct FileRenderOptions {
    // Root of the loader for include and extends; without it, neither can find a template.
    std::optional<std::filesystem::path> templatesFolder;
    TrimBehaviour trim = TrimBehaviour::nothing();
    std::vector<Extension> extensions;
    Limits limits;
};

// Errors name the template file as it was given.
Result<std::string> renderTemplateFile(const std::filesystem::path& file, const Value& context,
                                       const FileRenderOptions& options);

// "none" (or "nothing"), "smart" and "all".
std::optional<TrimBehaviour> trimBehaviourNamed(std::string_view name);

}  // namespace stencil

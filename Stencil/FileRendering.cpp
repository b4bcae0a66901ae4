#include "Stencil/FileRendering.h"

#include <fstream>
#include <sstream>

#include "Stencil/Environment.h"

namespace stencil {

Result<std::string> renderTemplateFile(const std::filesystem::path& file, const Value& context,
                                       const FileRenderOptions& options) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        return makeError(ErrorKind::templateNotFound, "Cannot read template '" + file.string() + "'");
    }
    std::ostringstream source;
    source << stream.rdbuf();

    std::shared_ptr<const Loader> loader;
    if (options.templatesFolder) {
        loader = std::make_shared<FileSystemLoader>(*options.templatesFolder);
    }
    Environment environment(std::move(loader), options.extensions, options.trim, options.limits);
    auto compiled = environment.templateFromString(source.str(), file.string());
    if (!compiled) {
        return std::move(compiled).error();
    }
    return compiled->render(context);
}

std::optional<TrimBehaviour> trimBehaviourNamed(std::string_view name) {
    if (name == "none" || name == "nothing") {
        return TrimBehaviour::nothing();
    }
    if (name == "smart") {
        return TrimBehaviour::smart();
    }
    if (name == "all") {
        return TrimBehaviour::all();
    }
    return std::nullopt;
}

}  // namespace stencil

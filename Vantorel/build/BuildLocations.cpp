#include "Vantorel/build/BuildLocations.h"

#include <system_error>

namespace vantorel::build {

namespace fs = std::filesystem;

fs::path documentFolder(const fs::path& documentURL) {
    std::error_code error;
    fs::path absolute = fs::absolute(documentURL, error);
    if (error) absolute = documentURL;
    return standardisedPath(absolute.parent_path());
}

fs::path standardisedPath(const fs::path& path) {
    fs::path normal = path.lexically_normal();
    // "a/b/" → "a/b"; the root "/" keeps its separator.
    if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
    if (normal.empty()) normal = ".";
    return normal;
}

fs::path taskOutputFolder(const fs::path& documentFolder, std::string_view exportFileFolder) {
    return standardisedPath(documentFolder / fs::path(exportFileFolder).relative_path());
}

std::optional<fs::path> customTemplateFile(const fs::path& documentFolder, const BuildTask& task) {
    auto location = task.customValue<CustomTemplateLocation>();
    if (!location || location->location.empty()) return std::nullopt;
    return standardisedPath(documentFolder / location->location);
}

std::string relativeLocation(const fs::path& documentFolder, const fs::path& chosen) {
    fs::path standard = standardisedPath(chosen);
    if (standard.root_path() != documentFolder.root_path()) return standard.string();
    fs::path relative = standard.lexically_relative(documentFolder);
    if (relative.empty()) return standard.string();
    if (relative == ".") return "./";
    return relative.string();
}

}  // namespace vantorel::build

#include "Stencil/Loader.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace stencil {

namespace fs = std::filesystem;

namespace {

Error notFound(std::string_view name, const std::string& where) {
    return makeError(ErrorKind::templateNotFound, "Template named '" + std::string(name) + "' does not exist" + where);
}

Error refused(std::string_view name, const std::string& why) {
    return makeError(ErrorKind::accessDenied, "Template name '" + std::string(name) + "' is refused: " + why);
}

bool isInside(const fs::path& path, const fs::path& root) {
    auto [rootEnd, pathEnd] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

}  // namespace

FileSystemLoader::FileSystemLoader(fs::path root) : root_(std::move(root)) {}

Result<std::string> FileSystemLoader::loadSource(std::string_view name) const {
    std::string where = " in '" + root_.string() + "'";
    if (name.empty() || name.find('\0') != std::string_view::npos) {
        return notFound(name, where);
    }
    fs::path relative(name);
    if (relative.is_absolute() || relative.has_root_name() || relative.has_root_directory()) {
        return refused(name, "absolute paths are not allowed");
    }
    for (const auto& part : relative) {
        if (part == "..") {
            return refused(name, "'..' is not allowed");
        }
    }
    std::error_code error;
    fs::path root = fs::canonical(root_, error);
    if (error) {
        return makeError(ErrorKind::templateNotFound,
                         "Template folder '" + root_.string() + "' cannot be read: " + error.message());
    }
    fs::path file = fs::canonical(root / relative, error);
    if (error) {
        return notFound(name, where);
    }
    if (!isInside(file, root)) {
        return refused(name, "it leads outside the template folder");
    }
    if (!fs::is_regular_file(file, error)) {
        return notFound(name, where);
    }
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream contents;
    contents << stream.rdbuf();
    if (!stream) {
        return makeError(ErrorKind::templateNotFound, "Template named '" + std::string(name) + "' cannot be read");
    }
    return std::move(contents).str();
}

Result<std::string> MemoryLoader::loadSource(std::string_view name) const {
    auto found = templates_.find(name);
    if (found == templates_.end()) {
        return notFound(name, "");
    }
    return found->second;
}

}  // namespace stencil

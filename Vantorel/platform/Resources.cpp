#include "Vantorel/platform/Resources.h"

#include <cstdlib>

namespace vantorel::platform {

std::filesystem::path resourcesFolder() {
    if (const char* overridden = std::getenv("VANTOREL_RESOURCES"); overridden && *overridden) {
        return std::filesystem::path(overridden);
    }
    return std::filesystem::path(VANTOREL_RESOURCES_DIR);
}

std::filesystem::path resourcePath(std::string_view relativePath) {
    return resourcesFolder() / std::filesystem::path(relativePath);
}

}  // namespace vantorel::platform

#include "Vantorel/build/exporters/ExportLocations.h"

#include <system_error>

namespace vantorel::build {

OutputLocation outputPath(const ExportRequest& request) {
    const std::string name = request.task.outputFileName();
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos) {
        return {{}, BuildError{"The output file name \"" + name + "\" of the build task \"" + request.task.name() +
                               "\" is not a valid file name. Enter a name without \"/\"."}};
    }
    return {request.outputFolder / name, std::nullopt};
}

void removeEarlierOutput(const std::filesystem::path& path, bool recursive) {
    std::error_code ignored;
    if (recursive) {
        std::filesystem::remove_all(path, ignored);
    } else {
        std::filesystem::remove(path, ignored);
    }
}

std::optional<BuildError> createFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && !std::filesystem::is_directory(folder, error)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) return BuildError{"Could not create the folder \"" + folder.string() + "\": " + error.message()};
    return std::nullopt;
}

}  // namespace vantorel::build

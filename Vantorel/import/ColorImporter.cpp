#include "Vantorel/import/ColorImporter.h"

#include <fstream>
#include <sstream>

namespace vantorel::import {

std::optional<std::string> readFileBytes(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) return std::nullopt;
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return std::nullopt;
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    if (stream.bad()) return std::nullopt;
    return std::move(bytes).str();
}

}  // namespace vantorel::import

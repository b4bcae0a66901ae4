#pragma once
// Whole-file reads and writes for tests; a missing file reads as empty.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vantorel::testing {

inline std::string fileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void writeFileContents(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace vantorel::testing

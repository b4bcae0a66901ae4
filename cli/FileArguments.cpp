#include "cli/FileArguments.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vantorel::cli {
namespace {

namespace fs = std::filesystem;

std::string inQuotes(const fs::path& path) { return "'" + path.string() + "'"; }

// "Permission denied" → "permission denied", to read on after a colon.
std::string reason(int code) {
    std::string text = std::strerror(code);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

}  // namespace

std::optional<std::string> inputFileProblem(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return inQuotes(path) + " does not exist";
    if (error) return "cannot read " + inQuotes(path) + ": " + reason(error.value());
    if (status.type() == fs::file_type::directory) return inQuotes(path) + " is a folder, not a file";
    return std::nullopt;
}

std::optional<std::string> readInputFile(CommandIO& io, const std::string& path, int& exitCode) {
    if (auto problem = inputFileProblem(path)) {
        exitCode = fail(io, exitBadUsage, *problem);
        return std::nullopt;
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        exitCode = fail(io, exitBadUsage, "cannot read " + inQuotes(path) + ": " + reason(errno ? errno : EACCES));
        return std::nullopt;
    }
    // Read in large pieces into a string sized once: a document of several megabytes read
    // character by character took longer than parsing it.
    std::string bytes;
    std::error_code sizeError;
    if (const auto size = fs::file_size(path, sizeError); !sizeError) bytes.reserve(static_cast<std::size_t>(size));
    char piece[64 * 1024];
    while (stream.read(piece, sizeof piece) || stream.gcount() > 0) {
        bytes.append(piece, static_cast<std::size_t>(stream.gcount()));
    }
    if (stream.bad()) {
        exitCode = fail(io, exitBadUsage, "cannot read " + inQuotes(path) + ": " + reason(errno ? errno : EIO));
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> outputFileProblem(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error)) return inQuotes(path) + " is a folder; give the name of a file to write";
    const fs::path parent = fs::path(path).parent_path();
    const fs::path folder = parent.empty() ? fs::path(".") : parent;
    const fs::file_status status = fs::status(folder, error);
    if (status.type() == fs::file_type::not_found) {
        return "cannot write " + inQuotes(path) + ": the folder " + inQuotes(folder) + " does not exist";
    }
    if (status.type() != fs::file_type::directory && !error) {
        return "cannot write " + inQuotes(path) + ": " + inQuotes(folder) + " is not a folder";
    }
    // The file is written beside its final place and renamed, so the folder must take new files.
    if (!error && ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "cannot write " + inQuotes(path) + ": the folder " + inQuotes(folder) + " is not writable";
    }
    return std::nullopt;
}

}  // namespace vantorel::cli

#pragma once
// Writing a file so that readers only ever see the old bytes or the new ones: the new bytes go
// to a temporary file in the same folder, are flushed to disk, and replace the old file by a
// rename. If anything fails the old file is untouched and the temporary file is removed.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel::platform {

struct FileError {
    std::string message;  // names the file and what went wrong
};

// Replaces (or creates) `path` with `bytes` atomically. Returns an error on failure.
std::optional<FileError> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Reads a whole file; an error names the file when it cannot be read.
struct FileContents {
    std::string bytes;
    std::optional<FileError> error;
};
FileContents readWholeFile(const std::filesystem::path& path);

}  // namespace vantorel::platform

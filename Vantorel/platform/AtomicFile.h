#pragma once
// Writing a file so that readers only ever see the old bytes or the new ones: the new bytes go
// to a temporary file in the same folder, are flushed to disk, and replace the old file by a
// rename. If anything fails the old file is untouched and the temporary file is removed; so it is
// when an interrupt or termination signal ends the process during the write. A symbolic link
// is followed: the file it names is replaced and the link stays.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel::platform {

struct FileError {
    std::string message;  // names the file and what went wrong
};

// How far a write waits for the disk. The user's documents are flushed before and after the
// rename, so that a crash or power loss leaves the old file or the new one. Outputs that the
// next build writes again (the thousands of small files of an asset catalog) are only renamed
// into place: readers still never see half a file, and the build does not wait on the disk.
enum class Durability { flushedToDisk, rebuildableOutput };

// Replaces (or creates) `path` with `bytes` atomically. Returns an error on failure.
std::optional<FileError> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                             Durability durability = Durability::flushedToDisk);

// Reads a whole file; an error names the file when it cannot be read.
struct FileContents {
    std::string bytes;
    std::optional<FileError> error;
};
FileContents readWholeFile(const std::filesystem::path& path);

}  // namespace vantorel::platform

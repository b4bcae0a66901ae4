#pragma once
// The file behind an open document: reading it whole together with the stamp that tells later
// whether it changed on disk, and the test that keeps a save from replacing a file that is not
// a document.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel::shell {

// What identifies one version of a file: its modification time, size and file number. An
// atomic save gives the file a new file number, so a replacement is seen even when it has the
// same size within the same clock tick.
struct FileStamp {
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t size = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at `path` now; none when there is no such file.
std::optional<FileStamp> stampOf(const std::filesystem::path& path);

struct DocumentFileContents {
    std::string bytes;
    FileStamp stamp;            // of the very file the bytes were read from
    std::optional<std::string> error;  // names the file and what went wrong
};

// Reads the whole file; the stamp is taken from the open file, so that it matches the bytes
// even when the file is replaced meanwhile.
DocumentFileContents readDocumentFile(const std::filesystem::path& path);

// Whether the bytes are a document: well-formed XML whose root element is `vantorel`.
bool isDocument(std::string_view bytes);

// Whether a save may replace the bytes: a document, or an empty file (nothing to lose).
inline bool mayBeReplacedByDocument(std::string_view bytes) { return bytes.empty() || isDocument(bytes); }

}  // namespace vantorel::shell

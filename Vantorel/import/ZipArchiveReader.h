#pragma once
// ZipArchiveReader: the entries of a ZIP archive held in memory, read whole by name. Archives
// come from anywhere, so an entry is read in pieces up to a size limit (never by the size the
// archive claims) and a damaged entry (bad compressed data, wrong checksum, encryption) is
// told apart from a missing one.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace vantorel::import {

class ZipArchiveReader {
public:
    enum class EntryStatus { read, missing, damaged };
    struct Entry {
        EntryStatus status = EntryStatus::missing;
        std::string bytes;   // the whole entry when read
        std::string detail;  // what went wrong, when damaged
    };

    // None when the bytes are not a ZIP archive. `bytes` must outlive the reader.
    static std::optional<ZipArchiveReader> open(std::string_view bytes);

    // The entry is read in pieces of 16384 bytes; one larger than `limit` bytes counts as damaged.
    Entry read(const std::string& name, std::size_t limit = defaultEntryLimit) const;

    static constexpr std::size_t defaultEntryLimit = std::size_t{512} << 20;

private:
    struct Close {
        void operator()(zip* archive) const;
    };
    explicit ZipArchiveReader(zip* archive) : archive_(archive) {}
    std::unique_ptr<zip, Close> archive_;
};

}  // namespace vantorel::import

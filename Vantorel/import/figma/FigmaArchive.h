#pragma once
// The ZIP archive of a Figma document and its "canvas.fig" entry, read from bytes in memory.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantorel::import::figma {

struct CanvasEntry {
    enum class Status { read, notAnArchive, noCanvas, unreadable };
    Status status = Status::read;
    std::string bytes;   // the entry, when read
    std::string detail;  // what the ZIP reader said, when unreadable
};

// The "canvas.fig" entry of the archive in `archive`, extracted in pieces of 16384 bytes; an
// entry longer than `limit` is unreadable.
CanvasEntry readCanvasEntry(std::string_view archive, std::size_t limit);

}  // namespace vantorel::import::figma

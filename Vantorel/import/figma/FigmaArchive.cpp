#include "Vantorel/import/figma/FigmaArchive.h"

#include <optional>
#include <utility>

#include "Vantorel/import/ZipArchiveReader.h"

namespace vantorel::import::figma {

CanvasEntry readCanvasEntry(std::string_view archiveBytes, std::size_t limit) {
    using Status = CanvasEntry::Status;
    CanvasEntry result;
    // libzip takes an empty file for an empty archive; for a document it is no archive at all.
    const auto archive = archiveBytes.empty() ? std::optional<ZipArchiveReader>{} : ZipArchiveReader::open(archiveBytes);
    if (!archive) {
        result.status = Status::notAnArchive;
        return result;
    }
    auto entry = archive->read("canvas.fig", limit);
    switch (entry.status) {
        case ZipArchiveReader::EntryStatus::read: result.bytes = std::move(entry.bytes); break;
        case ZipArchiveReader::EntryStatus::missing: result.status = Status::noCanvas; break;
        case ZipArchiveReader::EntryStatus::damaged:
            result.status = Status::unreadable;
            result.detail = std::move(entry.detail);
            break;
    }
    return result;
}

}  // namespace vantorel::import::figma

#include "Vantorel/import/figma/FigmaArchive.h"

#include <zip.h>

#include <memory>

namespace vantorel::import::figma {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

constexpr std::size_t pieceSize = 16384;

}  // namespace

CanvasEntry readCanvasEntry(std::string_view archiveBytes, std::size_t limit) {
    using Status = CanvasEntry::Status;
    CanvasEntry result;
    // libzip takes an empty file for an empty archive; for a document it is no archive at all.
    if (archiveBytes.empty()) {
        result.status = Status::notAnArchive;
        return result;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archiveBytes.data(), archiveBytes.size(), 0, &error);
    std::unique_ptr<zip_t, ArchiveCloser> archive;
    if (source) {
        archive.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
        if (!archive) zip_source_free(source);
    }
    zip_error_fini(&error);
    if (!archive) {
        result.status = Status::notAnArchive;
        return result;
    }
    const zip_int64_t index = zip_name_locate(archive.get(), "canvas.fig", 0);
    if (index < 0) {
        result.status = Status::noCanvas;
        return result;
    }
    const std::unique_ptr<zip_file_t, EntryCloser> entry(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!entry) {
        result.status = Status::unreadable;
        result.detail = zip_strerror(archive.get());
        return result;
    }
    char piece[pieceSize];
    for (;;) {
        const zip_int64_t count = zip_fread(entry.get(), piece, sizeof piece);
        if (count < 0) {
            result.status = Status::unreadable;
            result.detail = zip_file_strerror(entry.get());
            return result;
        }
        if (count == 0) break;
        if (result.bytes.size() + static_cast<std::size_t>(count) > limit) {
            result.status = Status::unreadable;
            result.detail = "the entry is larger than " + std::to_string(limit) + " bytes";
            return result;
        }
        result.bytes.append(piece, static_cast<std::size_t>(count));
    }
    return result;
}

}  // namespace vantorel::import::figma
